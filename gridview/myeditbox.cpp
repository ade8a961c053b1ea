#include "myeditbox.h"

#include "editfield.h"
#include "messages.h"

#include <QKeyEvent>

CMyEditBox::CMyEditBox(CEditField* field, const QRect& rect) : QLineEdit(field)
{
    setFrame(false);
    setGeometry(rect);
    show();
}

void CMyEditBox::SetTextAndFormat(const QString& text, const QByteArray& format)
{
    m_format = format.left(31);
    setText(text);
    selectAll(); // the caret ends up after the text, in view
}

void CMyEditBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_bEnterPressed = true;
    QLineEdit::keyPressEvent(event);
}

void CMyEditBox::keyReleaseEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The release of the Enter that opened the editor arrives here too: it is not ours.
    if (enter && std::exchange(m_bEnterPressed, false)) {
        // A number cell must be complete when Enter is released: the count of fields read has
        // to match the format's. An incomplete number beeps and the key goes no further.
        // Text cells have no format and always pass, whatever characters they hold.
        const EditRules::EncodedText encoded = EditRules::EncodeEditorText(text());
        if (!m_format.isEmpty() && (!encoded.bytes.isEmpty() || !encoded.ok)) {
            if (!encoded.ok || !EditRules::EnterCheckPasses(encoded.bytes, m_format)) {
                Msg::Beep();
                event->accept();
                return;
            }
        }
        emit valueConfirmed(text());
    }
    QLineEdit::keyReleaseEvent(event);
}
