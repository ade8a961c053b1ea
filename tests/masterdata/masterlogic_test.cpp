// The type and destination list rules without widgets: refusals, renumbering of the trains, and
// the one edit a list session turns into.
#include "masterlists.h"
#include "masterlogic.h"
#include "samples.h"
#include "sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Types A, B, C and destinations P, Q, R; the trains name the given types and destinations.
CQLMDoc Timetable(std::vector<quint16> types, std::vector<quint16> destinations, int typeCount = 3,
                  int destinationCount = 3)
{
    CQLMDoc t = Samples::Timetable().Trains(int(types.size()), [&](int i) {
        return Samples::Train{.type = types[size_t(i) - 1],
                              .destination = destinations[size_t(i) - 1]};
    });
    t.SetAssortmentCount(static_cast<quint16>(typeCount));
    for (int k = 1; k <= typeCount; ++k)
        t.m_TrainAssortment.ElementAt(k).strName = QByteArray(1, char('A' + k - 1));
    t.SetDestinationCount(static_cast<quint16>(destinationCount));
    for (int k = 1; k <= destinationCount; ++k)
        t.m_Destination.ElementAt(k).strName = QByteArray(1, char('P' + k - 1));
    return t;
}

// The names of a type or destination list, run together.
template <typename List> QByteArray Names(const List& list)
{
    QByteArray names;
    for (const auto& entry : list.Items())
        names += entry.strName;
    return names;
}

using Removal = MasterSession::Removal;

struct RemoveCase
{
    const char* name;
    bool destinations; // else types
    int count;         // entries in the list
    std::vector<quint16> column;
    int remove;
    Removal expected;
    QByteArray namesAfter;
    std::vector<quint16> columnAfter;
};

class RemoveTest : public testing::TestWithParam<RemoveCase>
{
};

TEST_P(RemoveTest, RefusesOrRemovesAndRenumbers)
{
    const RemoveCase& c = GetParam();
    const std::vector<quint16> other(c.column.size(), 1);
    const CQLMDoc doc = c.destinations ? Timetable(other, c.column, 3, c.count)
                                       : Timetable(c.column, other, c.count, 3);
    MasterSession session(doc);
    const Removal removal = c.destinations ? session.CheckRemoveDestination(c.remove)
                                           : session.CheckRemoveType(c.remove);
    EXPECT_EQ(removal, c.expected);
    if (removal == Removal::Allowed) {
        if (c.destinations)
            session.RemoveDestination(c.remove);
        else
            session.RemoveType(c.remove);
    }
    EXPECT_EQ(c.destinations ? Names(session.Destinations()) : Names(session.Types()),
              c.namesAfter);
    EXPECT_EQ(c.destinations ? session.TrainDestinations() : session.TrainTypes(), c.columnAfter);
    // The other list and its column never move.
    EXPECT_EQ(c.destinations ? session.TrainTypes() : session.TrainDestinations(), other);

    // The shared rule on the timetable itself gives the same result.
    if (removal == Removal::Allowed) {
        CQLMDoc direct = doc;
        if (c.destinations)
            MasterLists::RemoveDestination(direct, c.remove);
        else
            MasterLists::RemoveTrainType(direct, c.remove);
        EXPECT_EQ(c.destinations ? MasterLists::TrainDestinations(direct)
                                 : MasterLists::TrainTypes(direct),
                  c.columnAfter);
        EXPECT_EQ(c.destinations ? Names(direct.m_Destination) : Names(direct.m_TrainAssortment),
                  c.namesAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RemoveTest,
    testing::Values(
        RemoveCase{"type in use", false, 3, {1, 3, 1}, 3, Removal::InUse, "ABC", {1, 3, 1}},
        RemoveCase{"type between", false, 3, {1, 3, 1}, 2, Removal::Allowed, "AC", {1, 2, 1}},
        RemoveCase{"first type", false, 3, {2, 3}, 1, Removal::Allowed, "BC", {1, 2}},
        RemoveCase{"last type unused", false, 1, {}, 1, Removal::LastOne, "A", {}},
        RemoveCase{"last type in use", false, 1, {1}, 1, Removal::LastOne, "A", {1}},
        RemoveCase{"destination in use", true, 3, {1, 3}, 3, Removal::InUse, "PQR", {1, 3}},
        RemoveCase{"destination between", true, 3, {1, 3}, 2, Removal::Allowed, "PR", {1, 2}},
        RemoveCase{"last destination", true, 1, {1}, 1, Removal::LastOne, "P", {1}},
        // Indexes beyond the list (a damaged file) are left for the check to report.
        RemoveCase{"index beyond", true, 3, {1, 9}, 2, Removal::Allowed, "PR", {1, 8}}),
    [](const testing::TestParamInfo<RemoveCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(MasterSession, NewEntriesHaveDefinedValues)
{
    CQLMDoc doc = Timetable({}, {});
    doc.m_crLit = 0x0080FF;
    doc.m_crUnlit = 0x202020;
    doc.m_LayoutMain[3] = PANELPART{5, 2, 1};
    const MasterSession session(doc);
    const tagTRAINASSORTMENT type = session.NewTrainType();
    EXPECT_EQ(type.strName, Sjis::FromUtf8("新規種別"));
    EXPECT_EQ(type.strNameSub, "Newitem");
    EXPECT_EQ(type.bDefaultColor, 1u);
    EXPECT_EQ(type.bLightBackground | type.bCustomLayout, 0u);
    EXPECT_EQ(type.crText, 0x0080FFu);
    EXPECT_EQ(type.crBack, 0x202020u);
    EXPECT_EQ(type.layoutMain, doc.m_LayoutMain);
    EXPECT_EQ(type.layoutSub, doc.m_LayoutSub);
    const DESTINATION destination = MasterSession::NewDestination();
    EXPECT_EQ(destination.strName, Sjis::FromUtf8("新規行先"));
    EXPECT_EQ(destination.strNameEn, "New destination");
}

TEST(MasterSession, ListsStopAtTheFileLimit)
{
    CQLMDoc doc = Timetable({}, {}, kMaxCollection - 1, 1);
    MasterSession session(doc);
    EXPECT_TRUE(session.AddType(session.NewTrainType()));
    EXPECT_FALSE(session.AddType(session.NewTrainType()));
    EXPECT_EQ(session.Types().m_nSize, kMaxCollection);
}

// What the edit of a session carries, and that it takes the timetable there and back.
TEST(MasterSession, OneEditForTheWholeRun)
{
    const CQLMDoc doc = Timetable({1, 3, 1}, {3, 3, 1});
    struct Case
    {
        const char* name;
        std::function<void(MasterSession&)> run;
        bool empty;
    } cases[] = {
        {"nothing", [](MasterSession&) {}, true},
        {"replaced by the same", [](MasterSession& s) { s.ReplaceType(2, s.Types().ElementAt(2)); },
         true},
        {"added and removed again",
         [](MasterSession& s) {
             s.AddDestination(MasterSession::NewDestination());
             s.RemoveDestination(4);
         },
         true},
        {"renamed",
         [](MasterSession& s) {
             s.ReplaceDestination(1, {"X", "x"});
         },
         false},
        {"type removed",
         [](MasterSession& s) {
             s.RemoveType(2);
             s.AddType(s.NewTrainType());
         },
         false},
        {"both removed",
         [](MasterSession& s) {
             s.RemoveType(2);
             s.RemoveDestination(2);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MasterSession session(doc);
        c.run(session);
        TimetableEdit edit = session.ToEdit(doc);
        EXPECT_EQ(edit.IsEmpty(), c.empty);
        CQLMDoc after = doc;
        const QList<DocChange> changes = edit.Redo(after);
        EXPECT_EQ(Names(after.m_TrainAssortment), Names(session.Types()));
        EXPECT_EQ(Names(after.m_Destination), Names(session.Destinations()));
        EXPECT_EQ(MasterLists::TrainTypes(after), session.TrainTypes());
        EXPECT_EQ(MasterLists::TrainDestinations(after), session.TrainDestinations());
        EXPECT_EQ(after.m_wAssortmentCount, session.Types().m_nSize);
        EXPECT_EQ(after.m_wDestinationCount, session.Destinations().m_nSize);
        edit.Undo(after);
        EXPECT_EQ(Names(after.m_TrainAssortment), "ABC");
        EXPECT_EQ(MasterLists::TrainTypes(after), MasterLists::TrainTypes(doc));
        EXPECT_EQ(MasterLists::TrainDestinations(after), MasterLists::TrainDestinations(doc));
    }
}

} // namespace
