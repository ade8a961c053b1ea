#include "textfield.h"

#include "masterlogic.h"
#include "messages.h"
#include "sjis.h"

#include <QLineEdit>

bool TakeEditedText(QWidget* dialog, QLineEdit* edit, const QByteArray& original, QByteArray* bytes)
{
    QString bad;
    std::optional<QByteArray> taken = Sjis::EncodeEdited(edit->text(), original, &bad);
    if (!taken) {
        Msg::Beep();
        Msg::Show(dialog, MasterText::Unencodable(bad), Msg::ErrorCaption(), QMessageBox::Warning);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    *bytes = std::move(*taken);
    return true;
}
