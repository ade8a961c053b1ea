// qlmgen: writes a large, realistic timetable for measuring the reader and writer.
// Usage: qlmgen OUT.qlm [TRAINS]   (default 65535 trains, 300 types, 400 destinations)
// The output depends only on the arguments.

#include "fileio.h"
#include "qlmdoc.h"
#include "sjis.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

// A small linear congruential generator: the same file on every machine.
struct Lcg
{
    quint32 state = 20240601;
    quint32 Next(quint32 bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

const char* const kTypeNames[] = {"普通", "快速", "区間快速", "特別快速", "通勤快速", "急行",
                                  "準急", "特急", "ライナー", "回送"};
const char* const kTypeNamesEn[] = {"LOCAL",   "RAPID",   "SEC.RAP", "SP.RAPID", "COM.RAP",
                                    "EXPRESS", "SEMI EX", "LTD.EXP", "LINER",    "OUT OF SV"};
const char* const kPlaces[] = {"東京",   "新宿",   "渋谷",   "池袋",     "上野",   "品川",
                               "横浜",   "大宮",   "千葉",   "八王子",   "高尾",   "立川",
                               "小田原", "熱海",   "宇都宮", "高崎",     "成田空港", "羽田空港",
                               "武蔵小杉", "京都", "大阪",   "新大阪",   "神戸",   "姫路"};
const char* const kPlacesEn[] = {"Tokyo",    "Shinjuku", "Shibuya",  "Ikebukuro", "Ueno",
                                 "Shinagawa", "Yokohama", "Omiya",    "Chiba",     "Hachioji",
                                 "Takao",    "Tachikawa", "Odawara", "Atami",     "Utsunomiya",
                                 "Takasaki", "Narita Airport", "Haneda Airport", "Musashi-Kosugi",
                                 "Kyoto",    "Osaka",    "Shin-Osaka", "Kobe",    "Himeji"};
const char* const kGuides[] = {"この列車は各駅に停車します", "グリーン車は４・５号車です",
                               "途中駅で快速に接続します", "ドアは手動です", ""};
const char* const kNotes[] = {"", "１５両", "１０両", "ワンマン", "車内販売なし"};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N])
{
    return N;
}

QByteArray Sj(const char* utf8)
{
    return Sjis::FromUtf8(utf8);
}

PanelLayout SampleLayout()
{
    PanelLayout layout{};
    const quint16 columns[kPanelPartCount][3] = {{0, 0, 0},  {1, 3, 1},   {5, 5, 0}, {11, 4, 0},
                                                 {16, 7, 1}, {24, 1, 2}, {26, 7, 0}};
    for (int i = 0; i < kPanelPartCount; ++i)
        layout[static_cast<size_t>(i)] = {columns[i][0], columns[i][1], columns[i][2]};
    return layout;
}

void Fill(CQLMDoc& doc, int trains)
{
    Lcg rng;
    doc.SetNewDocumentDefaults();
    doc.m_strStationId = Sj("SHINJUKU-7");
    doc.m_strStationName = Sj("新宿");
    doc.m_strStationNameEn = "Shinjuku";
    doc.m_strPrevStation = Sj("代々木");
    doc.m_strPrevStationEn = "Yoyogi";
    doc.m_strNextStation = Sj("新大久保");
    doc.m_strNextStationEn = "Shin-Okubo";
    doc.m_strLineName = Sj("山手線");
    doc.m_strLineNameEn = "Yamanote Line";
    doc.m_strGuide = Sj("池袋・上野方面");
    doc.m_strGuideEn = "For Ikebukuro & Ueno";
    doc.m_strGuideMessage = Sj("本日も鉄道をご利用いただきましてありがとうございます");
    doc.m_wDateChangeTime = 120;
    doc.m_wDisplayStartTime = 270;
    doc.m_LayoutMain = SampleLayout();
    doc.m_LayoutSub = SampleLayout();

    doc.SetGuideMessageCount(48);
    for (int i = 1; i <= 48; ++i) {
        GUIDEMESSAGE& m = doc.m_GuideMessage.ElementAt(i);
        m.nStartTime = (i - 1) * 30;
        m.nEndTime = m.nStartTime + 29;
        m.bExclusive = i % 5 == 0;
        m.strMessage = Sj("まもなく電車がまいります。黄色い線の内側までお下がりください") +
                       QByteArray::number(i);
    }

    doc.SetAssortmentCount(300);
    for (int i = 1; i <= 300; ++i) {
        tagTRAINASSORTMENT& t = doc.m_TrainAssortment.ElementAt(i);
        const size_t k = static_cast<size_t>(i - 1) % Count(kTypeNames);
        t.strName = Sj(kTypeNames[k]) + QByteArray::number(i);
        t.strNameSub = QByteArray(kTypeNamesEn[k]) + QByteArray::number(i);
        t.bDefaultColor = i % 3 == 0;
        t.bLightBackground = i % 4 == 0;
        t.crBack = rng.Next(0x1000000);
        t.crText = rng.Next(0x1000000);
        t.bCustomLayout = i % 7 == 0;
        t.layoutMain = SampleLayout();
        t.layoutSub = SampleLayout();
    }

    doc.SetDestinationCount(400);
    for (int i = 1; i <= 400; ++i) {
        DESTINATION& d = doc.m_Destination.ElementAt(i);
        const size_t k = static_cast<size_t>(i - 1) % Count(kPlaces);
        d.strName = Sj(kPlaces[k]) + QByteArray::number(i);
        d.strNameEn = QByteArray(kPlacesEn[k]) + ' ' + QByteArray::number(i);
    }

    doc.SetTrainCount(static_cast<quint16>(trains));
    for (int i = 1; i <= trains; ++i) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(i);
        t.wTrainNo = static_cast<quint16>(rng.Next(10001));
        t.chTrainSuffix = static_cast<quint8>("ABCGHKMST"[rng.Next(9)]);
        t.wAssortment = static_cast<quint16>(1 + rng.Next(300));
        const size_t place = rng.Next(Count(kPlaces));
        t.strName = Sj(kPlaces[place]) + Sj("号");
        t.strNameEn = QByteArray(kPlacesEn[place]);
        t.wTime = static_cast<quint16>(i * 1440 / (trains + 1));
        t.wDestination = static_cast<quint16>(1 + rng.Next(400));
        t.wPlatform = static_cast<quint16>(1 + rng.Next(16));
        t.strGuide = Sj(kGuides[rng.Next(Count(kGuides))]);
        t.strNote = Sj(kNotes[rng.Next(Count(kNotes))]);
    }

    EXTKEY key;
    key.SetKey("MADEBY");
    key.strValue = "qlmgen";
    doc.m_ExtKey.AddTail(key);
    key.SetKey("STANDARD/COMPANY");
    key.strValue = Sj("東日本旅客鉄道");
    doc.m_ExtKey.AddTail(key);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: qlmgen OUT.qlm [TRAINS]\n", stderr);
        return 2;
    }
    const int trains = argc == 3 ? std::atoi(argv[2]) : kMaxCollection;
    if (trains < 0 || trains > kMaxCollection) {
        std::fputs("qlmgen: TRAINS must be 0..65535\n", stderr);
        return 2;
    }
    CQLMDoc doc;
    Fill(doc, trains);
    QByteArray bytes;
    SaveError saveError;
    if (!doc.SaveFile(&bytes, &saveError)) {
        std::fprintf(stderr, "qlmgen: %s\n", qPrintable(saveError.English()));
        return 1;
    }
    QString error;
    if (!WriteFileAtomically(QString::fromLocal8Bit(argv[1]), bytes, &error)) {
        std::fprintf(stderr, "qlmgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
