#include "docmanager.h"

#include "childframe.h"
#include "messages.h"
#include "recoverydlg.h"
#include "recoverykeeper.h"
#include "veldendoc.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QRegularExpression>
#include <QSettings>
#include <algorithm>

namespace {

QStringList DefaultOpenPrompt(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, {}, {}, filter);
}

QString DefaultSavePrompt(QWidget* parent, const QString& suggested, const QString& filter)
{
    QFileDialog dialog(parent, {}, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qlm"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

RecoveryAnswer DefaultRecoveryPrompt(QWidget* parent, const QList<CRecoveryStore::Copy>& copies)
{
    CRecoveryDlg dialog(copies, parent);
    dialog.exec();
    return dialog.GetAnswer();
}

CDocManager::OpenPrompt g_openPrompt = DefaultOpenPrompt;
CDocManager::SavePrompt g_savePrompt = DefaultSavePrompt;
CDocManager::RecoveryPrompt g_recoveryPrompt = DefaultRecoveryPrompt;

// Shows the wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString SettingsGroup()
{
    return QStringLiteral("Recent File List");
}

// Two names of one file compare equal even when written differently.
QString CanonicalName(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

QStringList RecentFileMenuNames(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names.append(QFileInfo(path).fileName());
    QStringList shown;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (names.count(names.at(i)) == 1) {
            shown.append(names.at(i));
            continue;
        }
        const QString folder = QFileInfo(QFileInfo(paths.at(i)).absolutePath()).fileName();
        shown.append(QStringLiteral("%1 (%2)").arg(names.at(i),
                                                   folder.isEmpty() ? QDir::separator() : folder));
    }
    return shown;
}

CDocManager::CDocManager(QMdiArea* area, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_pArea(area), m_pDialogParent(dialogParent),
      m_pRecovery(new CRecoveryKeeper(CRecoveryStore::DefaultFolder(),
                                      CRecoveryKeeper::IntervalFromSettings(), this))
{
    connect(m_pRecovery, &CRecoveryKeeper::statusMessage, this, &CDocManager::statusMessage);
}

CDocManager::~CDocManager()
{
    // Frames that still exist must not call back into a manager being destroyed.
    for (CChildFrame* frame : m_frames)
        frame->disconnect(this);
    const QList<CChildFrame*> frames = m_frames;
    m_frames.clear();
    m_bClosingAll = true;
    qDeleteAll(frames);
    qDeleteAll(m_documents);
}

void CDocManager::SetOpenPrompt(OpenPrompt prompt)
{
    g_openPrompt = prompt ? std::move(prompt) : OpenPrompt(DefaultOpenPrompt);
}

void CDocManager::SetSavePrompt(SavePrompt prompt)
{
    g_savePrompt = prompt ? std::move(prompt) : SavePrompt(DefaultSavePrompt);
}

void CDocManager::SetRecoveryPrompt(RecoveryPrompt prompt)
{
    g_recoveryPrompt = prompt ? std::move(prompt) : RecoveryPrompt(DefaultRecoveryPrompt);
}

QString CDocManager::FileFilter()
{
    return QStringLiteral("Orlindo時刻表ファイル(*.qlm);;すべてのﾌｧｲﾙ (*.*)");
}

CVeldenDoc* CDocManager::OnFileNew()
{
    auto* doc = new CVeldenDoc(this);
    if (!doc->OnNewDocument()) {
        delete doc;
        return nullptr;
    }
    doc->SetTitle(QStringLiteral("QLM") + QString::number(++m_nUntitledCount));
    m_documents.append(doc);
    m_pRecovery->Watch(doc);
    CreateFrame(doc);
    emit documentsChanged();
    return doc;
}

void CDocManager::OnFileOpen()
{
    const QStringList paths = g_openPrompt(m_pDialogParent, FileFilter());
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

CVeldenDoc* CDocManager::OpenDocumentFile(const QString& path)
{
    const QString wanted = CanonicalName(path);
    if (CVeldenDoc* doc = DocumentOfFile(wanted)) {
        const QList<CChildFrame*> frames = FramesOf(doc);
        if (!frames.isEmpty())
            m_pArea->setActiveSubWindow(frames.constFirst());
        return doc;
    }

    auto* doc = new CVeldenDoc(this);
    QString error;
    QStringList warnings;
    bool opened;
    {
        WaitCursor wait;
        opened = doc->OnOpenDocument(wanted, &error, &warnings);
    }
    if (!opened) {
        delete doc;
        Msg::Show(m_pDialogParent, error, Msg::AppTitle(), QMessageBox::Warning);
        return nullptr;
    }
    m_documents.append(doc);
    m_pRecovery->Watch(doc);
    CreateFrame(doc);
    AddToRecentFileList(wanted);
    // Many alike problems share one warning line: the note counts the problems.
    int problems = 0;
    doc->Timetable().Check(&problems);
    if (problems > 0)
        emit statusMessage(QStringLiteral("%1: 範囲外の値が %2 件あります (そのまま保持します)")
                               .arg(doc->GetTitle(), QString::number(problems)));
    emit documentsChanged();
    return doc;
}

bool CDocManager::OnFileSave(CVeldenDoc* doc)
{
    if (!doc)
        return false;
    if (doc->GetPathName().isEmpty())
        return OnFileSaveAs(doc);
    return DoSave(doc, doc->GetPathName());
}

bool CDocManager::OnFileSaveAs(CVeldenDoc* doc)
{
    if (!doc)
        return false;
    QString suggested = doc->GetPathName();
    if (suggested.isEmpty())
        suggested = QDir::current().filePath(doc->GetTitle() + QStringLiteral(".qlm"));
    QString path = g_savePrompt(m_pDialogParent, suggested, FileFilter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qlm");
    return DoSave(doc, path);
}

bool CDocManager::DoSave(CVeldenDoc* doc, const QString& path)
{
    // The document takes the path it was saved under, and counts as unmodified from there.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QString error;
    bool saved;
    {
        WaitCursor wait;
        saved = doc->OnSaveDocument(absolute, &error);
    }
    if (!saved) {
        Msg::Show(m_pDialogParent, error, Msg::AppTitle(), QMessageBox::Warning);
        return false;
    }
    AddToRecentFileList(absolute);
    return true;
}

bool CDocManager::SaveModified(CVeldenDoc* doc)
{
    if (!doc->IsModified())
        return true;
    const QString name = doc->GetPathName().isEmpty()
                             ? doc->GetTitle()
                             : QDir::toNativeSeparators(doc->GetPathName());
    const auto answer =
        Msg::Show(m_pDialogParent, QStringLiteral("%1 への変更を保存しますか?").arg(name),
                  Msg::AppTitle(), QMessageBox::Warning,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return OnFileSave(doc);
    return answer == QMessageBox::No;
}

bool CDocManager::CloseDocument(CVeldenDoc* doc)
{
    if (!doc || !SaveModified(doc))
        return false;
    DestroyDocument(doc);
    return true;
}

bool CDocManager::CloseAllDocuments()
{
    for (CVeldenDoc* doc : std::as_const(m_documents))
        if (!SaveModified(doc))
            return false;
    const QList<CVeldenDoc*> documents = m_documents;
    for (CVeldenDoc* doc : documents)
        DestroyDocument(doc);
    return true;
}

CChildFrame* CDocManager::OnWindowNew()
{
    CChildFrame* active = ActiveFrame();
    if (!active)
        return nullptr;
    return CreateFrame(active->GetDocument());
}

void CDocManager::OnWindowCascade()
{
    m_pArea->cascadeSubWindows();
}

void CDocManager::OnWindowTile()
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_pArea->subWindowList())
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    if (windows.isEmpty())
        return;
    const QRect area = m_pArea->viewport()->rect();
    const int height = area.height() / int(windows.size());
    int top = 0;
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized())
            window->showNormal();
        window->setGeometry(0, top, area.width(), height);
        top += height;
    }
}

void CDocManager::OnWindowArrange()
{
    const QRect area = m_pArea->viewport()->rect();
    int left = 0;
    int bottom = area.height();
    for (QMdiSubWindow* window : m_pArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (left > 0 && left + size.width() > area.width()) {
            left = 0;
            bottom -= size.height();
        }
        window->move(left, bottom - size.height());
        left += size.width();
    }
}

QList<CChildFrame*> CDocManager::FramesOf(const CVeldenDoc* doc) const
{
    QList<CChildFrame*> frames;
    for (CChildFrame* frame : m_frames)
        if (frame->GetDocument() == doc)
            frames.append(frame);
    return frames;
}

CChildFrame* CDocManager::ActiveFrame() const
{
    // currentSubWindow stays set while the main window itself is inactive.
    return qobject_cast<CChildFrame*>(m_pArea->currentSubWindow());
}

CVeldenDoc* CDocManager::ActiveDocument() const
{
    CChildFrame* frame = ActiveFrame();
    return frame ? frame->GetDocument() : nullptr;
}

void CDocManager::AddToRecentFileList(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kMaxRecentFiles)
        m_recentFiles.removeLast();
    SaveRecentFiles();
    emit recentFilesChanged();
}

void CDocManager::RemoveFromRecentFileList(const QString& path)
{
    if (m_recentFiles.removeAll(path) == 0)
        return;
    SaveRecentFiles();
    emit recentFilesChanged();
}

void CDocManager::LoadRecentFiles()
{
    QSettings settings;
    settings.beginGroup(SettingsGroup());
    m_recentFiles.clear();
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_recentFiles.contains(path))
            m_recentFiles.append(path);
    }
    emit recentFilesChanged();
}

void CDocManager::SaveRecentFiles() const
{
    QSettings settings;
    settings.remove(SettingsGroup());
    settings.beginGroup(SettingsGroup());
    for (int i = 0; i < m_recentFiles.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), m_recentFiles.at(i));
}

bool CDocManager::CanCloseFrame(CChildFrame* frame)
{
    if (m_bClosingAll)
        return true;
    CVeldenDoc* doc = frame->GetDocument();
    if (FramesOf(doc).size() > 1)
        return true;
    return SaveModified(doc);
}

void CDocManager::FrameDestroyed(CChildFrame* frame)
{
    if (!m_frames.removeOne(frame))
        return;
    CVeldenDoc* doc = frame->GetDocument();
    if (m_bClosingAll)
        return;
    if (FramesOf(doc).isEmpty()) {
        m_documents.removeOne(doc);
        m_pRecovery->Forget(doc);
        delete doc;
        emit documentsChanged();
    } else {
        UpdateFrameTitles(doc);
    }
}

CChildFrame* CDocManager::CreateFrame(CVeldenDoc* doc)
{
    auto* frame = new CChildFrame(doc, this);
    m_frames.append(frame);
    m_pArea->addSubWindow(frame);
    if (FramesOf(doc).size() == 1) {
        connect(doc, &CVeldenDoc::modifiedChanged, this, [this, doc] { UpdateFrameTitles(doc); });
        connect(doc, &CVeldenDoc::titleChanged, this, [this, doc] { UpdateFrameTitles(doc); });
    }
    UpdateFrameTitles(doc);
    emit frameCreated(frame);
    PlaceNewFrame(frame);
    frame->show();
    m_pArea->setActiveSubWindow(frame);
    return frame;
}

void CDocManager::PlaceNewFrame(CChildFrame* frame)
{
    // Each new window sits a step below and right of the one before (eight steps, then back at
    // the corner), large enough for the grid's columns.
    QSize area = m_pArea->viewport()->size();
    if (!m_pArea->isVisible()) // not laid out yet: estimate from the main window
        area = m_pArea->window()->size() - QSize(0, 120);
    const int step = 24;
    const int index = int(m_pArea->subWindowList().size() - 1) % 8;
    const QPoint at(index * step, index * step);
    const int width = std::max(320, std::min(area.width() - at.x(), 840));
    const int height = std::max(200, area.height() - at.y());
    frame->setGeometry(QRect(at, QSize(width, height)));
}

void CDocManager::UpdateFrameTitles(CVeldenDoc* doc)
{
    const QList<CChildFrame*> frames = FramesOf(doc);
    for (int i = 0; i < frames.size(); ++i)
        frames.at(i)->UpdateTitle(frames.size() > 1 ? i + 1 : 0);
    emit titlesChanged();
}

void CDocManager::DestroyDocument(CVeldenDoc* doc)
{
    const QList<CChildFrame*> frames = FramesOf(doc);
    m_bClosingAll = true;
    for (CChildFrame* frame : frames) {
        m_frames.removeOne(frame);
        delete frame;
    }
    m_bClosingAll = false;
    m_documents.removeOne(doc);
    m_pRecovery->Forget(doc);
    delete doc;
    emit documentsChanged();
}

CVeldenDoc* CDocManager::DocumentOfFile(const QString& canonicalPath) const
{
    for (CVeldenDoc* doc : m_documents)
        if (!doc->GetPathName().isEmpty() && CanonicalName(doc->GetPathName()) == canonicalPath)
            return doc;
    return nullptr;
}

int CDocManager::OfferRecovery()
{
    CRecoveryStore& store = m_pRecovery->Store();
    const QList<CRecoveryStore::Copy> copies = store.OrphanedCopies();
    int restored = 0;
    if (!copies.isEmpty()) {
        switch (g_recoveryPrompt(m_pDialogParent, copies)) {
        case RecoveryAnswer::Restore:
            // A copy that cannot be read stays in the folder, to be offered again.
            for (const CRecoveryStore::Copy& copy : copies)
                if (copy.problem.isEmpty() && RestoreCopy(copy))
                    ++restored;
            break;
        case RecoveryAnswer::Discard:
            CRecoveryStore::Discard(copies);
            break;
        case RecoveryAnswer::Later:
            break;
        }
    }
    store.RemoveEndedSessions();
    return restored;
}

CVeldenDoc* CDocManager::RestoreCopy(const CRecoveryStore::Copy& copy)
{
    CQLMDoc timetable;
    if (!timetable.LoadFile(copy.bytes))
        return nullptr;
    // The copy moves into this session and goes on as the restored document's copy. When the
    // folder cannot be written it stays where it is (and is offered again); when it is gone,
    // another MARVO starting at the same moment restored it.
    const int id = m_pRecovery->NewId();
    QString error;
    const bool claimed = m_pRecovery->Store().Claim(copy, id, &error);
    if (!claimed) {
        if (!QFileInfo::exists(copy.base + QStringLiteral(".qlm")))
            return nullptr;
        emit statusMessage(error);
    }

    auto* doc = new CVeldenDoc(this);
    doc->ResetTimetable(std::move(timetable));
    const QString path = copy.info.path.isEmpty() ? QString() : CanonicalName(copy.info.path);
    if (!path.isEmpty() && !DocumentOfFile(path)) {
        doc->SetPathName(copy.info.path);
    } else {
        // Untitled (or a second copy of a file already restored): the old name while it is
        // free, else the next untitled one.
        static const QRegularExpression untitled(QStringLiteral("^QLM([0-9]{1,6})$"));
        const QRegularExpressionMatch match = untitled.match(copy.info.title);
        const bool taken = std::any_of(m_documents.cbegin(), m_documents.cend(), [&](auto* open) {
            return open->GetTitle() == copy.info.title;
        });
        if (path.isEmpty() && match.hasMatch() && !taken) {
            m_nUntitledCount = std::max(m_nUntitledCount, match.captured(1).toInt());
            doc->SetTitle(copy.info.title);
        } else {
            doc->SetTitle(QStringLiteral("QLM") + QString::number(++m_nUntitledCount));
        }
    }
    // Modified without a step: Undo starts empty, and Ctrl+S writes the document's own file.
    doc->SetModifiedFlag(true);
    m_documents.append(doc);
    m_pRecovery->Watch(doc, claimed ? id : 0);
    CreateFrame(doc);
    emit documentsChanged();
    return doc;
}
