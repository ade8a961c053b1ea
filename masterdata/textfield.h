#pragma once

#include <QByteArray>

class QLineEdit;
class QWidget;

// The bytes to store for a name the user may have edited: its original bytes when the text
// still reads as they do, else the text in code page 932. A character the code page cannot hold
// is refused: a beep, a message box, and the edit takes the focus; false then.
bool TakeEditedText(QWidget* dialog, QLineEdit* edit, const QByteArray& original,
                    QByteArray* bytes);
