// Reading the JSON form. The text is parsed into a JsonTree and walked once; every value is
// checked against the width the file stores it in before it is kept.

#include "jsontree.h"
#include "qlmjson.h"
#include "sjis.h"

#include <QJsonDocument>

#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace QlmJson {
namespace {

using Index = JsonTree::Index;
using Type = JsonTree::Type;

// The top-level fields; the same list as the writer's.
constexpr const char* kFields[] = {"m_strStationId",
                                   "m_strStationName",
                                   "m_strStationNameEn",
                                   "m_strPrevStation",
                                   "m_strPrevStationEn",
                                   "m_strNextStation",
                                   "m_strNextStationEn",
                                   "m_wPlatform",
                                   "m_crLineColor",
                                   "m_bLineColor2",
                                   "m_crLineColor2",
                                   "m_strLineName",
                                   "m_strLineNameEn",
                                   "m_strGuide",
                                   "m_strGuideEn",
                                   "m_bSubLine",
                                   "m_crSubLineColor",
                                   "m_bSubLineColor2",
                                   "m_crSubLineColor2",
                                   "m_strSubLineName",
                                   "m_strSubLineNameEn",
                                   "m_strSubGuide",
                                   "m_strSubGuideEn",
                                   "m_strGuideMessage",
                                   "m_GuideMessage",
                                   "m_LayoutMain",
                                   "m_LayoutSub",
                                   "m_crUnlit",
                                   "m_crLit",
                                   "m_wDateChangeTime",
                                   "m_wDisplayStartTime",
                                   "m_TrainAssortment",
                                   "m_Destination",
                                   "m_TrainInfo",
                                   "m_ExtData",
                                   "m_ExtKey"};

// Where a value sits in the document. Built on the stack while reading and spelled out only
// when a message needs it: "m_TrainInfo[3].wTime".
struct Where
{
    const Where* parent = nullptr;
    const char* name = nullptr; // a field name (UTF-8), or nullptr for an array element
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
            path += QString::fromUtf8(name);
        } else {
            path += u'[' + QString::number(index) + u']';
        }
        return path;
    }
};

// The stored widths.
constexpr double kU8Max = 255;
constexpr double kU16Max = 65535;
constexpr double kU32Max = 4294967295.0;
constexpr double kI32Min = std::numeric_limits<qint32>::min();
constexpr double kI32Max = std::numeric_limits<qint32>::max();

// "H:MM" with any number of hour digits (up to 10) and minutes 00..59, as minutes.
bool ParseTime(std::string_view text, double* minutes)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 1 || colon > 10 || text.size() != colon + 3)
        return false;
    double hours = 0;
    for (size_t i = 0; i < colon; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        hours = hours * 10 + (text[i] - '0');
    }
    const char m1 = text[colon + 1], m2 = text[colon + 2];
    if (m1 < '0' || m1 > '5' || m2 < '0' || m2 > '9')
        return false;
    *minutes = hours * 60 + (m1 - '0') * 10 + (m2 - '0');
    return true;
}

int HexDigit(char32_t c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    return -1;
}

bool IsAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The members of one object, found once for a fixed list of field names.
struct Object
{
    static constexpr size_t kMaxFields = std::size(kFields);
    std::span<const char* const> names;
    std::array<Index, kMaxFields> members{};

    Index Get(const char* name) const
    {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name || std::strcmp(names[i], name) == 0)
                return members[i];
        Q_UNREACHABLE();
        return JsonTree::kNone;
    }
};

struct StringHash
{
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class Reader
{
public:
    explicit Reader(const JsonTree& tree) : t(tree) {}

    const JsonTree& t;
    QString m_error;

    bool Fail(const Where& w, const QString& what)
    {
        const QString path = w.Path();
        m_error =
            (path.isEmpty() ? QStringLiteral("top level") : path) + QStringLiteral(": ") + what;
        return false;
    }

    // v must be an object holding exactly the given fields, each once.
    bool Fields(Index v, const Where& w, std::span<const char* const> names, Object* o)
    {
        if (t.TypeOf(v) != Type::Object)
            return Fail(w, QStringLiteral("expected an object"));
        o->names = names;
        o->members.fill(JsonTree::kNone); // the root is never a member
        for (Index m = t.First(v); m != JsonTree::kNone; m = t.Next(m)) {
            const std::string_view key = t.Key(m, &m_scratch);
            size_t i = 0;
            while (i < names.size() && key != names[i])
                ++i;
            if (i == names.size()) {
                const std::string unknown(key);
                return Fail(Where{&w, unknown.c_str()}, QStringLiteral("unknown field"));
            }
            if (o->members[i] != JsonTree::kNone)
                return Fail(Where{&w, names[i]}, QStringLiteral("given twice"));
            o->members[i] = m;
        }
        for (size_t i = 0; i < names.size(); ++i)
            if (o->members[i] == JsonTree::kNone)
                return Fail(Where{&w, names[i]}, QStringLiteral("missing"));
        return true;
    }

    bool Fields(Index v, const Where& w, std::initializer_list<const char*> names, Object* o)
    {
        return Fields(v, w, std::span<const char* const>(names.begin(), names.size()), o);
    }

    bool WholeNumberIn(Index v, double lo, double hi, double* out) const
    {
        if (t.TypeOf(v) != Type::Number)
            return false;
        const double d = t.Number(v);
        if (d != std::floor(d) || d < lo || d > hi)
            return false;
        *out = d;
        return true;
    }

    bool Array(const Object& o, const Where& parent, const char* name, qsizetype maxCount, Index* a)
    {
        const Where w{&parent, name};
        *a = o.Get(name);
        if (t.TypeOf(*a) != Type::Array)
            return Fail(w, QStringLiteral("expected an array"));
        if (t.Count(*a) > maxCount)
            return Fail(w, QStringLiteral("%1 entries, at most %2").arg(t.Count(*a)).arg(maxCount));
        return true;
    }

    // An unsigned number of up to 16 bits; max is what the file's field holds.
    bool Unsigned(const Object& o, const Where& parent, const char* name, quint16* out,
                  double max = kU16Max)
    {
        double d;
        if (!WholeNumberIn(o.Get(name), 0, max, &d))
            return Fail(Where{&parent, name},
                        QStringLiteral("expected a number 0..%1").arg(qint64(max)));
        *out = static_cast<quint16>(d);
        return true;
    }

    // Flags are 32-bit and kept whatever they hold; true and false are accepted as 1 and 0.
    bool Flag(const Object& o, const Where& parent, const char* name, quint32* out)
    {
        const Index v = o.Get(name);
        double d;
        if (t.TypeOf(v) == Type::True || t.TypeOf(v) == Type::False)
            d = t.TypeOf(v) == Type::True ? 1 : 0;
        else if (!WholeNumberIn(v, 0, kU32Max, &d))
            return Fail(Where{&parent, name}, QStringLiteral("expected a number 0..4294967295"));
        *out = static_cast<quint32>(d);
        return true;
    }

    bool Time(const Object& o, const Where& parent, const char* name, quint16* out)
    {
        const Index v = o.Get(name);
        double d;
        const bool ok = t.TypeOf(v) == Type::String
                            ? ParseTime(t.String(v, &m_scratch), &d) && d <= kU16Max
                            : WholeNumberIn(v, 0, kU16Max, &d);
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"HH:MM\" or a number 0..65535"));
        *out = static_cast<quint16>(d);
        return true;
    }

    bool GuideTime(const Object& o, const Where& parent, const char* name, qint32* out)
    {
        const Index v = o.Get(name);
        double d;
        const bool ok = t.TypeOf(v) == Type::String
                            ? ParseTime(t.String(v, &m_scratch), &d) && d <= kI32Max
                            : WholeNumberIn(v, kI32Min, kI32Max, &d);
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"HH:MM\" or a number -2147483648..2147483647"));
        *out = static_cast<qint32>(d);
        return true;
    }

    bool Color(const Object& o, const Where& parent, const char* name, quint32* out)
    {
        const Index v = o.Get(name);
        double d;
        if (WholeNumberIn(v, 0, kU32Max, &d)) {
            *out = static_cast<quint32>(d);
            return true;
        }
        const std::string_view s =
            t.TypeOf(v) == Type::String ? t.String(v, &m_scratch) : std::string_view();
        quint32 value = 0;
        bool ok = false;
        if (s.size() == 7 && s[0] == '#') {
            ok = true;
            quint32 rgb = 0;
            for (size_t i = 1; i < 7 && ok; ++i) {
                const int digit = HexDigit(char32_t(s[i]));
                ok = digit >= 0;
                rgb = rgb << 4 | quint32(digit);
            }
            value = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        } else if (s.size() >= 3 && s.size() <= 10 && s.substr(0, 2) == "0x") {
            ok = true;
            for (size_t i = 2; i < s.size() && ok; ++i) {
                const int digit = HexDigit(char32_t(s[i]));
                ok = digit >= 0;
                value = value << 4 | quint32(digit);
            }
        }
        if (!ok)
            return Fail(Where{&parent, name},
                        QStringLiteral("expected \"#RRGGBB\", \"0xAABBGGRR\" or a number "
                                       "0..4294967295"));
        *out = value;
        return true;
    }

    bool Suffix(const Object& o, const Where& parent, const char* name, quint8* out)
    {
        const Index v = o.Get(name);
        double d;
        if (WholeNumberIn(v, 0, kU8Max, &d)) {
            *out = static_cast<quint8>(d);
            return true;
        }
        if (t.TypeOf(v) == Type::String) {
            const std::string_view s = t.String(v, &m_scratch);
            if (s.empty()) {
                *out = 0;
                return true;
            }
            if (s.size() == 1 && static_cast<quint8>(s[0]) < 0x80) {
                *out = static_cast<quint8>(s[0]);
                return true;
            }
        }
        return Fail(Where{&parent, name},
                    QStringLiteral("expected one ASCII letter, \"\" or a number 0..255"));
    }

    // Hex digits, either case; white space between them is ignored.
    bool Hex(Index v, const Where& w, QByteArray* out)
    {
        if (t.TypeOf(v) != Type::String)
            return Fail(w, QStringLiteral("expected a string of hex digits"));
        const std::string_view s = t.String(v, &m_scratch);
        out->resize(qsizetype(s.size() / 2));
        char* dst = out->data();
        int high = -1;
        for (const char c : s) {
            if (IsAsciiSpace(c))
                continue;
            const int digit = HexDigit(char32_t(static_cast<quint8>(c)));
            if (digit < 0)
                return BadHexDigit(w, QString::fromUtf8(s.data(), qsizetype(s.size())));
            if (high < 0) {
                high = digit;
            } else {
                *dst++ = static_cast<char>(high << 4 | digit);
                high = -1;
            }
        }
        if (high >= 0)
            return Fail(w, QStringLiteral("odd number of hex digits"));
        out->truncate(dst - out->constData());
        return true;
    }

    bool BadHexDigit(const Where& w, const QString& s)
    {
        for (qsizetype i = 0; i < s.size(); ++i)
            if (!s[i].isSpace() && HexDigit(s[i].unicode()) < 0)
                return Fail(w, QStringLiteral("bad hex digit '") + s[i] +
                                   QStringLiteral("' at position ") + QString::number(i));
        return Fail(w, QStringLiteral("bad hex digit"));
    }

    // A string (stored as its Shift-JIS bytes) or {"sjisHex": "..."} (the bytes themselves).
    // No text may hold a NUL byte: the file's texts end at their first one. Counted texts hold
    // at most 65535 bytes, the names of keys and blocks at most maxBytes.
    bool Text(const Object& o, const Where& parent, const char* name, QByteArray* out,
              qsizetype maxBytes = kMaxFileString)
    {
        const Where w{&parent, name};
        const Index v = o.Get(name);
        if (t.TypeOf(v) == Type::String) {
            if (!Encoded(t.String(v, &m_scratch), w, out))
                return false;
        } else if (t.TypeOf(v) == Type::Object) {
            Object hex;
            if (!Fields(v, w, {"sjisHex"}, &hex) ||
                !Hex(hex.Get("sjisHex"), Where{&w, "sjisHex"}, out))
                return false;
        } else {
            return Fail(w, QStringLiteral("expected a string or {\"sjisHex\": \"...\"}"));
        }
        if (out->contains('\0'))
            return Fail(w, QStringLiteral("contains a NUL byte"));
        if (out->size() > maxBytes)
            return Fail(w, QStringLiteral("%1 bytes, at most %2").arg(out->size()).arg(maxBytes));
        return true;
    }

private:
    // The Shift-JIS bytes of a UTF-8 string. Timetables repeat the same few names and notes
    // thousands of times, so each distinct string is encoded once and its bytes shared.
    bool Encoded(std::string_view utf8, const Where& w, QByteArray* out)
    {
        if (const auto it = m_encoded.find(utf8); it != m_encoded.end()) {
            *out = it->second;
            return true;
        }
        const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        QString bad;
        std::optional<QByteArray> bytes = Sjis::Encode(text, &bad);
        if (!bytes) {
            QString code;
            for (const QChar c : bad)
                code += QString::asprintf("U+%04X", c.unicode());
            if (bad.size() == 2 && bad[0].isHighSurrogate())
                code = QString::asprintf("U+%04X", QChar::surrogateToUcs4(bad[0], bad[1]));
            return Fail(w, QStringLiteral("character ") + code +
                               QStringLiteral(" cannot be written in Shift-JIS"));
        }
        *out = std::move(*bytes);
        constexpr size_t kMaxCached = 4096;
        if (utf8.size() <= 256) {
            if (m_encoded.size() >= kMaxCached)
                m_encoded.clear();
            m_encoded.emplace(std::string(utf8), *out);
        }
        return true;
    }

    std::string m_scratch;
    std::unordered_map<std::string, QByteArray, StringHash, std::equal_to<>> m_encoded;
};

bool Layout(Reader& r, const Object& o, const Where& parent, const char* name, PanelLayout* out)
{
    const Where w{&parent, name};
    const Index v = o.Get(name);
    if (r.t.TypeOf(v) != Type::Array || r.t.Count(v) != kPanelPartCount)
        return r.Fail(w, QStringLiteral("expected an array of 7 entries"));
    Index e = r.t.First(v);
    for (int i = 0; i < kPanelPartCount; ++i, e = r.t.Next(e)) {
        const Where pw{&w, nullptr, i};
        Object p;
        PANELPART& part = (*out)[static_cast<size_t>(i)];
        if (!r.Fields(e, pw, {"wColumn", "wSpan", "wAlign"}, &p) ||
            !r.Unsigned(p, pw, "wColumn", &part.wColumn) ||
            !r.Unsigned(p, pw, "wSpan", &part.wSpan) || !r.Unsigned(p, pw, "wAlign", &part.wAlign))
            return false;
    }
    return true;
}

bool ReadGuideMessages(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_GuideMessage";
    Index a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetGuideMessageCount(static_cast<quint16>(r.t.Count(a)));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        GUIDEMESSAGE& m = doc->m_GuideMessage.ElementAt(i);
        if (!r.Fields(e, ew, {"nStartTime", "nEndTime", "bExclusive", "strMessage"}, &f) ||
            !r.GuideTime(f, ew, "nStartTime", &m.nStartTime) ||
            !r.GuideTime(f, ew, "nEndTime", &m.nEndTime) ||
            !r.Flag(f, ew, "bExclusive", &m.bExclusive) ||
            !r.Text(f, ew, "strMessage", &m.strMessage))
            return false;
    }
    return true;
}

bool ReadTrainTypes(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_TrainAssortment";
    Index a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetAssortmentCount(static_cast<quint16>(r.t.Count(a)));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        tagTRAINASSORTMENT& t = doc->m_TrainAssortment.ElementAt(i);
        if (!r.Fields(e, ew,
                      {"strName", "strNameSub", "bDefaultColor", "bLightBackground", "crBack",
                       "crText", "bCustomLayout", "layoutMain", "layoutSub"},
                      &f) ||
            !r.Text(f, ew, "strName", &t.strName) || !r.Text(f, ew, "strNameSub", &t.strNameSub) ||
            !r.Flag(f, ew, "bDefaultColor", &t.bDefaultColor) ||
            !r.Flag(f, ew, "bLightBackground", &t.bLightBackground) ||
            !r.Color(f, ew, "crBack", &t.crBack) || !r.Color(f, ew, "crText", &t.crText) ||
            !r.Flag(f, ew, "bCustomLayout", &t.bCustomLayout) ||
            !Layout(r, f, ew, "layoutMain", &t.layoutMain) ||
            !Layout(r, f, ew, "layoutSub", &t.layoutSub))
            return false;
    }
    return true;
}

bool ReadDestinations(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_Destination";
    Index a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetDestinationCount(static_cast<quint16>(r.t.Count(a)));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        DESTINATION& d = doc->m_Destination.ElementAt(i);
        if (!r.Fields(e, ew, {"strName", "strNameEn"}, &f) ||
            !r.Text(f, ew, "strName", &d.strName) || !r.Text(f, ew, "strNameEn", &d.strNameEn))
            return false;
    }
    return true;
}

bool ReadTrains(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_TrainInfo";
    Index a;
    if (!r.Array(o, top, name, kMaxCollection, &a))
        return false;
    const Where w{&top, name};
    doc->SetTrainCount(static_cast<quint16>(r.t.Count(a)));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        tagTRAININFO& t = doc->m_TrainInfo.ElementAt(i);
        if (!r.Fields(e, ew,
                      {"wTrainNo", "chTrainSuffix", "wAssortment", "strName", "strNameEn", "wTime",
                       "wReserved", "wDestination", "wPlatform", "strGuide", "strNote"},
                      &f) ||
            !r.Unsigned(f, ew, "wTrainNo", &t.wTrainNo) ||
            !r.Suffix(f, ew, "chTrainSuffix", &t.chTrainSuffix) ||
            !r.Unsigned(f, ew, "wAssortment", &t.wAssortment) ||
            !r.Text(f, ew, "strName", &t.strName) || !r.Text(f, ew, "strNameEn", &t.strNameEn) ||
            !r.Time(f, ew, "wTime", &t.wTime) || !r.Unsigned(f, ew, "wReserved", &t.wReserved) ||
            !r.Unsigned(f, ew, "wDestination", &t.wDestination) ||
            !r.Unsigned(f, ew, "wPlatform", &t.wPlatform) ||
            !r.Text(f, ew, "strGuide", &t.strGuide) || !r.Text(f, ew, "strNote", &t.strNote))
            return false;
    }
    return true;
}

bool ReadExtData(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_ExtData";
    Index a;
    if (!r.Array(o, top, name, std::numeric_limits<qint32>::max(), &a))
        return false;
    const Where w{&top, name};
    doc->SetExtDataCount(static_cast<qint32>(r.t.Count(a)));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        QByteArray blockName, data;
        if (!r.Fields(e, ew, {"szName", "hData"}, &f) || !r.Text(f, ew, "szName", &blockName, 7) ||
            !r.Hex(f.Get("hData"), Where{&ew, "hData"}, &data))
            return false;
        EXTDATA& block = doc->m_ExtData.ElementAt(i);
        block.SetName(blockName);
        block.SetData(data);
    }
    return true;
}

bool ReadExtKeys(Reader& r, const Object& o, const Where& top, CQLMDoc* doc)
{
    const char* name = "m_ExtKey";
    Index a;
    if (!r.Array(o, top, name, std::numeric_limits<qint32>::max(), &a))
        return false;
    const Where w{&top, name};
    doc->m_ExtKey.RemoveAll();
    doc->m_ExtKey.reserve(r.t.Count(a));
    Index e = r.t.First(a);
    for (int i = 1; e != JsonTree::kNone; ++i, e = r.t.Next(e)) {
        const Where ew{&w, nullptr, i};
        Object f;
        QByteArray path;
        EXTKEY key;
        if (!r.Fields(e, ew, {"szKey", "strValue"}, &f) || !r.Text(f, ew, "szKey", &path, 63) ||
            !r.Text(f, ew, "strValue", &key.strValue, std::numeric_limits<qsizetype>::max()))
            return false;
        key.SetKey(path);
        doc->m_ExtKey.AddTail(key);
    }
    return true;
}

bool ReadDocument(Reader& r, CQLMDoc* doc)
{
    const Where top;
    Object o;
    return r.Fields(r.t.Root(), top, kFields, &o) &&
           r.Text(o, top, "m_strStationId", &doc->m_strStationId) &&
           r.Text(o, top, "m_strStationName", &doc->m_strStationName) &&
           r.Text(o, top, "m_strStationNameEn", &doc->m_strStationNameEn) &&
           r.Text(o, top, "m_strPrevStation", &doc->m_strPrevStation) &&
           r.Text(o, top, "m_strPrevStationEn", &doc->m_strPrevStationEn) &&
           r.Text(o, top, "m_strNextStation", &doc->m_strNextStation) &&
           r.Text(o, top, "m_strNextStationEn", &doc->m_strNextStationEn) &&
           // The file keeps the platform of the board in one byte.
           r.Unsigned(o, top, "m_wPlatform", &doc->m_wPlatform, kU8Max) &&
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
           ReadGuideMessages(r, o, top, doc) &&
           Layout(r, o, top, "m_LayoutMain", &doc->m_LayoutMain) &&
           Layout(r, o, top, "m_LayoutSub", &doc->m_LayoutSub) &&
           r.Color(o, top, "m_crUnlit", &doc->m_crUnlit) &&
           r.Color(o, top, "m_crLit", &doc->m_crLit) &&
           r.Time(o, top, "m_wDateChangeTime", &doc->m_wDateChangeTime) &&
           r.Time(o, top, "m_wDisplayStartTime", &doc->m_wDisplayStartTime) &&
           ReadTrainTypes(r, o, top, doc) && ReadDestinations(r, o, top, doc) &&
           ReadTrains(r, o, top, doc) && ReadExtData(r, o, top, doc) && ReadExtKeys(r, o, top, doc);
}

} // namespace

bool FromJson(const QJsonObject& json, CQLMDoc* doc, QString* error)
{
    return FromJsonText(QJsonDocument(json).toJson(QJsonDocument::Compact), doc, error);
}

bool FromJsonText(QByteArrayView text, CQLMDoc* doc, QString* error)
{
    JsonTree tree;
    if (!tree.Parse(text, error))
        return false;
    if (tree.TypeOf(tree.Root()) != Type::Object) {
        if (error)
            *error = QStringLiteral("expected a JSON object at the top level");
        return false;
    }
    Reader r(tree);
    if (ReadDocument(r, doc))
        return true;
    if (error)
        *error = r.m_error;
    return false;
}

} // namespace QlmJson
