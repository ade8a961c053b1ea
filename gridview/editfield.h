#pragma once

#include "editrules.h"

#include <QFont>
#include <QWidget>

class CFieldControl;

// The in-place editor: a hidden child of the grid's viewport that, while a cell is edited,
// holds one control (text box or list) over that cell. It reports what the user changes and
// knows nothing of the grid or the document. Keys typed into it stay in it: Enter asks to close
// it (deferred, so that it is never destroyed inside its own event handling), Escape does
// nothing, and no shortcut of the main window acts while it has the focus but Undo, Redo and
// the menus' Alt keys.
class CEditField : public QWidget
{
    Q_OBJECT
public:
    explicit CEditField(QWidget* parent);
    ~CEditField() override;

    // Loads a value: reuses a held control of the same kind, otherwise makes a new one. The
    // loading itself reports nothing.
    void EditValue(const EditRules::EditorSetup& value);
    // Destroys the held control, if any.
    void DestroyControl();

    QWidget* Control() const;
    CFieldControl* FieldControl() const { return m_pControl; }
    bool IsLoading() const { return m_bGuard; }

signals:
    // The user changed the text box's text, or confirmed it with Enter.
    void textEdited(const QString& text);
    // The user picked list entry (1-based).
    void entryChosen(int entry);
    // Enter was pressed: the editor should close once the key is handled.
    void closeRequested();

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
    bool m_bGuard = false;
    QFont m_font;
};
