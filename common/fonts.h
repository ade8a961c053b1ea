#pragma once

#include <QFont>

namespace Fonts {

// Maps the faces the program names ("ＭＳ Ｐゴシック" and its kin), which Debian does not carry,
// to the IPA faces, so that Japanese text renders in a Japanese face. Call once after the
// application object exists.
void InstallSubstitutions();

// The user interface face, "ＭＳ Ｐゴシック".
QString UiFace();

// The whole Japanese look of the program: the face substitutions, the 9-point user interface
// font, and Qt's own dialogs and buttons in Japanese. Call once after the application object
// exists; the editor and the picture tools share it.
void SetUpJapaneseUi();

// The grid's font: 12 pixels high, face "ＭＳ Ｐゴシック".
QFont GridFont();

} // namespace Fonts
