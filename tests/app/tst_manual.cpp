// The manual: every menu command is described under its menu text, the pages help opens exist,
// and the pages hold together when read from the disk.
#include "apptesthelpers.h"
#include "docmanager.h"
#include "helpopener.h"
#include "mainframe.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString ReadText(const QString& path)
{
    return QString::fromUtf8(Samples::ReadFile(path));
}

QString Unescape(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.simplified();
}

// A menu text as the manual writes it: no shortcut after the tab, no mnemonic ("(&N)", or a
// plain "(R)" that stands for one), no trailing "...".
QString MenuText(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&?[A-Za-z0-9]\\)")));
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.simplified();
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyMenuCommandIsInTheManual();
    void helpPagesExist();
    void pagesHoldTogether();

private:
    QStringList Pages() const;
    // The menu commands of the menu set now shown, as "menu > item".
    static QStringList MenuCommands(const CMainFrame& frame);

    QTemporaryDir m_settingsDir;
    QDir m_manual{QStringLiteral(MARVO_MANUAL_DIR)};
};

void TestManual::initTestCase()
{
    UseTemporarySettings(m_settingsDir);
    QVERIFY(m_manual.exists(QStringLiteral("index.html")));
}

QStringList TestManual::Pages() const
{
    return m_manual.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList TestManual::MenuCommands(const CMainFrame& frame)
{
    QStringList commands;
    for (QAction* menuAction : frame.menuBar()->actions()) {
        const QString menu = MenuText(menuAction->text());
        for (QAction* item : menuAction->menu()->actions())
            if (!item->isSeparator() && !item->text().isEmpty())
                commands << menu + QStringLiteral(" > ") + MenuText(item->text());
    }
    return commands;
}

void TestManual::everyMenuCommandIsInTheManual()
{
    // The manual names a command as <span class="menu">menu &gt; item</span>.
    QSet<QString> described;
    static const QRegularExpression span(QStringLiteral("<span class=\"menu\">(.*?)</span>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    for (const QString& page : Pages()) {
        const QString text = ReadText(m_manual.filePath(page));
        for (auto match = span.globalMatch(text); match.hasNext();)
            described.insert(Unescape(match.next().captured(1)));
    }

    // Both menu sets: without a document window and with one.
    CMainFrame frame;
    QStringList commands = MenuCommands(frame);
    frame.DocManager()->OnFileNew();
    QCOMPARE(frame.CurrentMenuId(), 129);
    commands << MenuCommands(frame);
    commands.removeDuplicates();
    QVERIFY(commands.contains(QStringLiteral("編集 > 挿入")));
    QVERIFY(commands.contains(QStringLiteral("ﾌｧｲﾙ > 最新のﾌｧｲﾙ")));

    QStringList missing;
    for (const QString& command : std::as_const(commands))
        if (!described.contains(command))
            missing << command;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the manual: ") +
                                           missing.join(QStringLiteral(", "))));
}

void TestManual::helpPagesExist()
{
    // F1 opens these pages; each must exist with its section.
    for (const QString& page : CHelpOpener::AllPages()) {
        const QString text = ReadText(m_manual.filePath(page.section(QLatin1Char('#'), 0, 0)));
        QVERIFY2(!text.isEmpty(), qPrintable(page));
        const QString section = page.section(QLatin1Char('#'), 1);
        if (!section.isEmpty())
            QVERIFY2(text.contains(QStringLiteral("id=\"%1\"").arg(section)), qPrintable(page));
    }
}

void TestManual::pagesHoldTogether()
{
    // Read from the disk in any browser: links and pictures resolve inside the manual, pictures
    // are the listed ones, nothing is fetched from elsewhere and nothing runs.
    QStringList pictures;
    for (const QString& line :
         ReadText(m_manual.filePath(QStringLiteral("images/pictures.txt"))).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#'))
            pictures << QStringLiteral("images/") + line.section(u'\t', 0, 0);
    QVERIFY(!pictures.isEmpty());

    static const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"]*)\""));
    QStringList problems;
    for (const QString& page : Pages()) {
        const QString text = ReadText(m_manual.filePath(page));
        if (text.contains(QStringLiteral("<script"), Qt::CaseInsensitive))
            problems << page + QStringLiteral(": script");
        for (auto match = reference.globalMatch(text); match.hasNext();) {
            const auto m = match.next();
            const QString target = m.captured(2);
            if (target.startsWith(QStringLiteral("http://")) ||
                target.startsWith(QStringLiteral("https://"))) {
                problems << page + QStringLiteral(": outside link ") + target;
                continue;
            }
            const QString file = target.section(u'#', 0, 0);
            const QString section = target.section(u'#', 1);
            const QString targetText = ReadText(m_manual.filePath(file.isEmpty() ? page : file));
            if (!m_manual.exists(file.isEmpty() ? page : file))
                problems << page + QStringLiteral(": missing ") + target;
            else if (!section.isEmpty() &&
                     !targetText.contains(QStringLiteral("id=\"%1\"").arg(section)))
                problems << page + QStringLiteral(": no section ") + target;
            if (m.captured(1) == QLatin1String("src") && !pictures.contains(file))
                problems << page + QStringLiteral(": picture not listed ") + target;
        }
    }
    const QString css = ReadText(m_manual.filePath(QStringLiteral("style.css")));
    if (css.contains(QStringLiteral("@font-face")) || css.contains(QStringLiteral("url(")))
        problems << QStringLiteral("style.css: fetches fonts or files");
    // The README shows the manual's pictures too.
    static const QRegularExpression readmePicture(QStringLiteral("\\]\\(docs/manual/([^)]*)\\)"));
    const QString readme = ReadText(m_manual.filePath(QStringLiteral("../../README.md")));
    for (auto match = readmePicture.globalMatch(readme); match.hasNext();) {
        const QString picture = match.next().captured(1);
        if (!pictures.contains(picture) || !m_manual.exists(picture))
            problems << QStringLiteral("README.md: picture ") + picture;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
