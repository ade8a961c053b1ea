#include "qlmjson.h"

#include "sjis.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonValue>

#include <charconv>

namespace QlmJson {
namespace {

// ---- writing ---------------------------------------------------------------------------------

// Times are minutes; hours are not reduced modulo 24, so 1500 is "25:00".
QString TimeText(quint32 minutes)
{
    return QString::asprintf("%02u:%02u", minutes / 60, minutes % 60);
}

// Control bytes the code page 932 encoder does not give back as they were read (it encodes
// U+001A, U+001C and U+007F as 7F, 1A and 1C), and NUL, which ends a zero-terminated text.
bool HasUnsafeControlByte(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (c == '\0' || c == '\x1A' || c == '\x1C' || c == '\x7F')
            return true;
    return false;
}

// A text is a plain string when its bytes come back unchanged from decode + encode; otherwise
// (invalid bytes, codes with several spellings, some control bytes) the exact bytes are kept
// as hex.
QJsonValue TextValue(const QByteArray& bytes)
{
    if (!HasUnsafeControlByte(bytes) && Sjis::RoundTrips(bytes))
        return Sjis::Decode(bytes);
    return QJsonObject{{QStringLiteral("sjisHex"), QString::fromLatin1(bytes.toHex())}};
}

// Colours are 0x00BBGGRR. The usual ones read as "#RRGGBB"; a value with a non-zero high byte
// is kept whole as "0xAABBGGRR".
QJsonValue ColorValue(quint32 cr)
{
    if ((cr >> 24) == 0)
        return QString::asprintf("#%02X%02X%02X", cr & 0xFF, (cr >> 8) & 0xFF, (cr >> 16) & 0xFF);
    return QString::asprintf("0x%08X", cr);
}

// Guide message times are signed 32-bit: "HH:MM" within one day, a plain number otherwise.
QJsonValue GuideTimeValue(qint32 minutes)
{
    if (minutes >= 0 && minutes < 24 * 60)
        return TimeText(static_cast<quint32>(minutes));
    return minutes;
}

// The suffix letter reads as a one-letter string, no suffix as "", anything else as a number.
QJsonValue SuffixValue(quint8 ch)
{
    if (ch == 0)
        return QString();
    if (ch >= 0x20 && ch < 0x7F)
        return QString(QChar(ch));
    return ch;
}

QJsonArray LayoutValue(const PanelLayout& layout)
{
    QJsonArray parts;
    for (const PANELPART& part : layout)
        parts.append(QJsonObject{{QStringLiteral("wColumn"), part.wColumn},
                                 {QStringLiteral("wSpan"), part.wSpan},
                                 {QStringLiteral("wAlign"), part.wAlign}});
    return parts;
}

QJsonObject TrainTypeValue(const tagTRAINASSORTMENT& type)
{
    return QJsonObject{{QStringLiteral("strName"), TextValue(type.strName)},
                       {QStringLiteral("strNameSub"), TextValue(type.strNameSub)},
                       {QStringLiteral("bDefaultColor"), qint64(type.bDefaultColor)},
                       {QStringLiteral("bLightBackground"), qint64(type.bLightBackground)},
                       {QStringLiteral("crBack"), ColorValue(type.crBack)},
                       {QStringLiteral("crText"), ColorValue(type.crText)},
                       {QStringLiteral("bCustomLayout"), qint64(type.bCustomLayout)},
                       {QStringLiteral("layoutMain"), LayoutValue(type.layoutMain)},
                       {QStringLiteral("layoutSub"), LayoutValue(type.layoutSub)}};
}

QJsonObject TrainValue(const tagTRAININFO& train)
{
    return QJsonObject{{QStringLiteral("wTrainNo"), train.wTrainNo},
                       {QStringLiteral("chTrainSuffix"), SuffixValue(train.chTrainSuffix)},
                       {QStringLiteral("wAssortment"), train.wAssortment},
                       {QStringLiteral("strName"), TextValue(train.strName)},
                       {QStringLiteral("strNameEn"), TextValue(train.strNameEn)},
                       {QStringLiteral("wTime"), TimeText(train.wTime)},
                       {QStringLiteral("wReserved"), train.wReserved},
                       {QStringLiteral("wDestination"), train.wDestination},
                       {QStringLiteral("wPlatform"), train.wPlatform},
                       {QStringLiteral("strGuide"), TextValue(train.strGuide)},
                       {QStringLiteral("strNote"), TextValue(train.strNote)}};
}

} // namespace

QJsonObject ToJson(const CQLMDoc& doc)
{
    QJsonObject o;
    o.insert(u"m_strStationId", TextValue(doc.m_strStationId));
    o.insert(u"m_strStationName", TextValue(doc.m_strStationName));
    o.insert(u"m_strStationNameEn", TextValue(doc.m_strStationNameEn));
    o.insert(u"m_strPrevStation", TextValue(doc.m_strPrevStation));
    o.insert(u"m_strPrevStationEn", TextValue(doc.m_strPrevStationEn));
    o.insert(u"m_strNextStation", TextValue(doc.m_strNextStation));
    o.insert(u"m_strNextStationEn", TextValue(doc.m_strNextStationEn));
    o.insert(u"m_wPlatform", doc.m_wPlatform);
    o.insert(u"m_crLineColor", ColorValue(doc.m_crLineColor));
    o.insert(u"m_bLineColor2", qint64(doc.m_bLineColor2));
    o.insert(u"m_crLineColor2", ColorValue(doc.m_crLineColor2));
    o.insert(u"m_strLineName", TextValue(doc.m_strLineName));
    o.insert(u"m_strLineNameEn", TextValue(doc.m_strLineNameEn));
    o.insert(u"m_strGuide", TextValue(doc.m_strGuide));
    o.insert(u"m_strGuideEn", TextValue(doc.m_strGuideEn));
    o.insert(u"m_bSubLine", qint64(doc.m_bSubLine));
    o.insert(u"m_crSubLineColor", ColorValue(doc.m_crSubLineColor));
    o.insert(u"m_bSubLineColor2", qint64(doc.m_bSubLineColor2));
    o.insert(u"m_crSubLineColor2", ColorValue(doc.m_crSubLineColor2));
    o.insert(u"m_strSubLineName", TextValue(doc.m_strSubLineName));
    o.insert(u"m_strSubLineNameEn", TextValue(doc.m_strSubLineNameEn));
    o.insert(u"m_strSubGuide", TextValue(doc.m_strSubGuide));
    o.insert(u"m_strSubGuideEn", TextValue(doc.m_strSubGuideEn));
    o.insert(u"m_strGuideMessage", TextValue(doc.m_strGuideMessage));

    QJsonArray messages;
    for (const GUIDEMESSAGE& m : doc.m_GuideMessage.Items())
        messages.append(QJsonObject{{QStringLiteral("nStartTime"), GuideTimeValue(m.nStartTime)},
                                    {QStringLiteral("nEndTime"), GuideTimeValue(m.nEndTime)},
                                    {QStringLiteral("bExclusive"), qint64(m.bExclusive)},
                                    {QStringLiteral("strMessage"), TextValue(m.strMessage)}});
    o.insert(u"m_GuideMessage", messages);

    o.insert(u"m_LayoutMain", LayoutValue(doc.m_LayoutMain));
    o.insert(u"m_LayoutSub", LayoutValue(doc.m_LayoutSub));
    o.insert(u"m_crUnlit", ColorValue(doc.m_crUnlit));
    o.insert(u"m_crLit", ColorValue(doc.m_crLit));
    o.insert(u"m_wDateChangeTime", TimeText(doc.m_wDateChangeTime));
    o.insert(u"m_wDisplayStartTime", TimeText(doc.m_wDisplayStartTime));

    QJsonArray types;
    for (const tagTRAINASSORTMENT& t : doc.m_TrainAssortment.Items())
        types.append(TrainTypeValue(t));
    o.insert(u"m_TrainAssortment", types);

    QJsonArray destinations;
    for (const DESTINATION& d : doc.m_Destination.Items())
        destinations.append(QJsonObject{{QStringLiteral("strName"), TextValue(d.strName)},
                                        {QStringLiteral("strNameEn"), TextValue(d.strNameEn)}});
    o.insert(u"m_Destination", destinations);

    QJsonArray trains;
    for (const tagTRAININFO& t : doc.m_TrainInfo.Items())
        trains.append(TrainValue(t));
    o.insert(u"m_TrainInfo", trains);

    QJsonArray blocks;
    for (const EXTDATA& b : doc.m_ExtData.Items())
        blocks.append(QJsonObject{{QStringLiteral("szName"), TextValue(b.Name())},
                                  {QStringLiteral("hData"), QString::fromLatin1(b.hData.toHex())}});
    o.insert(u"m_ExtData", blocks);

    QJsonArray keys;
    for (const EXTKEY& k : doc.m_ExtKey)
        keys.append(QJsonObject{{QStringLiteral("szKey"), TextValue(k.Key())},
                                {QStringLiteral("strValue"), TextValue(k.strValue)}});
    o.insert(u"m_ExtKey", keys);
    return o;
}

namespace {

// The text form, written straight from the timetable: the same values as ToJson, with the
// fields of each record in member order.
class TextWriter
{
public:
    QByteArray m_out;

    void Raw(const char* s) { m_out.append(s); }
    void Raw(char c) { m_out.append(c); }
    // A field inside a record: lead is what comes before the name's closing quote, such as
    // "{\"wTrainNo" or ",\"wTime".
    void Key(const char* lead)
    {
        m_out.append(lead);
        m_out.append("\":", 2);
    }

    void Number(qint64 v)
    {
        char buffer[24];
        const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
        m_out.append(buffer, r.ptr - buffer);
    }

    void Time(quint32 minutes)
    {
        m_out.append('"');
        const quint32 hours = minutes / 60;
        if (hours < 10)
            m_out.append('0');
        Number(hours);
        m_out.append(':');
        m_out.append(char('0' + minutes % 60 / 10));
        m_out.append(char('0' + minutes % 10));
        m_out.append('"');
    }

    void GuideTime(qint32 minutes)
    {
        if (minutes >= 0 && minutes < 24 * 60)
            Time(static_cast<quint32>(minutes));
        else
            Number(minutes);
    }

    void Color(quint32 cr)
    {
        static const char kHex[] = "0123456789ABCDEF";
        char buffer[12];
        qsizetype n = 0;
        buffer[n++] = '"';
        if ((cr >> 24) == 0) {
            buffer[n++] = '#';
            for (const quint32 channel : {cr & 0xFF, (cr >> 8) & 0xFF, (cr >> 16) & 0xFF}) {
                buffer[n++] = kHex[channel >> 4];
                buffer[n++] = kHex[channel & 0xF];
            }
        } else {
            buffer[n++] = '0';
            buffer[n++] = 'x';
            for (int shift = 28; shift >= 0; shift -= 4)
                buffer[n++] = kHex[(cr >> shift) & 0xF];
        }
        buffer[n++] = '"';
        m_out.append(buffer, n);
    }

    void Suffix(quint8 ch)
    {
        if (ch == 0) {
            m_out.append("\"\"", 2);
        } else if (ch >= 0x20 && ch < 0x7F) {
            const char c = static_cast<char>(ch);
            String(QByteArrayView(&c, 1));
        } else {
            Number(ch);
        }
    }

    // UTF-8 as a JSON string: quote and backslash escaped, control characters as \u00XX.
    void String(QByteArrayView utf8)
    {
        m_out.append('"');
        for (const char c : utf8) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                m_out.append('\\');
                m_out.append(c);
            } else if (u < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                const char escape[] = {'\\', 'u', '0', '0', kHex[u >> 4], kHex[u & 0xF]};
                m_out.append(escape, 6);
            } else {
                m_out.append(c);
            }
        }
        m_out.append('"');
    }

    // A text as TextValue gives it. The same few names and notes recur on thousands of trains,
    // so each distinct text is converted once.
    void Text(const QByteArray& bytes)
    {
        if (bytes.isEmpty()) {
            m_out.append("\"\"", 2);
            return;
        }
        if (const auto it = m_texts.constFind(bytes); it != m_texts.constEnd()) {
            m_out.append(*it);
            return;
        }
        const qsizetype start = m_out.size();
        if (!HasUnsafeControlByte(bytes) && Sjis::RoundTrips(bytes)) {
            String(Sjis::Decode(bytes).toUtf8());
        } else {
            m_out.append("{\"sjisHex\":");
            String(bytes.toHex());
            m_out.append('}');
        }
        constexpr qsizetype kMaxCached = 4096;
        if (bytes.size() <= 256) {
            if (m_texts.size() >= kMaxCached)
                m_texts.clear();
            m_texts.insert(bytes, m_out.sliced(start));
        }
    }

    void Part(const PANELPART& part)
    {
        Key("{\"wColumn");
        Number(part.wColumn);
        Key(",\"wSpan");
        Number(part.wSpan);
        Key(",\"wAlign");
        Number(part.wAlign);
        m_out.append('}');
    }

    void Layout(const PanelLayout& layout)
    {
        m_out.append('[');
        for (size_t i = 0; i < layout.size(); ++i) {
            if (i > 0)
                m_out.append(',');
            Part(layout[i]);
        }
        m_out.append(']');
    }

    // A top-level field: one line, or one line per entry for a non-empty list.
    void Field(const char* name)
    {
        m_out.append("    \"");
        m_out.append(name);
        m_out.append("\": ", 3);
    }
    template <typename Items, typename Entry> void List(const Items& items, Entry entry)
    {
        if (items.empty()) {
            m_out.append("[]", 2);
            return;
        }
        m_out.append("[\n", 2);
        const qsizetype n = qsizetype(items.size());
        for (qsizetype i = 0; i < n; ++i) {
            m_out.append("        ", 8);
            entry(items[i]);
            m_out.append(i + 1 < n ? ",\n" : "\n");
        }
        m_out.append("    ]", 5);
    }

private:
    QHash<QByteArray, QByteArray> m_texts;
};

} // namespace

// One line per top-level field and per list entry, fields in member order: readable, and
// friendly to diff and grep.
QByteArray ToJsonText(const CQLMDoc& doc)
{
    TextWriter w;
    w.m_out.reserve(qsizetype(doc.m_TrainInfo.m_nSize) * 256 + 16384);
    w.Raw("{\n");
    const auto text = [&w](const char* name, const QByteArray& value) {
        w.Field(name);
        w.Text(value);
        w.Raw(",\n");
    };
    const auto number = [&w](const char* name, qint64 value) {
        w.Field(name);
        w.Number(value);
        w.Raw(",\n");
    };
    const auto color = [&w](const char* name, quint32 value) {
        w.Field(name);
        w.Color(value);
        w.Raw(",\n");
    };
    text("m_strStationId", doc.m_strStationId);
    text("m_strStationName", doc.m_strStationName);
    text("m_strStationNameEn", doc.m_strStationNameEn);
    text("m_strPrevStation", doc.m_strPrevStation);
    text("m_strPrevStationEn", doc.m_strPrevStationEn);
    text("m_strNextStation", doc.m_strNextStation);
    text("m_strNextStationEn", doc.m_strNextStationEn);
    number("m_wPlatform", doc.m_wPlatform);
    color("m_crLineColor", doc.m_crLineColor);
    number("m_bLineColor2", doc.m_bLineColor2);
    color("m_crLineColor2", doc.m_crLineColor2);
    text("m_strLineName", doc.m_strLineName);
    text("m_strLineNameEn", doc.m_strLineNameEn);
    text("m_strGuide", doc.m_strGuide);
    text("m_strGuideEn", doc.m_strGuideEn);
    number("m_bSubLine", doc.m_bSubLine);
    color("m_crSubLineColor", doc.m_crSubLineColor);
    number("m_bSubLineColor2", doc.m_bSubLineColor2);
    color("m_crSubLineColor2", doc.m_crSubLineColor2);
    text("m_strSubLineName", doc.m_strSubLineName);
    text("m_strSubLineNameEn", doc.m_strSubLineNameEn);
    text("m_strSubGuide", doc.m_strSubGuide);
    text("m_strSubGuideEn", doc.m_strSubGuideEn);
    text("m_strGuideMessage", doc.m_strGuideMessage);

    w.Field("m_GuideMessage");
    w.List(doc.m_GuideMessage.Items(), [&w](const GUIDEMESSAGE& m) {
        w.Key("{\"nStartTime");
        w.GuideTime(m.nStartTime);
        w.Key(",\"nEndTime");
        w.GuideTime(m.nEndTime);
        w.Key(",\"bExclusive");
        w.Number(m.bExclusive);
        w.Key(",\"strMessage");
        w.Text(m.strMessage);
        w.Raw('}');
    });
    w.Raw(",\n");
    w.Field("m_LayoutMain");
    w.List(doc.m_LayoutMain, [&w](const PANELPART& part) { w.Part(part); });
    w.Raw(",\n");
    w.Field("m_LayoutSub");
    w.List(doc.m_LayoutSub, [&w](const PANELPART& part) { w.Part(part); });
    w.Raw(",\n");
    color("m_crUnlit", doc.m_crUnlit);
    color("m_crLit", doc.m_crLit);
    w.Field("m_wDateChangeTime");
    w.Time(doc.m_wDateChangeTime);
    w.Raw(",\n");
    w.Field("m_wDisplayStartTime");
    w.Time(doc.m_wDisplayStartTime);
    w.Raw(",\n");

    w.Field("m_TrainAssortment");
    w.List(doc.m_TrainAssortment.Items(), [&w](const tagTRAINASSORTMENT& t) {
        w.Key("{\"strName");
        w.Text(t.strName);
        w.Key(",\"strNameSub");
        w.Text(t.strNameSub);
        w.Key(",\"bDefaultColor");
        w.Number(t.bDefaultColor);
        w.Key(",\"bLightBackground");
        w.Number(t.bLightBackground);
        w.Key(",\"crBack");
        w.Color(t.crBack);
        w.Key(",\"crText");
        w.Color(t.crText);
        w.Key(",\"bCustomLayout");
        w.Number(t.bCustomLayout);
        w.Key(",\"layoutMain");
        w.Layout(t.layoutMain);
        w.Key(",\"layoutSub");
        w.Layout(t.layoutSub);
        w.Raw('}');
    });
    w.Raw(",\n");
    w.Field("m_Destination");
    w.List(doc.m_Destination.Items(), [&w](const DESTINATION& d) {
        w.Key("{\"strName");
        w.Text(d.strName);
        w.Key(",\"strNameEn");
        w.Text(d.strNameEn);
        w.Raw('}');
    });
    w.Raw(",\n");
    w.Field("m_TrainInfo");
    w.List(doc.m_TrainInfo.Items(), [&w](const tagTRAININFO& t) {
        w.Key("{\"wTrainNo");
        w.Number(t.wTrainNo);
        w.Key(",\"chTrainSuffix");
        w.Suffix(t.chTrainSuffix);
        w.Key(",\"wAssortment");
        w.Number(t.wAssortment);
        w.Key(",\"strName");
        w.Text(t.strName);
        w.Key(",\"strNameEn");
        w.Text(t.strNameEn);
        w.Key(",\"wTime");
        w.Time(t.wTime);
        w.Key(",\"wReserved");
        w.Number(t.wReserved);
        w.Key(",\"wDestination");
        w.Number(t.wDestination);
        w.Key(",\"wPlatform");
        w.Number(t.wPlatform);
        w.Key(",\"strGuide");
        w.Text(t.strGuide);
        w.Key(",\"strNote");
        w.Text(t.strNote);
        w.Raw('}');
    });
    w.Raw(",\n");
    w.Field("m_ExtData");
    w.List(doc.m_ExtData.Items(), [&w](const EXTDATA& b) {
        w.Key("{\"szName");
        w.Text(b.Name());
        w.Key(",\"hData");
        w.String(b.hData.toHex());
        w.Raw('}');
    });
    w.Raw(",\n");
    w.Field("m_ExtKey");
    w.List(doc.m_ExtKey, [&w](const EXTKEY& k) {
        w.Key("{\"szKey");
        w.Text(k.Key());
        w.Key(",\"strValue");
        w.Text(k.strValue);
        w.Raw('}');
    });
    w.Raw("\n}\n");
    return std::move(w.m_out);
}

} // namespace QlmJson
