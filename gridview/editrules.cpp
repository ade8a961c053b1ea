#include "editrules.h"

#include "gridcolumn.h"
#include "records.h"
#include "sjis.h"

#include <algorithm>
#include <climits>

namespace EditRules {

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

} // namespace

QByteArray* TextMember(tagTRAININFO& t, int column)
{
    switch (column) {
    case GridColumn::Name:
        return &t.strName;
    case GridColumn::NameEn:
        return &t.strNameEn;
    case GridColumn::Guide:
        return &t.strGuide;
    case GridColumn::Note:
        return &t.strNote;
    default:
        return nullptr;
    }
}

const QByteArray* TextMember(const tagTRAININFO& t, int column)
{
    return TextMember(const_cast<tagTRAININFO&>(t), column);
}

EditorSetup EditorFor(const tagTRAININFO& t, int column)
{
    EditorSetup setup;
    switch (column) {
    case GridColumn::TrainNo:
        setup.kind = EditorKind::TextBox;
        // "%00.4d%c": at least four digits, then the letter; a zero suffix ends the text.
        setup.text = QString::asprintf("%.4d", t.wTrainNo).toLatin1();
        if (t.chTrainSuffix != 0)
            setup.text.append(static_cast<char>(t.chTrainSuffix));
        setup.format = "%d%c";
        break;
    case GridColumn::Type:
        setup.kind = EditorKind::TypeList;
        setup.listIndex = t.wAssortment;
        break;
    case GridColumn::Time:
        setup.kind = EditorKind::TextBox;
        setup.text = QString::asprintf("%.2d:%.2d", t.wTime / 60, t.wTime % 60).toLatin1();
        setup.format = "%d:%d";
        break;
    case GridColumn::Destination:
        setup.kind = EditorKind::DestinationList;
        setup.listIndex = t.wDestination;
        break;
    case GridColumn::Platform:
        setup.kind = EditorKind::TextBox;
        setup.text = QString::asprintf("%02d", t.wPlatform).toLatin1();
        setup.format = "%d";
        break;
    case GridColumn::Name:
    case GridColumn::NameEn:
    case GridColumn::Guide:
    case GridColumn::Note:
        setup.kind = EditorKind::TextBox;
        setup.text = *TextMember(t, column);
        break;
    default:
        break;
    }
    return setup;
}

ScanResult Scan(QByteArrayView text, QByteArrayView format)
{
    ScanResult result;
    int numbers = 0;
    int chars = 0;
    qsizetype pos = 0;
    // Input running out before the first field gives -1: an empty text is not a wrong one.
    auto inputEnded = [&result] {
        if (result.count == 0)
            result.count = -1;
        return result;
    };
    for (qsizetype f = 0; f < format.size(); ++f) {
        if (format[f] == '%' && f + 1 < format.size()) {
            const char conv = format[++f];
            if (conv == 'd') {
                while (pos < text.size() && IsBlank(text[pos]))
                    ++pos;
                if (pos >= text.size())
                    return inputEnded();
                bool negative = false;
                if (text[pos] == '+' || text[pos] == '-')
                    negative = text[pos++] == '-';
                if (pos >= text.size() || text[pos] < '0' || text[pos] > '9')
                    return result;
                long long value = 0;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                    if (value <= INT_MAX)
                        value = value * 10 + (text[pos] - '0');
                    ++pos;
                }
                value = negative ? -value : value;
                value = std::clamp<long long>(value, INT_MIN, INT_MAX);
                if (numbers < 4)
                    result.numbers[numbers++] = static_cast<int>(value);
                ++result.count;
            } else if (conv == 'c') {
                if (pos >= text.size())
                    return inputEnded();
                if (chars < 4)
                    result.chars[chars++] = text[pos];
                ++pos;
                ++result.count;
            } else {
                return result; // a conversion these editors never use
            }
        } else {
            if (pos >= text.size())
                return inputEnded();
            if (text[pos] != format[f])
                return result;
            ++pos;
        }
    }
    return result;
}

bool EnterCheckPasses(QByteArrayView text, QByteArrayView format)
{
    if (text.isEmpty())
        return true;
    return Scan(text, format).count == static_cast<int>(format.count('%'));
}

ApplyResult ApplyTrainNumber(tagTRAININFO& t, QByteArrayView text)
{
    ApplyResult result;
    const ScanResult scan = Scan(text, "%d%c");
    if (scan.count != 2)
        return result;
    int n = scan.numbers[0];
    char ch = scan.chars[0];
    if (n < 0 || n > 10000) {
        n = 0;
        result.beep = true;
    }
    if (ch >= 'a' && ch <= 'z')
        ch = static_cast<char>(ch - 'a' + 'A');
    if (ch < 'A' || ch > 'Z') {
        ch = 'Z';
        result.beep = true;
    }
    t.wTrainNo = static_cast<quint16>(n);
    t.chTrainSuffix = static_cast<quint8>(ch);
    result.stored = true;
    return result;
}

ApplyResult ApplyTime(tagTRAININFO& t, QByteArrayView text)
{
    ApplyResult result;
    const ScanResult scan = Scan(text, "%d:%d");
    if (scan.count != 2)
        return result;
    int h = scan.numbers[0];
    int m = scan.numbers[1];
    if (h < 0 || h > 23) {
        h = 0;
        result.beep = true;
    }
    if (m < 0 || m > 59) {
        m = 0;
        result.beep = true;
    }
    t.wTime = static_cast<quint16>(h * 60 + m);
    result.stored = true;
    return result;
}

ApplyResult ApplyPlatform(tagTRAININFO& t, QByteArrayView text)
{
    ApplyResult result;
    const ScanResult scan = Scan(text, "%d");
    if (scan.count != 1)
        return result;
    int v = scan.numbers[0];
    if (v < 0 || v > 99) {
        v = 1;
        result.beep = true;
    }
    t.wPlatform = static_cast<quint16>(v);
    result.stored = true;
    return result;
}

ApplyResult ApplyText(tagTRAININFO& t, int column, QByteArrayView text)
{
    switch (column) {
    case GridColumn::TrainNo:
        return ApplyTrainNumber(t, text);
    case GridColumn::Time:
        return ApplyTime(t, text);
    case GridColumn::Platform:
        return ApplyPlatform(t, text);
    default:
        break;
    }
    ApplyResult result;
    if (QByteArray* member = TextMember(t, column)) {
        *member = Sjis::Truncate(text, kMaxTextBytes);
        result.stored = true;
    }
    return result;
}

ApplyResult ApplyListEntry(tagTRAININFO& t, int column, int entry)
{
    ApplyResult result;
    if (entry < 1 || entry > 0xFFFF)
        return result;
    if (column == GridColumn::Type)
        t.wAssortment = static_cast<quint16>(entry);
    else if (column == GridColumn::Destination)
        t.wDestination = static_cast<quint16>(entry);
    else
        return result;
    result.stored = true;
    return result;
}

void RestoreColumn(tagTRAININFO& t, const tagTRAININFO& from, int column)
{
    switch (column) {
    case GridColumn::TrainNo:
        t.wTrainNo = from.wTrainNo;
        t.chTrainSuffix = from.chTrainSuffix;
        break;
    case GridColumn::Type:
        t.wAssortment = from.wAssortment;
        break;
    case GridColumn::Time:
        t.wTime = from.wTime;
        break;
    case GridColumn::Destination:
        t.wDestination = from.wDestination;
        break;
    case GridColumn::Platform:
        t.wPlatform = from.wPlatform;
        break;
    default:
        if (QByteArray* member = TextMember(t, column))
            *member = *TextMember(from, column);
        break;
    }
}

bool IsTextColumn(int column)
{
    return column == GridColumn::Name || column == GridColumn::NameEn ||
           column == GridColumn::Guide || column == GridColumn::Note;
}

EncodedText EncodeEditorText(const QString& text, const QByteArray& original)
{
    EncodedText result;
    std::optional<QByteArray> bytes = Sjis::EncodeEdited(text, original, &result.unencodable);
    if (!bytes)
        return result;
    result.ok = true;
    result.bytes = Sjis::Truncate(*bytes, kMaxTextBytes);
    return result;
}

QString UnencodableMessage(const QString& character)
{
    return QStringLiteral("「%1」は保存できない文字です").arg(character);
}

} // namespace EditRules
