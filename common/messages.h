#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Message boxes and beeps of the whole program go through here so that tests can record and
// answer them.
namespace Msg {

// The application's title, the caption of messages from grid commands and elsewhere.
QString AppTitle(); // "MARVO"
// The caption of messages inside dialogs.
QString ErrorCaption(); // "ｴﾗｰ"

struct Record
{
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows a modal message box and returns the button chosen.
QMessageBox::StandardButton Show(QWidget* parent, const QString& text, const QString& caption,
                                 QMessageBox::Icon icon,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The system's default beep.
void Beep();

// Test seams: while a hook is set, Show and Beep call it instead of showing or sounding.
using MessageHook = std::function<QMessageBox::StandardButton(const Record&)>;
void SetMessageHook(MessageHook hook);
void SetBeepHook(std::function<void()> hook);

} // namespace Msg
