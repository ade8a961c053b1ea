#include "fonts.h"

#include <QStringList>

namespace Fonts {

void InstallSubstitutions()
{
    const QString proportional = QStringLiteral("IPAPGothic");
    const QString fixed = QStringLiteral("IPAGothic");
    for (const char* face : {"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic"})
        QFont::insertSubstitutions(QString::fromUtf8(face), {proportional, fixed});
    for (const char* face : {"ＭＳ ゴシック", "MS Gothic"})
        QFont::insertSubstitutions(QString::fromUtf8(face), {fixed, proportional});
}

QString UiFace()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

QFont GridFont()
{
    QFont font(UiFace());
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace Fonts
