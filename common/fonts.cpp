#include "fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

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

void SetUpJapaneseUi()
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Lives as long as the program; installed once.
    static QTranslator* qtTranslator = nullptr;
    if (!qtTranslator) {
        qtTranslator = new QTranslator(qApp);
        if (qtTranslator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTranslator);
    }
    InstallSubstitutions();
    QFont font(UiFace());
    font.setPointSize(9);
    QApplication::setFont(font);
}

QFont GridFont()
{
    QFont font(UiFace());
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace Fonts
