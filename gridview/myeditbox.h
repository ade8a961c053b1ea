#pragma once

#include "fieldcontrol.h"

#include <QByteArray>
#include <QLineEdit>

class CEditField;

// The text box of the in-place editor. It reports the text the user typed; it knows nothing of
// the grid or the document.
class CMyEditBox : public QLineEdit, public CFieldControl
{
    Q_OBJECT
public:
    // A single-line box inside the editor over rect, scrolling horizontally; no length limit.
    CMyEditBox(CEditField* field, const QRect& rect);

    EditRules::EditorKind Kind() const override { return EditRules::EditorKind::TextBox; }

    // Loads the text, remembers the input format of the Enter check and selects all.
    void SetTextAndFormat(const QString& text, const QByteArray& format);
    const QByteArray& Format() const { return m_format; }

signals:
    // Enter was released over a complete value: the text is final.
    void valueConfirmed(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QByteArray m_format;          // at most 31 characters
    bool m_bEnterPressed = false; // the Enter being released was pressed here
};
