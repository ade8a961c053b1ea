#include "qlmjson.h"

#include "sjis.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <span>

namespace QlmJson {
namespace {

// The top-level fields in the order of the CQLMDoc members; the text form keeps this order.
constexpr const char* kTopLevelFields[] = {
    "m_strStationId", "m_strStationName", "m_strStationNameEn", "m_strPrevStation",
    "m_strPrevStationEn", "m_strNextStation", "m_strNextStationEn", "m_wPlatform",
    "m_crLineColor", "m_bLineColor2", "m_crLineColor2", "m_strLineName", "m_strLineNameEn",
    "m_strGuide", "m_strGuideEn", "m_bSubLine", "m_crSubLineColor", "m_bSubLineColor2",
    "m_crSubLineColor2", "m_strSubLineName", "m_strSubLineNameEn", "m_strSubGuide",
    "m_strSubGuideEn", "m_strGuideMessage", "m_GuideMessage", "m_LayoutMain", "m_LayoutSub",
    "m_crUnlit", "m_crLit", "m_wDateChangeTime", "m_wDisplayStartTime", "m_TrainAssortment",
    "m_Destination", "m_TrainInfo", "m_ExtData", "m_ExtKey"};

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

// ---- reading ---------------------------------------------------------------------------------

// Where a value sits in the document. Built on the stack while reading and spelled out only
// when a message needs it: "m_TrainInfo[3].wTime".
struct Where
{
    const Where* parent = nullptr;
    const char* name = nullptr; // a field name, or nullptr for an array element
    qsizetype index = 0;        // lists count from 1, as everywhere in the program; layouts from 0

    // The root (no parent, no name) is the document itself and has an empty path.
    QString Path() const
    {
        if (!parent && !name)
            return QString();
        QString path = parent ? parent->Path() : QString();
        if (name) {
            if (!path.isEmpty())
                path += u'.';
            path += QLatin1StringView(name);
        } else {
            path += u'[' + QString::number(index) + u']';
        }
        return path;
    }
};

constexpr double kU16Max = 65535;
constexpr double kU32Max = 4294967295.0;
constexpr double kI32Min = std::numeric_limits<qint32>::min();
constexpr double kI32Max = std::numeric_limits<qint32>::max();

bool IsWholeNumberIn(const QJsonValue& v, double lo, double hi, double* out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < lo || d > hi)
        return false;
    *out = d;
    return true;
}

// "H:MM" with any number of hour digits and minutes 00..59, as minutes.
bool ParseTime(const QString& text, double* minutes)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || colon > 10 || text.size() != colon + 3)
        return false;
    double hours = 0;
    for (qsizetype i = 0; i < colon; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        hours = hours * 10 + (text[i].unicode() - '0');
    }
    const QChar m1 = text[colon + 1], m2 = text[colon + 2];
    if (m1 < u'0' || m1 > u'5' || m2 < u'0' || m2 > u'9')
        return false;
    *minutes = hours * 60 + (m1.unicode() - '0') * 10 + (m2.unicode() - '0');
    return true;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

class Reader
{
public:
    QString m_error;

    bool Fail(const Where& w, const QString& what)
    {
        const QString path = w.Path();
        m_error = (path.isEmpty() ? QStringLiteral("top level") : path) + QStringLiteral(": ") + what;
        return false;
    }

    // v must be an object holding exactly the given fields.
    bool Fields(const QJsonValue& v, const Where& w, std::span<const char* const> names,
                QJsonObject* o)
    {
        if (!v.isObject())
            return Fail(w, QStringLiteral("expected an object"));
        *o = v.toObject();
        for (auto it = o->constBegin(); it != o->constEnd(); ++it) {
            bool known = false;
            for (const char* name : names)
                known = known || it.key() == QLatin1StringView(name);
            if (!known) {
                const QByteArray key = it.key().toUtf8();
                return Fail(Where{&w, key.constData()}, QStringLiteral("unknown field"));
            }
        }
        for (const char* name : names)
            if (!o->contains(QLatin1StringView(name)))
                return Fail(Where{&w, name}, QStringLiteral("missing"));
        return true;
    }

    bool Fields(const QJsonValue& v, const Where& w, std::initializer_list<const char*> names,
                QJsonObject* o)
    {
        return Fields(v, w, std::span<const char* const>(names.begin(), names.size()), o);
    }

    bool Array(const QJsonObject& o, const Where& parent, const char* name, qsizetype maxCount,
               QJsonArray* a)
    {
        const Where w{&parent, name};
        const QJsonValue v = o.value(QLatin1StringView(name));
        if (!v.isArray())
            return Fail(w, QStringLiteral("expected an array"));
        *a = v.toArray();
        if (a->size() > maxCount)
            return Fail(w, QStringLiteral("%1 entries, at most %2").arg(a->size()).arg(maxCount));
        return true;
    }

    bool U16(const QJsonObject& o, const Where& parent, const char* name, quint16* out)
    {
        double d;
        if (!IsWholeNumberIn(o.value(QLatin1StringView(name)), 0, kU16Max, &d))
            return Fail(Where{&parent, name}, QStringLiteral("expected a number 0..65535"));
        *out = static_cast<quint16>(d);
        return true;
    }

    // Flags are 32-bit and kept whatever they hold; true and false are accepted as 1 and 0.
    bool Flag(const QJsonObject& o, const Where& parent, const char* name, quint32* out)
    {
        const QJsonValue v = o.value(QLatin1StringView(name));
        double d;
        if (v.isBool())
            d = v.toBool() ? 1 : 0;
        else if (!IsWholeNumberIn(v, 0, kU32Max, &d))
            return Fail(Where{&parent, name}, QStringLiteral("expected a number 0..4294967295"));
        *out = static_cast<quint32>(d);
        return true;
    }

    bool Time(const QJsonObject& o, const Where& parent, const char* name, quint16* out)
    {
        const QJsonValue v = o.value(QLatin1StringView(name));
        double d;
        const bool ok = v.isString() ? ParseTime(v.toString(), &d) && d <= kU16Max
                                     : IsWholeNumberIn(v, 0, kU16Max, &d);
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"HH:MM\" or a number 0..65535"));
        *out = static_cast<quint16>(d);
        return true;
    }

    bool GuideTime(const QJsonObject& o, const Where& parent, const char* name, qint32* out)
    {
        const QJsonValue v = o.value(QLatin1StringView(name));
        double d;
        const bool ok = v.isString() ? ParseTime(v.toString(), &d) && d <= kI32Max
                                     : IsWholeNumberIn(v, kI32Min, kI32Max, &d);
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"HH:MM\" or a number -2147483648..2147483647"));
        *out = static_cast<qint32>(d);
        return true;
    }

    bool Color(const QJsonObject& o, const Where& parent, const char* name, quint32* out)
    {
        const QJsonValue v = o.value(QLatin1StringView(name));
        double d;
        if (IsWholeNumberIn(v, 0, kU32Max, &d)) {
            *out = static_cast<quint32>(d);
            return true;
        }
        const QString s = v.toString();
        quint32 value = 0;
        bool ok = false;
        if (s.size() == 7 && s[0] == u'#') {
            ok = true;
            for (qsizetype i = 1; i < 7; ++i)
                ok = ok && HexDigit(s[i]) >= 0;
            if (ok) {
                const quint32 rgb = s.mid(1).toUInt(nullptr, 16);
                value = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
            }
        } else if (s.size() >= 3 && s.size() <= 10 && s.startsWith(QLatin1StringView("0x"))) {
            ok = true;
            for (qsizetype i = 2; i < s.size(); ++i)
                ok = ok && HexDigit(s[i]) >= 0;
            if (ok)
                value = s.mid(2).toUInt(nullptr, 16);
        }
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"#RRGGBB\", \"0xAABBGGRR\" or a number "
                                       "0..4294967295"));
        *out = value;
        return true;
    }

    bool Suffix(const QJsonObject& o, const Where& parent, const char* name, quint8* out)
    {
        const QJsonValue v = o.value(QLatin1StringView(name));
        double d;
        if (IsWholeNumberIn(v, 0, 255, &d)) {
            *out = static_cast<quint8>(d);
            return true;
        }
        const QString s = v.toString();
        if (v.isString() && s.isEmpty()) {
            *out = 0;
            return true;
        }
        if (v.isString() && s.size() == 1 && s[0].unicode() < 0x80) {
            *out = static_cast<quint8>(s[0].unicode());
            return true;
        }
        return Fail(Where{&parent, name},
                    QStringLiteral("expected one ASCII letter, \"\" or a number 0..255"));
    }

    // Hex digits, either case; white space between them is ignored.
    bool Hex(const QJsonValue& v, const Where& w, QByteArray* out)
    {
        if (!v.isString())
            return Fail(w, QStringLiteral("expected a string of hex digits"));
        const QString s = v.toString();
        out->clear();
        out->reserve(s.size() / 2);
        int high = -1;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i].isSpace())
                continue;
            const int digit = HexDigit(s[i]);
            if (digit < 0)
                return Fail(w, QStringLiteral("bad hex digit '%1' at position %2")
                                   .arg(s[i])
                                   .arg(i));
            if (high < 0) {
                high = digit;
            } else {
                out->append(static_cast<char>(high << 4 | digit));
                high = -1;
            }
        }
        if (high >= 0)
            return Fail(w, QStringLiteral("odd number of hex digits"));
        return true;
    }

    enum class TextKind { Counted, ZString };

    // A string (stored as its Shift-JIS bytes) or {"sjisHex": "..."} (the bytes themselves).
    // Counted texts hold at most 65535 bytes; zero-terminated ones no NUL and at most maxBytes.
    bool Text(const QJsonObject& o, const Where& parent, const char* name, QByteArray* out,
              TextKind kind = TextKind::Counted, qsizetype maxBytes = kMaxFileString)
    {
        const Where w{&parent, name};
        const QJsonValue v = o.value(QLatin1StringView(name));
        if (v.isString()) {
            QString bad;
            std::optional<QByteArray> bytes = Sjis::Encode(v.toString(), &bad);
            if (!bytes) {
                QString code;
                for (const QChar c : bad)
                    code += QString::asprintf("U+%04X", c.unicode());
                if (bad.size() == 2 && bad[0].isHighSurrogate())
                    code = QString::asprintf("U+%04X", QChar::surrogateToUcs4(bad[0], bad[1]));
                return Fail(w, QStringLiteral("character %1 cannot be written in Shift-JIS")
                                   .arg(code));
            }
            *out = std::move(*bytes);
        } else if (v.isObject()) {
            QJsonObject hex;
            if (!Fields(v, w, {"sjisHex"}, &hex) || !Hex(hex.value(u"sjisHex"), Where{&w, "sjisHex"}, out))
                return false;
        } else {
            return Fail(w, QStringLiteral("expected a string or {\"sjisHex\": \"...\"}"));
        }
        if (kind == TextKind::ZString && out->contains('\0'))
            return Fail(w, QStringLiteral("contains a NUL byte"));
        if (out->size() > maxBytes)
            return Fail(w, QStringLiteral("%1 bytes, at most %2").arg(out->size()).arg(maxBytes));
        return true;
    }

    bool Layout(const QJsonObject& o, const Where& parent, const char* name, PanelLayout* out)
    {
        const Where w{&parent, name};
        const QJsonValue v = o.value(QLatin1StringView(name));
        if (!v.isArray() || v.toArray().size() != kPanelPartCount)
            return Fail(w, QStringLiteral("expected an array of 7 entries"));
        const QJsonArray parts = v.toArray();
        for (int i = 0; i < kPanelPartCount; ++i) {
            const Where pw{&w, nullptr, i};
            QJsonObject p;
            PANELPART& part = (*out)[static_cast<size_t>(i)];
            if (!Fields(parts[i], pw, {"wColumn", "wSpan", "wAlign"}, &p) ||
                !U16(p, pw, "wColumn", &part.wColumn) || !U16(p, pw, "wSpan", &part.wSpan) ||
                !U16(p, pw, "wAlign", &part.wAlign))
                return false;
        }
        return true;
    }
};

bool ReadGuideMessages(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_GuideMessage";
    QJsonArray a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetGuideMessageCount(static_cast<quint16>(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        GUIDEMESSAGE& m = doc->m_GuideMessage.ElementAt(i + 1);
        if (!r.Fields(a[i], ew, {"nStartTime", "nEndTime", "bExclusive", "strMessage"}, &e) ||
            !r.GuideTime(e, ew, "nStartTime", &m.nStartTime) ||
            !r.GuideTime(e, ew, "nEndTime", &m.nEndTime) ||
            !r.Flag(e, ew, "bExclusive", &m.bExclusive) || !r.Text(e, ew, "strMessage", &m.strMessage))
            return false;
    }
    return true;
}

bool ReadTrainTypes(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_TrainAssortment";
    QJsonArray a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetAssortmentCount(static_cast<quint16>(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        tagTRAINASSORTMENT& t = doc->m_TrainAssortment.ElementAt(i + 1);
        if (!r.Fields(a[i], ew,
                      {"strName", "strNameSub", "bDefaultColor", "bLightBackground", "crBack",
                       "crText", "bCustomLayout", "layoutMain", "layoutSub"},
                      &e) ||
            !r.Text(e, ew, "strName", &t.strName) || !r.Text(e, ew, "strNameSub", &t.strNameSub) ||
            !r.Flag(e, ew, "bDefaultColor", &t.bDefaultColor) ||
            !r.Flag(e, ew, "bLightBackground", &t.bLightBackground) ||
            !r.Color(e, ew, "crBack", &t.crBack) || !r.Color(e, ew, "crText", &t.crText) ||
            !r.Flag(e, ew, "bCustomLayout", &t.bCustomLayout) ||
            !r.Layout(e, ew, "layoutMain", &t.layoutMain) ||
            !r.Layout(e, ew, "layoutSub", &t.layoutSub))
            return false;
    }
    return true;
}

bool ReadDestinations(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_Destination";
    QJsonArray a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetDestinationCount(static_cast<quint16>(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        DESTINATION& d = doc->m_Destination.ElementAt(i + 1);
        if (!r.Fields(a[i], ew, {"strName", "strNameEn"}, &e) ||
            !r.Text(e, ew, "strName", &d.strName) || !r.Text(e, ew, "strNameEn", &d.strNameEn))
            return false;
    }
    return true;
}

bool ReadTrains(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_TrainInfo";
    QJsonArray a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetTrainCount(static_cast<quint16>(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        tagTRAININFO& t = doc->m_TrainInfo.ElementAt(i + 1);
        if (!r.Fields(a[i], ew,
                      {"wTrainNo", "chTrainSuffix", "wAssortment", "strName", "strNameEn",
                       "wTime", "wReserved", "wDestination", "wPlatform", "strGuide", "strNote"},
                      &e) ||
            !r.U16(e, ew, "wTrainNo", &t.wTrainNo) ||
            !r.Suffix(e, ew, "chTrainSuffix", &t.chTrainSuffix) ||
            !r.U16(e, ew, "wAssortment", &t.wAssortment) || !r.Text(e, ew, "strName", &t.strName) ||
            !r.Text(e, ew, "strNameEn", &t.strNameEn) || !r.Time(e, ew, "wTime", &t.wTime) ||
            !r.U16(e, ew, "wReserved", &t.wReserved) ||
            !r.U16(e, ew, "wDestination", &t.wDestination) ||
            !r.U16(e, ew, "wPlatform", &t.wPlatform) || !r.Text(e, ew, "strGuide", &t.strGuide) ||
            !r.Text(e, ew, "strNote", &t.strNote))
            return false;
    }
    return true;
}

bool ReadExtData(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_ExtData";
    QJsonArray a;
    if (!r.Array(o, top, name, std::numeric_limits<qint32>::max(), &a))
        return false;
    const Where w{&top, name};
    doc->SetExtDataCount(static_cast<qint32>(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        QByteArray blockName, data;
        if (!r.Fields(a[i], ew, {"szName", "hData"}, &e) ||
            !r.Text(e, ew, "szName", &blockName, Reader::TextKind::ZString, 7) ||
            !r.Hex(e.value(u"hData"), Where{&ew, "hData"}, &data))
            return false;
        EXTDATA& block = doc->m_ExtData.ElementAt(i + 1);
        block.SetName(blockName);
        block.SetData(data);
    }
    return true;
}

bool ReadExtKeys(Reader& r, const QJsonObject& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_ExtKey";
    QJsonArray a;
    if (!r.Array(o, top, name, std::numeric_limits<qint32>::max(), &a))
        return false;
    const Where w{&top, name};
    doc->m_ExtKey.RemoveAll();
    doc->m_ExtKey.reserve(a.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Where ew{&w, nullptr, i + 1};
        QJsonObject e;
        QByteArray path;
        EXTKEY key;
        if (!r.Fields(a[i], ew, {"szKey", "strValue"}, &e) ||
            !r.Text(e, ew, "szKey", &path, Reader::TextKind::ZString, 63) ||
            !r.Text(e, ew, "strValue", &key.strValue, Reader::TextKind::ZString,
                    std::numeric_limits<qsizetype>::max()))
            return false;
        key.SetKey(path);
        doc->m_ExtKey.AddTail(key);
    }
    return true;
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

bool FromJson(const QJsonObject& json, CQLMDoc* doc, QString* error)
{
    Reader r;
    const Where top;
    QJsonObject o;
    const bool ok =
        r.Fields(json, top, kTopLevelFields, &o) &&
        r.Text(o, top, "m_strStationId", &doc->m_strStationId) &&
        r.Text(o, top, "m_strStationName", &doc->m_strStationName) &&
        r.Text(o, top, "m_strStationNameEn", &doc->m_strStationNameEn) &&
        r.Text(o, top, "m_strPrevStation", &doc->m_strPrevStation) &&
        r.Text(o, top, "m_strPrevStationEn", &doc->m_strPrevStationEn) &&
        r.Text(o, top, "m_strNextStation", &doc->m_strNextStation) &&
        r.Text(o, top, "m_strNextStationEn", &doc->m_strNextStationEn) &&
        r.U16(o, top, "m_wPlatform", &doc->m_wPlatform) &&
        r.Color(o, top, "m_crLineColor", &doc->m_crLineColor) &&
        r.Flag(o, top, "m_bLineColor2", &doc->m_bLineColor2) &&
        r.Color(o, top, "m_crLineColor2", &doc->m_crLineColor2) &&
        r.Text(o, top, "m_strLineName", &doc->m_strLineName) &&
        r.Text(o, top, "m_strLineNameEn", &doc->m_strLineNameEn) &&
        r.Text(o, top, "m_strGuide", &doc->m_strGuide) &&
        r.Text(o, top, "m_strGuideEn", &doc->m_strGuideEn) &&
        r.Flag(o, top, "m_bSubLine", &doc->m_bSubLine) &&
        r.Color(o, top, "m_crSubLineColor", &doc->m_crSubLineColor) &&
        r.Flag(o, top, "m_bSubLineColor2", &doc->m_bSubLineColor2) &&
        r.Color(o, top, "m_crSubLineColor2", &doc->m_crSubLineColor2) &&
        r.Text(o, top, "m_strSubLineName", &doc->m_strSubLineName) &&
        r.Text(o, top, "m_strSubLineNameEn", &doc->m_strSubLineNameEn) &&
        r.Text(o, top, "m_strSubGuide", &doc->m_strSubGuide) &&
        r.Text(o, top, "m_strSubGuideEn", &doc->m_strSubGuideEn) &&
        r.Text(o, top, "m_strGuideMessage", &doc->m_strGuideMessage) &&
        ReadGuideMessages(r, o, top, doc) && r.Layout(o, top, "m_LayoutMain", &doc->m_LayoutMain) &&
        r.Layout(o, top, "m_LayoutSub", &doc->m_LayoutSub) &&
        r.Color(o, top, "m_crUnlit", &doc->m_crUnlit) && r.Color(o, top, "m_crLit", &doc->m_crLit) &&
        r.Time(o, top, "m_wDateChangeTime", &doc->m_wDateChangeTime) &&
        r.Time(o, top, "m_wDisplayStartTime", &doc->m_wDisplayStartTime) &&
        ReadTrainTypes(r, o, top, doc) && ReadDestinations(r, o, top, doc) &&
        ReadTrains(r, o, top, doc) && ReadExtData(r, o, top, doc) && ReadExtKeys(r, o, top, doc);
    if (!ok && error)
        *error = r.m_error;
    return ok;
}

namespace {

// Field order of the text form: member order within each record. The ranks are global, so
// they must agree between records that share a name (strName, strNameEn).
constexpr const char* kEntryFieldOrder[] = {
    "wTrainNo", "chTrainSuffix", "wAssortment", "strName", "strNameSub", "strNameEn",
    "bDefaultColor", "bLightBackground", "crBack", "crText", "bCustomLayout", "layoutMain",
    "layoutSub", "wTime", "wReserved", "wDestination", "wPlatform", "strGuide", "strNote",
    "nStartTime", "nEndTime", "bExclusive", "strMessage", "wColumn", "wSpan", "wAlign",
    "szName", "hData", "szKey", "strValue", "sjisHex"};

int FieldRank(const QString& key)
{
    for (qsizetype i = 0; i < qsizetype(std::size(kEntryFieldOrder)); ++i)
        if (key == QLatin1StringView(kEntryFieldOrder[i]))
            return int(i);
    return int(std::size(kEntryFieldOrder));
}

void AppendString(QByteArray& out, const QString& s)
{
    out += '"';
    for (const char c : s.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += QByteArray("\\u00") + QByteArray::number(u, 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

// Compact JSON of one value, object fields in member order.
void AppendCompact(QByteArray& out, const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Object: {
        const QJsonObject o = v.toObject();
        QStringList keys = o.keys();
        std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
            return FieldRank(a) < FieldRank(b);
        });
        out += '{';
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendString(out, keys[i]);
            out += ':';
            AppendCompact(out, o.value(keys[i]));
        }
        out += '}';
        break;
    }
    case QJsonValue::Array: {
        const QJsonArray a = v.toArray();
        out += '[';
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendCompact(out, a[i]);
        }
        out += ']';
        break;
    }
    case QJsonValue::String:
        AppendString(out, v.toString());
        break;
    case QJsonValue::Double:
        // Every number of the timetable is an integer within 32 bits.
        out += QByteArray::number(v.toInteger());
        break;
    case QJsonValue::Bool:
        out += v.toBool() ? "true" : "false";
        break;
    default:
        out += "null";
        break;
    }
}

} // namespace

// One line per top-level field and per list entry, fields in member order: readable, and
// friendly to diff and grep.
QByteArray ToJsonText(const CQLMDoc& doc)
{
    const QJsonObject o = ToJson(doc);
    QByteArray text = "{\n";
    text.reserve(qsizetype(doc.m_TrainInfo.m_nSize) * 256 + 16384);
    const qsizetype last = std::size(kTopLevelFields) - 1;
    for (qsizetype f = 0; f <= last; ++f) {
        const char* name = kTopLevelFields[f];
        const QJsonValue v = o.value(QLatin1StringView(name));
        text += "    \"";
        text += name;
        text += "\": ";
        if (v.isArray() && !v.toArray().isEmpty()) {
            const QJsonArray a = v.toArray();
            text += "[\n";
            for (qsizetype i = 0; i < a.size(); ++i) {
                text += "        ";
                AppendCompact(text, a[i]);
                text += i + 1 < a.size() ? ",\n" : "\n";
            }
            text += "    ]";
        } else {
            AppendCompact(text, v);
        }
        text += f < last ? ",\n" : "\n";
    }
    text += "}\n";
    return text;
}

bool FromJsonText(QByteArrayView text, CQLMDoc* doc, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray::fromRawData(text.data(), text.size()), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("JSON syntax error at byte %1: %2")
                         .arg(parseError.offset)
                         .arg(parseError.errorString());
        return false;
    }
    if (!json.isObject()) {
        if (error)
            *error = QStringLiteral("expected a JSON object at the top level");
        return false;
    }
    return FromJson(json.object(), doc, error);
}

} // namespace QlmJson
