// Mutated files (bit flips, cuts, inflated counts and sizes) are refused or open cleanly, never
// crash; whatever opens saves, and what it saves reads back to the same bytes.

#include "filebytes.h"
#include "qlmdoc.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<QByteArray> Seeds()
{
    std::vector<QByteArray> seeds = {V3File::Full()};
    CQLMDoc doc = Samples::Timetable();
    doc.SetTrainCount(5);
    for (int i = 1; i <= 5; ++i) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(i);
        t.wTrainNo = static_cast<quint16>(i);
        t.strName = QByteArray("\x90\x56\x8B\x4B");
        t.wAssortment = 1;
        t.wDestination = 1;
    }
    doc.SetGuideMessageCount(2);
    EXTKEY key;
    key.SetKey("STANDARD/COMPANY");
    key.strValue = "x";
    doc.m_ExtKey.AddTail(key);
    doc.SetExtDataCount(1);
    doc.m_ExtData.ElementAt(1).SetName("BIN");
    QByteArray saved;
    doc.SaveFile(&saved);
    seeds.push_back(saved);
    // A version 2 file: the first seed with its magic changed reads as another layout.
    QByteArray v2 = V3File::Full();
    v2[2] = 'M';
    seeds.push_back(v2);
    return seeds;
}

void Mutate(QByteArray& d, std::mt19937& rng)
{
    auto pick = [&](qsizetype n) {
        return static_cast<qsizetype>(std::uniform_int_distribution<qsizetype>(0, n - 1)(rng));
    };
    const int kind = static_cast<int>(rng() % 5);
    if (d.isEmpty())
        return;
    switch (kind) {
    case 0: // flip bits
        for (int i = 0, n = 1 + static_cast<int>(rng() % 4); i < n; ++i)
            d[pick(d.size())] ^= static_cast<char>(1 << (rng() % 8));
        break;
    case 1: // cut
        d.truncate(pick(d.size()));
        break;
    case 2: // inflate a 16-bit value
    {
        const qsizetype at = pick(d.size());
        const quint16 v = (rng() % 2) ? 0xFFFF : static_cast<quint16>(rng());
        d[at] = static_cast<char>(v & 0xFF);
        if (at + 1 < d.size())
            d[at + 1] = static_cast<char>(v >> 8);
        break;
    }
    case 3: // inflate a 32-bit value
    {
        const qsizetype at = pick(d.size());
        const quint32 v = (rng() % 2) ? 0x7FFFFFFF : static_cast<quint32>(rng());
        for (int i = 0; i < 4 && at + i < d.size(); ++i)
            d[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        break;
    }
    default: // insert or delete a few bytes
        if (rng() % 2)
            d.insert(pick(d.size()),
                     QByteArray(1 + static_cast<int>(rng() % 8), static_cast<char>(rng())));
        else
            d.remove(pick(d.size()), 1 + static_cast<int>(rng() % 8));
        break;
    }
}

TEST(Robustness, MutatedFilesAreRefusedOrOpenCleanly)
{
    std::mt19937 rng(20261208);
    int opened = 0;
    int refused = 0;
    const std::vector<QByteArray> seeds = Seeds();
    for (int i = 0; i < 30000; ++i) {
        QByteArray d = seeds[static_cast<size_t>(i) % seeds.size()];
        for (int m = 0, n = 1 + static_cast<int>(rng() % 3); m < n; ++m)
            Mutate(d, rng);
        CQLMDoc doc;
        LoadError error;
        QStringList warnings;
        if (!doc.LoadFile(d, &error, &warnings)) {
            ++refused;
            ASSERT_NE(error.kind, LoadError::Kind::None);
            ASSERT_LE(error.offset, d.size());
            ASSERT_FALSE(error.English().isEmpty());
            continue;
        }
        ++opened;
        ASSERT_EQ(doc.m_TrainInfo.m_nSize, doc.m_wTrainCount);
        ASSERT_EQ(doc.m_ExtData.m_nSize, doc.m_nExtDataCount);
        QByteArray saved;
        ASSERT_TRUE(doc.SaveFile(&saved));
        CQLMDoc again;
        ASSERT_TRUE(again.LoadFile(saved, &error))
            << "case " << i << ": " << error.English().toStdString();
        QByteArray savedAgain;
        ASSERT_TRUE(again.SaveFile(&savedAgain));
        ASSERT_EQ(saved, savedAgain) << "case " << i;
    }
    // Both outcomes must be exercised for the test to mean anything.
    EXPECT_GT(opened, 1000);
    EXPECT_GT(refused, 1000);
}

} // namespace
