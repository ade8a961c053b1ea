#pragma once

#include "recoverystore.h"

#include <QHash>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>

class CVeldenDoc;

// Keeps a recovery copy of every document with unsaved changes. Every interval it serialises
// each document changed since its last copy on this thread (the bytes a save would write), and
// a worker thread writes and syncs them with the save's atomic write, in order, one copy of a
// document at a time; the worker never sees the document. A document that becomes unmodified
// (saved, or undone to its saved state) or is closed loses its copy. Copies of documents still
// open when the keeper ends stay for the next start.
class CRecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // Copies go into folder every intervalSeconds; 0 writes none.
    CRecoveryKeeper(const QString& folder, int intervalSeconds, QObject* parent = nullptr);
    ~CRecoveryKeeper() override;

    // The settings group "Recovery", key "IntervalSeconds": 60 by default, 0 is off.
    static int IntervalFromSettings();
    int IntervalSeconds() const { return m_nInterval; }

    CRecoveryStore& Store() { return m_store; }
    // A fresh id for a document's copy.
    int NewId() { return ++m_nLastId; }

    // Starts keeping copies of doc. A restored document passes the id of its claimed copy,
    // which already holds what the document holds.
    void Watch(CVeldenDoc* doc, int claimedId = 0);
    // doc is being closed: its copy goes.
    void Forget(CVeldenDoc* doc);
    // The base path (without extension) of doc's copy, or empty while it has none.
    QString CopyBaseOf(const CVeldenDoc* doc) const;

    // One round of copies, as the timer runs it.
    void Tick();
    // Blocks until the worker has done everything asked of it so far, then takes its results.
    void WaitForWrites();

signals:
    // A copy could not be written; said once until a copy succeeds again.
    void statusMessage(const QString& text);

private:
    struct Watched
    {
        int id = 0;
        quint64 generation = 0; // counts the document's changes
        quint64 written = 0;    // the generation the copy holds
        bool inFlight = false;
        bool hasCopy = false;
    };
    void OnChanged(CVeldenDoc* doc);
    void OnModifiedChanged(CVeldenDoc* doc, bool modified);
    void OnWritten(int id, quint64 generation, const QString& error);
    void RemoveCopy(Watched& watched);
    void Fail(const QString& error);
    void Post(std::function<void()> job);

    CRecoveryStore m_store;
    int m_nInterval;
    int m_nLastId = 0;
    bool m_bFailing = false;
    QHash<CVeldenDoc*, Watched> m_docs;
    QTimer m_timer;
    QThread m_thread;
    QObject* m_pWorker; // lives in m_thread; jobs run in its context
};
