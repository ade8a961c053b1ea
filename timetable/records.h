#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QtGlobal>

#include <array>

// Texts are Shift-JIS (code page 932) bytes exactly as the file holds them.
// Colours are 0x00BBGGRR; flags are 32-bit and normally 0 or 1, but any value is kept.

// The panel row is 33 character columns wide.
inline constexpr int kPanelColumns = 33;
// A layout holds one entry per display part, always in this order:
// 発車順序, 種別, 列車名, 時刻, 行先, 番線, 補助.
inline constexpr int kPanelPartCount = 7;

struct PANELPART
{
    quint16 wColumn = 0; // first column 1..33; 0 = the part is not shown
    quint16 wSpan = 0;   // columns after the first: covers wColumn..wColumn + wSpan
    quint16 wAlign = 0;  // 0 left, 1 spread evenly, 2 centred
    friend bool operator==(const PANELPART&, const PANELPART&) = default;
};
using PanelLayout = std::array<PANELPART, kPanelPartCount>;

struct tagTRAININFO
{
    quint16 wTrainNo = 0;
    quint8 chTrainSuffix = 0; // 'A'..'Z'; 0 shows the number alone
    quint16 wAssortment = 0;  // 1-based train type index
    QByteArray strName;
    QByteArray strNameEn;
    quint16 wTime = 0;        // minutes after 00:00, not wrapped at 24:00
    quint16 wReserved = 0;    // kept with the train, never shown
    quint16 wDestination = 0; // 1-based destination index
    quint16 wPlatform = 0;
    QByteArray strGuide;
    QByteArray strNote;
    friend bool operator==(const tagTRAININFO&, const tagTRAININFO&) = default;
};

struct tagTRAINASSORTMENT
{
    QByteArray strName;
    QByteArray strNameSub;
    quint32 bDefaultColor = 0;
    quint32 bLightBackground = 0;
    quint32 crBack = 0;
    quint32 crText = 0;
    quint32 bCustomLayout = 0;
    PanelLayout layoutMain{};
    PanelLayout layoutSub{};
    friend bool operator==(const tagTRAINASSORTMENT&, const tagTRAINASSORTMENT&) = default;
};

struct DESTINATION
{
    QByteArray strName;
    QByteArray strNameEn;
    friend bool operator==(const DESTINATION&, const DESTINATION&) = default;
};

struct GUIDEMESSAGE
{
    qint32 nStartTime = 0;
    qint32 nEndTime = 0;
    quint32 bExclusive = 0;
    QByteArray strMessage;
    friend bool operator==(const GUIDEMESSAGE&, const GUIDEMESSAGE&) = default;
};

// One extension key: a '/'-separated path of at most 63 bytes and a text value.
struct EXTKEY
{
    std::array<char, 64> szKey{};
    QByteArray strValue;

    QByteArray Key() const
    {
        return QByteArray(szKey.data(),
                          static_cast<qsizetype>(qstrnlen(szKey.data(), szKey.size())));
    }
    // Stores the path, cut at 63 bytes (callers check the length first where it matters).
    void SetKey(QByteArrayView path);
    friend bool operator==(const EXTKEY&, const EXTKEY&) = default;
};

// One extension data block: opaque bytes under a name of at most 7 bytes.
// dwSize always equals hData.size().
struct EXTDATA
{
    std::array<char, 8> szName{};
    quint32 dwSize = 0;
    QByteArray hData;

    QByteArray Name() const
    {
        return QByteArray(szName.data(),
                          static_cast<qsizetype>(qstrnlen(szName.data(), szName.size())));
    }
    // Stores the name, cut at 7 bytes.
    void SetName(QByteArrayView name);
    void SetData(const QByteArray& data)
    {
        hData = data;
        dwSize = static_cast<quint32>(data.size());
    }
    friend bool operator==(const EXTDATA&, const EXTDATA&) = default;
};

// Keys in insertion order; the list enforces no uniqueness of paths.
class CExtKeyList : public QList<EXTKEY>
{
public:
    void AddTail(const EXTKEY& key) { append(key); }
    void RemoveAll() { clear(); }
    qsizetype GetCount() const { return size(); }
};
