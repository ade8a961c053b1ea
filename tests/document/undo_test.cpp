// The document's undo history: one step per action, the modified state following it, cell
// edits merging per session.

#include "samples.h"
#include "veldendoc.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

using Samples::Train;

TEST(Undo, ModifiedStateFollowsTheHistoryAndTheSave)
{
    QTemporaryDir dir;
    CVeldenDoc doc;
    doc.OnNewDocument();
    QSignalSpy modified(&doc, &CVeldenDoc::modifiedChanged);
    doc.Apply(TimetableEdit().InsertTrains(1, {Train{1}, Train{2}}), "insert");
    doc.Apply(TimetableEdit().RemoveTrains(1, 1), "delete");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Undo(), 1);       // the removed row is back at 1
    EXPECT_EQ(doc.Undo(), 0);       // no row left to show
    EXPECT_FALSE(doc.IsModified()); // back to the state of the new document
    EXPECT_EQ(doc.Timetable().m_wTrainCount, 0);
    doc.Redo();
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("a.qlm")));
    EXPECT_FALSE(doc.IsModified());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified()); // undoing past the save changes the file again
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(modified.count(), 6);
    // An action that changes nothing adds no step.
    doc.Apply(TimetableEdit(), "nothing");
    EXPECT_EQ(doc.UndoStack()->count(), 2);
}

TEST(Undo, ACellEditSessionIsOneStepAndTypingBackLeavesNone)
{
    CVeldenDoc doc;
    doc.OnNewDocument();
    doc.Apply(TimetableEdit().InsertTrains(1, {Train{5}}), "insert");
    doc.SetModifiedFlag(false);
    const int session = doc.NewEditSession();
    for (quint16 n : {1, 12, 123})
        doc.ApplyCellEdit(TimetableEdit().SetTrain(1, Train{n}), "edit", session);
    EXPECT_EQ(doc.UndoStack()->count(), 2);
    EXPECT_EQ(doc.UndoStack()->undoText(), "edit");

    // A new session is a new step; typed back to where it began, the step goes away.
    const int next = doc.NewEditSession();
    doc.ApplyCellEdit(TimetableEdit().SetTrain(1, Train{9}), "edit", next);
    EXPECT_EQ(doc.UndoStack()->count(), 3);
    doc.ApplyCellEdit(TimetableEdit().SetTrain(1, Train{123}), "edit", next);
    EXPECT_EQ(doc.UndoStack()->count(), 2);

    doc.Undo();
    EXPECT_EQ(doc.Timetable().m_TrainInfo.ElementAt(1).wTrainNo, 5);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Undo, ForcedModifiedLastsUntilSaved)
{
    QTemporaryDir dir;
    CVeldenDoc doc;
    doc.OnNewDocument();
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("b.qlm")));
    EXPECT_FALSE(doc.IsModified());
}

TEST(Undo, AMarkedChangeStaysThroughUndoAndRedoUntilSaved)
{
    QTemporaryDir dir;
    CVeldenDoc doc;
    doc.OnNewDocument();
    doc.Apply(TimetableEdit().InsertTrains(1, {Train{1}}), "insert");
    doc.SetModifiedFlag(true);
    doc.Undo(); // back to the loaded timetable, yet the mark stays
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("c.qlm")));
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Redo(); // back at the save: the mark went with it
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
