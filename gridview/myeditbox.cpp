#include "myeditbox.h"

#include "editfield.h"
#include "messages.h"
#include "veldenview.h"

#include <QKeyEvent>

CMyEditBox::CMyEditBox(CEditField* field, const QRect& rect, CVeldenView* view)
    : QLineEdit(field), m_pView(view)
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

void CMyEditBox::SendValue()
{
    if (m_pView)
        m_pView->ApplyEditValue(text());
}

void CMyEditBox::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
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
        SendValue();
    }
    QLineEdit::keyReleaseEvent(event);
}
