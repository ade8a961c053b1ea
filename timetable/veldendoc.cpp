#include "veldendoc.h"

#include <QFileInfo>

CVeldenDoc::CVeldenDoc(QObject* parent) : QObject(parent) {}

bool CVeldenDoc::OnNewDocument()
{
    m_QLMDoc = CQLMDoc();
    m_QLMDoc.SetNewDocumentDefaults();
    SetModifiedFlag(false);
    return true;
}

bool CVeldenDoc::OnOpenDocument(const QString& path, QString* error, QStringList* warnings)
{
    QByteArray bytes;
    if (!ReadTimetableFile(path, &bytes, error))
        return false;
    CQLMDoc loaded;
    LoadError loadError;
    if (!loaded.LoadFile(bytes, &loadError, warnings)) {
        if (error)
            *error = QStringLiteral("%1 を開けません。\n%2")
                         .arg(QFileInfo(path).fileName(), loadError.Japanese());
        return false;
    }
    m_QLMDoc = std::move(loaded);
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CVeldenDoc::OnSaveDocument(const QString& path, QString* error)
{
    QByteArray bytes;
    SaveError saveError;
    if (!m_QLMDoc.SaveFile(&bytes, &saveError)) {
        if (error)
            *error = QStringLiteral("%1 に保存できません。\n%2")
                         .arg(QFileInfo(path).fileName(), saveError.Japanese());
        return false;
    }
    if (!WriteFileAtomically(path, bytes, error))
        return false;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CVeldenDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CVeldenDoc::SetPathName(const QString& path)
{
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CVeldenDoc::SetTitle(const QString& title)
{
    if (m_strTitle == title)
        return;
    m_strTitle = title;
    emit titleChanged(title);
}
