// Edits taken back and run again: whatever sequence of changes, undoing all of them gives back
// the original file byte for byte, and redoing them gives the final one.

#include "samples.h"
#include "timetableedit.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

tagTRAININFO RandomTrain(QRandomGenerator& rng)
{
    tagTRAININFO t;
    t.wTrainNo = static_cast<quint16>(rng.bounded(20000));
    t.chTrainSuffix = static_cast<quint8>('A' + rng.bounded(26));
    t.wAssortment = static_cast<quint16>(1 + rng.bounded(3));
    t.strName = QByteArray::number(rng.generate());
    t.wTime = static_cast<quint16>(rng.bounded(1800));
    t.wReserved = static_cast<quint16>(rng.bounded(3));
    t.wDestination = static_cast<quint16>(1 + rng.bounded(2));
    t.wPlatform = static_cast<quint16>(rng.bounded(100));
    t.strNote = rng.bounded(2) ? QByteArray("\x83\x41", 2) : QByteArray();
    return t;
}

CQLMDoc StartingTimetable(QRandomGenerator& rng)
{
    CQLMDoc doc = Samples::Timetable();
    doc.SetAssortmentCount(3);
    doc.SetDestinationCount(2);
    doc.SetTrainCount(20);
    for (auto& t : doc.m_TrainInfo.Items())
        t = RandomTrain(rng);
    return doc;
}

std::vector<tagTRAININFO> RandomTrains(QRandomGenerator& rng, int n)
{
    std::vector<tagTRAININFO> trains;
    for (int i = 0; i < n; ++i)
        trains.push_back(RandomTrain(rng));
    return trains;
}

// One random edit of any kind, valid for doc as it stands; sometimes several steps in one.
TimetableEdit RandomEdit(QRandomGenerator& rng, const CQLMDoc& doc)
{
    TimetableEdit edit;
    int n = doc.m_TrainInfo.m_nSize;
    const int steps = 1 + rng.bounded(3);
    for (int s = 0; s < steps; ++s) {
        switch (rng.bounded(7)) {
        case 0:
            edit.InsertTrains(1 + rng.bounded(n + 1), RandomTrains(rng, 1 + rng.bounded(4)));
            n = -1; // rows moved: later steps of this edit would need the new count
            break;
        case 1:
            if (n > 0) {
                const int first = 1 + rng.bounded(n);
                edit.RemoveTrains(first, 1 + rng.bounded(n - first + 1));
                n = -1;
            }
            break;
        case 2:
            if (n > 0) {
                const int first = 1 + rng.bounded(n);
                edit.SetTrains(first, RandomTrains(rng, 1 + rng.bounded(n - first + 1)));
            }
            break;
        case 3:
            if (n > 0)
                edit.SetTrainTypes({{1 + rng.bounded(n), quint16(rng.bounded(5))},
                                    {1 + rng.bounded(n), quint16(rng.bounded(5))}});
            break;
        case 4:
            if (n > 1)
                edit.MoveTrain(1 + rng.bounded(n), 1 + rng.bounded(n));
            break;
        case 5: {
            CTrainAssortment types = doc.m_TrainAssortment;
            types.SetSize(1 + rng.bounded(4));
            types.ElementAt(1).strName = QByteArray::number(rng.generate());
            CDestination destinations = doc.m_Destination;
            destinations.ElementAt(1).strNameEn = "changed";
            std::vector<quint16> indexes(static_cast<size_t>(doc.m_TrainInfo.m_nSize));
            for (quint16& i : indexes)
                i = static_cast<quint16>(rng.bounded(4));
            if (n == doc.m_TrainInfo.m_nSize)
                edit.SetLists(types, destinations, indexes);
            else
                edit.SetLists(types, destinations);
            break;
        }
        case 6: {
            CQLMDoc props = doc;
            props.m_strStationName = QByteArray::number(rng.generate());
            props.m_crLit = rng.generate();
            props.SetGuideMessageCount(rng.bounded(3));
            EXTKEY key;
            key.SetKey("A/B");
            key.strValue = QByteArray::number(rng.generate());
            props.m_ExtKey.AddTail(key);
            edit.SetProperties(props);
            break;
        }
        }
        if (n < 0)
            break;
    }
    return edit;
}

QByteArray Bytes(const CQLMDoc& doc)
{
    QByteArray bytes;
    EXPECT_TRUE(doc.SaveFile(&bytes));
    return bytes;
}

TEST(TimetableEdit, UndoingEverySequenceGivesBackTheOriginalBytes)
{
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator rng(seed);
        CQLMDoc doc = StartingTimetable(rng);
        const QByteArray original = Bytes(doc);
        std::vector<TimetableEdit> history;
        for (int i = 0; i < 25; ++i) {
            history.push_back(RandomEdit(rng, doc));
            history.back().Redo(doc);
            ASSERT_EQ(doc.m_wTrainCount, doc.m_TrainInfo.m_nSize);
        }
        const QByteArray final = Bytes(doc);
        for (auto it = history.rbegin(); it != history.rend(); ++it)
            it->Undo(doc);
        ASSERT_EQ(Bytes(doc), original) << "seed " << seed;
        for (TimetableEdit& edit : history)
            edit.Redo(doc);
        ASSERT_EQ(Bytes(doc), final) << "seed " << seed;
    }
}

TEST(TimetableEdit, ReportsWhatMovedInOrder)
{
    QRandomGenerator rng(7);
    CQLMDoc doc = StartingTimetable(rng);
    const tagTRAININFO third = doc.m_TrainInfo.ElementAt(3);
    TimetableEdit edit;
    edit.RemoveTrains(2, 1).MoveTrain(2, 5).InsertTrains(1, RandomTrains(rng, 2));
    using K = DocChange::Kind;
    EXPECT_EQ(edit.Redo(doc),
              (QList<DocChange>{
                  {K::RowsRemoved, 2, 1}, {K::RowMoved, 2, 1, 5}, {K::RowsInserted, 1, 2}}));
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(7), third);
    EXPECT_EQ(edit.Undo(doc),
              (QList<DocChange>{
                  {K::RowsRemoved, 1, 2}, {K::RowMoved, 5, 1, 2}, {K::RowsInserted, 2, 1}}));
}

TEST(TimetableEdit, SavingChangesNothing)
{
    QRandomGenerator rng(3);
    CQLMDoc doc = StartingTimetable(rng);
    const CQLMDoc before = doc;
    Bytes(doc);
    EXPECT_EQ(doc.m_ExtData.m_nSize, before.m_ExtData.m_nSize); // no key block added
    CQLMDoc again;
    ASSERT_TRUE(again.LoadFile(Bytes(doc)));
    EXPECT_EQ(again.m_nExtDataCount, 1); // the key block is in the file all the same
}

} // namespace
