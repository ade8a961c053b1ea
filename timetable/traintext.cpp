#include "traintext.h"

#include "sjis.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace TrainText {
namespace {

// Header texts of the grid; U+FF65 (half-width middle dot) in "運転･運休" is the one the board's
// users know.
const char* const kHeaders[kColumnCount] = {"列車番号",  "列車種別", "列車名",   "列車名(英)",
                                            "発車時刻",  "行先",     "発車番線", "案内",
                                            "運転･運休", "補足"};

constexpr int kNumberColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kTimeColumn = 5;
constexpr int kDestinationColumn = 6;
constexpr int kPlatformColumn = 7;
constexpr int kRunningColumn = 9;

const QString& NoRunningValue()
{
    static const QString text = QStringLiteral("---");
    return text;
}

// Half-width katakana: single bytes 0xA1..0xDF of code page 932.
constexpr char16_t kKanaFirst = 0xFF61;
constexpr quint8 kKanaByteFirst = 0xA1;
constexpr quint8 kKanaByteLast = 0xDF;

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexDigit(QChar c)
{
    if (IsDigit(c))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

// The train number column: the number, then the suffix as itself when it is one printable
// character that stands for one byte and cannot be taken for a digit, else as \xHH.
QString NumberText(quint16 number, quint8 suffix)
{
    char16_t buf[12];
    int n = 0;
    char digits[6];
    int d = 0;
    do {
        digits[d++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    while (d > 0)
        buf[n++] = static_cast<char16_t>(digits[--d]);
    if (suffix == 0) {
        // nothing after the number
    } else if (suffix > 0x20 && suffix < 0x7F && !(suffix >= '0' && suffix <= '9')) {
        buf[n++] = suffix;
    } else if (suffix >= kKanaByteFirst && suffix <= kKanaByteLast) {
        buf[n++] = static_cast<char16_t>(kKanaFirst + (suffix - kKanaByteFirst));
    } else {
        const char* hex = "0123456789ABCDEF";
        buf[n++] = u'\\';
        buf[n++] = u'x';
        buf[n++] = static_cast<char16_t>(hex[suffix >> 4]);
        buf[n++] = static_cast<char16_t>(hex[suffix & 0xF]);
    }
    return QString(reinterpret_cast<const QChar*>(buf), n);
}

// "%.2d:%.2d": at least two digits each; hours are not reduced modulo 24.
QString TimeText(quint16 minutes)
{
    const int h = minutes / 60;
    const int m = minutes % 60;
    char buf[8];
    int n = 0;
    if (h >= 1000)
        buf[n++] = static_cast<char>('0' + h / 1000);
    if (h >= 100)
        buf[n++] = static_cast<char>('0' + h / 100 % 10);
    buf[n++] = static_cast<char>('0' + h / 10 % 10);
    buf[n++] = static_cast<char>('0' + h % 10);
    buf[n++] = ':';
    buf[n++] = static_cast<char>('0' + m / 10);
    buf[n++] = static_cast<char>('0' + m % 10);
    return QString::fromLatin1(buf, n);
}

// Texts repeat from train to train (guidance, notes, names): each distinct one is decoded once,
// and the rows share the result. The cache stays small for texts that never repeat.
class CachedDecoder
{
public:
    QString operator()(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return {};
        if (const auto found = m_cache.constFind(bytes); found != m_cache.cend())
            return found.value();
        QString text = Sjis::Decode(bytes);
        if (m_cache.size() < kLimit)
            m_cache.insert(bytes, text);
        return text;
    }

private:
    static constexpr qsizetype kLimit = 4096;
    QHash<QByteArray, QString> m_cache;
};

std::optional<quint8> ParseSuffix(QStringView s)
{
    if (s.isEmpty())
        return quint8(0);
    if (s.size() == 1) {
        const char16_t c = s[0].unicode();
        if (c > 0x20 && c < 0x7F && !IsDigit(s[0]))
            return static_cast<quint8>(c);
        if (c >= kKanaFirst && c <= kKanaFirst + (kKanaByteLast - kKanaByteFirst))
            return static_cast<quint8>(kKanaByteFirst + (c - kKanaFirst));
        return std::nullopt;
    }
    if (s.size() == 4 && s[0] == QLatin1Char('\\') && s[1] == QLatin1Char('x')) {
        const int high = HexDigit(s[2]);
        const int low = HexDigit(s[3]);
        if (high >= 0 && low >= 0)
            return static_cast<quint8>(high * 16 + low);
    }
    return std::nullopt;
}

// Leading digits of s as a number of at most 65535; *end receives where they stop.
std::optional<quint16> ParseDigits(QStringView s, qsizetype* end)
{
    qsizetype i = 0;
    quint32 v = 0;
    while (i < s.size() && IsDigit(s[i])) {
        v = v * 10 + static_cast<quint32>(s[i].unicode() - '0');
        if (v > 0xFFFF)
            return std::nullopt;
        ++i;
    }
    if (i == 0)
        return std::nullopt;
    *end = i;
    return static_cast<quint16>(v);
}

std::optional<quint16> ParseNumber(QStringView s)
{
    qsizetype end = 0;
    const std::optional<quint16> v = ParseDigits(s, &end);
    if (!v || end != s.size())
        return std::nullopt;
    return v;
}

// "H:MM" (or "H:M"), hours not reduced modulo 24; minutes of 60 or more are no time. Seconds
// of "00" are taken too: a spreadsheet that read the column as times writes them as H:MM:SS.
std::optional<quint16> ParseTime(QStringView s)
{
    if (s.count(QLatin1Char(':')) == 2 && s.endsWith(QLatin1StringView(":00")))
        s.chop(3);
    qsizetype end = 0;
    const std::optional<quint16> h = ParseDigits(s, &end);
    if (!h || end >= s.size() || s[end] != QLatin1Char(':'))
        return std::nullopt;
    const QStringView rest = s.sliced(end + 1);
    if (rest.isEmpty() || rest.size() > 2)
        return std::nullopt;
    const std::optional<quint16> m = ParseNumber(rest);
    if (!m || *m >= 60 || *h * 60 + *m > 0xFFFF)
        return std::nullopt;
    return static_cast<quint16>(*h * 60 + *m);
}

// A time as a spreadsheet writes a time value: with seconds, or with AM/PM. Such a column was
// read as times, not as text, and the message says how to keep it as text.
bool IsSpreadsheetTime(const QString& s)
{
    if (s.count(QLatin1Char(':')) == 2)
        return true;
    for (const char* mark : {"AM", "PM", "午前", "午後"})
        if (s.contains(QString::fromUtf8(mark), Qt::CaseInsensitive))
            return true;
    return false;
}

// "0x0A"
QString HexByte(qint64 byte)
{
    return QStringLiteral("0x") +
           QString::number(byte & 0xFF, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

QString Clip(const QString& text)
{
    constexpr qsizetype kShown = 40;
    return text.size() > kShown ? text.first(kShown) + QChar(0x2026) : text;
}

QString Quote(const QString& cell, QChar separator, bool always)
{
    const auto special = [separator](QChar c) {
        return c == separator || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
               c == QLatin1Char('\n');
    };
    if (!always && std::none_of(cell.begin(), cell.end(), special))
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QLatin1StringView("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Characters of the cells with a separator or line end after each; quoting adds a little.
qsizetype CellChars(const Table& table)
{
    qsizetype n = 0;
    for (const QStringList& row : table)
        for (const QString& cell : row)
            n += cell.size() + 1;
    return n + table.size();
}

QString Join(const Table& table, QChar separator, bool quoteAll)
{
    QString text;
    text.reserve(CellChars(table) + 64);
    for (const QStringList& row : table) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += separator;
            text += Quote(row[c], separator, quoteAll);
        }
        text += QLatin1StringView("\r\n");
    }
    return text;
}

bool IsLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Splits rows of cells. Strict (CSV): a quoted field must close and be followed by a separator
// or line end. Lenient (clipboard): a cell whose quote does not close properly is taken as it
// stands, and so is every cell starting before the point where such a failed quote ended, which
// keeps malformed text from being scanned again and again.
bool Split(QStringView text, QChar separator, bool strict, QList<Record>* records, Problem* problem)
{
    records->clear();
    const qsizetype n = text.size();
    qsizetype pos = 0;
    qsizetype literalUntil = 0;
    int line = 1;
    while (pos < n) {
        Record record{line, {}};
        for (;;) {
            QString cell;
            bool quoted = false;
            if (pos < n && text[pos] == QLatin1Char('"') && pos >= literalUntil) {
                qsizetype j = pos + 1;
                bool closed = false;
                while (j < n) {
                    if (text[j] == QLatin1Char('"')) {
                        if (j + 1 < n && text[j + 1] == QLatin1Char('"')) {
                            cell += QLatin1Char('"');
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    cell += text[j++];
                }
                if (closed && (j == n || text[j] == separator || IsLineEnd(text[j]))) {
                    quoted = true;
                    pos = j;
                } else if (strict) {
                    problem->line = line;
                    problem->column = static_cast<int>(record.cells.size()) + 1;
                    if (!closed) {
                        problem->kind = Problem::Kind::Unterminated;
                    } else {
                        qsizetype k = j;
                        while (k < n && text[k] != separator && !IsLineEnd(text[k]))
                            ++k;
                        problem->kind = Problem::Kind::TextAfterQuote;
                        problem->text = text.sliced(j, k - j).toString();
                    }
                    return false;
                } else {
                    literalUntil = j;
                    cell.clear();
                }
            }
            if (!quoted) {
                const qsizetype start = pos;
                while (pos < n && text[pos] != separator && !IsLineEnd(text[pos]))
                    ++pos;
                cell = text.sliced(start, pos - start).toString();
            }
            record.cells.append(cell);
            if (pos < n && text[pos] == separator) {
                ++pos;
                continue;
            }
            break;
        }
        // Line numbers count rows; a quoted cell's own line breaks do not start one.
        if (pos < n && text[pos] == QLatin1Char('\r'))
            ++pos;
        if (pos < n && text[pos] == QLatin1Char('\n'))
            ++pos;
        records->append(std::move(record));
        ++line;
    }
    return true;
}

bool IsBlank(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.isEmpty())
            return false;
    return true;
}

// Names of a list by their display text, each with the 1-based indexes that carry it.
using NameIndex = QHash<QString, QList<quint16>>;

template <typename T, typename Member> NameIndex IndexNames(const std::vector<T>& items, Member m)
{
    NameIndex index;
    for (size_t i = 0; i < items.size() && i < 0xFFFF; ++i)
        index[Sjis::Decode(items[i].*m)].append(static_cast<quint16>(i + 1));
    return index;
}

class RowReader
{
public:
    RowReader(const CQLMDoc& doc, ReadResult* result)
        : m_typeNames(IndexNames(doc.m_TrainAssortment.Items(), &tagTRAINASSORTMENT::strName)),
          m_typeNamesEn(IndexNames(doc.m_TrainAssortment.Items(), &tagTRAINASSORTMENT::strNameSub)),
          m_destNames(IndexNames(doc.m_Destination.Items(), &DESTINATION::strName)),
          m_destNamesEn(IndexNames(doc.m_Destination.Items(), &DESTINATION::strNameEn)),
          m_result(result)
    {
    }

    // Reads one row into t; hint is the train the row replaces, if any.
    void Read(const Record& record, const tagTRAININFO* hint, tagTRAININFO* t)
    {
        m_line = record.line;
        // A NUL would end the text in the file and cut off the rest on the next read; a cell
        // holding one is refused whatever its column, and read no further.
        quint32 withNul = 0;
        for (int c = kFirstColumn; c <= kLastColumn && c <= record.cells.size(); ++c) {
            if (record.cells[c - 1].contains(QChar(0))) {
                Add(Problem::Kind::HasNul, c);
                withNul |= 1u << c;
            }
        }
        const auto cell = [&](int column) -> QString {
            return column <= record.cells.size() ? record.cells[column - 1] : QString();
        };
        const auto readable = [&](int column) { return (withNul & (1u << column)) == 0; };
        for (qsizetype c = kColumnCount; c < record.cells.size(); ++c) {
            if (!record.cells[c].isEmpty()) {
                Add(Problem::Kind::ExtraColumn, static_cast<int>(c) + 1, {}, kColumnCount);
                break;
            }
        }
        if (readable(kNumberColumn))
            ReadNumber(cell(kNumberColumn), t);
        if (readable(kTypeColumn))
            t->wAssortment = Lookup(cell(kTypeColumn), kTypeColumn, m_typeNames, m_typeNamesEn,
                                    hint ? hint->wAssortment : 0, &m_result->unknownTypes);
        if (readable(3))
            ReadText(cell(3), 3, hint ? &hint->strName : nullptr, &t->strName);
        if (readable(4))
            ReadText(cell(4), 4, hint ? &hint->strNameEn : nullptr, &t->strNameEn);
        if (readable(kTimeColumn)) {
            const QString time = cell(kTimeColumn).trimmed();
            if (const std::optional<quint16> v = ParseTime(time))
                t->wTime = *v;
            else
                Add(IsSpreadsheetTime(time) ? Problem::Kind::SpreadsheetTime
                                            : Problem::Kind::NotTime,
                    kTimeColumn, time);
        }
        if (readable(kDestinationColumn))
            t->wDestination =
                Lookup(cell(kDestinationColumn), kDestinationColumn, m_destNames, m_destNamesEn,
                       hint ? hint->wDestination : 0, &m_result->unknownDestinations);
        if (readable(kPlatformColumn)) {
            const QString platform = cell(kPlatformColumn).trimmed();
            if (const std::optional<quint16> v = ParseNumber(platform))
                t->wPlatform = *v;
            else
                Add(Problem::Kind::NotPlatform, kPlatformColumn, platform);
        }
        if (readable(8))
            ReadText(cell(8), 8, hint ? &hint->strGuide : nullptr, &t->strGuide);
        if (readable(kRunningColumn)) {
            const QString running = cell(kRunningColumn).trimmed();
            if (running.isEmpty() || running == NoRunningValue())
                t->wReserved = 0;
            else if (const std::optional<quint16> v = ParseNumber(running))
                t->wReserved = *v;
            else
                Add(Problem::Kind::NotRunning, kRunningColumn, running);
        }
        if (readable(10))
            ReadText(cell(10), 10, hint ? &hint->strNote : nullptr, &t->strNote);
    }

    void Add(Problem::Kind kind, int column, const QString& text = {}, qint64 number = 0)
    {
        m_result->problems.append({kind, m_line, column, text, number});
    }

private:
    void ReadNumber(const QString& raw, tagTRAININFO* t)
    {
        const QString text = raw.trimmed();
        qsizetype end = 0;
        const std::optional<quint16> n = ParseDigits(text, &end);
        const std::optional<quint8> s =
            n ? ParseSuffix(QStringView(text).sliced(end)) : std::nullopt;
        if (!s) {
            Add(Problem::Kind::NotTrainNumber, kNumberColumn, text);
            return;
        }
        t->wTrainNo = *n;
        t->chTrainSuffix = *s;
    }

    void ReadText(const QString& text, int column, const QByteArray* hint, QByteArray* out)
    {
        QString unencodable;
        std::optional<QByteArray> bytes = Sjis::Encode(text, &unencodable);
        if (hint && (!bytes || *bytes != *hint) && !Sjis::RoundTrips(*hint) &&
            Sjis::Decode(*hint) == text)
            bytes = *hint;
        if (!bytes) {
            Add(Problem::Kind::Unencodable, column, unencodable);
            return;
        }
        if (bytes->size() > kMaxFileString) {
            Add(Problem::Kind::TooLong, column, {}, bytes->size());
            return;
        }
        *out = std::move(*bytes);
    }

    quint16 Lookup(const QString& name, int column, const NameIndex& names,
                   const NameIndex& namesEn, quint16 hint, QList<QByteArray>* unknown)
    {
        const QList<quint16>* indexes = nullptr;
        if (auto found = names.constFind(name); found != names.cend())
            indexes = &found.value();
        else if (auto foundEn = namesEn.constFind(name); foundEn != namesEn.cend())
            indexes = &foundEn.value();
        if (indexes)
            return indexes->contains(hint) ? hint : indexes->first();
        QString unencodable;
        const std::optional<QByteArray> bytes = Sjis::Encode(name, &unencodable);
        if (!bytes) {
            Add(Problem::Kind::Unencodable, column, unencodable);
            return 0;
        }
        Add(column == kTypeColumn ? Problem::Kind::UnknownType : Problem::Kind::UnknownDestination,
            column, name);
        if (!bytes->isEmpty() && !unknown->contains(*bytes))
            unknown->append(*bytes);
        return 0;
    }

    NameIndex m_typeNames;
    NameIndex m_typeNamesEn;
    NameIndex m_destNames;
    NameIndex m_destNamesEn;
    ReadResult* m_result;
    int m_line = 0;
};

// The column by its number and, within the text form, by its heading: "column 5 (発車時刻)".
QString ColumnName(int column, bool japanese)
{
    const QString number =
        japanese ? QStringLiteral("%1列目").arg(column) : QStringLiteral("column %1").arg(column);
    if (column < kFirstColumn || column > kLastColumn)
        return number;
    return japanese ? number + QStringLiteral("（") + Header(column) + QStringLiteral("）")
                    : number + QStringLiteral(" (") + Header(column) + QLatin1Char(')');
}

// The offset of the first byte that is not part of well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF), or -1.
qsizetype FirstNonUtf8(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const auto lead = static_cast<quint8>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        quint8 low = 0x80; // the range of the second byte
        quint8 high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n)
                return i;
            const auto b = static_cast<quint8>(bytes[i + k]);
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
                return i;
        }
        i += extra + 1;
    }
    return -1;
}

// The line and column at the end of CSV text, counted as SplitCsv counts them.
void CsvPosition(QStringView text, int* line, int* column)
{
    *line = 1;
    *column = 1;
    bool quoted = false;
    bool fieldStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                    ++i;
                else
                    quoted = false;
            }
            continue;
        }
        if (c == QLatin1Char('"') && fieldStart) {
            quoted = true;
            fieldStart = false;
        } else if (c == QLatin1Char(',')) {
            ++*column;
            fieldStart = true;
        } else if (IsLineEnd(c)) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++*line;
            *column = 1;
            fieldStart = true;
        } else {
            fieldStart = false;
        }
    }
}

} // namespace

QString Header(int column)
{
    if (column < kFirstColumn || column > kLastColumn)
        return {};
    return QString::fromUtf8(kHeaders[column - kFirstColumn]);
}

QString Cell(const CQLMDoc& doc, const tagTRAININFO& t, int column)
{
    switch (column) {
    case kNumberColumn:
        return NumberText(t.wTrainNo, t.chTrainSuffix);
    case kTypeColumn:
        if (t.wAssortment >= 1 && t.wAssortment <= doc.m_TrainAssortment.m_nSize)
            return Sjis::Decode(doc.m_TrainAssortment.ElementAt(t.wAssortment).strName);
        return {};
    case 3:
        return Sjis::Decode(t.strName);
    case 4:
        return Sjis::Decode(t.strNameEn);
    case kTimeColumn:
        return TimeText(t.wTime);
    case kDestinationColumn:
        if (t.wDestination >= 1 && t.wDestination <= doc.m_Destination.m_nSize)
            return Sjis::Decode(doc.m_Destination.ElementAt(t.wDestination).strName);
        return {};
    case kPlatformColumn:
        return QString::number(t.wPlatform);
    case 8:
        return Sjis::Decode(t.strGuide);
    case kRunningColumn:
        return t.wReserved == 0 ? NoRunningValue() : QString::number(t.wReserved);
    case 10:
        return Sjis::Decode(t.strNote);
    default:
        return {};
    }
}

Table TrainTable(const CQLMDoc& doc, int firstRow, int lastRow)
{
    Table table;
    QStringList header;
    for (int c = kFirstColumn; c <= kLastColumn; ++c)
        header.append(Header(c));
    table.append(header);
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, doc.m_TrainInfo.m_nSize);
    if (lastRow >= firstRow)
        table.reserve(lastRow - firstRow + 2);
    // Types and destinations are decoded once, not once per train.
    QStringList types;
    for (const tagTRAINASSORTMENT& a : doc.m_TrainAssortment.Items())
        types.append(Sjis::Decode(a.strName));
    QStringList destinations;
    for (const DESTINATION& d : doc.m_Destination.Items())
        destinations.append(Sjis::Decode(d.strName));
    CachedDecoder decode;
    for (int r = firstRow; r <= lastRow; ++r) {
        const tagTRAININFO& t = doc.m_TrainInfo.ElementAt(r);
        const auto listed = [](const QStringList& names, quint16 index) {
            return index >= 1 && index <= names.size() ? names[index - 1] : QString();
        };
        table.append({NumberText(t.wTrainNo, t.chTrainSuffix), listed(types, t.wAssortment),
                      decode(t.strName), decode(t.strNameEn), TimeText(t.wTime),
                      listed(destinations, t.wDestination), QString::number(t.wPlatform),
                      decode(t.strGuide), Cell(doc, t, kRunningColumn), decode(t.strNote)});
    }
    return table;
}

QString ToTabText(const Table& table)
{
    return Join(table, QLatin1Char('\t'), false);
}

QString ToCsv(const Table& table)
{
    return Join(table, QLatin1Char(','), true);
}

QByteArray ToCsvFile(const Table& table)
{
    return "\xEF\xBB\xBF" + ToCsv(table).toUtf8();
}

QString ToHtml(const Table& table)
{
    QString html;
    html.reserve(CellChars(table) + table.size() * (kColumnCount * 40 + 16) + 128);
    html += QLatin1StringView("<html><head><meta charset=\"utf-8\"></head><body><table>\r\n");
    for (qsizetype r = 0; r < table.size(); ++r) {
        html += QLatin1StringView("<tr>");
        // The header row's cells are headings; every cell is text, so a spreadsheet keeps
        // "05:21", "0123", "=1+1" and "1/2" as they are written. Excel reads the style,
        // LibreOffice Calc its own number format "@" in sdnum (1041: Japanese).
        const QLatin1StringView open(
            r == 0 ? "<th style=\"mso-number-format:'\\@'\" sdnum=\"1041;0;@\">"
                   : "<td style=\"mso-number-format:'\\@'\" sdnum=\"1041;0;@\">");
        const QLatin1StringView close(r == 0 ? "</th>" : "</td>");
        for (const QString& cell : table[r]) {
            html += open;
            for (qsizetype i = 0; i < cell.size(); ++i) {
                const QChar c = cell[i];
                switch (c.unicode()) {
                case '<':
                    html += QLatin1StringView("&lt;");
                    break;
                case '>':
                    html += QLatin1StringView("&gt;");
                    break;
                case '&':
                    html += QLatin1StringView("&amp;");
                    break;
                case '"':
                    html += QLatin1StringView("&quot;");
                    break;
                case '\r':
                    if (i + 1 < cell.size() && cell[i + 1] == QLatin1Char('\n'))
                        ++i;
                    html += QLatin1StringView("<br>");
                    break;
                case '\n':
                    html += QLatin1StringView("<br>");
                    break;
                default:
                    html += c;
                }
            }
            html += close;
        }
        html += QLatin1StringView("</tr>\r\n");
    }
    html += QLatin1StringView("</table></body></html>\r\n");
    return html;
}

QList<Record> SplitTabText(QStringView text)
{
    QList<Record> records;
    Problem unused;
    Split(text, QLatin1Char('\t'), false, &records, &unused);
    return records;
}

bool SplitCsv(QStringView text, QList<Record>* records, Problem* problem)
{
    return Split(text, QLatin1Char(','), true, records, problem);
}

bool DecodeCsvFile(QByteArrayView bytes, QString* text, Problem* problem)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    if (marked)
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    *text = utf8.decode(bytes);
    if (!utf8.hasError())
        return true;
    if (!marked) {
        *text = Sjis::Decode(bytes);
        return true;
    }
    // Falling back to code page 932 would turn every text of a UTF-8 file into other
    // characters: name the place of the byte instead.
    const qsizetype bad = std::max<qsizetype>(FirstNonUtf8(bytes), 0);
    problem->kind = Problem::Kind::NotUtf8;
    problem->number = static_cast<quint8>(bytes[std::min(bad, bytes.size() - 1)]);
    problem->text.clear();
    CsvPosition(QString::fromUtf8(bytes.first(bad)), &problem->line, &problem->column);
    text->clear();
    return false;
}

ReadResult ReadTrains(const QList<Record>& records, const CQLMDoc& doc, const ReadOptions& options)
{
    ReadResult result;
    RowReader reader(doc, &result);
    const Problem::Kind tooMany = Problem::Kind::TooManyTrains;
    bool tooManyReported = false;
    bool first = true;
    std::vector<tagTRAININFO> trains;
    trains.reserve(std::min<size_t>(records.size(), static_cast<size_t>(options.maxTrains) + 1));
    for (const Record& record : records) {
        if (IsBlank(record.cells))
            continue;
        const bool header = first && record.cells[0].trimmed() == Header(kFirstColumn);
        first = false;
        if (header) {
            for (qsizetype c = 1; c < record.cells.size() && c < kColumnCount; ++c) {
                const QString heading = record.cells[c].trimmed();
                if (!heading.isEmpty() && heading != Header(static_cast<int>(c) + 1))
                    result.problems.append({Problem::Kind::BadHeader, record.line,
                                            static_cast<int>(c) + 1, heading, 0});
            }
            continue;
        }
        if (static_cast<qsizetype>(trains.size()) >= options.maxTrains) {
            if (!tooManyReported)
                result.problems.append({tooMany, record.line, 0, {}, options.maxTrains});
            tooManyReported = true;
            continue;
        }
        const size_t k = trains.size();
        const tagTRAININFO* hint = k < options.replaced.size() ? &options.replaced[k] : nullptr;
        tagTRAININFO& t = trains.emplace_back();
        reader.Read(record, hint, &t);
    }
    if (result.problems.isEmpty())
        result.trains = std::move(trains);
    return result;
}

ReadResult ReadTabText(QStringView text, const CQLMDoc& doc, const ReadOptions& options)
{
    return ReadTrains(SplitTabText(text), doc, options);
}

QString Problem::Japanese() const
{
    QString what;
    const QString shown = Clip(text);
    switch (kind) {
    case Kind::NotTrainNumber:
        what = QStringLiteral("「%1」は列車番号ではありません").arg(shown);
        break;
    case Kind::NotTime:
        what = QStringLiteral("「%1」は時刻ではありません").arg(shown);
        break;
    case Kind::NotPlatform:
        what = QStringLiteral("「%1」は番線ではありません").arg(shown);
        break;
    case Kind::NotRunning:
        what = QStringLiteral("「%1」は「---」でも数値でもありません").arg(shown);
        break;
    case Kind::UnknownType:
        what = QStringLiteral("列車種別「%1」はありません").arg(shown);
        break;
    case Kind::UnknownDestination:
        what = QStringLiteral("行先「%1」はありません").arg(shown);
        break;
    case Kind::Unencodable:
        what = QStringLiteral("「%1」は保存できない文字です").arg(shown);
        break;
    case Kind::TooLong:
        what = QStringLiteral("%1 バイトは長すぎます（%2 バイトまで）")
                   .arg(number)
                   .arg(kMaxFileString);
        break;
    case Kind::ExtraColumn:
        what = QStringLiteral("列が多すぎます（%1 列まで）").arg(number);
        break;
    case Kind::TooManyTrains:
        what = QStringLiteral("列車が多すぎます（%1 本まで）").arg(number);
        break;
    case Kind::BadHeader:
        what = QStringLiteral("見出し「%1」は「%2」ではありません").arg(shown, Header(column));
        break;
    case Kind::Unterminated:
        what = QStringLiteral("引用符が閉じていません");
        break;
    case Kind::TextAfterQuote:
        what = QStringLiteral("閉じた引用符の後に「%1」があります").arg(shown);
        break;
    case Kind::SpreadsheetTime:
        what = QStringLiteral("「%1」は時刻ではありません（表計算ソフトでは、この列を文字列として"
                              "読み込んでください）")
                   .arg(shown);
        break;
    case Kind::HasNul:
        what = QStringLiteral("NUL 文字は保存できません");
        break;
    case Kind::NotUtf8:
        what = QStringLiteral("UTF-8 ではないバイト %1 があります").arg(HexByte(number));
        break;
    }
    const QString where = QStringLiteral("%1行目").arg(line);
    if (column == 0)
        return where + QStringLiteral(": ") + what;
    return where + QLatin1Char(' ') + ColumnName(column, true) + QStringLiteral(": ") + what;
}

QStringList ProblemLines(const QList<Problem>& problems, bool japanese)
{
    QStringList lines;
    for (qsizetype i = 0; i < problems.size() && i < kMaxProblemLines; ++i)
        lines.append(japanese ? problems[i].Japanese() : problems[i].English());
    const qsizetype rest = problems.size() - lines.size();
    if (rest > 0)
        lines.append(japanese ? QStringLiteral("ほかに %1 件の問題があります").arg(rest)
                              : QStringLiteral("%1 more problems").arg(rest));
    return lines;
}

QString Problem::English() const
{
    QString what;
    const QString shown = QLatin1Char('"') + Clip(text) + QLatin1Char('"');
    switch (kind) {
    case Kind::NotTrainNumber:
        what = shown + QStringLiteral(" is not a train number");
        break;
    case Kind::NotTime:
        what = shown + QStringLiteral(" is not a time");
        break;
    case Kind::NotPlatform:
        what = shown + QStringLiteral(" is not a platform number");
        break;
    case Kind::NotRunning:
        what = shown + QStringLiteral(" is neither \"---\" nor a number");
        break;
    case Kind::UnknownType:
        what = QStringLiteral("there is no train type ") + shown;
        break;
    case Kind::UnknownDestination:
        what = QStringLiteral("there is no destination ") + shown;
        break;
    case Kind::Unencodable:
        what = shown + QStringLiteral(" is a character code page 932 cannot hold");
        break;
    case Kind::TooLong:
        what = QStringLiteral("%1 bytes is too long (at most %2)").arg(number).arg(kMaxFileString);
        break;
    case Kind::ExtraColumn:
        what = QStringLiteral("too many columns (at most %1)").arg(number);
        break;
    case Kind::TooManyTrains:
        what = QStringLiteral("too many trains (at most %1)").arg(number);
        break;
    case Kind::BadHeader:
        what = QStringLiteral("heading %1 should be \"%2\"").arg(shown, Header(column));
        break;
    case Kind::Unterminated:
        what = QStringLiteral("a quoted field is not closed");
        break;
    case Kind::TextAfterQuote:
        what = shown + QStringLiteral(" follows a closing quote");
        break;
    case Kind::SpreadsheetTime:
        what = shown + QStringLiteral(" is not a time; import the column as text in the "
                                      "spreadsheet");
        break;
    case Kind::HasNul:
        what = QStringLiteral("a NUL character cannot be stored");
        break;
    case Kind::NotUtf8:
        what = QStringLiteral("byte %1 is not UTF-8, though the file starts with a UTF-8 "
                              "byte-order mark")
                   .arg(HexByte(number));
        break;
    }
    const QString where = QStringLiteral("line %1").arg(line);
    if (column == 0)
        return where + QStringLiteral(": ") + what;
    return where + QStringLiteral(", ") + ColumnName(column, false) + QStringLiteral(": ") + what;
}

} // namespace TrainText
