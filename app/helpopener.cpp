#include "helpopener.h"

#include "messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTabWidget>
#include <QUrl>
#include <QWidget>

namespace {

bool OpenWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

CHelpOpener::UrlOpener g_urlOpener = OpenWithDesktop;
QStringList g_manualDirs;

struct PageEntry
{
    const char* className;
    const char* page;
};

// The windows the manual describes, by class. A window not listed takes the page of the window
// it belongs to (a message box that of its dialog), and the main window the contents.
constexpr PageEntry kPages[] = {
    {"CVeldenView", "grid.html"},
    {"CBoardPreviewDock", "preview.html"},
    {"CChecksDock", "checks.html"},
    {"CAddItemDlg", "rows.html#insert"},
    {"CRemoveDlg", "rows.html#delete"},
    {"CPasteDlg", "rows.html#paste"},
    {"CReplaceDlg", "rows.html#replace"},
    {"CPatternDiaDlg", "rows.html#pattern"},
    {"CTableProblemDlg", "spreadsheet.html#problems"},
    {"CAssortmentDlg", "masterdata.html#types"},
    {"CAssortmentEditDlg", "masterdata.html#type-edit"},
    {"CDestinationDlg", "masterdata.html#destinations"},
    {"CDestinationEditDlg", "masterdata.html#destination-edit"},
    {"CDocPropSheet", "properties.html"},
    {"CDocPropPageA", "prop-general.html"},
    {"CDocPropPageB", "prop-display.html"},
    {"CDocPropPageC", "prop-advanced.html"},
    {"CDocPropPageD", "prop-extension.html"},
    {"CAddGuideMesDlg", "prop-advanced.html#guide-message"},
    {"CAddExtKeyDlg", "prop-extension.html#add-key"},
    {"CExtKeyDlg", "prop-extension.html#edit-key"},
    {"CPanelViewDataDlg", "layout.html"},
    {"CAlignSelectDlg", "layout.html#align"},
    {"CAboutDlg", "start.html#about"},
    {"CRecoveryDlg", "fileformat.html#recovery"},
    {"QFileDialog", "start.html#files"},
};

const char* PageOfClass(const QMetaObject* meta)
{
    for (; meta; meta = meta->superClass())
        for (const PageEntry& entry : kPages)
            if (qstrcmp(meta->className(), entry.className) == 0)
                return entry.page;
    return nullptr;
}

QString ManualMissingText(const QStringList& dirs)
{
    QStringList shown;
    for (const QString& dir : dirs)
        shown << QDir::toNativeSeparators(dir);
    return QStringLiteral("ヘルプファイル %1 もマニュアルも見つかりません｡ "
                          "マニュアルは次の場所に置かれます:\n%2")
        .arg(CHelpOpener::HelpFileName(), shown.join(QLatin1Char('\n')));
}

QString NoBrowserText(const QString& file)
{
    return QStringLiteral("ブラウザを起動できませんでした｡ マニュアルは次の場所にあります:\n%1")
        .arg(QDir::toNativeSeparators(file));
}

} // namespace

CHelpOpener::CHelpOpener(QWidget* mainWindow) : QObject(mainWindow), m_pMainWindow(mainWindow)
{
    qApp->installEventFilter(this);
}

CHelpOpener::~CHelpOpener() = default;

QString CHelpOpener::HelpFileName()
{
    return QStringLiteral("MARVO.CHM");
}

QString CHelpOpener::HelpFailedText(const QString& fileName)
{
    return QStringLiteral(
               "ヘルプファイル %1 が開けません｡ ディスク上にファイルがあるか確認して下さい｡")
        .arg(fileName);
}

QString CHelpOpener::PageFor(const QWidget* widget)
{
    // A widget outside the pages of a tabbed window (its buttons, the tabs) stands for the page
    // shown.
    if (widget) {
        const auto* tabs = widget->window()->findChild<const QTabWidget*>();
        if (tabs && tabs->currentWidget() && !tabs->currentWidget()->isAncestorOf(widget))
            widget = tabs->currentWidget();
    }
    for (; widget; widget = widget->parentWidget())
        if (const char* page = PageOfClass(widget->metaObject()))
            return QString::fromLatin1(page);
    return QStringLiteral("index.html");
}

QStringList CHelpOpener::AllPages()
{
    QStringList pages{QStringLiteral("index.html")};
    for (const PageEntry& entry : kPages)
        pages << QString::fromLatin1(entry.page);
    return pages;
}

QStringList CHelpOpener::ManualDirs()
{
    if (!g_manualDirs.isEmpty())
        return g_manualDirs;
    const QString bin = QCoreApplication::applicationDirPath();
    QStringList dirs{QDir::cleanPath(bin + QStringLiteral("/../share/marvo/manual"))};
    // A program run from its build folder shows the manual of its own sources.
    if (QFileInfo(bin).canonicalFilePath() ==
        QFileInfo(QStringLiteral(MARVO_BUILD_BIN_DIR)).canonicalFilePath())
        dirs << QStringLiteral(MARVO_SOURCE_MANUAL_DIR);
    return dirs;
}

QString CHelpOpener::FindManual()
{
    for (const QString& dir : ManualDirs())
        if (QFileInfo(QDir(dir).filePath(QStringLiteral("index.html"))).isFile())
            return dir;
    return {};
}

void CHelpOpener::SetUrlOpener(UrlOpener opener)
{
    g_urlOpener = opener ? std::move(opener) : UrlOpener(OpenWithDesktop);
}

void CHelpOpener::SetManualDirs(const QStringList& dirs)
{
    g_manualDirs = dirs;
}

QWidget* CHelpOpener::MessageParent() const
{
    QWidget* active = QApplication::activeModalWidget();
    if (!active)
        active = QApplication::activeWindow();
    return active ? active : m_pMainWindow;
}

void CHelpOpener::OnHelp(QWidget* focus)
{
    // The help file is looked up by name in the current directory, as the shell would.
    const QString name = HelpFileName();
    const QFileInfo chm(QDir::current().filePath(name));
    if (chm.isFile()) {
        if (!g_urlOpener(QUrl::fromLocalFile(chm.absoluteFilePath())))
            Msg::Show(MessageParent(), HelpFailedText(name), Msg::AppTitle(), QMessageBox::Warning);
        return;
    }

    const QString dir = FindManual();
    if (dir.isEmpty()) {
        Msg::Show(MessageParent(), ManualMissingText(ManualDirs()), Msg::AppTitle(),
                  QMessageBox::Warning);
        return;
    }
    const QString page = PageFor(focus ? focus : m_pMainWindow);
    QString file = QDir(dir).filePath(page.section(QLatin1Char('#'), 0, 0));
    QString section = page.section(QLatin1Char('#'), 1);
    if (!QFileInfo(file).isFile()) {
        file = QDir(dir).filePath(QStringLiteral("index.html"));
        section.clear();
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (!section.isEmpty())
        url.setFragment(section);
    if (!g_urlOpener(url))
        Msg::Show(MessageParent(), NoBrowserText(url.toLocalFile()), Msg::AppTitle(),
                  QMessageBox::Warning);
}

bool CHelpOpener::eventFilter(QObject* watched, QEvent* event)
{
    // F1 reaches here where the main window's shortcut cannot act: in dialogs, and in the grid's
    // cell editor, which keeps every key to itself.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat())
                OnHelp(static_cast<QWidget*>(watched));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
