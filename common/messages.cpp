#include "messages.h"

#include <QApplication>

namespace Msg {
namespace {
MessageHook g_messageHook;
std::function<void()> g_beepHook;
} // namespace

QString AppTitle()
{
    return QStringLiteral("MARVO");
}
QString ErrorCaption()
{
    return QStringLiteral("ｴﾗｰ");
}

QMessageBox::StandardButton Show(QWidget* parent, const QString& text, const QString& caption,
                                 QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    if (g_messageHook)
        return g_messageHook(Record{text, caption, icon, buttons, defaultButton});
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Beep()
{
    if (g_beepHook)
        g_beepHook();
    else
        QApplication::beep();
}

void SetMessageHook(MessageHook hook)
{
    g_messageHook = std::move(hook);
}
void SetBeepHook(std::function<void()> hook)
{
    g_beepHook = std::move(hook);
}

} // namespace Msg
