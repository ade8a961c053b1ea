#include "propfields.h"

#include "sjis.h"

#include <algorithm>
#include <variant>

namespace {

using TextMember = QByteArray CQLMDoc::*;
using DwordMember = quint32 CQLMDoc::*;
using WordMember = quint16 CQLMDoc::*;

struct FieldInfo
{
    DocField field;
    FieldKind kind;
    const char* name;
    std::variant<TextMember, DwordMember, WordMember> member;
};

#define TEXT(f, m)                                                                                 \
    {                                                                                              \
        DocField::f, FieldKind::Text, #m, &CQLMDoc::m                                              \
    }
#define COLOUR(f, m)                                                                               \
    {                                                                                              \
        DocField::f, FieldKind::Colour, #m, &CQLMDoc::m                                            \
    }
#define FLAG(f, m)                                                                                 \
    {                                                                                              \
        DocField::f, FieldKind::Flag, #m, &CQLMDoc::m                                              \
    }
#define WORD(f, k, m)                                                                              \
    {                                                                                              \
        DocField::f, FieldKind::k, #m, &CQLMDoc::m                                                 \
    }

// In the order of DocField.
const FieldInfo kFields[] = {
    TEXT(StationId, m_strStationId),
    TEXT(StationName, m_strStationName),
    TEXT(StationNameEn, m_strStationNameEn),
    TEXT(PrevStation, m_strPrevStation),
    TEXT(PrevStationEn, m_strPrevStationEn),
    TEXT(NextStation, m_strNextStation),
    TEXT(NextStationEn, m_strNextStationEn),
    WORD(Platform, Platform, m_wPlatform),
    COLOUR(LineColor, m_crLineColor),
    FLAG(LineColor2Used, m_bLineColor2),
    COLOUR(LineColor2, m_crLineColor2),
    TEXT(LineName, m_strLineName),
    TEXT(LineNameEn, m_strLineNameEn),
    TEXT(Guide, m_strGuide),
    TEXT(GuideEn, m_strGuideEn),
    FLAG(SubLine, m_bSubLine),
    COLOUR(SubLineColor, m_crSubLineColor),
    FLAG(SubLineColor2Used, m_bSubLineColor2),
    COLOUR(SubLineColor2, m_crSubLineColor2),
    TEXT(SubLineName, m_strSubLineName),
    TEXT(SubLineNameEn, m_strSubLineNameEn),
    TEXT(SubGuide, m_strSubGuide),
    TEXT(SubGuideEn, m_strSubGuideEn),
    TEXT(GuideMessage, m_strGuideMessage),
    COLOUR(Unlit, m_crUnlit),
    COLOUR(Lit, m_crLit),
    WORD(DateChangeTime, Time, m_wDateChangeTime),
    WORD(DisplayStartTime, Time, m_wDisplayStartTime),
};

#undef TEXT
#undef COLOUR
#undef FLAG
#undef WORD

const FieldInfo& Info(DocField field)
{
    const FieldInfo& info = kFields[static_cast<int>(field)];
    Q_ASSERT(info.field == field);
    return info;
}

constexpr int kLastMinuteOfDay = 24 * 60 - 1;
constexpr int kMaxPlatform = 99;

} // namespace

FieldKind KindOf(DocField field)
{
    return Info(field).kind;
}

const char* MemberName(DocField field)
{
    return Info(field).name;
}

FieldValue ReadField(const CQLMDoc& doc, DocField field)
{
    FieldValue value;
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), TextMember>)
                value.text = doc.*member;
            else
                value.number = doc.*member;
        },
        Info(field).member);
    return value;
}

void WriteField(CQLMDoc& doc, DocField field, const FieldValue& value)
{
    std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, TextMember>)
                doc.*member = value.text;
            else if constexpr (std::is_same_v<Member, WordMember>)
                doc.*member = static_cast<quint16>(value.number);
            else
                doc.*member = value.number;
        },
        Info(field).member);
}

const FieldValue& PageValues::operator[](DocField field) const
{
    const auto at = std::find(fields.begin(), fields.end(), field);
    Q_ASSERT(at != fields.end());
    return values[static_cast<size_t>(at - fields.begin())];
}

FieldValue& PageValues::operator[](DocField field)
{
    return const_cast<FieldValue&>(std::as_const(*this)[field]);
}

PageValues FillPage(const CQLMDoc& doc, std::span<const DocField> fields)
{
    PageValues page;
    page.fields.assign(fields.begin(), fields.end());
    for (DocField field : fields)
        page.values.push_back(ReadField(doc, field));
    return page;
}

void ApplyPage(const PageValues& page, CQLMDoc& doc)
{
    for (size_t i = 0; i < page.fields.size(); ++i)
        WriteField(doc, page.fields[i], page.values[i]);
}

TakenText TakeText(const QByteArray& original, const QString& shown, const QString& now,
                   qsizetype maxBytes)
{
    TakenText taken;
    if (now == shown) {
        taken.bytes = original;
        return taken;
    }
    QString bad;
    std::optional<QByteArray> bytes = Sjis::Encode(now, &bad);
    if (!bytes) {
        taken.refusal = UnencodableMessage(bad);
        return taken;
    }
    if (bytes->size() > maxBytes) {
        taken.refusal = QStringLiteral("%1ﾊﾞｲﾄを超える文字列は保存できません").arg(maxBytes);
        return taken;
    }
    taken.bytes = std::move(*bytes);
    return taken;
}

QString UnencodableMessage(const QString& character)
{
    return QStringLiteral("「%1」は保存できない文字です").arg(character);
}

ShownTime ShowTime(qint64 minutes)
{
    const qint64 clamped = std::clamp<qint64>(minutes, 0, kLastMinuteOfDay);
    return {static_cast<int>(clamped / 60), static_cast<int>(clamped % 60)};
}

qint64 TakeTime(qint64 original, ShownTime shown, ShownTime now)
{
    if (now == shown)
        return original;
    return qint64(now.hour) * 60 + now.minute;
}

QString PlatformText(quint16 platform)
{
    return QString::number(std::min<int>(platform, kMaxPlatform));
}

std::optional<quint16> ParsePlatform(const QString& text)
{
    const QString head = text.left(2);
    qsizetype i = 0;
    while (i < head.size() && (head[i] == u' ' || (head[i] >= u'\t' && head[i] <= u'\r')))
        ++i;
    if (i < head.size() && head[i] == u'-')
        return std::nullopt;
    if (i < head.size() && head[i] == u'+')
        ++i;
    int value = 0;
    for (; i < head.size() && head[i] >= u'0' && head[i] <= u'9'; ++i)
        value = value * 10 + (head[i].unicode() - u'0');
    return static_cast<quint16>(value);
}

namespace {

// The file's bytes without trains, types and destinations; nothing when it cannot be written.
std::optional<QByteArray> PropertyBytes(CQLMDoc timetable)
{
    timetable.SetTrainCount(0);
    timetable.SetAssortmentCount(0);
    timetable.SetDestinationCount(0);
    QByteArray bytes;
    if (!timetable.SaveFile(&bytes))
        return std::nullopt;
    return bytes;
}

} // namespace

bool PropertiesDiffer(const CQLMDoc& before, const CQLMDoc& after)
{
    const std::optional<QByteArray> a = PropertyBytes(before);
    const std::optional<QByteArray> b = PropertyBytes(after);
    return !a || !b || *a != *b;
}
