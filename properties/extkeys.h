#pragma once

#include "records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class CQLMDoc;

// The extension keys and data blocks as the extension page shows them.
namespace ExtKeys {

// The longest key path in bytes: the path field holds 63 bytes and a terminating zero.
inline constexpr qsizetype kMaxPathBytes = 63;

// One item of the key tree: a folder for a path segment (key < 0), or a key, which may itself
// hold the items of later keys whose paths continue its own.
struct TreeItem
{
    QByteArray text; // the folder's segment, or "<last segment> :(<value>)"
    int key = -1;    // index into the key list, or -1 for a folder
    QByteArray name; // what later paths are matched against
    std::vector<TreeItem> children;
};

// The tree of keys, in key list order at every level (never sorted). Each path is walked
// segment by segment: a segment goes to the first child of the same name (exact bytes), else
// to a new folder; the key itself becomes the last child of where its path ends. A key item's
// name is the part of its path after the last '/' (empty when there is none).
std::vector<TreeItem> BuildTree(const CExtKeyList& keys);

// "<last segment> :(<value>)", the whole path standing for the segment when it has no '/'.
QByteArray ItemText(const EXTKEY& key);

// The path "追加" proposes: with a key selected whose path has a '/', the text before the first
// '/' and a '/'; otherwise empty. selectedKey < 0 means no key is selected.
QByteArray ProposedPath(const CExtKeyList& keys, int selectedKey);

// "<name> : ｻｲｽﾞ(<size>ﾊﾞｲﾄ)" for each block, in the document's order.
QStringList BlockLines(const CQLMDoc& doc);

// Writes exactly the block's bytes to path, atomically: on failure the file is as it was and
// *error names the file and the reason.
bool DumpBlock(const EXTDATA& block, const QString& path, QString* error);

QString DeleteQuestion(const EXTKEY& key);
QString DumpDoneMessage(const EXTDATA& block);
// A path of the given length in bytes is too long.
QString PathTooLongMessage(qsizetype bytes);

} // namespace ExtKeys
