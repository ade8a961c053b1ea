#include "recoverykeeper.h"

#include "veldendoc.h"

#include <QCoreApplication>
#include <QSettings>

#include <algorithm>

CRecoveryKeeper::CRecoveryKeeper(const QString& folder, int intervalSeconds, QObject* parent)
    : QObject(parent), m_store(folder), m_nInterval(std::max(0, intervalSeconds)),
      m_pWorker(new QObject)
{
    m_thread.setObjectName(QStringLiteral("recovery"));
    m_pWorker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryKeeper::Tick);
    if (m_nInterval > 0)
        m_timer.start(m_nInterval * 1000);
}

CRecoveryKeeper::~CRecoveryKeeper()
{
    m_timer.stop();
    // Removals of closed documents' copies are still queued: they run before the session ends.
    WaitForWrites();
    m_thread.quit();
    m_thread.wait();
}

int CRecoveryKeeper::IntervalFromSettings()
{
    constexpr int kDefault = 60;
    constexpr int kDay = 24 * 60 * 60;
    bool ok = false;
    const int seconds =
        QSettings().value(QStringLiteral("Recovery/IntervalSeconds"), kDefault).toInt(&ok);
    if (!ok || seconds < 0)
        return kDefault;
    return std::min(seconds, kDay);
}

void CRecoveryKeeper::Watch(CVeldenDoc* doc, int claimedId)
{
    Watched& watched = m_docs[doc];
    watched.id = claimedId > 0 ? claimedId : NewId();
    watched.hasCopy = claimedId > 0;
    connect(doc, &CVeldenDoc::changed, this, [this, doc] { OnChanged(doc); });
    connect(doc, &CVeldenDoc::modifiedChanged, this,
            [this, doc](bool modified) { OnModifiedChanged(doc, modified); });
    // Deleted without being closed (the program is torn down): its copy stays.
    connect(doc, &QObject::destroyed, this, [this, doc] { m_docs.remove(doc); });
}

void CRecoveryKeeper::Forget(CVeldenDoc* doc)
{
    auto it = m_docs.find(doc);
    if (it == m_docs.end())
        return;
    doc->disconnect(this);
    RemoveCopy(*it);
    m_docs.erase(it);
}

QString CRecoveryKeeper::CopyBaseOf(const CVeldenDoc* doc) const
{
    const auto it = m_docs.constFind(const_cast<CVeldenDoc*>(doc));
    return it != m_docs.cend() && it->hasCopy ? m_store.BaseOf(it->id) : QString();
}

void CRecoveryKeeper::OnChanged(CVeldenDoc* doc)
{
    ++m_docs[doc].generation;
}

void CRecoveryKeeper::OnModifiedChanged(CVeldenDoc* doc, bool modified)
{
    // Marked modified without a step is a change to keep as well.
    Watched& watched = m_docs[doc];
    ++watched.generation;
    if (!modified)
        RemoveCopy(watched);
}

void CRecoveryKeeper::RemoveCopy(Watched& watched)
{
    if (!watched.hasCopy)
        return;
    watched.hasCopy = false;
    // Queued behind a write still under way, so the copy cannot come back after it.
    const QString base = m_store.BaseOf(watched.id);
    Post([base] { CRecoveryStore::Remove(base); });
}

void CRecoveryKeeper::Tick()
{
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
        CVeldenDoc* doc = it.key();
        Watched& watched = it.value();
        // One write per document at a time; a slow disk delays the next copy, never mixes two.
        if (watched.inFlight || watched.written == watched.generation || !doc->IsModified())
            continue;
        QString error;
        if (!m_store.BeginSession(&error)) {
            Fail(error);
            return;
        }
        QByteArray bytes;
        SaveError saveError;
        if (!doc->Timetable().SaveFile(&bytes, &saveError)) {
            Fail(doc->GetTitle() + QStringLiteral(": ") + saveError.Japanese());
            continue;
        }
        const CRecoveryStore::Info info{doc->GetPathName(), doc->GetTitle(),
                                        QDateTime::currentDateTimeUtc(),
                                        QCoreApplication::applicationPid()};
        watched.inFlight = true;
        watched.hasCopy = true;
        const int id = watched.id;
        const quint64 generation = watched.generation;
        const QString base = m_store.BaseOf(id);
        Post([this, id, generation, base, bytes, info] {
            QString error;
            CRecoveryStore::Write(base, bytes, info, &error);
            QMetaObject::invokeMethod(
                this, [this, id, generation, error] { OnWritten(id, generation, error); },
                Qt::QueuedConnection);
        });
    }
}

void CRecoveryKeeper::OnWritten(int id, quint64 generation, const QString& error)
{
    for (Watched& watched : m_docs) {
        if (watched.id != id)
            continue;
        watched.inFlight = false;
        if (error.isEmpty())
            watched.written = generation;
        break;
    }
    if (error.isEmpty())
        m_bFailing = false;
    else
        Fail(error);
}

void CRecoveryKeeper::Fail(const QString& error)
{
    // Editing goes on; the note appears once, not at every tick.
    if (m_bFailing)
        return;
    m_bFailing = true;
    emit statusMessage(error);
}

void CRecoveryKeeper::Post(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_pWorker, std::move(job), Qt::QueuedConnection);
}

void CRecoveryKeeper::WaitForWrites()
{
    QMetaObject::invokeMethod(
        m_pWorker, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
