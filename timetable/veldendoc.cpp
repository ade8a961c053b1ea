#include "veldendoc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    if (!ReadWholeFile(path, &bytes, error))
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

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    auto fail = [&]() {
        if (error)
            *error = QStringLiteral("%1 に保存できません。\n%2")
                         .arg(QFileInfo(path).fileName(), file.errorString());
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (file.write(bytes) != bytes.size())
        return fail();
    if (!file.commit())
        return fail();
    return true;
}

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 を開けません。\n%2")
                         .arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1 を読み込めません。\n%2")
                         .arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    return true;
}
