#pragma once

#include "fileio.h"
#include "qlmdoc.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The document of one timetable file: owns the timetable, its modified flag, its path and title.
// Opening and saving go through the timetable's reader and writer; saving is atomic.
class CVeldenDoc : public QObject
{
    Q_OBJECT
public:
    explicit CVeldenDoc(QObject* parent = nullptr);

    CQLMDoc m_QLMDoc;

    // Fills the timetable with the new-document defaults; clears the modified flag.
    bool OnNewDocument();
    // Reads the file at path. On refusal returns false with a Japanese reason (naming the
    // problem and its byte offset) in *error, and the timetable is left as a new document would
    // be. Warnings (English, one per problem) about values kept as they are go to *warnings.
    bool OnOpenDocument(const QString& path, QString* error = nullptr,
                        QStringList* warnings = nullptr);
    // Writes the file atomically. On failure returns false with a Japanese reason in *error; the
    // file on disk and the modified flag are as they were.
    bool OnSaveDocument(const QString& path, QString* error = nullptr);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

private:
    bool m_bModified = false;
    QString m_strPathName;
    QString m_strTitle;
};
