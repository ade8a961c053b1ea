#include "qlmdoc.h"
#include "rowlogic.h"
#include "rowmoves.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The rules describe a change; these run it as the document does and keep the selection on its
// trains as the view does, so that each case reads as the user sees it.
void Run(CQLMDoc& doc, GridState& state, TimetableEdit& edit)
{
    for (const DocChange& change : edit.Redo(doc))
        FollowChange(state, change);
}

InsertResult InsertTrains(CQLMDoc& doc, GridState& state, bool atCurrent, int count,
                          std::optional<int> copyFrom)
{
    TimetableEdit edit;
    const InsertResult result =
        InsertTrains(doc, state.m_nCurRow, atCurrent, count, copyFrom, &edit);
    Run(doc, state, edit);
    return result;
}

DeleteResult DeleteTrains(CQLMDoc& doc, GridState& state, DeleteDirection direction, int count)
{
    TimetableEdit edit;
    const DeleteResult result = DeleteTrains(doc, state.m_nCurRow, direction, count, &edit);
    Run(doc, state, edit);
    return result;
}

PasteResult PasteRow(CQLMDoc& doc, GridState& state, PasteMode mode)
{
    TimetableEdit edit;
    int pasted = 0;
    const bool cut = state.m_bCutMark;
    const PasteResult result = PasteRow(doc, state, mode, &edit, &pasted);
    Run(doc, state, edit);
    if (result == PasteResult::Done || result == PasteResult::Unchanged) {
        // The command then selects the pasted train; a cut source is used up.
        state.m_nCurRow = pasted;
        if (cut) {
            state.m_nCopySrcRow = -1;
            state.m_bCutMark = false;
        }
    }
    return result;
}

ReplaceResult ReplaceTypes(CQLMDoc& doc, const std::vector<int>& sources, int target)
{
    TimetableEdit edit;
    const ReplaceResult result = ReplaceTypes(doc, sources, target, &edit);
    edit.Redo(doc);
    return result;
}

PatternResult BuildPattern(CQLMDoc& doc, GridState& state, int first, int count, int cycle,
                           int repetitions)
{
    TimetableEdit edit;
    const PatternResult result = BuildPattern(doc, first, count, cycle, repetitions, &edit);
    Run(doc, state, edit);
    return result;
}

// A timetable whose trains are told apart by their train numbers: train i has number i.
CQLMDoc MakeDoc(int trains)
{
    return Samples::Timetable().Trains(trains, [](int i) {
        return Samples::Train{quint16(i), 'A', 1, i};
    });
}

// The train numbers in row order, as letters for the A B C D E cases (1 = A).
std::string Letters(const CQLMDoc& doc)
{
    std::string s;
    for (const auto& t : doc.m_TrainInfo.Items())
        s += static_cast<char>('A' + t.wTrainNo - 1);
    return s;
}

std::vector<int> Numbers(const CQLMDoc& doc)
{
    std::vector<int> v;
    for (const auto& t : doc.m_TrainInfo.Items())
        v.push_back(t.wTrainNo);
    return v;
}

GridState Selected(int row, int copySrc = -1, bool cut = false)
{
    GridState s;
    s.m_nCurColumn = 1;
    s.m_nCurRow = row;
    s.m_nCopySrcRow = copySrc;
    s.m_bCutMark = cut;
    return s;
}

void ExpectCountsEqual(const CQLMDoc& doc)
{
    EXPECT_EQ(doc.m_wTrainCount, doc.m_TrainInfo.m_nSize);
    EXPECT_EQ(static_cast<size_t>(doc.m_wTrainCount), doc.m_TrainInfo.Items().size());
}

} // namespace

TEST(ParseDecimal, ReadsLikeTheDialogEdits)
{
    struct Case
    {
        const char* text;
        int value;
    };
    const Case cases[] = {{"", 0},   {"abc", 0},  {"12", 12}, {"  7", 7}, {"-3", -3},
                          {"+5", 5}, {"15x", 15}, {"1 2", 1}, {"- 3", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimal(QString::fromLatin1(c.text)), c.value) << c.text;
    // Huge numbers saturate instead of wrapping into a range.
    EXPECT_GT(ParseDecimal(QStringLiteral("99999999999999999999")), 65535);
    EXPECT_LT(ParseDecimal(QStringLiteral("-99999999999999999999")), 0);
}

// ---- Insert -----------------------------------------------------------------------------------

TEST(InsertTrains, AppendsBlankTrainsToAnEmptyList)
{
    CQLMDoc doc;
    GridState state;
    ASSERT_EQ(InsertTrains(doc, state, false, 3, std::nullopt), InsertResult::Done);
    ASSERT_EQ(doc.m_wTrainCount, 3);
    ExpectCountsEqual(doc);
    for (const auto& t : doc.m_TrainInfo.Items()) {
        EXPECT_EQ(t, BlankTrain());
        EXPECT_EQ(t.wTrainNo, 0);
        EXPECT_EQ(t.chTrainSuffix, 'Z');
        EXPECT_EQ(t.wAssortment, 1);
        EXPECT_EQ(t.wDestination, 1);
        EXPECT_EQ(t.wPlatform, 1);
        EXPECT_TRUE(t.strName.isEmpty());
    }
    EXPECT_EQ(state.m_nCurRow, -1);
}

TEST(InsertTrains, AtCurrentRowShiftsTheSelectionAndCopySource)
{
    struct Case
    {
        int copySrc;
        int expectedCopySrc;
    };
    for (const Case c : {Case{7, 9}, Case{3, 3}, Case{4, 6}, Case{-1, -1}}) {
        CQLMDoc doc = MakeDoc(10);
        GridState state = Selected(4, c.copySrc);
        ASSERT_EQ(InsertTrains(doc, state, true, 2, std::nullopt), InsertResult::Done);
        EXPECT_EQ(Numbers(doc), (std::vector<int>{
                                    1,
                                    2,
                                    3,
                                    0,
                                    0,
                                    4,
                                    5,
                                    6,
                                    7,
                                    8,
                                    9,
                                    10,
                                }));
        EXPECT_EQ(state.m_nCurRow, 6);
        EXPECT_EQ(state.m_nCopySrcRow, c.expectedCopySrc);
        ExpectCountsEqual(doc);
    }
}

TEST(InsertTrains, AppendingMovesNeitherRow)
{
    CQLMDoc doc = MakeDoc(5);
    GridState state = Selected(5, 5);
    ASSERT_EQ(InsertTrains(doc, state, false, 2, std::nullopt), InsertResult::Done);
    EXPECT_EQ(Numbers(doc), (std::vector<int>{1, 2, 3, 4, 5, 0, 0}));
    EXPECT_EQ(state.m_nCurRow, 5);
    EXPECT_EQ(state.m_nCopySrcRow, 5);
}

TEST(InsertTrains, CopiesTheSourceAsItWasBeforeTheMove)
{
    CQLMDoc doc = MakeDoc(6);
    doc.m_TrainInfo.ElementAt(5).strName = "five";
    doc.m_TrainInfo.ElementAt(5).wReserved = 77;
    GridState state = Selected(2);
    ASSERT_EQ(InsertTrains(doc, state, true, 3, 5), InsertResult::Done);
    EXPECT_EQ(Numbers(doc), (std::vector<int>{1, 5, 5, 5, 2, 3, 4, 5, 6}));
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(3).strName, "five");
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(4).wReserved, 77);
    EXPECT_EQ(state.m_nCurRow, 5);
}

TEST(InsertTrains, RefusalsChangeNothing)
{
    struct Case
    {
        int trains;
        int current;
        bool atCurrent;
        int count;
        std::optional<int> copy;
        InsertResult result;
    };
    const Case cases[] = {
        {0, -1, false, 1, 1, InsertResult::BadCopySource}, // every row is invalid when empty
        {5, 1, false, 1, 0, InsertResult::BadCopySource},
        {5, 1, false, 1, 6, InsertResult::BadCopySource},
        {5, -1, true, 1, std::nullopt, InsertResult::NoCurrentRow},
        {5, 0, true, 1, std::nullopt, InsertResult::NoCurrentRow},
        {5, 1, false, 0, std::nullopt, InsertResult::BadCount},
        {5, 1, false, 256, std::nullopt, InsertResult::BadCount},
        {65535, 1, false, 1, std::nullopt, InsertResult::TooManyTrains},
        {65400, 1, true, 255, std::nullopt, InsertResult::TooManyTrains},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(c.trains);
        const CQLMDoc before = doc;
        GridState state = Selected(c.current, 2);
        EXPECT_EQ(InsertTrains(doc, state, c.atCurrent, c.count, c.copy), c.result);
        EXPECT_EQ(doc.m_wTrainCount, before.m_wTrainCount);
        EXPECT_TRUE(doc.m_TrainInfo.Items() == before.m_TrainInfo.Items());
        EXPECT_EQ(state.m_nCurRow, c.current);
        EXPECT_EQ(state.m_nCopySrcRow, 2);
    }
}

TEST(InsertTrains, FillsTheLimitExactly)
{
    CQLMDoc doc = MakeDoc(65280);
    GridState state;
    ASSERT_EQ(InsertTrains(doc, state, false, 255, std::nullopt), InsertResult::Done);
    EXPECT_EQ(doc.m_wTrainCount, 65535);
    ExpectCountsEqual(doc);
}

// ---- Delete -----------------------------------------------------------------------------------

TEST(DeleteTrains, LargestCountPerDirection)
{
    EXPECT_EQ(LargestDeleteCount(DeleteDirection::DownFromCurrent, 10, 4), 7);
    EXPECT_EQ(LargestDeleteCount(DeleteDirection::UpFromCurrent, 10, 4), 4);
    EXPECT_EQ(LargestDeleteCount(DeleteDirection::UpFromEnd, 10, 4), 10);
    EXPECT_EQ(LargestDeleteCount(DeleteDirection::UpFromEnd, 0, -1), 0);
}

TEST(DeleteTrains, RemovesTheBlockAndFollowsTheTrains)
{
    struct Case
    {
        DeleteDirection dir;
        int count;
        int copySrc;
        std::vector<int> trains;
        int expectedCur;
        int expectedCopy;
    };
    const Case cases[] = {
        {DeleteDirection::DownFromCurrent, 3, 8, {1, 2, 3, 7, 8, 9, 10}, -1, 5},
        {DeleteDirection::DownFromCurrent, 3, 2, {1, 2, 3, 7, 8, 9, 10}, -1, 2},
        {DeleteDirection::UpFromCurrent, 3, 3, {1, 5, 6, 7, 8, 9, 10}, -1, -1},
        {DeleteDirection::UpFromCurrent, 4, 10, {5, 6, 7, 8, 9, 10}, -1, 6},
        {DeleteDirection::UpFromEnd, 10, 4, {}, -1, -1},
        {DeleteDirection::UpFromEnd, 2, 9, {1, 2, 3, 4, 5, 6, 7, 8}, 4, -1},
        {DeleteDirection::DownFromCurrent, 7, 1, {1, 2, 3}, -1, 1},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(10);
        GridState state = Selected(4, c.copySrc, true);
        ASSERT_EQ(DeleteTrains(doc, state, c.dir, c.count), DeleteResult::Done);
        EXPECT_EQ(Numbers(doc), c.trains);
        EXPECT_EQ(state.m_nCurRow, c.expectedCur);
        EXPECT_EQ(state.m_nCopySrcRow, c.expectedCopy);
        if (c.expectedCopy == -1) {
            EXPECT_FALSE(state.m_bCutMark);
        }
        ExpectCountsEqual(doc);
    }
}

TEST(DeleteTrains, RefusalsInOrderAndNothingChanges)
{
    struct Case
    {
        int trains;
        int current;
        DeleteDirection dir;
        int count;
        DeleteResult result;
    };
    const Case cases[] = {
        {0, -1, DeleteDirection::UpFromEnd, 0, DeleteResult::NoRows},
        {0, 1, DeleteDirection::UpFromCurrent, 5, DeleteResult::NoRows}, // empty comes first
        {10, 4, DeleteDirection::UpFromCurrent, 5, DeleteResult::BadCount},
        {10, 4, DeleteDirection::DownFromCurrent, 8, DeleteResult::BadCount},
        {10, 4, DeleteDirection::UpFromEnd, 11, DeleteResult::BadCount},
        {10, 4, DeleteDirection::UpFromEnd, 0, DeleteResult::BadCount},
        {10, 4, DeleteDirection::DownFromCurrent, -1, DeleteResult::BadCount},
        {10, -1, DeleteDirection::DownFromCurrent, 1, DeleteResult::NoCurrentRow},
        {10, 11, DeleteDirection::UpFromCurrent, 1, DeleteResult::NoCurrentRow},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(c.trains);
        GridState state = Selected(c.current, 3);
        EXPECT_EQ(DeleteTrains(doc, state, c.dir, c.count), c.result);
        EXPECT_EQ(doc.m_wTrainCount, c.trains);
        EXPECT_EQ(state.m_nCurRow, c.current);
        EXPECT_EQ(state.m_nCopySrcRow, 3);
    }
}

// ---- Copy, cut and paste ------------------------------------------------------------------------

TEST(MarkCopySource, CopyAndCut)
{
    CQLMDoc doc = MakeDoc(5);
    GridState state = Selected(3);
    int previous = 99;
    EXPECT_EQ(MarkCopySource(doc, state, false, &previous), MarkResult::Done);
    EXPECT_EQ(previous, -1);
    EXPECT_EQ(state.m_nCopySrcRow, 3);
    EXPECT_FALSE(state.m_bCutMark);
    EXPECT_EQ(MarkCopySource(doc, state, false, &previous), MarkResult::Unchanged);
    EXPECT_EQ(MarkCopySource(doc, state, true, &previous), MarkResult::Done);
    EXPECT_EQ(previous, 3);
    EXPECT_TRUE(state.m_bCutMark);
    EXPECT_EQ(MarkCopySource(doc, state, true, &previous), MarkResult::Unchanged);

    state.m_nCurRow = 5;
    EXPECT_EQ(MarkCopySource(doc, state, false, &previous), MarkResult::Done);
    EXPECT_EQ(previous, 3);
    EXPECT_EQ(state.m_nCopySrcRow, 5);

    for (GridState bad : {Selected(0), Selected(6), Selected(-1)}) {
        EXPECT_EQ(MarkCopySource(doc, bad, false, &previous), MarkResult::NoSelection);
        EXPECT_EQ(bad.m_nCopySrcRow, -1);
    }
    GridState headerColumn = Selected(2);
    headerColumn.m_nCurColumn = 0;
    EXPECT_EQ(MarkCopySource(doc, headerColumn, true, &previous), MarkResult::NoSelection);
}

TEST(PasteRow, ResultTable)
{
    // Rows A B C D E; source s and current c are 1-based.
    struct Case
    {
        const char* name;
        PasteMode mode;
        bool cut;
        int s;
        int c;
        const char* rows;
        int cur;
        int copySrc;
    };
    const Case cases[] = {
        {"insert cut D before B", PasteMode::Insert, true, 4, 2, "ADBCE", 2, -1},
        {"insert cut B before D", PasteMode::Insert, true, 2, 4, "ACBDE", 3, -1},
        {"insert cut onto itself", PasteMode::Insert, true, 3, 3, "ABCDE", 3, -1},
        {"insert cut E before A", PasteMode::Insert, true, 5, 1, "EABCD", 1, -1},
        {"overwrite copy B onto D", PasteMode::Overwrite, false, 2, 4, "ABCBE", 4, 2},
        {"overwrite cut B onto D", PasteMode::Overwrite, true, 2, 4, "ACBE", 3, -1},
        {"overwrite cut D onto B", PasteMode::Overwrite, true, 4, 2, "ADCE", 2, -1},
        {"insert copy B before D", PasteMode::Insert, false, 2, 4, "ABCBDE", 4, 2},
        {"insert copy D before B", PasteMode::Insert, false, 4, 2, "ADBCDE", 2, 5},
        {"insert copy C before C", PasteMode::Insert, false, 3, 3, "ABCCDE", 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQLMDoc doc = MakeDoc(5);
        GridState state = Selected(c.c, c.s, c.cut);
        ASSERT_EQ(PasteRow(doc, state, c.mode), PasteResult::Done);
        EXPECT_EQ(Letters(doc), c.rows);
        EXPECT_EQ(state.m_nCurRow, c.cur);
        EXPECT_EQ(state.m_nCopySrcRow, c.copySrc);
        if (c.copySrc == -1) {
            EXPECT_FALSE(state.m_bCutMark);
        }
        ExpectCountsEqual(doc);
    }
}

TEST(PasteRow, RepeatedPastes)
{
    // Copy B, paste over D, then over E: A B C B B, and B still carries the copy mark.
    CQLMDoc doc = MakeDoc(5);
    GridState state = Selected(4, 2, false);
    ASSERT_EQ(PasteRow(doc, state, PasteMode::Overwrite), PasteResult::Done);
    state.m_nCurRow = 5;
    ASSERT_EQ(PasteRow(doc, state, PasteMode::Overwrite), PasteResult::Done);
    EXPECT_EQ(Letters(doc), "ABCBB");
    EXPECT_EQ(state.m_nCopySrcRow, 2);

    // After a cut, the second paste finds no source.
    state = Selected(1, 3, true);
    ASSERT_EQ(PasteRow(doc, state, PasteMode::Insert), PasteResult::Done);
    EXPECT_EQ(PasteRow(doc, state, PasteMode::Insert), PasteResult::NoCopySource);
}

TEST(PasteRow, CutOntoItselfKeepsTheTimetable)
{
    CQLMDoc doc = MakeDoc(5);
    GridState state = Selected(3, 3, true);
    EXPECT_EQ(PasteRow(doc, state, PasteMode::Overwrite), PasteResult::Unchanged);
    EXPECT_EQ(Letters(doc), "ABCDE");
    EXPECT_EQ(state.m_nCurRow, 3);
    EXPECT_EQ(state.m_nCopySrcRow, -1);
    EXPECT_FALSE(state.m_bCutMark);
}

TEST(PasteRow, RefusalsInOrder)
{
    struct Case
    {
        int cur;
        int column;
        int copySrc;
        PasteCheck check;
    };
    const Case cases[] = {
        {-1, -1, -1, PasteCheck::NoCopySource}, // the source is looked at before the selection
        {2, 1, 0, PasteCheck::NoCopySource},    {2, 1, 6, PasteCheck::NoCopySource},
        {-1, 1, 2, PasteCheck::NoSelection},    {2, 0, 2, PasteCheck::NoSelection},
        {2, 11, 2, PasteCheck::NoSelection},    {2, 10, 2, PasteCheck::Ready},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(5);
        GridState state = Selected(c.cur, c.copySrc);
        state.m_nCurColumn = c.column;
        EXPECT_EQ(CheckPaste(doc, state), c.check);
        if (c.check != PasteCheck::Ready) {
            EXPECT_NE(PasteRow(doc, state, PasteMode::Insert), PasteResult::Done);
            EXPECT_EQ(Letters(doc), "ABCDE");
        }
    }
}

TEST(PasteRow, FullListTakesMovesButNotCopies)
{
    CQLMDoc doc = MakeDoc(65535);
    GridState state = Selected(10, 3, false);
    EXPECT_EQ(PasteRow(doc, state, PasteMode::Insert), PasteResult::TooManyTrains);
    EXPECT_EQ(doc.m_wTrainCount, 65535);
    EXPECT_EQ(state.m_nCurRow, 10);

    state.m_bCutMark = true;
    ASSERT_EQ(PasteRow(doc, state, PasteMode::Insert), PasteResult::Done);
    EXPECT_EQ(doc.m_wTrainCount, 65535);
    EXPECT_EQ(state.m_nCurRow, 9);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(9).wTrainNo, 3);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(10).wTrainNo, 10);
}

// ---- Replace ------------------------------------------------------------------------------------

TEST(ReplaceTypes, CountsEveryMatchingTrain)
{
    struct Case
    {
        std::vector<int> sources;
        int target;
        std::vector<int> after;
        int replaced;
        int changed;
    };
    const Case cases[] = {
        {{2}, 1, {1, 1, 1, 3}, 2, 2}, {{1, 2}, 2, {2, 2, 2, 3}, 3, 1}, {{}, 1, {1, 2, 2, 3}, 0, 0},
        {{3}, 3, {1, 2, 2, 3}, 1, 0}, {{4}, 1, {1, 2, 2, 3}, 0, 0},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(4);
        const int types[] = {1, 2, 2, 3};
        for (int i = 0; i < 4; ++i)
            doc.m_TrainInfo.ElementAt(i + 1).wAssortment = static_cast<quint16>(types[i]);
        const ReplaceResult r = ReplaceTypes(doc, c.sources, c.target);
        EXPECT_EQ(r.total, 4);
        EXPECT_EQ(r.replaced, c.replaced);
        EXPECT_EQ(r.changed, c.changed);
        std::vector<int> after;
        for (const auto& t : doc.m_TrainInfo.Items())
            after.push_back(t.wAssortment);
        EXPECT_EQ(after, c.after);
    }
}

// ---- Pattern ------------------------------------------------------------------------------------

TEST(PatternTime, AddsCyclesAndSubtractsOneDayOnce)
{
    struct Case
    {
        int time, k, cycle, expected;
    };
    const Case cases[] = {{360, 1, 15, 375},
                          {1430, 1, 20, 10},
                          {1430, 2, 20, 30},
                          {0, 24, 120, 1440},
                          {0, 12, 120, 0},
                          {1439, 1, 5, 4},
                          {0, 11, 120, 1320},
                          {2000, 1, 15, 575},
                          // The sum wraps at 16 bits first: 65600 is 64, under a day.
                          {65000, 5, 120, 64},
                          {65535, 1, 5, 4},
                          {65500, 1, 120, 84}};
    for (const Case& c : cases)
        EXPECT_EQ(PatternTime(static_cast<quint16>(c.time), c.k, c.cycle), c.expected)
            << c.time << "+" << c.k << "x" << c.cycle;
}

TEST(BuildPattern, CopiesTheBlockAfterItself)
{
    CQLMDoc doc = MakeDoc(3);
    doc.m_TrainInfo.ElementAt(1).wTime = 360;
    doc.m_TrainInfo.ElementAt(2).wTime = 367;
    doc.m_TrainInfo.ElementAt(2).strName = "x";
    GridState state = Selected(3, 3);
    ASSERT_EQ(BuildPattern(doc, state, 1, 2, 15, 3), PatternResult::Done);
    ASSERT_EQ(doc.m_wTrainCount, 9);
    ExpectCountsEqual(doc);
    const int times[] = {360, 367, 375, 382, 390, 397, 405, 412};
    for (int row = 1; row <= 8; ++row) {
        const auto& t = doc.m_TrainInfo.ElementAt(row);
        EXPECT_EQ(t.wTime, times[row - 1]) << row;
        EXPECT_EQ(t.wTrainNo, row % 2 == 1 ? 1 : 2) << row; // the pattern rows' numbers
    }
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(8).strName, "x");
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(9).wTrainNo, 3);
    EXPECT_EQ(state.m_nCurRow, 9);
    EXPECT_EQ(state.m_nCopySrcRow, 9);
}

TEST(BuildPattern, WrapsPastMidnight)
{
    CQLMDoc doc = MakeDoc(1);
    doc.m_TrainInfo.ElementAt(1).wTime = 23 * 60 + 50;
    GridState state;
    ASSERT_EQ(BuildPattern(doc, state, 1, 1, 20, 2), PatternResult::Done);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(2).wTime, 10);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(3).wTime, 30);

    CQLMDoc day = MakeDoc(1);
    day.m_TrainInfo.ElementAt(1).wTime = 0;
    ASSERT_EQ(BuildPattern(day, state, 1, 1, 120, 24), PatternResult::Done);
    EXPECT_EQ(day.m_TrainInfo.ElementAt(25).wTime, 1440);
    EXPECT_EQ(day.m_TrainInfo.ElementAt(13).wTime, 0);
}

TEST(BuildPattern, RefusalsChangeNothing)
{
    struct Case
    {
        int trains, first, count, cycle, reps;
        PatternResult result;
    };
    const Case cases[] = {
        {0, 1, 1, 15, 1, PatternResult::BadInput},
        {5, 0, 1, 15, 1, PatternResult::BadInput},
        {5, 4, 3, 15, 1, PatternResult::BadInput},
        {5, 1, 1, 4, 1, PatternResult::BadInput},
        {5, 1, 1, 121, 1, PatternResult::BadInput},
        {5, 1, 1, 15, 0, PatternResult::BadInput},
        {5, 1, 1, 15, 201, PatternResult::BadInput},
        {65000, 1, 200, 15, 200, PatternResult::TooManyTrains},
        {65535, 1, 1, 15, 1, PatternResult::TooManyTrains},
    };
    for (const Case& c : cases) {
        CQLMDoc doc = MakeDoc(c.trains);
        GridState state = Selected(1);
        EXPECT_EQ(BuildPattern(doc, state, c.first, c.count, c.cycle, c.reps), c.result);
        EXPECT_EQ(doc.m_wTrainCount, c.trains);
        EXPECT_EQ(state.m_nCurRow, 1);
    }
    CQLMDoc doc = MakeDoc(65534);
    GridState state;
    EXPECT_EQ(BuildPattern(doc, state, 1, 1, 15, 1), PatternResult::Done);
    EXPECT_EQ(doc.m_wTrainCount, 65535);
}

TEST(CheckPatternTexts, EnablesOkOnlyWithinRanges)
{
    struct Case
    {
        int trains;
        const char *first, *count, *cycle, *reps;
        bool countEnabled;
        int countMax;
        bool ok;
    };
    const Case cases[] = {
        {10, "1", "2", "15", "3", true, 10, true},     {10, "", "", "", "", false, 0, false},
        {0, "1", "1", "15", "1", false, 0, false},     {10, "11", "1", "15", "1", false, 0, false},
        {10, "8", "3", "15", "1", true, 3, true},      {10, "8", "4", "15", "1", true, 3, false},
        {10, "8", "0", "15", "1", true, 3, false},     {10, "1", "1", "4", "1", true, 10, false},
        {10, "1", "1", "5", "1", true, 10, true},      {10, "1", "1", "120", "1", true, 10, true},
        {10, "1", "1", "121", "1", true, 10, false},   {10, "1", "1", "15", "0", true, 10, false},
        {10, "1", "1", "15", "200", true, 10, true},   {10, "1", "1", "15", "201", true, 10, false},
        {10, " 2x", "1", "15min", "1", true, 9, true},
    };
    for (const Case& c : cases) {
        const PatternCheck check =
            CheckPatternTexts(c.trains, QString::fromLatin1(c.first), QString::fromLatin1(c.count),
                              QString::fromLatin1(c.cycle), QString::fromLatin1(c.reps));
        EXPECT_EQ(check.countSpinEnabled, c.countEnabled) << c.first << "/" << c.count;
        if (c.countEnabled) {
            EXPECT_EQ(check.countMax, c.countMax);
        }
        EXPECT_EQ(check.okEnabled, c.ok)
            << c.first << "/" << c.count << "/" << c.cycle << "/" << c.reps;
    }
}

TEST(RowText, MessagesHoldTheirNumbers)
{
    EXPECT_EQ(RowText::ReplaceReport(4, 2), QStringLiteral("4 個中 2 個のｱｲﾃﾑを置換しました"));
    EXPECT_EQ(RowText::TooManyTrains(), QStringLiteral("列車は65535本までしか登録できません"));
}
