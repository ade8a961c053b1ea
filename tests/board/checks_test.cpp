// The checks: for each, a small timetable that must give the finding and one that must not.
// The sample board's layout (both displays): order 1-3, type 4-6, name 7-11, time 12-14,
// destination 15-20, platform 21-22, auxiliary 23-33; trains 05:00 .. 23:50, 00:45 (date change
// 02:00), all of type 1 to destination 1.

#include "boardchecks.h"
#include "boardsample.h"
#include "parttext.h"
#include "textwidths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace Board;
using Samples::Hm;
using Samples::J;
using Kind = CheckPlace::Kind;

namespace {

const CBoardFont& Font()
{
    static const auto font = CBoardFont::Shared();
    return *font;
}

tagTRAININFO& Train(CQLMDoc& doc, int row)
{
    return doc.m_TrainInfo.ElementAt(row);
}

void AddKeys(CQLMDoc& doc, std::initializer_list<const char*> paths)
{
    for (const char* path : paths) {
        EXTKEY key;
        key.SetKey(path);
        doc.m_ExtKey.AddTail(key);
    }
}

void SetGuides(CQLMDoc& doc, std::initializer_list<GUIDEMESSAGE> messages)
{
    doc.SetGuideMessageCount(static_cast<quint16>(messages.size()));
    int i = 0;
    for (const GUIDEMESSAGE& m : messages)
        doc.m_GuideMessage.ElementAt(++i) = m;
}

// Type 2 gets a layout of its own, with a destination part of 10 columns.
void WideTypeLayout(CQLMDoc& doc)
{
    tagTRAINASSORTMENT& rapid = doc.m_TrainAssortment.ElementAt(2);
    rapid.bCustomLayout = 1;
    rapid.layoutMain = doc.m_LayoutMain;
    rapid.layoutMain[kPartDestination] = {15, 9, 0};
    rapid.layoutMain[kPartPlatform] = {};
    rapid.layoutMain[kPartAuxiliary] = {};
    rapid.layoutSub = rapid.layoutMain;
}

using Edit = std::function<void(CQLMDoc&)>;

struct CheckCase
{
    const char* what;
    Check check;
    CheckLevel level;
    CheckPlace place;
    Display display; // of the finding (too wide, always empty)
    Edit gives;      // a timetable that must give the finding at the place
    Edit spared;     // one that must give no finding of the check anywhere
};

CheckPlace At(Kind kind, int index, int column = 0, Display display = Display::Main, int part = -1)
{
    return {kind, static_cast<qint8>(part), static_cast<quint8>(column), index, display};
}

const Display kMain = Display::Main;
const Display kSub = Display::Sub;

const CheckCase kCases[] = {
    {"a train earlier than the one before; not across the date change", Check::TrainOrder,
     CheckLevel::Warning, At(Kind::Train, 3, kCellTime), kMain,
     [](CQLMDoc& d) { Train(d, 3).wTime = static_cast<quint16>(Hm(6, 50)); },
     [](CQLMDoc& d) { Train(d, 6).wTime = static_cast<quint16>(Hm(1, 59)); }},
    {"26:00 with the date change at 02:00; 25:30 is 01:30 of the day", Check::TimeBeyondDay,
     CheckLevel::Warning, At(Kind::Train, 6, kCellTime), kMain,
     [](CQLMDoc& d) { Train(d, 6).wTime = static_cast<quint16>(Hm(26, 0)); },
     [](CQLMDoc& d) { Train(d, 6).wTime = static_cast<quint16>(Hm(25, 30)); }},
    {"a type index beyond the list", Check::TypeIndex, CheckLevel::Warning,
     At(Kind::Train, 2, kCellType), kMain, [](CQLMDoc& d) { Train(d, 2).wAssortment = 3; },
     [](CQLMDoc& d) { Train(d, 2).wAssortment = 2; }},
    {"a destination index of 0", Check::DestinationIndex, CheckLevel::Warning,
     At(Kind::Train, 5, kCellDestination), kMain, [](CQLMDoc& d) { Train(d, 5).wDestination = 0; },
     [](CQLMDoc& d) { Train(d, 5).wDestination = 2; }},
    {"a train entered twice; the same time to another destination", Check::DuplicateTrain,
     CheckLevel::Note, At(Kind::Train, 4, kCellTime), kMain,
     [](CQLMDoc& d) { Train(d, 4).wTime = Train(d, 2).wTime; },
     [](CQLMDoc& d) {
         Train(d, 4).wTime = Train(d, 2).wTime;
         Train(d, 4).wDestination = 2;
     }},
    {"a destination of 7 characters in 6 columns, at its first train; not where the type's own "
     "layout gives it 10",
     Check::TextTooWide, CheckLevel::Warning, At(Kind::Train, 1, kCellDestination), kMain,
     [](CQLMDoc& d) { d.m_Destination.ElementAt(1).strName = J("八王子方面行き"); },
     [](CQLMDoc& d) {
         d.m_Destination.ElementAt(1).strName = J("八王子方面行き");
         WideTypeLayout(d);
         for (tagTRAININFO& t : d.m_TrainInfo.Items())
             t.wAssortment = 2;
     }},
    {"a sub type name of 7 letters in 3 columns; 6 fit", Check::TextTooWide, CheckLevel::Warning,
     At(Kind::Train, 1, kCellType), kSub,
     [](CQLMDoc& d) { d.m_TrainAssortment.ElementAt(1).strNameSub = "LTD.EXP"; },
     [](CQLMDoc& d) { d.m_TrainAssortment.ElementAt(1).strNameSub = "EXPRES"; }},
    {"a train name of 7 characters in 5 columns; 5 fit", Check::TextTooWide, CheckLevel::Warning,
     At(Kind::Train, 4, kCellName), kMain,
     [](CQLMDoc& d) { Train(d, 4).strName = J("スーパーあずさ"); },
     [](CQLMDoc& d) { Train(d, 4).strName = J("特急あずさ"); }},
    {"a supplement of 23 letters on the sub display's 11 columns; 22 fit", Check::TextTooWide,
     CheckLevel::Warning, At(Kind::Train, 2, kCellNote), kSub,
     [](CQLMDoc& d) { Train(d, 2).strNote = QByteArray(23, 'x'); },
     [](CQLMDoc& d) { Train(d, 2).strNote = QByteArray(22, 'x'); }},
    {"an English direction of 41 letters on the sign; a second sign row that is off",
     Check::TextTooWide, CheckLevel::Warning, At(Kind::Sign, 0, 0, kSub, kSignDirection), kSub,
     [](CQLMDoc& d) { d.m_strGuideEn = QByteArray(41, 'x'); },
     [](CQLMDoc& d) { d.m_strSubGuideEn = QByteArray(41, 'x'); }},
    {"23:50 in a time part of 2 columns; 3 columns", Check::TextTooWide, CheckLevel::Warning,
     At(Kind::Layout, 0, 0, kMain, kPartTime), kMain,
     [](CQLMDoc& d) { d.m_LayoutMain[kPartTime].wSpan = 1; },
     [](CQLMDoc& d) { d.m_LayoutMain[kPartTime].wSpan = 2; }},
    {"a part to column 34; to 33", Check::PartPastEdge, CheckLevel::Warning,
     At(Kind::Layout, 0, 0, kMain, kPartAuxiliary), kMain,
     [](CQLMDoc& d) { d.m_LayoutMain[kPartAuxiliary].wSpan = 11; },
     [](CQLMDoc& d) { d.m_LayoutMain[kPartAuxiliary].wSpan = 10; }},
    {"a type's own layout with the destination over the platform; a hidden platform",
     Check::PartsOverlap, CheckLevel::Warning, At(Kind::Layout, 2, 0, kSub, kPartPlatform), kMain,
     [](CQLMDoc& d) {
         WideTypeLayout(d);
         d.m_TrainAssortment.ElementAt(2).layoutSub[kPartPlatform] = {24, 0, 0};
     },
     WideTypeLayout},
    {"English names missing on every train; no trains at all", Check::PartAlwaysEmpty,
     CheckLevel::Note, At(Kind::Layout, 0, 0, kSub, kPartName), kSub,
     [](CQLMDoc& d) {
         for (tagTRAININFO& t : d.m_TrainInfo.Items())
             t.strName = J("あずさ");
     },
     [](CQLMDoc& d) { d.SetTrainCount(0); }},
    {"a window across the date change; one across midnight", Check::GuideNeverShows,
     CheckLevel::Warning, At(Kind::GuideMessage, 1), kMain,
     [](CQLMDoc& d) {
         SetGuides(d, {{Hm(1, 0), Hm(3, 0), 0, "A"}});
     },
     [](CQLMDoc& d) {
         SetGuides(d, {{Hm(23, 0), Hm(1, 0), 0, "A"}});
     }},
    {"a window to 26:30 with the day ending at 26:00; to 25:30", Check::GuideOutsideDay,
     CheckLevel::Warning, At(Kind::GuideMessage, 2), kMain,
     [](CQLMDoc& d) {
         SetGuides(d, {{0, 60, 0, "A"}, {Hm(25, 0), Hm(26, 30), 0, "B"}});
     },
     [](CQLMDoc& d) {
         SetGuides(d, {{0, 60, 0, "A"}, {Hm(25, 0), Hm(25, 30), 0, "B"}});
     }},
    {"exclusive 07:30-09:00 listed before 07:00-08:00 hides it; 08:00-09:00 only touches",
     Check::GuideExclusiveOverlap, CheckLevel::Warning, At(Kind::GuideMessage, 3), kMain,
     [](CQLMDoc& d) {
         SetGuides(d, {{Hm(7, 30), Hm(9, 0), 1, "A"},
                       {Hm(6, 0), Hm(6, 30), 1, "B"},
                       {Hm(7, 0), Hm(8, 0), 1, "C"}});
     },
     [](CQLMDoc& d) {
         SetGuides(d, {{Hm(8, 0), Hm(9, 0), 1, "A"}, {Hm(7, 0), Hm(8, 0), 1, "B"}});
     }},
    {"a type no train uses; none without trains", Check::UnusedType, CheckLevel::Note,
     At(Kind::Type, 2), kMain, [](CQLMDoc&) {}, [](CQLMDoc& d) { d.SetTrainCount(0); }},
    {"a destination no train goes to; every one used", Check::UnusedDestination, CheckLevel::Note,
     At(Kind::Destination, 2), kMain, [](CQLMDoc&) {},
     [](CQLMDoc& d) { Train(d, 6).wDestination = 2; }},
    {"a key path given twice; a path continuing another", Check::DuplicateKey, CheckLevel::Note,
     At(Kind::ExtKey, 3), kMain,
     [](CQLMDoc& d) {
         AddKeys(d, {"A/B", "C", "A/B"});
     },
     [](CQLMDoc& d) {
         AddKeys(d, {"A/B", "A/B/C", "A"});
     }},
};

TEST(BoardChecks, EachCheckFindsItsProblemAndSparesTheRest)
{
    for (const CheckCase& c : kCases) {
        CQLMDoc gives = Samples::Board();
        c.gives(gives);
        const std::vector<Finding> found = RunChecks(gives, &Font());
        const auto hit = std::find_if(found.begin(), found.end(), [&](const Finding& f) {
            return f.check == c.check && f.place == c.place;
        });
        if (hit == found.end()) {
            ADD_FAILURE() << "not found: " << c.what;
            continue;
        }
        EXPECT_EQ(hit->level, c.level) << c.what;
        if (c.check == Check::TextTooWide || c.check == Check::PartAlwaysEmpty) {
            EXPECT_EQ(hit->display, c.display) << c.what;
        }

        CQLMDoc spared = Samples::Board();
        c.spared(spared);
        for (const Finding& f : RunChecks(spared, &Font())) {
            EXPECT_NE(f.check, c.check)
                << c.what << ": " << MessageText(f, Language::English).toStdString();
        }
    }
}

TEST(BoardChecks, OneFindingPerTextWithTheValuesNamed)
{
    // Every train goes to a destination too wide on both displays: one finding for each
    // display, at the first train, counting them all.
    CQLMDoc doc = Samples::Board();
    doc.m_Destination.ElementAt(1) = {J("八王子方面行き"), "Hachioji Station"};
    std::vector<Finding> wide;
    for (const Finding& f : RunChecks(doc, &Font()))
        if (f.check == Check::TextTooWide)
            wide.push_back(f);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].count, 6);
    EXPECT_EQ(wide[0].place, At(Kind::Train, 1, kCellDestination));
    EXPECT_EQ(MessageText(wide[0], Language::Japanese),
              QStringLiteral("日本語/主 表示の行先「八王子方面行き」は 112 ドットで、行先の幅 96 "
                             "ドットに収まりません (6本の列車)"));
    EXPECT_EQ(MessageText(wide[1], Language::English),
              QStringLiteral("destination \"Hachioji Station\" on the sub display is 128 dots "
                             "wide, wider than the part's 96 (on 6 trains)"));

    // Without a font the widths go unchecked; the rest is still found.
    const std::vector<Finding> blind = RunChecks(doc, nullptr);
    EXPECT_TRUE(std::none_of(blind.begin(), blind.end(),
                             [](const Finding& f) { return f.check == Check::TextTooWide; }));
    EXPECT_FALSE(blind.empty());
}

TEST(BoardChecks, DepartureOrderWordsByRowsShown)
{
    // 次々発 (48 dots) does not fit 2 columns: a note, as only boards of 3 rows or more show it.
    // 先発 does not fit 1 column: a warning.
    CQLMDoc doc = Samples::Board();
    doc.m_LayoutMain[kPartOrder] = {1, 1, 0};
    auto order = [&] {
        for (const Finding& f : RunChecks(doc, &Font()))
            if (f.check == Check::TextTooWide && f.place.part == kPartOrder)
                return f;
        return Finding{};
    };
    EXPECT_EQ(order().level, CheckLevel::Note);
    EXPECT_EQ(order().text, J("次々発"));
    doc.m_LayoutMain[kPartOrder] = {1, 0, 0};
    EXPECT_EQ(order().level, CheckLevel::Warning);
    EXPECT_EQ(order().text, J("先発"));
}

} // namespace

TEST(BoardTextWidths, EqualTextWidthForEveryByteAndPair)
{
    // Every two-byte text (a character, two single bytes, a broken pair) and a few longer ones
    // measure as the board draws them.
    CTextWidths widths(Font());
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; ++second) {
            const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
            const QByteArrayView text(bytes, 2);
            ASSERT_EQ(widths.Width(text), TextWidth(Font(), text)) << first << ' ' << second;
        }
    for (const QByteArray& text : {J("八王子方面行き") + "\x81", QByteArray("ab\x81\x20z"),
                                   J("ｶﾞｲﾄﾞ") + "\xFD\x40", QByteArray()})
        EXPECT_EQ(widths.Width(text), TextWidth(Font(), text)) << text.toHex().constData();
}
