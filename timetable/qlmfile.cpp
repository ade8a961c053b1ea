// Reading and writing the timetable file. Every width and order here is binding: the display
// programs read the same files.

#include "qlmdoc.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

// A bounds-checked little-endian cursor over the file's bytes. After the first failure every
// read returns zero and the failure (with its offset) is kept.
class Reader
{
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}

    qsizetype Pos() const { return m_pos; }
    qsizetype Left() const { return m_data.size() - m_pos; }
    bool Failed() const { return m_failed; }
    const LoadError& Error() const { return m_error; }
    const char* Here() const { return m_data.data() + m_pos; }

    // Describes the record being read, for error messages: "m_TrainInfo[12]".
    void SetRecord(const char* list, int index)
    {
        m_list = list;
        m_index = index;
    }
    void ClearRecord() { m_list = nullptr; }

    bool Need(qsizetype n, const char* field)
    {
        if (m_failed)
            return false;
        if (n <= Left())
            return true;
        Fail(LoadError::Kind::Truncated, field, n);
        return false;
    }

    void Fail(LoadError::Kind kind, const char* field, qsizetype needed = 0, qsizetype at = -1)
    {
        if (m_failed)
            return;
        m_failed = true;
        m_error.kind = kind;
        m_error.offset = at >= 0 ? at : m_pos;
        m_error.field = FieldName(field);
        m_error.needed = needed;
        m_error.available = Left();
    }

    void Skip(qsizetype n) { m_pos += n; }

    quint8 U8(const char* field)
    {
        if (!Need(1, field))
            return 0;
        return static_cast<quint8>(m_data[m_pos++]);
    }
    quint16 U16(const char* field)
    {
        if (!Need(2, field))
            return 0;
        const quint16 v = qFromLittleEndian<quint16>(Here());
        m_pos += 2;
        return v;
    }
    quint32 U32(const char* field)
    {
        if (!Need(4, field))
            return 0;
        const quint32 v = qFromLittleEndian<quint32>(Here());
        m_pos += 4;
        return v;
    }
    qint32 I32(const char* field) { return static_cast<qint32>(U32(field)); }

    // A u16 byte count and that many bytes. The text ends at the first zero byte, if any: a
    // count that includes a terminator reads as the same text as one that does not.
    // With previous, a text equal to the previous record's same field shares its bytes instead of
    // allocating again: consecutive trains often repeat names, guidance and notes.
    QByteArray String(const char* field, QByteArray* previous = nullptr)
    {
        const quint16 n = U16(field);
        if (!Need(n, field))
            return {};
        const char* p = Here();
        const void* nul = std::memchr(p, 0, n);
        const qsizetype len = nul ? static_cast<const char*>(nul) - p : n;
        m_pos += n;
        if (len == 0)
            return {};
        if (previous) {
            if (previous->size() == len &&
                std::memcmp(previous->constData(), p, static_cast<size_t>(len)) == 0)
                return *previous;
            *previous = QByteArray(p, len);
            return *previous;
        }
        return QByteArray(p, len);
    }

    void Layout(PanelLayout& layout, const char* field)
    {
        for (PANELPART& part : layout) {
            part.wColumn = U16(field);
            part.wSpan = U16(field);
            part.wAlign = U16(field);
        }
    }

private:
    QString FieldName(const char* field) const
    {
        if (!m_list)
            return QString::fromLatin1(field);
        return QStringLiteral("%1[%2].%3")
            .arg(QLatin1String(m_list))
            .arg(m_index)
            .arg(QLatin1String(field));
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_failed = false;
    LoadError m_error;
    const char* m_list = nullptr;
    int m_index = 0;
};

// Reserve no more elements than the bytes left can hold, whatever a count claims.
template <typename T>
void ReserveFor(std::vector<T>& items, qsizetype count, qsizetype bytesLeft, qsizetype minRecord)
{
    items.reserve(static_cast<size_t>(std::min(count, bytesLeft / minRecord + 1)));
}

struct DefaultKey
{
    const char* path;
    const char* value;
};
// Keys of a file without an extension section, in this order.
constexpr DefaultKey kDefaultKeys[] = {
    {"MADEBY", "replace here to yourname."},
    {"STANDARD/COMPANY", "\x28\x93\x53\x93\xB9\x89\xEF\x8E\xD0\x96\xBC\x29"}, // (鉄道会社名)
    {"STANDARD/COMPANY/URL", "http://"},
    {"STANDARD/ARROWSTYLE", "4"},
    {"STANDARD/SPECIFIEDAREA", "FALSE"},
    {"STANDARD/SPECIFIEDAREA/YAMANOTE", "FALSE"},
    {"STANDARD/UPDATE", "20xx/xx/xx"},
};

// Rebuilds keys from the data of a key block. Offsets in *error are base + the offset within
// the block.
bool UnpackKeys(const QByteArray& data, CExtKeyList& keys, qint64 base, LoadError* error)
{
    keys.RemoveAll();
    if (data.size() < 4)
        return true; // no count at all: no keys
    const qint32 count = qFromLittleEndian<qint32>(data.constData());
    if (count <= 0)
        return true;
    qsizetype pos = 4;
    auto fail = [&](LoadError::Kind kind, int key, const char* what, qsizetype at) {
        keys.RemoveAll();
        if (error) {
            error->kind = kind;
            error->offset = base + at;
            error->field = QStringLiteral("%1 key %2 %3")
                               .arg(QLatin1String(kKeyBlockName))
                               .arg(key)
                               .arg(QLatin1String(what));
            error->needed = 0;
            error->available = data.size() - at;
        }
        return false;
    };
    // Each key takes at least two bytes, so a count beyond the block's size fails quickly.
    for (qint32 k = 1; k <= count; ++k) {
        const qsizetype pathEnd = data.indexOf('\0', pos);
        if (pathEnd < 0)
            return fail(LoadError::Kind::KeyBlockTruncated, k, "path", pos);
        if (pathEnd - pos >= 64)
            return fail(LoadError::Kind::KeyPathTooLong, k, "path", pos);
        const qsizetype valueStart = pathEnd + 1;
        const qsizetype valueEnd = data.indexOf('\0', valueStart);
        if (valueEnd < 0)
            return fail(LoadError::Kind::KeyBlockTruncated, k, "value", valueStart);
        EXTKEY key;
        key.SetKey(QByteArrayView(data).sliced(pos, pathEnd - pos));
        key.strValue = data.sliced(valueStart, valueEnd - valueStart);
        keys.AddTail(key);
        pos = valueEnd + 1;
    }
    return true;
}

// --- reading, one function per section of the file, in file order ---------------------------

// The first three bytes name the version: "QL3" is version 3, "QLM" the older version 2.
bool ReadMagic(QByteArrayView data, CQLMDoc& doc, LoadError* error)
{
    if (data.size() < 3) {
        error->kind = LoadError::Kind::TooShort;
        error->field = QStringLiteral("magic");
        error->needed = 3;
        error->available = data.size();
        return false;
    }
    if (data.first(3) == QByteArrayView("QL3"))
        doc.m_nFileVersion = 3;
    else if (data.first(3) == QByteArrayView("QLM"))
        doc.m_nFileVersion = 2;
    else {
        error->kind = LoadError::Kind::BadMagic;
        error->field = QStringLiteral("magic");
        return false;
    }
    return true;
}

void ReadStation(Reader& in, CQLMDoc& doc)
{
    doc.m_strStationId = in.String("m_strStationId");
    doc.m_strStationName = in.String("m_strStationName");
    doc.m_strStationNameEn = in.String("m_strStationNameEn");
    doc.m_strNextStation = in.String("m_strNextStation");
    doc.m_strNextStationEn = in.String("m_strNextStationEn");
    doc.m_strPrevStation = in.String("m_strPrevStation");
    doc.m_strPrevStationEn = in.String("m_strPrevStationEn");
    doc.m_wPlatform = in.U8("m_wPlatform");
    in.U8("reserved byte");
}

// The line of the direction sign. Version 2 has no second colour.
void ReadLine(Reader& in, CQLMDoc& doc, bool v3)
{
    doc.m_crLineColor = in.U32("m_crLineColor");
    if (v3) {
        doc.m_crLineColor2 = in.U32("m_crLineColor2");
        doc.m_bLineColor2 = in.U32("m_bLineColor2");
    } else {
        doc.m_crLineColor2 = doc.m_crLineColor;
        doc.m_bLineColor2 = 0;
    }
    doc.m_strLineName = in.String("m_strLineName");
    doc.m_strLineNameEn = in.String("m_strLineNameEn");
    doc.m_strGuide = in.String("m_strGuide");
    doc.m_strGuideEn = in.String("m_strGuideEn");
}

// The second line. Version 2 says whether it is shown in 16 bits (0xFFFF: shown) and has no
// second colour.
void ReadSubLine(Reader& in, CQLMDoc& doc, bool v3)
{
    if (v3) {
        doc.m_bSubLine = in.U32("m_bSubLine");
        doc.m_crSubLineColor = in.U32("m_crSubLineColor");
        doc.m_crSubLineColor2 = in.U32("m_crSubLineColor2");
        doc.m_bSubLineColor2 = in.U32("m_bSubLineColor2");
    } else {
        doc.m_bSubLine = in.U16("m_bSubLine") == 0xFFFF ? 1 : 0;
        doc.m_crSubLineColor = in.U32("m_crSubLineColor");
        doc.m_crSubLineColor2 = doc.m_crSubLineColor;
        doc.m_bSubLineColor2 = 0;
    }
    doc.m_strSubLineName = in.String("m_strSubLineName");
    doc.m_strSubLineNameEn = in.String("m_strSubLineNameEn");
    doc.m_strSubGuide = in.String("m_strSubGuide");
    doc.m_strSubGuideEn = in.String("m_strSubGuideEn");
}

// The standing guide message, then (version 3 only) the timed ones.
void ReadGuideMessages(Reader& in, CQLMDoc& doc, bool v3)
{
    doc.m_strGuideMessage = in.String("m_strGuideMessage");
    if (!v3)
        return;
    const quint16 count = in.U16("m_wGuideMessageCount");
    auto& items = doc.m_GuideMessage.Items();
    ReserveFor(items, count, in.Left(), 14);
    for (int i = 1; i <= count && !in.Failed(); ++i) {
        in.SetRecord("m_GuideMessage", i);
        GUIDEMESSAGE g;
        g.nStartTime = in.I32("nStartTime");
        g.nEndTime = in.I32("nEndTime");
        g.bExclusive = in.U32("bExclusive");
        g.strMessage = in.String("strMessage");
        items.push_back(std::move(g));
    }
    in.ClearRecord();
    doc.m_GuideMessage.SyncSize();
    doc.m_wGuideMessageCount = static_cast<quint16>(doc.m_GuideMessage.m_nSize);
}

// The lengths of the lists that follow the board's settings.
struct ListCounts
{
    quint16 types = 0;
    quint16 destinations = 0;
    quint16 trains = 0;
};

// The board: the panel layouts, the LED colours, the list counts and the two times.
ListCounts ReadBoard(Reader& in, CQLMDoc& doc, bool v3)
{
    in.Layout(doc.m_LayoutMain, "m_LayoutMain");
    in.Layout(doc.m_LayoutSub, "m_LayoutSub");
    if (!v3) {
        // Version 2 counted the columns of a part; version 3 counts the columns after the first.
        for (PanelLayout* layout : {&doc.m_LayoutMain, &doc.m_LayoutSub})
            for (PANELPART& part : *layout)
                part.wSpan = static_cast<quint16>(part.wSpan - 1);
    }
    doc.m_crUnlit = in.U32("m_crUnlit");
    doc.m_crLit = in.U32("m_crLit");
    ListCounts counts;
    counts.types = in.U16("m_wAssortmentCount");
    counts.destinations = in.U16("m_wDestinationCount");
    doc.m_wDateChangeTime = in.U16("m_wDateChangeTime");
    doc.m_wDisplayStartTime = in.U16("m_wDisplayStartTime");
    counts.trains = in.U16("m_wTrainCount");
    return counts;
}

// Version 2 types have no flags or layouts of their own: they follow from the board's colours
// and take the board's layouts.
tagTRAINASSORTMENT ReadType(Reader& in, const CQLMDoc& doc, bool v3)
{
    tagTRAINASSORTMENT a;
    a.strName = in.String("strName");
    a.strNameSub = in.String("strNameSub");
    if (v3) {
        a.bDefaultColor = in.U32("bDefaultColor");
        a.bLightBackground = in.U32("bLightBackground");
        a.bCustomLayout = in.U32("bCustomLayout");
        a.crBack = in.U32("crBack");
        a.crText = in.U32("crText");
        in.Layout(a.layoutMain, "layoutMain");
        in.Layout(a.layoutSub, "layoutSub");
    } else {
        a.crBack = in.U32("crBack");
        a.crText = in.U32("crText");
        a.bDefaultColor = a.crText == doc.m_crLit ? 1 : 0;
        a.bLightBackground = a.crBack != doc.m_crUnlit ? 1 : 0;
        a.bCustomLayout = 0;
        a.layoutMain = doc.m_LayoutMain;
        a.layoutSub = doc.m_LayoutSub;
    }
    return a;
}

void ReadTypes(Reader& in, CQLMDoc& doc, quint16 count, bool v3)
{
    auto& types = doc.m_TrainAssortment.Items();
    ReserveFor(types, count, in.Left(), v3 ? 108 : 12);
    for (int i = 1; i <= count && !in.Failed(); ++i) {
        in.SetRecord("m_TrainAssortment", i);
        types.push_back(ReadType(in, doc, v3));
    }
    doc.m_TrainAssortment.SyncSize();
    doc.m_wAssortmentCount = count;
}

void ReadDestinations(Reader& in, CQLMDoc& doc, quint16 count)
{
    auto& destinations = doc.m_Destination.Items();
    ReserveFor(destinations, count, in.Left(), 4);
    for (int i = 1; i <= count && !in.Failed(); ++i) {
        in.SetRecord("m_Destination", i);
        DESTINATION d;
        d.strName = in.String("strName");
        d.strNameEn = in.String("strNameEn");
        destinations.push_back(std::move(d));
    }
    doc.m_Destination.SyncSize();
    doc.m_wDestinationCount = count;
}

void ReadTrains(Reader& in, CQLMDoc& doc, quint16 count)
{
    auto& trains = doc.m_TrainInfo.Items();
    ReserveFor(trains, count, in.Left(), 21);
    QByteArray lastName, lastNameEn, lastGuide, lastNote;
    for (int i = 1; i <= count && !in.Failed(); ++i) {
        in.SetRecord("m_TrainInfo", i);
        tagTRAININFO t;
        t.wTrainNo = in.U16("wTrainNo");
        t.chTrainSuffix = in.U8("chTrainSuffix");
        t.wAssortment = in.U16("wAssortment");
        t.strName = in.String("strName", &lastName);
        t.strNameEn = in.String("strNameEn", &lastNameEn);
        t.wTime = in.U16("wTime");
        t.wReserved = in.U16("wReserved");
        t.wDestination = in.U16("wDestination");
        t.wPlatform = in.U16("wPlatform");
        t.strGuide = in.String("strGuide", &lastGuide);
        t.strNote = in.String("strNote", &lastNote);
        trains.push_back(std::move(t));
    }
    in.ClearRecord();
    doc.m_TrainInfo.SyncSize();
    doc.m_wTrainCount = count;
}

// A file without an extension section gets one key block holding the standard keys.
void SetDefaultExtensions(CQLMDoc& doc)
{
    doc.SetExtDataCount(1);
    doc.m_ExtData.ElementAt(1).SetName(kKeyBlockName);
    doc.m_ExtKey.RemoveAll();
    for (const DefaultKey& k : kDefaultKeys) {
        EXTKEY key;
        key.SetKey(k.path);
        key.strValue = QByteArray(k.value);
        doc.m_ExtKey.AddTail(key);
    }
}

// One data block: a name of at most 7 bytes ended by a zero byte within its 8, a u32 size and
// that many bytes. *dataAt receives the offset of the block's data.
bool ReadBlock(Reader& in, EXTDATA& block, qsizetype* dataAt)
{
    const qsizetype window = std::min<qsizetype>(8, in.Left());
    const void* nul = std::memchr(in.Here(), 0, static_cast<size_t>(window));
    if (!nul) {
        if (window < 8)
            in.Fail(LoadError::Kind::Truncated, "szName", window + 1);
        else
            in.Fail(LoadError::Kind::BlockNameUnterminated, "szName");
        return false;
    }
    const qsizetype nameLength = static_cast<const char*>(nul) - in.Here();
    block.SetName(QByteArrayView(in.Here(), nameLength));
    in.Skip(nameLength + 1);
    const qsizetype sizeAt = in.Pos();
    const quint32 size = in.U32("dwSize");
    if (in.Failed())
        return false;
    if (size > static_cast<quint64>(in.Left())) {
        in.Fail(LoadError::Kind::BlockSizeTooLarge, "dwSize", size, sizeAt);
        return false;
    }
    *dataAt = in.Pos();
    block.SetData(QByteArray(in.Here(), static_cast<qsizetype>(size)));
    in.Skip(size);
    return true;
}

// The data blocks after the "ExD\0" marker. *dataOffsets receives where each block's data
// starts, so that a fault inside the key block can name its byte in the file.
void ReadBlocks(Reader& in, CQLMDoc& doc, std::vector<qsizetype>* dataOffsets)
{
    in.Skip(4);
    const qsizetype countAt = in.Pos();
    const qint32 blockCount = in.I32("extension block count");
    if (!in.Failed() && blockCount < 0)
        in.Fail(LoadError::Kind::NegativeBlockCount, "extension block count", 0, countAt);
    auto& blocks = doc.m_ExtData.Items();
    for (int b = 1; b <= blockCount && !in.Failed(); ++b) {
        in.SetRecord("m_ExtData", b);
        EXTDATA block;
        qsizetype dataAt = 0;
        if (!ReadBlock(in, block, &dataAt))
            break;
        dataOffsets->push_back(dataAt);
        blocks.push_back(std::move(block));
    }
    in.ClearRecord();
    doc.m_ExtData.SyncSize();
    doc.m_nExtDataCount = doc.m_ExtData.m_nSize;
}

// The extension section is optional: without its exact marker the file has none. Bytes after
// the last block are ignored. The keys come out of the first key block.
bool ReadExtensions(Reader& in, CQLMDoc& doc, LoadError* error)
{
    if (in.Left() < 4 || QByteArrayView(in.Here(), 4) != QByteArrayView("ExD\0", 4)) {
        SetDefaultExtensions(doc);
        return true;
    }
    std::vector<qsizetype> dataOffsets;
    ReadBlocks(in, doc, &dataOffsets);
    if (in.Failed()) {
        *error = in.Error();
        return false;
    }
    const int keyBlock = doc.FindKeyBlock();
    if (keyBlock == 0)
        return true;
    return UnpackKeys(doc.m_ExtData.ElementAt(keyBlock).hData, doc.m_ExtKey,
                      dataOffsets[static_cast<size_t>(keyBlock - 1)], error);
}

// --- writing --------------------------------------------------------------------------------

// The file is written in two passes over the same code: the first (Measure) only counts bytes
// and checks string lengths, the second (Fill) copies into a buffer of exactly that size. This
// avoids growing the output in thousands of small appends.
class Writer
{
public:
    // Starts the measuring pass.
    Writer() = default;

    void Bytes(const char* p, qsizetype n)
    {
        if (m_dst)
            std::memcpy(m_dst + m_size, p, static_cast<size_t>(n));
        m_size += n;
    }
    void U8(quint8 v) { Bytes(reinterpret_cast<const char*>(&v), 1); }
    void U16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        Bytes(b, 2);
    }
    void U32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        Bytes(b, 4);
    }
    void I32(qint32 v) { U32(static_cast<quint32>(v)); }
    // A string too long for its u16 count stops the save; the first such field is named.
    void String(const QByteArray& s, const char* list, int index, const char* field)
    {
        if (s.size() > kMaxFileString) {
            if (!m_failed) {
                m_failed = true;
                m_error.field = list ? QStringLiteral("%1[%2].%3")
                                           .arg(QLatin1String(list))
                                           .arg(index)
                                           .arg(QLatin1String(field))
                                     : QString::fromLatin1(field);
                m_error.length = s.size();
            }
            return;
        }
        U16(static_cast<quint16>(s.size()));
        Bytes(s.constData(), s.size());
    }
    void String(const QByteArray& s, const char* field) { String(s, nullptr, 0, field); }
    void Layout(const PanelLayout& layout)
    {
        for (const PANELPART& part : layout) {
            U16(part.wColumn);
            U16(part.wSpan);
            U16(part.wAlign);
        }
    }

    void Fail(const char* field, qint64 length, SaveError::Kind kind)
    {
        if (m_failed)
            return;
        m_failed = true;
        m_error.kind = kind;
        m_error.field = QString::fromLatin1(field);
        m_error.length = length;
    }
    bool Failed() const { return m_failed; }
    const SaveError& Error() const { return m_error; }
    qsizetype Size() const { return m_size; }

    // Starts the filling pass into a buffer of the measured size.
    void StartFilling(char* dst)
    {
        m_dst = dst;
        m_size = 0;
    }

private:
    char* m_dst = nullptr;
    qsizetype m_size = 0;
    bool m_failed = false;
    SaveError m_error;
};

} // namespace

bool CQLMDoc::UnpackExtKeys(LoadError* error)
{
    const int index = FindKeyBlock();
    if (index == 0) {
        m_ExtKey.RemoveAll();
        return true;
    }
    return UnpackKeys(m_ExtData.ElementAt(index).hData, m_ExtKey, 0, error);
}

bool CQLMDoc::LoadFile(QByteArrayView data, LoadError* error, QStringList* warnings)
{
    *this = CQLMDoc();
    auto refuse = [error](const LoadError& e) {
        if (error)
            *error = e;
        return false;
    };
    LoadError refusal;
    if (!ReadMagic(data, *this, &refusal))
        return refuse(refusal);
    const bool v3 = m_nFileVersion == 3;
    Reader in(data);
    in.Skip(3);
    ReadStation(in, *this);
    ReadLine(in, *this, v3);
    ReadSubLine(in, *this, v3);
    ReadGuideMessages(in, *this, v3);
    const ListCounts counts = ReadBoard(in, *this, v3);
    ReadTypes(in, *this, counts.types, v3);
    ReadDestinations(in, *this, counts.destinations);
    ReadTrains(in, *this, counts.trains);
    // The first fault stops every later read of the sections above: it is the refusal.
    if (in.Failed())
        return refuse(in.Error());
    if (!ReadExtensions(in, *this, &refusal))
        return refuse(refusal);
    if (warnings)
        *warnings += Check();
    return true;
}

namespace {

// Every field of a version 3 file, in order.
// The count a list is written with. The counts are 16-bit: a longer list stops the save rather
// than losing its tail.
template <typename List> quint16 CountOf(const List& list, const char* name, Writer& w)
{
    if (list.m_nSize > kMaxCollection)
        w.Fail(name, list.m_nSize, SaveError::Kind::TooManyEntries);
    return static_cast<quint16>(list.m_nSize);
}

void WriteAll(const CQLMDoc& doc, const CExtDataList& blocks, Writer& w)
{
    w.Bytes("QL3", 3);
    w.String(doc.m_strStationId, "m_strStationId");
    w.String(doc.m_strStationName, "m_strStationName");
    w.String(doc.m_strStationNameEn, "m_strStationNameEn");
    w.String(doc.m_strNextStation, "m_strNextStation");
    w.String(doc.m_strNextStationEn, "m_strNextStationEn");
    w.String(doc.m_strPrevStation, "m_strPrevStation");
    w.String(doc.m_strPrevStationEn, "m_strPrevStationEn");
    w.U8(static_cast<quint8>(doc.m_wPlatform & 0xFF));
    w.U8(0);
    w.U32(doc.m_crLineColor);
    w.U32(doc.m_crLineColor2);
    w.U32(doc.m_bLineColor2);
    w.String(doc.m_strLineName, "m_strLineName");
    w.String(doc.m_strLineNameEn, "m_strLineNameEn");
    w.String(doc.m_strGuide, "m_strGuide");
    w.String(doc.m_strGuideEn, "m_strGuideEn");
    w.U32(doc.m_bSubLine);
    w.U32(doc.m_crSubLineColor);
    w.U32(doc.m_crSubLineColor2);
    w.U32(doc.m_bSubLineColor2);
    w.String(doc.m_strSubLineName, "m_strSubLineName");
    w.String(doc.m_strSubLineNameEn, "m_strSubLineNameEn");
    w.String(doc.m_strSubGuide, "m_strSubGuide");
    w.String(doc.m_strSubGuideEn, "m_strSubGuideEn");
    w.String(doc.m_strGuideMessage, "m_strGuideMessage");

    w.U16(CountOf(doc.m_GuideMessage, "m_GuideMessage", w));
    for (int i = 1; i <= doc.m_GuideMessage.m_nSize; ++i) {
        const GUIDEMESSAGE& g = doc.m_GuideMessage.ElementAt(i);
        w.I32(g.nStartTime);
        w.I32(g.nEndTime);
        w.U32(g.bExclusive);
        w.String(g.strMessage, "m_GuideMessage", i, "strMessage");
    }
    w.Layout(doc.m_LayoutMain);
    w.Layout(doc.m_LayoutSub);
    w.U32(doc.m_crUnlit);
    w.U32(doc.m_crLit);
    w.U16(CountOf(doc.m_TrainAssortment, "m_TrainAssortment", w));
    w.U16(CountOf(doc.m_Destination, "m_Destination", w));
    w.U16(doc.m_wDateChangeTime);
    w.U16(doc.m_wDisplayStartTime);
    w.U16(CountOf(doc.m_TrainInfo, "m_TrainInfo", w));

    for (int i = 1; i <= doc.m_TrainAssortment.m_nSize; ++i) {
        const tagTRAINASSORTMENT& a = doc.m_TrainAssortment.ElementAt(i);
        w.String(a.strName, "m_TrainAssortment", i, "strName");
        w.String(a.strNameSub, "m_TrainAssortment", i, "strNameSub");
        w.U32(a.bDefaultColor);
        w.U32(a.bLightBackground);
        w.U32(a.bCustomLayout);
        w.U32(a.crBack);
        w.U32(a.crText);
        w.Layout(a.layoutMain);
        w.Layout(a.layoutSub);
    }
    for (int i = 1; i <= doc.m_Destination.m_nSize; ++i) {
        const DESTINATION& d = doc.m_Destination.ElementAt(i);
        w.String(d.strName, "m_Destination", i, "strName");
        w.String(d.strNameEn, "m_Destination", i, "strNameEn");
    }
    for (int i = 1; i <= doc.m_TrainInfo.m_nSize; ++i) {
        const tagTRAININFO& t = doc.m_TrainInfo.ElementAt(i);
        w.U16(t.wTrainNo);
        w.U8(t.chTrainSuffix);
        w.U16(t.wAssortment);
        w.String(t.strName, "m_TrainInfo", i, "strName");
        w.String(t.strNameEn, "m_TrainInfo", i, "strNameEn");
        w.U16(t.wTime);
        w.U16(t.wReserved);
        w.U16(t.wDestination);
        w.U16(t.wPlatform);
        w.String(t.strGuide, "m_TrainInfo", i, "strGuide");
        w.String(t.strNote, "m_TrainInfo", i, "strNote");
    }

    w.Bytes("ExD\0", 4);
    w.I32(blocks.m_nSize);
    for (const EXTDATA& block : blocks.Items()) {
        const QByteArray name = block.Name();
        w.Bytes(name.constData(), name.size());
        w.U8(0);
        w.U32(static_cast<quint32>(block.hData.size()));
        w.Bytes(block.hData.constData(), block.hData.size());
    }
}

} // namespace

bool CQLMDoc::SaveFile(QByteArray* out, SaveError* error) const
{
    // The key list travels in its block; pack it into a copy so that saving changes nothing.
    CExtDataList blocks = m_ExtData;
    PackExtKeysInto(blocks);

    Writer w;
    WriteAll(*this, blocks, w);
    if (w.Failed()) {
        if (error)
            *error = w.Error();
        return false;
    }
    QByteArray bytes(w.Size(), Qt::Uninitialized);
    w.StartFilling(bytes.data());
    WriteAll(*this, blocks, w);
    Q_ASSERT(w.Size() == bytes.size());
    *out = std::move(bytes);
    return true;
}
