// What the reader refuses (with a reason and the byte offset) and what it opens as it is.

#include "filebytes.h"
#include "qlmdoc.h"
#include "samples.h"

#include <gtest/gtest.h>

namespace {

using Kind = LoadError::Kind;

FileBytes NoTrainsUpToMarker()
{
    return V3File::Lists(V3File::Head(), 0);
}

struct Refusal
{
    const char* name;
    QByteArray file;
    Kind kind;
    qint64 offset; // -1: do not check
    const char* field;
};

std::vector<Refusal> Refusals()
{
    const QByteArray full = V3File::Full();
    const qsizetype marker = full.indexOf(QByteArray("ExD\0", 4));
    const QByteArray head = NoTrainsUpToMarker().d;
    const QByteArray ext = head + QByteArray("ExD\0", 4);
    std::vector<Refusal> r;
    r.push_back({"empty file", QByteArray(), Kind::TooShort, 0, "magic"});
    r.push_back({"two bytes", "QL", Kind::TooShort, 0, "magic"});
    r.push_back({"bad magic", "QL4rest", Kind::BadMagic, 0, "magic"});
    r.push_back({"lower-case magic", "ql3", Kind::BadMagic, 0, "magic"});
    r.push_back({"cut inside the first string",
                 QByteArray("QL3\x05\x00"
                            "ab",
                            7),
                 Kind::Truncated, 5, "m_strStationId"});
    r.push_back({"cut inside the last train", full.left(marker - 1), Kind::Truncated, -1,
                 "m_TrainInfo[2].strNote"});
    {
        FileBytes f = V3File::Lists(V3File::Head(), 3);
        V3File::Train(f, 1, 'A', 1, 0, 1);
        V3File::Train(f, 2, 'A', 1, 0, 1);
        r.push_back({"train count beyond the records", f.d, Kind::Truncated, f.d.size(),
                     "m_TrainInfo[3].wTrainNo"});
    }
    r.push_back({"marker then nothing", ext, Kind::Truncated, ext.size(), "extension block count"});
    r.push_back({"negative block count", ext + QByteArray("\xFF\xFF\xFF\xFF", 4),
                 Kind::NegativeBlockCount, ext.size(), "extension block count"});
    r.push_back({"block name without NUL",
                 ext + QByteArray("\x01\0\0\0"
                                  "ABCDEFGH\0",
                                  13),
                 Kind::BlockNameUnterminated, ext.size() + 4, "m_ExtData[1].szName"});
    r.push_back({"block name cut short",
                 ext + QByteArray("\x01\0\0\0"
                                  "ABC",
                                  7),
                 Kind::Truncated, ext.size() + 4, "m_ExtData[1].szName"});
    r.push_back({"block size cut short",
                 ext + QByteArray("\x01\0\0\0"
                                  "X\0\x05\0",
                                  8),
                 Kind::Truncated, ext.size() + 6, "m_ExtData[1].dwSize"});
    r.push_back({"block size beyond the file",
                 ext + QByteArray("\x01\0\0\0"
                                  "X\0\x05\0\0\0abcd",
                                  14),
                 Kind::BlockSizeTooLarge, ext.size() + 6, "m_ExtData[1].dwSize"});
    r.push_back({"more blocks than present",
                 ext + QByteArray("\x02\0\0\0"
                                  "X\0\x01\0\0\0a",
                                  11),
                 Kind::Truncated, ext.size() + 11, "m_ExtData[2].szName"});
    {
        FileBytes f;
        f.raw(ext).u32(1).zstr("@ORL300").u32(9).u32(2).zstr("A").zstr("B").u8('C');
        r.push_back({"key pairs not complete", f.d, Kind::KeyBlockTruncated, f.d.size() - 1,
                     "@ORL300 key 2 path"});
    }
    {
        FileBytes f;
        f.raw(ext).u32(1).zstr("@ORL300").u32(7).u32(1).zstr("A").raw("v");
        r.push_back({"key value not terminated", f.d, Kind::KeyBlockTruncated, f.d.size() - 1,
                     "@ORL300 key 1 value"});
    }
    {
        FileBytes f;
        const QByteArray path(64, 'p');
        f.raw(ext).u32(1).zstr("@ORL300").u32(4 + 65 + 2).u32(1).zstr(path).zstr("v");
        r.push_back({"key path of 64 bytes", f.d, Kind::KeyPathTooLong, f.d.size() - 65 - 2,
                     "@ORL300 key 1 path"});
    }
    return r;
}

TEST(ReadPolicy, RefusesStructuralDamageWithReasonAndOffset)
{
    for (const Refusal& c : Refusals()) {
        SCOPED_TRACE(c.name);
        CQLMDoc doc;
        LoadError error;
        ASSERT_FALSE(doc.LoadFile(c.file, &error));
        EXPECT_EQ(error.kind, c.kind);
        if (c.offset >= 0) {
            EXPECT_EQ(error.offset, c.offset);
        }
        EXPECT_EQ(error.field, QString::fromLatin1(c.field));
        EXPECT_FALSE(error.English().isEmpty());
        EXPECT_TRUE(error.English().contains(error.field) || c.kind == Kind::TooShort ||
                    c.kind == Kind::BadMagic);
        EXPECT_FALSE(error.Japanese().isEmpty());
    }
}

TEST(ReadPolicy, HugeCountsAllocateNothingAbsurd)
{
    // Counts of 65535 with no records behind them, and a block claiming 4 GB.
    FileBytes f = V3File::Head();
    f.u16(65535).u16(65535).u16(0).u16(0).u16(65535);
    CQLMDoc doc;
    LoadError error;
    EXPECT_FALSE(doc.LoadFile(f.d, &error));
    EXPECT_EQ(error.field, "m_TrainAssortment[1].strName");

    FileBytes g = NoTrainsUpToMarker();
    g.raw(QByteArray("ExD\0", 4)).u32(0x7FFFFFFF).zstr("A").u32(0xFFFFFFFF);
    EXPECT_FALSE(doc.LoadFile(g.d, &error));
    EXPECT_EQ(error.kind, Kind::BlockSizeTooLarge);
}

struct Opens
{
    const char* name;
    QByteArray file;
    int keys;   // expected key count
    int blocks; // expected block count
};

TEST(ReadPolicy, OpensValueProblemsAndOptionalSectionsAsTheyAre)
{
    const QByteArray head = NoTrainsUpToMarker().d;
    const QByteArray ext = head + QByteArray("ExD\0", 4);
    std::vector<Opens> cases = {
        {"ends right after the trains", head, 7, 1},
        {"ends inside the marker", head + "ExD", 7, 1},
        {"other bytes where the marker would be", head + QByteArray("ExD\x01\0\0\0\0", 8), 7, 1},
        {"zero blocks", ext + QByteArray(4, '\0'), 0, 0},
        {"bytes after the last block", ext + QByteArray("\x01\0\0\0Z\0\0\0\0\0junk", 14), 0, 1},
        {"key block with K = 0", ext + QByteArray("\x01\0\0\0@ORL300\0\x04\0\0\0\0\0\0\0", 20), 0,
         1},
        {"key block with K < 0",
         ext + QByteArray("\x01\0\0\0@ORL300\0\x06\0\0\0\xFF\xFF\xFF\xFFxy", 22), 0, 1},
        {"key block shorter than its count",
         ext + QByteArray("\x01\0\0\0@ORL300\0\x02\0\0\0ab", 18), 0, 1},
        {"key path of 63 bytes",
         ext + QByteArray("\x01\0\0\0@ORL300\0\x45\0\0\0\x01\0\0\0", 20) + QByteArray(63, 'k') +
             QByteArray("\0\0", 2),
         1, 1},
        {"only the first key block counts",
         ext + QByteArray(
                   "\x02\0\0\0@ORL300\0\x04\0\0\0\0\0\0\0@ORL300\0\x08\0\0\0\x01\0\0\0A\0B\0", 40),
         0, 2},
        {"block name of 7 bytes and of 0 bytes",
         ext + QByteArray("\x02\0\0\0ABCDEFG\0\0\0\0\0\0\x01\0\0\0x", 22), 0, 2},
    };
    for (const Opens& c : cases) {
        SCOPED_TRACE(c.name);
        CQLMDoc doc;
        LoadError error;
        ASSERT_TRUE(doc.LoadFile(c.file, &error)) << error.English().toStdString();
        EXPECT_EQ(doc.m_ExtKey.size(), c.keys);
        EXPECT_EQ(doc.m_nExtDataCount, c.blocks);
        EXPECT_EQ(doc.m_ExtData.m_nSize, c.blocks);
    }
}

TEST(ReadPolicy, IndexesBeyondTheirListsOpenWithWarningsAndSurviveSaving)
{
    FileBytes f = V3File::Head();
    f.u16(0).u16(0).u16(0).u16(0).u16(2); // no types, no destinations
    V3File::Train(f, 1, 'A', 0, 0, 9);
    V3File::Train(f, 2, 'B', 65535, 0, 0);
    V3File::KeyBlockAB(f);
    CQLMDoc doc;
    LoadError error;
    QStringList warnings;
    ASSERT_TRUE(doc.LoadFile(f.d, &error, &warnings));
    EXPECT_TRUE(warnings.contains("the timetable has no train types"));
    EXPECT_TRUE(warnings.contains("the timetable has no destinations"));
    EXPECT_TRUE(warnings.contains("train 1: destination index 9 is outside 1..0"));
    EXPECT_TRUE(warnings.contains("train 2: train type index 65535 is outside 1..0"));
    QByteArray saved;
    ASSERT_TRUE(doc.SaveFile(&saved));
    QByteArray expected = f.d;
    expected[expected.indexOf("PrevEn") + 7] = 0;
    EXPECT_EQ(saved, expected);
}

TEST(ReadPolicy, RefusedLoadLeavesNoHalfReadState)
{
    CQLMDoc doc = Samples::Timetable();
    LoadError error;
    EXPECT_FALSE(doc.LoadFile(QByteArray("QL3\x01", 4), &error));
    EXPECT_EQ(error.offset, 3);
    // A later good load starts from scratch.
    EXPECT_TRUE(doc.LoadFile(V3File::Full(), &error));
    EXPECT_EQ(doc.m_wTrainCount, 2);
}

} // namespace
