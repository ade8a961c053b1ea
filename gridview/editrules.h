#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

struct tagTRAININFO;

// The rules of the in-place cell editors, free of widgets: which editor a column gets, the text
// it opens with, and how a typed value is parsed, range-checked and stored.
namespace EditRules {

// The editor hands over at most this many (encoded) bytes of text.
inline constexpr qsizetype kMaxTextBytes = 511;

enum class EditorKind
{
    None,
    TextBox,
    TypeList,
    DestinationList
};

struct EditorSetup
{
    EditorKind kind = EditorKind::None;
    QByteArray text;           // text box: the initial text, as stored bytes
    QByteArray format;         // text box: the input format the Enter check uses
    int listIndex = 0;         // lists: the train's 1-based index (0 selects nothing)
    QList<QByteArray> entries; // lists: the names of the types or destinations, in order
};

// The text member that a text column shows, or null for the other columns.
QByteArray* TextMember(tagTRAININFO& t, int column);
const QByteArray* TextMember(const tagTRAININFO& t, int column);
bool IsTextColumn(int column);
// Copies the field(s) column c shows from one train to another.
void RestoreColumn(tagTRAININFO& t, const tagTRAININFO& from, int column);

// The editor of column c for train t (the lists without their entries). The service column
// and any other column get none.
EditorSetup EditorFor(const tagTRAININFO& t, int column);

// The fields a format of "%d", "%c" and literal characters reads from text: "%d" skips leading
// blanks and takes an optional sign and digits (values beyond int saturate), "%c" takes the very
// next character, a literal must match itself. Reading stops at the first mismatch. Returns the
// number of fields read, or -1 when the text ends before the first field.
struct ScanResult
{
    int count = 0;
    int numbers[4] = {};
    char chars[4] = {};
};
ScanResult Scan(QByteArrayView text, QByteArrayView format);

// The check made when Enter is released in the text box: an empty text passes; otherwise the
// number of fields read must equal the number of '%' in the format.
bool EnterCheckPasses(QByteArrayView text, QByteArrayView format);

struct ApplyResult
{
    bool stored = false; // the train was changed
    bool beep = false;   // a value was out of range and replaced by its fallback
};

// The train number, "%d%c": number 0..10000 (else 0, beep), suffix 'A'..'Z' with lower case raised
// (else 'Z', beep). Both fields must be read.
ApplyResult ApplyTrainNumber(tagTRAININFO& t, QByteArrayView text);
// The time, "%d:%d": hours 0..23 (else 0, beep), then minutes 0..59 (else 0, beep).
ApplyResult ApplyTime(tagTRAININFO& t, QByteArrayView text);
// The platform, "%d": platform 0..99 (else 1, beep).
ApplyResult ApplyPlatform(tagTRAININFO& t, QByteArrayView text);

// Applies the encoded text of a text box to column c: the number columns by their rules, the
// text columns store the text unchanged, cut to kMaxTextBytes without splitting a double-byte
// character. Other columns store nothing.
ApplyResult ApplyText(tagTRAININFO& t, int column, QByteArrayView text);
// Applies a list's selected entry + 1 to column 2 (type) or 6 (destination).
ApplyResult ApplyListEntry(tagTRAININFO& t, int column, int entry);

// The editor text as bytes to apply: the original bytes when the text still reads as they do,
// otherwise the text encoded. Fails when a character cannot be stored in code page 932;
// unencodable then holds it.
struct EncodedText
{
    bool ok = false;
    QByteArray bytes; // at most kMaxTextBytes bytes
    QString unencodable;
};
EncodedText EncodeEditorText(const QString& text, const QByteArray& original = {});

// The status-bar note for a character that cannot be stored.
QString UnencodableMessage(const QString& character);

} // namespace EditRules
