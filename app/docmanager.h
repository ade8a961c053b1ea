#pragma once

#include "frameowner.h"
#include "recoverystore.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CChildFrame;
class CRecoveryKeeper;
class CVeldenDoc;
class QMdiArea;
class QWidget;

// The names the recent-file menu shows for paths: each file's name, followed by its folder's
// name when another entry has the same file name.
QStringList RecentFileMenuNames(const QStringList& paths);

// Keeps the open documents and their windows: creates documents with their windows, names
// untitled ones, opens, saves and closes them, asks before discarding changes, keeps the
// recent-file list and opens further windows on a document. Whether a document is modified is
// the document's to say; the manager only asks it. It also keeps recovery copies of the
// documents with unsaved changes and offers those a MARVO that ended abnormally left behind.
class CDocManager : public QObject, public CFrameOwner
{
    Q_OBJECT
public:
    // Documents get windows in area; messages and dialogs are parented to dialogParent.
    CDocManager(QMdiArea* area, QWidget* dialogParent, QObject* parent = nullptr);
    ~CDocManager() override;

    // The file dialogs. Tests replace them; an empty result means the user cancelled.
    using OpenPrompt = std::function<QStringList(QWidget* parent, const QString& filter)>;
    using SavePrompt =
        std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>;
    static void SetOpenPrompt(OpenPrompt prompt);
    static void SetSavePrompt(SavePrompt prompt);
    // The start-up question about recovery copies ("文書の復元"). Tests and runs without a
    // screen replace it; an empty function restores the dialog.
    using RecoveryPrompt =
        std::function<RecoveryAnswer(QWidget* parent, const QList<CRecoveryStore::Copy>& copies)>;
    static void SetRecoveryPrompt(RecoveryPrompt prompt);
    // The file dialogs' filter: the timetable files and all files.
    static QString FileFilter();

    // File New: an untitled document QLM1, QLM2, ... (numbered per session) in a new window.
    CVeldenDoc* OnFileNew();
    // File Open: asks for files and opens each.
    void OnFileOpen();
    // Opens path in a new window, or activates the window of the document that already shows
    // it. On refusal tells the user why and returns nullptr; nothing is opened then.
    CVeldenDoc* OpenDocumentFile(const QString& path);

    // Saves under the document's path, or asks for one when it has none.
    bool OnFileSave(CVeldenDoc* doc);
    // Asks for a name and saves there.
    bool OnFileSaveAs(CVeldenDoc* doc);
    // Writes doc to path; on failure tells the user why and changes nothing.
    bool DoSave(CVeldenDoc* doc, const QString& path);

    // Asks whether to save a modified document. False when the user cancelled or the save
    // failed: the document must stay open then.
    bool SaveModified(CVeldenDoc* doc);
    // File Close: asks about changes, then closes every window of the document.
    bool CloseDocument(CVeldenDoc* doc);
    // Exit: asks about every modified document, then closes them all. False when cancelled.
    bool CloseAllDocuments();

    // Asks about the copies of unsaved work that a MARVO which no longer runs left behind, and
    // restores or discards them as answered. Returns how many documents it restored.
    int OfferRecovery();
    CRecoveryKeeper* Recovery() const { return m_pRecovery; }

    // Window New: one more window on the document of the active window.
    CChildFrame* OnWindowNew();
    // Window Tile: the windows one above the other, each the area's full width.
    void OnWindowTile();
    // Window Arrange Icons: the minimised windows side by side along the bottom.
    void OnWindowArrange();
    void OnWindowCascade();

    QList<CVeldenDoc*> Documents() const { return m_documents; }
    QList<CChildFrame*> FramesOf(const CVeldenDoc* doc) const;
    CChildFrame* ActiveFrame() const;
    CVeldenDoc* ActiveDocument() const;

    // The recent-file list, most recent first, at most kMaxRecentFiles entries.
    static constexpr int kMaxRecentFiles = 4;
    QStringList RecentFiles() const { return m_recentFiles; }
    void AddToRecentFileList(const QString& path);
    void RemoveFromRecentFileList(const QString& path);
    void LoadRecentFiles();

    // CFrameOwner: a window may close unless it is the last window of a modified document and
    // the user cancels.
    bool CanCloseFrame(CChildFrame* frame) override;
    void FrameDestroyed(CChildFrame* frame) override;

signals:
    void recentFilesChanged();
    void documentsChanged();
    // A document window was created (its view is ready) or a window title changed.
    void frameCreated(CChildFrame* frame);
    void titlesChanged();
    void statusMessage(const QString& text);

private:
    CChildFrame* CreateFrame(CVeldenDoc* doc);
    void PlaceNewFrame(CChildFrame* frame);
    void UpdateFrameTitles(CVeldenDoc* doc);
    void SaveRecentFiles() const;
    void DestroyDocument(CVeldenDoc* doc);
    CVeldenDoc* DocumentOfFile(const QString& canonicalPath) const;
    CVeldenDoc* RestoreCopy(const CRecoveryStore::Copy& copy);

    QMdiArea* m_pArea;
    QWidget* m_pDialogParent;
    CRecoveryKeeper* m_pRecovery;
    QList<CVeldenDoc*> m_documents;
    QList<CChildFrame*> m_frames;
    QStringList m_recentFiles;
    int m_nUntitledCount = 0;
    bool m_bClosingAll = false;
};
