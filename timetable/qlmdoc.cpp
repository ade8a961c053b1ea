#include "qlmdoc.h"

#include <algorithm>
#include <cstring>

void EXTKEY::SetKey(QByteArrayView path)
{
    szKey.fill(0);
    const qsizetype n = std::min<qsizetype>(path.size(), szKey.size() - 1);
    std::memcpy(szKey.data(), path.data(), static_cast<size_t>(n));
}

void EXTDATA::SetName(QByteArrayView name)
{
    szName.fill(0);
    const qsizetype n = std::min<qsizetype>(name.size(), szName.size() - 1);
    std::memcpy(szName.data(), name.data(), static_cast<size_t>(n));
}

void CExtDataList::SetSize(qsizetype n)
{
    const qsizetype old = m_nSize;
    CMyArray<EXTDATA>::SetSize(n);
    for (qsizetype i = old; i < n; ++i) {
        EXTDATA& block = m_data[static_cast<size_t>(i)];
        block.szName.fill(0);
        block.SetData(QByteArray(10, '\0'));
    }
}

void CQLMDoc::SetNewDocumentDefaults()
{
    PANELPART cleared{0, 0, 0};
    m_LayoutMain.fill(cleared);
    m_LayoutMain[1] = PANELPART{1, 5, 0}; // train type: columns 1 to 6, left-aligned
    m_LayoutSub = m_LayoutMain;

    m_strStationId = QByteArray("\x90\x56\x8B\x4B");           // 新規
    m_strStationName = QByteArray("\x90\x56\x8B\x4B\x89\x77"); // 新規駅
    m_strStationNameEn = QByteArray("newstation");
    m_strGuideMessage = QByteArray(
        "\x83\x4B\x83\x43\x83\x68\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57"); // ガイドメッセージ

    m_wPlatform = 1;
    m_crLineColor = 0x00FF0000;
    m_crLineColor2 = 0x000000FF;
    m_bLineColor2 = 0;
    m_bSubLine = 0;
    m_crSubLineColor = 0x00FF0000;
    m_crSubLineColor2 = 0x000000FF;
    m_bSubLineColor2 = 0;
    m_crUnlit = 0x00303030;
    m_crLit = 0x0000FF00;
    m_wDateChangeTime = 0;
    m_wDisplayStartTime = 0;
    SetGuideMessageCount(0);

    SetAssortmentCount(1);
    tagTRAINASSORTMENT& local = m_TrainAssortment.ElementAt(1);
    local.strName = QByteArray("\x95\x81\x92\xCA"); // 普通
    local.strNameSub = QByteArray("LOCAL");
    local.bDefaultColor = 1;
    local.bLightBackground = 0;
    local.crBack = m_crUnlit;
    local.crText = m_crLit;
    local.bCustomLayout = 0;
    local.layoutMain = m_LayoutMain;
    local.layoutSub = m_LayoutSub;

    SetDestinationCount(1);
    DESTINATION& dest = m_Destination.ElementAt(1);
    dest.strName = QByteArray("\x90\x56\x8B\x4B\x8D\x73\x90\xE6"); // 新規行先
    dest.strNameEn = QByteArray("New dest");

    SetTrainCount(0);
    SetExtDataCount(0);
    m_ExtKey.RemoveAll();
}

int CQLMDoc::FindKeyBlock() const
{
    const auto& blocks = m_ExtData.Items();
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].Name() == kKeyBlockName)
            return static_cast<int>(i) + 1;
    return 0;
}

void CQLMDoc::PackExtKeys()
{
    PackExtKeysInto(m_ExtData);
    m_nExtDataCount = m_ExtData.m_nSize;
}

void CQLMDoc::PackExtKeysInto(CExtDataList& blocks) const
{
    int index = 0;
    for (int i = 1; i <= blocks.m_nSize && index == 0; ++i)
        if (blocks.ElementAt(i).Name() == kKeyBlockName)
            index = i;
    if (index == 0) {
        blocks.SetSize(blocks.m_nSize + 1);
        index = blocks.m_nSize;
        blocks.ElementAt(index).SetName(kKeyBlockName);
    }
    QByteArray data;
    qsizetype size = 4 + 2;
    for (const EXTKEY& key : m_ExtKey)
        size += key.Key().size() + 1 + qstrnlen(key.strValue.constData(), key.strValue.size()) + 1;
    data.reserve(size);
    const quint32 count = static_cast<quint32>(m_ExtKey.size());
    for (int shift = 0; shift < 32; shift += 8)
        data.append(static_cast<char>((count >> shift) & 0xFF));
    for (const EXTKEY& key : m_ExtKey) {
        data.append(key.Key());
        data.append('\0');
        // A value is a zstring in the block: it ends at its first zero byte.
        data.append(key.strValue.constData(),
                    qstrnlen(key.strValue.constData(), key.strValue.size()));
        data.append('\0');
    }
    data.append(2, '\0');
    blocks.ElementAt(index).SetData(data);
}

void CQLMDoc::SyncCounts()
{
    m_wTrainCount = static_cast<quint16>(m_TrainInfo.m_nSize);
    m_wAssortmentCount = static_cast<quint16>(m_TrainAssortment.m_nSize);
    m_wDestinationCount = static_cast<quint16>(m_Destination.m_nSize);
    m_wGuideMessageCount = static_cast<quint16>(m_GuideMessage.m_nSize);
    m_nExtDataCount = m_ExtData.m_nSize;
}

QStringList CQLMDoc::Check(int* problems) const
{
    QStringList warnings;
    if (m_wAssortmentCount == 0)
        warnings << QStringLiteral("the timetable has no train types");
    if (m_wDestinationCount == 0)
        warnings << QStringLiteral("the timetable has no destinations");
    constexpr int kMaxListed = 20;
    int badTypes = 0;
    int badDestinations = 0;
    for (int i = 1; i <= m_TrainInfo.m_nSize; ++i) {
        const tagTRAININFO& t = m_TrainInfo.ElementAt(i);
        if (t.wAssortment < 1 || t.wAssortment > m_wAssortmentCount) {
            if (++badTypes <= kMaxListed)
                warnings << QStringLiteral("train %1: train type index %2 is outside 1..%3")
                                .arg(i)
                                .arg(t.wAssortment)
                                .arg(m_wAssortmentCount);
        }
        if (t.wDestination < 1 || t.wDestination > m_wDestinationCount) {
            if (++badDestinations <= kMaxListed)
                warnings << QStringLiteral("train %1: destination index %2 is outside 1..%3")
                                .arg(i)
                                .arg(t.wDestination)
                                .arg(m_wDestinationCount);
        }
    }
    if (badTypes > kMaxListed)
        warnings << QStringLiteral("%1 more trains with a train type index outside its list")
                        .arg(badTypes - kMaxListed);
    if (badDestinations > kMaxListed)
        warnings << QStringLiteral("%1 more trains with a destination index outside its list")
                        .arg(badDestinations - kMaxListed);
    if (problems)
        *problems =
            (m_wAssortmentCount == 0) + (m_wDestinationCount == 0) + badTypes + badDestinations;
    return warnings;
}
