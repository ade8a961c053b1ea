#pragma once

#include "myarray.h"
#include "records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class CTrainInfo : public CMyArray<tagTRAININFO>
{
};
class CTrainAssortment : public CMyArray<tagTRAINASSORTMENT>
{
};
class CDestination : public CMyArray<DESTINATION>
{
};
class CGuideMessage : public CMyArray<GUIDEMESSAGE>
{
};

// Data blocks: every new block starts as ten zero bytes with an empty name.
class CExtDataList : public CMyArray<EXTDATA>
{
public:
    void SetSize(qsizetype n) override;
};

// Why a file was refused, and where. The offset is that of the first byte that could not be
// read as the field needs it.
struct LoadError
{
    enum class Kind
    {
        None,
        TooShort,  // fewer than 3 bytes
        BadMagic,  // neither "QL3" nor "QLM"
        Truncated, // a field cut short by the end of the file
        NegativeBlockCount,
        BlockNameUnterminated, // no NUL within the 8 bytes of a block name
        BlockSizeTooLarge,     // a block claims more bytes than remain
        KeyBlockTruncated,     // "@ORL300": the K path/value pairs do not fit the block
        KeyPathTooLong,        // "@ORL300": a key path of 64 bytes or more
    };
    Kind kind = Kind::None;
    qint64 offset = 0;
    QString field; // what was being read, e.g. "train 12 strName" or "block 2 dwSize"
    qint64 needed = 0;
    qint64 available = 0;

    QString English() const;
    QString Japanese() const;
};

// Why a timetable could not be written. Nothing has been written when this is set.
struct SaveError
{
    enum class Kind
    {
        StringTooLong,
        TooManyEntries, // a list longer than its 16-bit count can say
    };
    Kind kind = Kind::StringTooLong;
    QString field; // e.g. "train 3 strGuide"
    qint64 length = 0;

    QString English() const;
    QString Japanese() const;
};

// The longest string the file format can hold.
inline constexpr qsizetype kMaxFileString = 65535;
// The most trains, types, destinations or guide messages a file can hold.
inline constexpr int kMaxCollection = 65535;

// The timetable of one departure board: plain data. The editor changes it only through
// TimetableEdit (timetableedit.h), which keeps the count members equal to the list sizes.
class CQLMDoc
{
public:
    CQLMDoc() = default;
    virtual ~CQLMDoc() = default;
    CQLMDoc(const CQLMDoc&) = default;
    CQLMDoc& operator=(const CQLMDoc&) = default;
    CQLMDoc(CQLMDoc&&) noexcept = default;
    CQLMDoc& operator=(CQLMDoc&&) noexcept = default;

    QByteArray m_strStationId;
    QByteArray m_strStationName;
    QByteArray m_strStationNameEn;
    QByteArray m_strPrevStation;
    QByteArray m_strPrevStationEn;
    QByteArray m_strNextStation;
    QByteArray m_strNextStationEn;
    quint16 m_wPlatform = 0;
    quint32 m_crLineColor = 0;
    quint32 m_bLineColor2 = 0;
    quint32 m_crLineColor2 = 0;
    QByteArray m_strLineName;
    QByteArray m_strLineNameEn;
    QByteArray m_strGuide;
    QByteArray m_strGuideEn;
    quint32 m_bSubLine = 0;
    quint32 m_crSubLineColor = 0;
    quint32 m_bSubLineColor2 = 0;
    quint32 m_crSubLineColor2 = 0;
    QByteArray m_strSubLineName;
    QByteArray m_strSubLineNameEn;
    QByteArray m_strSubGuide;
    QByteArray m_strSubGuideEn;
    QByteArray m_strGuideMessage;
    quint16 m_wGuideMessageCount = 0;
    CGuideMessage m_GuideMessage;
    PanelLayout m_LayoutMain{};
    PanelLayout m_LayoutSub{};
    quint32 m_crUnlit = 0;
    quint32 m_crLit = 0;
    quint16 m_wAssortmentCount = 0;
    quint16 m_wDestinationCount = 0;
    quint16 m_wDateChangeTime = 0;
    quint16 m_wDisplayStartTime = 0;
    quint16 m_wTrainCount = 0;
    CTrainAssortment m_TrainAssortment;
    CDestination m_Destination;
    CTrainInfo m_TrainInfo;
    qint32 m_nExtDataCount = 0;
    CExtDataList m_ExtData;
    CExtKeyList m_ExtKey;
    qint32 m_nFileVersion = 0;

    // Resize a collection and its count member together.
    void SetTrainCount(quint16 n)
    {
        m_TrainInfo.SetSize(n);
        m_wTrainCount = n;
    }
    void SetAssortmentCount(quint16 n)
    {
        m_TrainAssortment.SetSize(n);
        m_wAssortmentCount = n;
    }
    void SetDestinationCount(quint16 n)
    {
        m_Destination.SetSize(n);
        m_wDestinationCount = n;
    }
    void SetGuideMessageCount(quint16 n)
    {
        m_GuideMessage.SetSize(n);
        m_wGuideMessageCount = n;
    }
    void SetExtDataCount(qint32 n)
    {
        m_ExtData.SetSize(n);
        m_nExtDataCount = n;
    }

    // Fills a freshly constructed timetable with the new-document defaults.
    void SetNewDocumentDefaults();

    // Reads a whole "QL3" or "QLM" file from memory into this freshly constructed timetable.
    // Returns false and sets *error when the file is refused; the timetable is then unspecified.
    // Values that open but break an invariant (an index beyond its list, no types) are added to
    // *warnings, in English.
    bool LoadFile(QByteArrayView data, LoadError* error = nullptr, QStringList* warnings = nullptr);

    // Writes the timetable as a version 3 file into *out. Refuses (returns false, *out
    // untouched) when a string or a list is too long for the format. The counts written are the
    // lists' sizes, and the key list is written packed into its "@ORL300" block; the timetable
    // itself is not changed.
    bool SaveFile(QByteArray* out, SaveError* error = nullptr) const;

    // Writes the key list into the first "@ORL300" block, appending one if there is none.
    void PackExtKeys();
    // The same, into a copy of the block list.
    void PackExtKeysInto(CExtDataList& blocks) const;
    // Sets each count member to its list's size.
    void SyncCounts();
    // Rebuilds the key list from the first "@ORL300" block. Returns false (and sets *error,
    // key list empty) when the block's K pairs are incomplete or a path is 64 bytes or more.
    bool UnpackExtKeys(LoadError* error = nullptr);

    // The index of the first block named "@ORL300" (1-based), or 0.
    int FindKeyBlock() const;

    // Warnings about values that break an invariant but are kept as they are. Beyond 20 trains
    // with the same problem one line sums up the rest, so *problems (the number of problems
    // found) can exceed the number of lines.
    QStringList Check(int* problems = nullptr) const;
};

// The name of the data block that carries the extension keys.
inline constexpr char kKeyBlockName[] = "@ORL300";
