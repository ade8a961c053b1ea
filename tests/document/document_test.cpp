// The document: new-document defaults, open and atomic save.

#include "filebytes.h"
#include "samples.h"
#include "veldendoc.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(Samples::WriteFile(path, bytes));
}

void SetGuide(CVeldenDoc& doc, const QByteArray& guide)
{
    CQLMDoc props = doc.Timetable();
    props.m_strGuide = guide;
    doc.Apply(TimetableEdit().SetProperties(props), "guide");
}

using Samples::ReadFile;

TEST(Document, NewDocumentSavedAndReopenedShowsTheDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.qlm");
    CVeldenDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Timetable().m_LayoutMain[1], (PANELPART{1, 5, 0}));
    EXPECT_EQ(doc.Timetable().m_LayoutSub, doc.Timetable().m_LayoutMain);
    EXPECT_EQ(doc.Timetable().m_nExtDataCount, 0);
    EXPECT_EQ(doc.Timetable().m_crSubLineColor, 0x00FF0000u);
    EXPECT_EQ(doc.Timetable().m_crSubLineColor2, 0x000000FFu);
    QString error;
    ASSERT_TRUE(doc.OnSaveDocument(path, &error)) << error.toStdString();

    CVeldenDoc again;
    ASSERT_TRUE(again.OnOpenDocument(path, &error)) << error.toStdString();
    const CQLMDoc& t = again.Timetable();
    EXPECT_EQ(t.m_strStationName, QByteArray("\x90\x56\x8B\x4B\x89\x77"));
    ASSERT_EQ(t.m_wAssortmentCount, 1);
    EXPECT_EQ(t.m_TrainAssortment.ElementAt(1).strName, QByteArray("\x95\x81\x92\xCA"));
    EXPECT_EQ(t.m_TrainAssortment.ElementAt(1).crBack, 0x00303030u);
    EXPECT_EQ(t.m_TrainAssortment.ElementAt(1).crText, 0x0000FF00u);
    ASSERT_EQ(t.m_wDestinationCount, 1);
    EXPECT_EQ(t.m_Destination.ElementAt(1).strNameEn, "New dest");
    EXPECT_EQ(t.m_wTrainCount, 0);
    ASSERT_EQ(t.m_nExtDataCount, 1);
    EXPECT_EQ(t.m_ExtData.ElementAt(1).Name(), "@ORL300");
    EXPECT_TRUE(t.m_ExtKey.isEmpty());
    EXPECT_EQ(again.GetTitle(), "new.qlm");
    EXPECT_FALSE(again.IsModified());
}

TEST(Document, RefusedOpenGivesTheReasonAndKeepsTheDocument)
{
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* mentions;
    } cases[] = {
        {"empty.qlm", QByteArray(), "0 バイト"},
        {"magic.qlm", QByteArray("XYZ1234"), "QL3"},
        {"cut.qlm", QByteArray("QL3\x05\0ab", 7), "m_strStationId"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        WriteFile(path, c.bytes);
        CVeldenDoc doc;
        doc.OnNewDocument();
        QString error;
        EXPECT_FALSE(doc.OnOpenDocument(path, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.mentions))) << error.toStdString();
        EXPECT_TRUE(error.contains(c.name));
        EXPECT_EQ(doc.Timetable().m_wAssortmentCount, 1); // still the new document
    }
    CVeldenDoc doc;
    QString error;
    EXPECT_FALSE(doc.OnOpenDocument(dir.filePath("missing.qlm"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Document, FailedSaveLeavesTheFileAndTheModifiedFlag)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.qlm");
    const QByteArray original = V3File::Full();
    WriteFile(path, original);
    CVeldenDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetModifiedFlag(true);

    // A text too long for the format: nothing is written.
    SetGuide(doc, QByteArray(70000, 'g'));
    QString error;
    EXPECT_FALSE(doc.OnSaveDocument(path, &error));
    EXPECT_TRUE(error.contains("m_strGuide"));
    EXPECT_EQ(ReadFile(path), original);
    EXPECT_TRUE(doc.IsModified());

    // A folder that cannot exist (its parent is a file).
    SetGuide(doc, "ok");
    WriteFile(dir.filePath("plainfile"), "x");
    EXPECT_FALSE(doc.OnSaveDocument(dir.filePath("plainfile/sub.qlm"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);

    ASSERT_TRUE(doc.OnSaveDocument(path, &error));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(ReadFile(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary files left
}

TEST(Document, ModifiedFlagAndTitleSignal)
{
    CVeldenDoc doc;
    QSignalSpy modified(&doc, &CVeldenDoc::modifiedChanged);
    QSignalSpy title(&doc, &CVeldenDoc::titleChanged);
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(modified.count(), 2);
    doc.SetPathName("/tmp/some/where.qlm");
    EXPECT_EQ(doc.GetTitle(), "where.qlm");
    EXPECT_EQ(title.count(), 1);
}

TEST(Collections, DataBlocksStartAsTenZeroBytes)
{
    CQLMDoc doc;
    doc.SetExtDataCount(2);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(doc.m_ExtData.ElementAt(i).Name(), "");
        EXPECT_EQ(doc.m_ExtData.ElementAt(i).dwSize, 10u);
        EXPECT_EQ(doc.m_ExtData.ElementAt(i).hData, QByteArray(10, '\0'));
    }
    doc.m_ExtData.ElementAt(1).SetName("ABCDEFGHIJ");
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).Name(), "ABCDEFG");
    doc.SetExtDataCount(2);
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).Name(), "ABCDEFG");
    doc.SetExtDataCount(0);
    EXPECT_EQ(doc.m_ExtData.m_nSize, 0);
    EXTKEY key;
    key.SetKey(QByteArray(70, 'k'));
    EXPECT_EQ(key.Key().size(), 63);
}

} // namespace
