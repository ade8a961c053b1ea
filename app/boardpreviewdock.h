#pragma once

#include "boardrender.h"
#include "dotmatrix.h"

#include <QDockWidget>
#include <QPointer>

#include <functional>
#include <memory>

class CBoardFont;
class CBoardView;
class CVeldenDoc;
class QComboBox;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimeEdit;
class QTimer;

// 発車標プレビュー: the departure board the active document makes, at a time of day, as it would
// light. It follows every change to the document as it happens (undo included) and the time of
// day: typed, dragged along the service day, or the clock's. The board is worked out again only
// when the time, the document or a setting changes; the guide line's frames only redraw their
// own row.
class CBoardPreviewDock : public QDockWidget
{
    Q_OBJECT
public:
    explicit CBoardPreviewDock(QWidget* parent = nullptr);
    ~CBoardPreviewDock() override;

    // The document to show; null shows none.
    void SetDocument(CVeldenDoc* doc);
    CVeldenDoc* Document() const;

    // The display mode choices, in the order of the combo box.
    enum class Mode
    {
        Main,
        Sub,
        Alternating
    };
    // Milliseconds between guide line frames, and between main and sub when alternating.
    static constexpr int kFrameInterval = 25;
    static constexpr int kAlternateInterval = 4000;

    // Saves the shown dots as a PNG file of one pixel a dot in exactly the dot's colour (the
    // same picture qlmtool render --scale 1 writes), asking for the file name.
    void SaveDots();
    // Test seam: the file dialog; an empty result means the user cancelled.
    using SavePrompt = std::function<QString(QWidget* parent, const QString& suggested)>;
    static void SetSavePrompt(SavePrompt prompt);

    // What is shown now.
    int Time() const { return m_nTime; }
    Board::Display ShownDisplay() const { return m_display; }
    int TrainRows() const;
    const CDotMatrix& Dots() const { return m_dots; }
    const Board::BoardContent& Content() const { return m_content; }
    CBoardView* View() const { return m_pView; }
    QTimeEdit* TimeEdit() const { return m_pTimeEdit; }
    QSlider* Slider() const { return m_pSlider; }
    QPushButton* NowButton() const { return m_pNowButton; }
    QComboBox* ModeBox() const { return m_pModeBox; }
    QSpinBox* RowsBox() const { return m_pRowsBox; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetTime(int minutes);
    void FollowClock(bool follow);
    void OnClockTick();
    void OnFrameTick();
    void OnAlternate();
    void OnModeChanged();
    void Rebuild();
    void UpdateTimers();
    int SliderValueOf(int time) const;
    int TimeOfSliderValue(int value) const;

    QPointer<CVeldenDoc> m_pDoc;
    QMetaObject::Connection m_docConnection;
    std::shared_ptr<const CBoardFont> m_font;
    QString m_strFontError;

    CBoardView* m_pView = nullptr;
    QTimeEdit* m_pTimeEdit = nullptr;
    QSlider* m_pSlider = nullptr;
    QPushButton* m_pNowButton = nullptr;
    QComboBox* m_pModeBox = nullptr;
    QSpinBox* m_pRowsBox = nullptr;
    QTimer* m_pClockTimer = nullptr;
    QTimer* m_pFrameTimer = nullptr;
    QTimer* m_pAlternateTimer = nullptr;

    int m_nTime = 0;
    Board::Display m_display = Board::Display::Main;
    Board::BoardContent m_content;
    std::vector<int> m_guideWidths;
    Board::GuidePosition m_guideAt;
    long long m_nFrame = 0;
    CDotMatrix m_dots;
    bool m_bSyncing = false;
};
