#pragma once

#include "editrules.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class CFieldControl;
class CVeldenView;

// The in-place editor: a hidden child of the grid's viewport that, while a cell is edited,
// holds one control (text box or list) over that cell. Keys typed into it stay in it: Enter
// closes it (deferred, so that it is never destroyed inside its own event handling), Escape
// does nothing, and no shortcut of the main window acts while it has the focus.
class CEditField : public QWidget
{
    Q_OBJECT
public:
    explicit CEditField(QWidget* parent);
    ~CEditField() override;

    // Loads a value: reuses a held control of the same kind, otherwise makes a new one. The
    // changes the loading itself causes are not applied.
    void EditValue(const EditRules::EditorSetup& value, CVeldenView* view);
    // Destroys the held control, if any, and forgets the view.
    void DestroyControl();

    QWidget* Control() const;
    CFieldControl* FieldControl() const { return m_pControl; }
    bool IsLoading() const { return m_bGuard; }

    // A change notification of the held control: hands its value to the view unless loading.
    void OnControlChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRect ControlRect(EditRules::EditorKind kind) const;

    CFieldControl* m_pControl = nullptr;
    QPointer<CVeldenView> m_pView;
    bool m_bGuard = false;
    QFont m_font;
};
