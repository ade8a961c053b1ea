#pragma once

#include "records.h"

#include <QFont>
#include <QWidget>

// One panel row of the layout editor: draws the 33 columns and the shown parts of the layout it
// edits, and places, realigns and hides the current part with the mouse. It takes the focus by
// Tab like any control; then Left and Right move the current part one column, and with Shift
// change its span. The layout belongs to the owner, which keeps it alive while the canvas
// exists.
class CPanelViewEdit : public QWidget
{
    Q_OBJECT
public:
    explicit CPanelViewEdit(QWidget* parent = nullptr);

    void AttachLayout(PanelLayout* layout);
    PanelLayout* AttachedLayout() const { return m_pLayout; }

    // Makes `part` (0..6) the current part and repaints, so the highlight moves.
    void SelectPart(int part);
    int CurrentPart() const { return m_nCurPart; }
    bool IsDragging() const { return m_bDragging; }

    // The labels' font: "ＭＳ Ｐゴシック", 12 pixels, thin.
    static QFont CanvasFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowFeedback(int lastColumn);
    void HideFeedback();
    void ChangeAlignment();
    void AskHide();

    PanelLayout* m_pLayout = nullptr;
    int m_nCurPart = 0;
    bool m_bDragging = false;
    int m_nPressColumn = 0;
    // The drag feedback, kept as columns so that it follows a resize.
    bool m_bFeedbackShown = false;
    int m_nFeedbackLast = 0;
};
