#pragma once

#include <QFont>

namespace Fonts {

// Maps the Windows faces the program names ("ＭＳ Ｐゴシック" and its kin) to the IPA faces, so
// that Japanese text renders in a Japanese face. Call once after the application object exists.
void InstallSubstitutions();

// The user interface face, "ＭＳ Ｐゴシック".
QString UiFace();

// The grid's font: 12 pixels high, face "ＭＳ Ｐゴシック".
QFont GridFont();

} // namespace Fonts
