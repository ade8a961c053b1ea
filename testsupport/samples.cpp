#include "samples.h"

#include <QFile>

#include <vector>

namespace Samples {

QByteArray J(const char* utf8)
{
    return Sjis::FromUtf8(utf8);
}

QByteArray Bytes(const CQLMDoc& doc)
{
    QByteArray bytes;
    doc.SaveFile(&bytes);
    return bytes;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

tagTRAININFO Train::Info() const
{
    tagTRAININFO t;
    t.wTrainNo = no;
    t.chTrainSuffix = suffix;
    t.wAssortment = type;
    t.strName = J(name);
    t.strNameEn = nameEn;
    t.wTime = static_cast<quint16>(time);
    t.wDestination = destination;
    t.wPlatform = platform;
    t.strGuide = J(guide);
    t.strNote = J(note);
    return t;
}

Timetable::Timetable()
{
    m_doc.SetNewDocumentDefaults();
}

Timetable& Timetable::Types(std::initializer_list<Names> types)
{
    m_doc.SetAssortmentCount(static_cast<quint16>(types.size()));
    int k = 0;
    for (const Names& n : types) {
        tagTRAINASSORTMENT& type = m_doc.m_TrainAssortment.ElementAt(++k);
        type.strName = J(n.name);
        type.strNameSub = n.nameEn;
    }
    return *this;
}

Timetable& Timetable::Destinations(std::initializer_list<Names> destinations)
{
    m_doc.SetDestinationCount(static_cast<quint16>(destinations.size()));
    int k = 0;
    for (const Names& n : destinations)
        m_doc.m_Destination.ElementAt(++k) = {J(n.name), n.nameEn};
    return *this;
}

Timetable& Timetable::Trains(std::initializer_list<Train> trains)
{
    m_doc.SetTrainCount(static_cast<quint16>(trains.size()));
    int i = 0;
    for (const Train& t : trains)
        m_doc.m_TrainInfo.ElementAt(++i) = t.Info();
    return *this;
}

Timetable& Timetable::Trains(int count, const std::function<Train(int i)>& make)
{
    m_doc.SetTrainCount(static_cast<quint16>(count));
    for (int i = 1; i <= count; ++i)
        m_doc.m_TrainInfo.ElementAt(i) = make(i).Info();
    return *this;
}

Timetable& Timetable::EachTrain(int count, const std::function<void(int i, tagTRAININFO&)>& change)
{
    m_doc.SetTrainCount(static_cast<quint16>(count));
    for (int i = 1; i <= count; ++i)
        change(i, m_doc.m_TrainInfo.ElementAt(i));
    return *this;
}

Timetable& Timetable::Guides(std::initializer_list<Guide> guides)
{
    m_doc.SetGuideMessageCount(static_cast<quint16>(guides.size()));
    int i = 0;
    for (const Guide& g : guides)
        m_doc.m_GuideMessage.ElementAt(++i) = {g.start, g.end, g.exclusive, J(g.text)};
    return *this;
}

Timetable& Timetable::Key(const char* path, const char* value)
{
    EXTKEY key;
    key.SetKey(path);
    key.strValue = J(value);
    m_doc.m_ExtKey.AddTail(key);
    m_doc.PackExtKeys();
    return *this;
}

Timetable& Timetable::Layouts(const PanelLayout& main, const PanelLayout& sub)
{
    m_doc.m_LayoutMain = main;
    m_doc.m_LayoutSub = sub;
    return *this;
}

Timetable& Timetable::With(const std::function<void(CQLMDoc&)>& change)
{
    change(m_doc);
    return *this;
}

CQLMDoc Small()
{
    return Timetable()
        .Trains({{.no = 1234,
                  .suffix = 'M',
                  .time = Hm(7, 30),
                  .platform = 9,
                  .name = "あずさ",
                  .nameEn = "Azusa",
                  .guide = "全車指定席"}})
        .Guides({{Hm(7, 0), Hm(9, 0), true, "混雑しています"}})
        .Key("MADEBY", "tester");
}

CQLMDoc Board(std::initializer_list<int> times)
{
    const PanelLayout layout = {PANELPART{1, 2, 0},  PANELPART{4, 2, 2},  PANELPART{7, 4, 0},
                                PANELPART{12, 2, 2}, PANELPART{15, 5, 1}, PANELPART{21, 1, 2},
                                PANELPART{23, 10, 0}};
    const std::vector<int> at(times);
    return Timetable()
        .Layouts(layout, layout)
        .Destinations({{"東京", "Tokyo"}, {"高尾", "Takao"}})
        .Trains(int(at.size()),
                [&](int row) {
                    return Train{.no = quint16(100 + row),
                                 .time = at[size_t(row) - 1],
                                 .platform = quint16(row)};
                })
        .With([](CQLMDoc& doc) {
            doc.m_wDateChangeTime = Hm(2, 0);
            doc.m_wDisplayStartTime = Hm(4, 30);
            doc.m_strLineName = J("中央線");
            doc.m_strLineNameEn = "Chuo Line";
            doc.m_strGuide = J("新宿・東京方面");
            doc.m_strGuideEn = "For Shinjuku";
            doc.SetAssortmentCount(2);
            tagTRAINASSORTMENT& rapid = doc.m_TrainAssortment.ElementAt(2);
            rapid = doc.m_TrainAssortment.ElementAt(1);
            rapid.strName = J("快速");
            rapid.strNameSub = "RAPID";
            rapid.bDefaultColor = 0;
            rapid.crText = 0x000080FF;
            rapid.bLightBackground = 1;
            rapid.crBack = 0x00404040;
        });
}

CQLMDoc Grid(int count)
{
    const char* names[] = {"あずさ", "かいじ", "富士回遊", "", "はちおうじ"};
    const char* namesEn[] = {"Azusa", "Kaiji", "Fuji Excursion", "", "Hachioji"};
    return Timetable()
        .Types({{"普通"}, {"快速"}, {"特急"}, {"通勤快速"}})
        .Destinations({{"東京"}, {"高尾"}, {"大月"}, {"河口湖"}, {"青梅"}})
        .Trains(count, [&](int i) {
            return Train{.no = quint16(i % 10000),
                         .suffix = quint8('A' + i % 26),
                         .type = quint16(1 + i % 4),
                         .time = (300 + i * 7) % 1440,
                         .destination = quint16(1 + i % 5),
                         .platform = quint16(1 + i % 8),
                         .name = names[i % 5],
                         .nameEn = namesEn[i % 5],
                         .guide = i % 3 == 0 ? "この列車は途中の駅で特急の待ち合わせをします" : "",
                         .note = i % 4 == 0 ? "全車指定席" : ""};
        });
}

namespace {

// A small linear congruential generator: the same timetable on every machine.
struct Lcg
{
    quint32 state = 20240601;
    quint32 Next(quint32 bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

template <typename T, size_t N> quint32 Count(const T (&)[N])
{
    return quint32(N);
}

PanelLayout BigLayout()
{
    return {PANELPART{0, 0, 0},  PANELPART{1, 3, 1},  PANELPART{5, 5, 0}, PANELPART{11, 4, 0},
            PANELPART{16, 7, 1}, PANELPART{24, 1, 2}, PANELPART{26, 7, 0}};
}

} // namespace

CQLMDoc Big(int trains)
{
    static const char* const types[] = {"普通", "快速", "区間快速", "特別快速", "通勤快速",
                                        "急行", "準急", "特急",     "ライナー", "回送"};
    static const char* const typesEn[] = {"LOCAL",   "RAPID",   "SEC.RAP", "SP.RAPID", "COM.RAP",
                                          "EXPRESS", "SEMI EX", "LTD.EXP", "LINER",    "OUT OF SV"};
    static const char* const places[] = {
        "東京",     "新宿",     "渋谷",     "池袋", "上野",   "品川",   "横浜",   "大宮",
        "千葉",     "八王子",   "高尾",     "立川", "小田原", "熱海",   "宇都宮", "高崎",
        "成田空港", "羽田空港", "武蔵小杉", "京都", "大阪",   "新大阪", "神戸",   "姫路"};
    static const char* const placesEn[] = {
        "Tokyo",     "Shinjuku",       "Shibuya",        "Ikebukuro",      "Ueno",
        "Shinagawa", "Yokohama",       "Omiya",          "Chiba",          "Hachioji",
        "Takao",     "Tachikawa",      "Odawara",        "Atami",          "Utsunomiya",
        "Takasaki",  "Narita Airport", "Haneda Airport", "Musashi-Kosugi", "Kyoto",
        "Osaka",     "Shin-Osaka",     "Kobe",           "Himeji"};
    static const char* const guides[] = {"この列車は各駅に停車します", "グリーン車は４・５号車です",
                                         "途中駅で快速に接続します", "ドアは手動です", ""};
    static const char* const notes[] = {"", "１５両", "１０両", "ワンマン", "車内販売なし"};

    Lcg rng;
    Timetable big;
    big.Layouts(BigLayout(), BigLayout()).With([&](CQLMDoc& doc) {
        doc.m_strStationId = J("SHINJUKU-7");
        doc.m_strStationName = J("新宿");
        doc.m_strStationNameEn = "Shinjuku";
        doc.m_strPrevStation = J("代々木");
        doc.m_strPrevStationEn = "Yoyogi";
        doc.m_strNextStation = J("新大久保");
        doc.m_strNextStationEn = "Shin-Okubo";
        doc.m_strLineName = J("山手線");
        doc.m_strLineNameEn = "Yamanote Line";
        doc.m_strGuide = J("池袋・上野方面");
        doc.m_strGuideEn = "For Ikebukuro & Ueno";
        doc.m_strGuideMessage = J("本日も鉄道をご利用いただきましてありがとうございます");
        doc.m_wDateChangeTime = 120;
        doc.m_wDisplayStartTime = 270;

        doc.SetGuideMessageCount(48);
        for (int i = 1; i <= 48; ++i)
            doc.m_GuideMessage.ElementAt(i) = {
                (i - 1) * 30, (i - 1) * 30 + 29, i % 5 == 0,
                J("まもなく電車がまいります。黄色い線の内側までお下がりください") +
                    QByteArray::number(i)};

        doc.SetAssortmentCount(300);
        for (int i = 1; i <= 300; ++i) {
            tagTRAINASSORTMENT& t = doc.m_TrainAssortment.ElementAt(i);
            const quint32 k = quint32(i - 1) % Count(types);
            t.strName = J(types[k]) + QByteArray::number(i);
            t.strNameSub = QByteArray(typesEn[k]) + QByteArray::number(i);
            t.bDefaultColor = i % 3 == 0;
            t.bLightBackground = i % 4 == 0;
            t.crBack = rng.Next(0x1000000);
            t.crText = rng.Next(0x1000000);
            t.bCustomLayout = i % 7 == 0;
            t.layoutMain = t.layoutSub = BigLayout();
        }

        doc.SetDestinationCount(400);
        for (int i = 1; i <= 400; ++i) {
            const quint32 k = quint32(i - 1) % Count(places);
            doc.m_Destination.ElementAt(i) = {J(places[k]) + QByteArray::number(i),
                                              QByteArray(placesEn[k]) + ' ' +
                                                  QByteArray::number(i)};
        }

        doc.SetTrainCount(static_cast<quint16>(trains));
        for (int i = 1; i <= trains; ++i) {
            tagTRAININFO& t = doc.m_TrainInfo.ElementAt(i);
            t.wTrainNo = static_cast<quint16>(rng.Next(10001));
            t.chTrainSuffix = static_cast<quint8>("ABCGHKMST"[rng.Next(9)]);
            t.wAssortment = static_cast<quint16>(1 + rng.Next(300));
            const quint32 place = rng.Next(Count(places));
            t.strName = J(places[place]) + J("号");
            t.strNameEn = QByteArray(placesEn[place]);
            t.wTime = static_cast<quint16>(i * 1440 / (trains + 1));
            t.wDestination = static_cast<quint16>(1 + rng.Next(400));
            t.wPlatform = static_cast<quint16>(1 + rng.Next(16));
            t.strGuide = J(guides[rng.Next(Count(guides))]);
            t.strNote = J(notes[rng.Next(Count(notes))]);
        }
    });
    return big.Key("MADEBY", "qlmgen").Key("STANDARD/COMPANY", "東日本旅客鉄道");
}

CQLMDoc Demo()
{
    // 普通 and 快速 have no names; 特急 shows its name in a layout of its own.
    const PanelLayout main = {PANELPART{1, 2, 0},  PANELPART{4, 2, 1},  PANELPART{0, 0, 0},
                              PANELPART{8, 2, 2},  PANELPART{12, 3, 1}, PANELPART{0, 0, 0},
                              PANELPART{17, 16, 0}};
    const PanelLayout sub = {PANELPART{1, 2, 0},  PANELPART{4, 3, 0},  PANELPART{0, 0, 0},
                             PANELPART{9, 2, 2},  PANELPART{13, 5, 0}, PANELPART{0, 0, 0},
                             PANELPART{20, 13, 0}};
    const PanelLayout limitedMain = {PANELPART{1, 2, 0},  PANELPART{4, 2, 1},  PANELPART{7, 4, 0},
                                     PANELPART{12, 2, 2}, PANELPART{15, 3, 1}, PANELPART{0, 0, 0},
                                     PANELPART{20, 13, 0}};
    const PanelLayout limitedSub = {PANELPART{1, 2, 0},  PANELPART{4, 3, 0},  PANELPART{8, 4, 0},
                                    PANELPART{13, 2, 2}, PANELPART{16, 5, 0}, PANELPART{0, 0, 0},
                                    PANELPART{22, 11, 0}};
    return Timetable()
        .Layouts(main, sub)
        .Types({{"普通", "LOCAL"}, {"快速", "RAPID"}, {"特急", "LTD.EXP"}})
        .Destinations({{"東京", "Tokyo"},
                       {"新宿", "Shinjuku"},
                       {"高尾", "Takao"},
                       {"大月", "Otsuki"},
                       {"松本", "Matsumoto"}})
        .Trains(30,
                [](int i) {
                    const int kind = i % 7 == 0 ? 3 : (i % 3 == 0 ? 2 : 1);
                    return Train{.no = quint16(600 + i * 2),
                                 .suffix = quint8(kind == 1 ? 'T' : 'M'),
                                 .type = quint16(kind),
                                 .time = Hm(5, 12) + i * 9,
                                 .destination = quint16(kind == 3 ? 5 : 1 + i % 4),
                                 .platform = 3,
                                 .name = kind == 3 ? "あずさ" : "",
                                 .nameEn = kind == 3 ? "Azusa" : "",
                                 .guide = kind == 3   ? "全車指定席です"
                                          : kind == 2 ? "国分寺まで各駅に停まります"
                                                      : "",
                                 .note = kind == 3   ? "All seats reserved"
                                         : kind == 2 ? "10 cars"
                                                     : ""};
                })
        .Guides({{Hm(6, 30), Hm(7, 30), false, "黄色い線の内側までお下がりください"},
                 {Hm(23, 0), Hm(25, 0), true, "終電が近づいています"}})
        .Key("MADEBY", "MARVO")
        .Key("STANDARD/COMPANY", "(鉄道会社名)")
        .Key("STANDARD/ARROWSTYLE", "4")
        .With([&](CQLMDoc& doc) {
            doc.m_strStationId = "HACHIOJI";
            doc.m_strStationName = J("八王子");
            doc.m_strStationNameEn = "Hachioji";
            doc.m_strNextStation = J("西八王子");
            doc.m_strNextStationEn = "Nishi-Hachioji";
            doc.m_strPrevStation = J("豊田");
            doc.m_strPrevStationEn = "Toyoda";
            doc.m_wPlatform = 3;
            doc.m_crLineColor = 0x000080F0;
            doc.m_strLineName = J("中央線");
            doc.m_strLineNameEn = "Chuo Line";
            doc.m_strGuide = J("立川・新宿・東京方面");
            doc.m_strGuideEn = "For Shinjuku, Tokyo";
            doc.m_bSubLine = 1;
            doc.m_strSubLineName = J("横浜線");
            doc.m_strSubLineNameEn = "Yokohama Line";
            doc.m_strSubGuide = J("橋本・東神奈川方面");
            doc.m_strSubGuideEn = "For Hashimoto";
            doc.m_crLit = 0x0000C8FF;
            doc.m_wDateChangeTime = Hm(2, 0);
            doc.m_wDisplayStartTime = Hm(4, 30);
            doc.m_strGuideMessage = J("本日も中央線をご利用いただきましてありがとうございます");
            const quint32 colours[] = {0, 0x000080FF, 0x003030FF};
            for (int k = 1; k <= 3; ++k) {
                tagTRAINASSORTMENT& type = doc.m_TrainAssortment.ElementAt(k);
                type.bDefaultColor = k == 1;
                type.crText = k == 1 ? doc.m_crLit : colours[k - 1];
                type.crBack = doc.m_crUnlit;
                type.layoutMain = k == 3 ? limitedMain : main;
                type.layoutSub = k == 3 ? limitedSub : sub;
            }
            tagTRAINASSORTMENT& limited = doc.m_TrainAssortment.ElementAt(3);
            limited.bCustomLayout = 1;
            limited.bLightBackground = 1;
            limited.crBack = 0x00402020;
            doc.SetExtDataCount(doc.m_nExtDataCount + 1);
            doc.m_ExtData.ElementAt(doc.m_nExtDataCount).SetName("WMXCFG");
            doc.m_ExtData.ElementAt(doc.m_nExtDataCount).SetData(QByteArray(300, '\x01'));
        });
}

} // namespace Samples
