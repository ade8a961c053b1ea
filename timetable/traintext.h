#pragma once

#include "qlmdoc.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>
#include <vector>

// Trains as text for spreadsheets: one row per train in the grid's column order (train number
// to supplement; the row-number column is left out) with the grid's texts, and the way back.
// The text form holds every value a file can hold, so text written here reads back to the
// same trains:
// - the train number column writes a suffix that is no single printable character as \xHH;
// - "運転･運休" has no field of its own; it carries the train's otherwise hidden wReserved,
//   showing the grid's "---" when that is 0 and the number otherwise;
// - types and destinations are written by name; a train whose index lies outside its list
//   gets an empty name, which reading refuses.
namespace TrainText {

// Columns of the text form: grid columns 1 to 10.
inline constexpr int kFirstColumn = 1;
inline constexpr int kLastColumn = 10;
inline constexpr int kColumnCount = kLastColumn - kFirstColumn + 1;

// The grid's header text of column c (1..10); messages name columns by it, as the file does.
QString Header(int column);

// Rows of cells, the header row included where there is one.
using Table = QList<QStringList>;

// The text of cell c (1..10) of train t.
QString Cell(const CQLMDoc& doc, const tagTRAININFO& t, int column);

// The header row, then the rows of trains first..last (1-based, inclusive; an empty range gives
// the header alone).
Table TrainTable(const CQLMDoc& doc, int firstRow, int lastRow);

// Tab-separated lines ending in CRLF; a cell holding a tab, line break or quote is quoted
// ("", doubled quotes inside), as spreadsheets copy and paste.
QString ToTabText(const Table& table);
// An HTML table of the same rows, so a paste into a spreadsheet keeps the columns; every cell
// is marked as text, as Excel and LibreOffice Calc read it.
QString ToHtml(const Table& table);
// RFC 4180: comma-separated, every field quoted, CRLF. Quoted fields are what a spreadsheet's
// "quoted field as text" keeps exactly as written (0123, =1+1, 24:35).
QString ToCsv(const Table& table);
// A CSV file's bytes: UTF-8 with a byte-order mark.
QByteArray ToCsvFile(const Table& table);

// Something wrong with the text, by line (1-based; one line is one row of the table, however
// many line breaks its quoted cells hold) and column (1-based; 0 for the whole line).
struct Problem
{
    enum class Kind
    {
        NotTrainNumber,
        NotTime,
        NotPlatform,
        NotRunning, // "運転･運休" is neither "---" nor a number
        UnknownType,
        UnknownDestination,
        Unencodable,     // text: the first character code page 932 cannot hold
        TooLong,         // number: the encoded length
        ExtraColumn,     // a non-empty cell beyond the last column
        TooManyTrains,   // number: the most trains allowed
        BadHeader,       // a header line whose heading names another column
        Unterminated,    // CSV: a quoted field runs to the end of the text
        TextAfterQuote,  // CSV: text: what follows the closing quote
        SpreadsheetTime, // a time with seconds other than 00, or AM/PM, as spreadsheets write
        HasNul,          // a NUL character, which would end the text in the file
        NotUtf8          // a file marked as UTF-8 has a byte that is not: number: the byte
    };
    Kind kind = Kind::NotTrainNumber;
    int line = 0;
    int column = 0;
    QString text; // the cell's text, or as noted at the kind
    qint64 number = 0;

    // "3行目 5列目（発車時刻）: 「25:70」は時刻ではありません"
    QString Japanese() const;
    // "line 3, column 5 (発車時刻): "25:70" is not a time"
    QString English() const;
};

// Messages for a list of problems: at most this many, then one line with the number of the rest,
// so that a file that is wrong throughout still gives a list one can read.
inline constexpr int kMaxProblemLines = 20;
QStringList ProblemLines(const QList<Problem>& problems, bool japanese);

// One row of text and the line it starts on.
struct Record
{
    int line = 0;
    QStringList cells;
};

// Splits tab-separated text as spreadsheets copy it: lines end in CRLF, LF or CR; a cell that
// starts with a quote and closes it before the next tab or line end is quoted, anything else is
// taken as it stands. A line break at the very end starts no further line.
QList<Record> SplitTabText(QStringView text);
// Splits CSV (RFC 4180, lines ending in CRLF or LF). Returns false with *problem set when a
// quoted field is not closed or is followed by more text.
bool SplitCsv(QStringView text, QList<Record>* records, Problem* problem);
// The text of a CSV file: UTF-8, or code page 932 when the bytes are not valid UTF-8. A file that
// starts with a UTF-8 byte-order mark is UTF-8 (the mark is skipped): its first byte that is not
// makes this return false with *problem naming the line and column it stands in.
bool DecodeCsvFile(QByteArrayView bytes, QString* text, Problem* problem);

struct ReadOptions
{
    // The trains the rows replace, the first row's first. Where a row's text still shows what
    // the train it replaces holds, the train keeps its stored value: texts whose bytes do not
    // survive decoding and encoding, and a type or destination among several of the same name.
    std::span<const tagTRAININFO> replaced;
    // The most trains the rows may make.
    int maxTrains = kMaxCollection;
};

struct ReadResult
{
    std::vector<tagTRAININFO> trains; // empty when there is any problem
    QList<Problem> problems;
    // Names no type or destination has, in order of first use, as the bytes to store, so that
    // the editor can offer to add them before trying again.
    QList<QByteArray> unknownTypes;
    QList<QByteArray> unknownDestinations;

    bool ok() const { return problems.isEmpty(); }
};

// Makes trains of rows in the text form's column order. A first non-blank row whose first cell is
// the header "列車番号" is the header line and is skipped; rows with no text at all are skipped;
// missing trailing cells are empty. Times may carry seconds of 00 (7:12:00), as spreadsheets
// write them. Types and destinations are found by name (the main name, then the English one).
// All or nothing: with any problem no train is returned.
ReadResult ReadTrains(const QList<Record>& records, const CQLMDoc& doc,
                      const ReadOptions& options = {});
// SplitTabText, then ReadTrains.
ReadResult ReadTabText(QStringView text, const CQLMDoc& doc, const ReadOptions& options = {});

} // namespace TrainText
