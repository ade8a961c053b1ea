#include "extkeys.h"

#include "fileio.h"
#include "qlmdoc.h"
#include "sjis.h"

#include <QFileInfo>

namespace ExtKeys {
namespace {

QByteArray AfterLastSlash(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray() : path.mid(slash + 1);
}

TreeItem* FindChild(std::vector<TreeItem>& level, const QByteArray& name)
{
    for (TreeItem& item : level)
        if (item.name == name)
            return &item;
    return nullptr;
}

} // namespace

QByteArray ItemText(const EXTKEY& key)
{
    const QByteArray path = key.Key();
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray last = slash < 0 ? path : path.mid(slash + 1);
    return last + " :(" + key.strValue + ')';
}

std::vector<TreeItem> BuildTree(const CExtKeyList& keys)
{
    std::vector<TreeItem> root;
    for (int k = 0; k < keys.size(); ++k) {
        std::vector<TreeItem>* level = &root;
        QByteArray rest = keys[k].Key();
        for (qsizetype slash; (slash = rest.indexOf('/')) >= 0;) {
            const QByteArray segment = rest.left(slash);
            rest = rest.mid(slash + 1);
            TreeItem* parent = FindChild(*level, segment);
            if (!parent) {
                level->push_back(TreeItem{segment, -1, segment, {}});
                parent = &level->back();
            }
            level = &parent->children;
        }
        level->push_back(TreeItem{ItemText(keys[k]), k, AfterLastSlash(keys[k].Key()), {}});
    }
    return root;
}

QByteArray ProposedPath(const CExtKeyList& keys, int selectedKey)
{
    if (selectedKey < 0 || selectedKey >= keys.size())
        return {};
    const QByteArray path = keys[selectedKey].Key();
    const qsizetype slash = path.indexOf('/');
    return slash < 0 ? QByteArray() : path.left(slash + 1);
}

QStringList BlockLines(const CQLMDoc& doc)
{
    QStringList lines;
    for (int i = 1; i <= doc.m_nExtDataCount && i <= doc.m_ExtData.m_nSize; ++i) {
        const EXTDATA& block = doc.m_ExtData.ElementAt(i);
        lines.append(QStringLiteral("%1 : ｻｲｽﾞ(%2ﾊﾞｲﾄ)")
                         .arg(Sjis::Decode(block.Name()), QString::number(block.dwSize)));
    }
    return lines;
}

bool DumpBlock(const EXTDATA& block, const QString& path, QString* error)
{
    // Written whole and synced before it replaces anything, like a timetable.
    FileIo::FileError fileError;
    if (FileIo::WriteFile(path, block.hData.left(block.dwSize), &fileError))
        return true;
    if (error)
        *error = QStringLiteral("ﾌｧｲﾙ'%1'に書き出せませんでした\n%2")
                     .arg(QFileInfo(path).fileName(), fileError.Japanese());
    return false;
}

QString DeleteQuestion(const EXTKEY& key)
{
    return QStringLiteral("ｷｰ'%1'を削除しますか").arg(Sjis::Decode(key.Key()));
}

QString DumpDoneMessage(const EXTDATA& block)
{
    return QStringLiteral("ﾃﾞｰﾀﾌﾞﾛｯｸ'%1' %2 ﾊﾞｲﾄ\nﾌｧｲﾙへの書き出しを完了しました")
        .arg(Sjis::Decode(block.Name()), QString::number(block.dwSize));
}

QString PathTooLongMessage(qsizetype bytes)
{
    return QStringLiteral("ｷｰのﾊﾟｽは%1ﾊﾞｲﾄまでです(入力されたﾊﾟｽは%2ﾊﾞｲﾄです)")
        .arg(QString::number(kMaxPathBytes), QString::number(bytes));
}

} // namespace ExtKeys
