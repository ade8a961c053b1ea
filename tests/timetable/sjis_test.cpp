#include "sjis.h"

#include <gtest/gtest.h>

namespace {

TEST(Sjis, DecodesForDisplayAndShowsBadBytes)
{
    EXPECT_EQ(Sjis::Decode(QByteArray("\x90\x56\x8B\x4B")), QString::fromUtf8("新規"));
    EXPECT_EQ(Sjis::Decode(QByteArray("\xB4\xD7\xB0")), QString::fromUtf8("ｴﾗｰ"));
    EXPECT_EQ(Sjis::Decode("abc"), "abc");
    // A bad byte shows as a replacement character rather than vanishing.
    const QString bad = Sjis::Decode(QByteArray("\x82\xA0\xFF"
                                                "a"));
    EXPECT_EQ(bad, QString::fromUtf8("あ\uFFFDa"));
    EXPECT_EQ(Sjis::Decode(QByteArray("a\x82")), QString::fromUtf8("a\uFFFD"));
}

TEST(Sjis, EncodesAndRefusesWhatCodePage932CannotHold)
{
    EXPECT_EQ(Sjis::Encode(QString::fromUtf8("新規")), QByteArray("\x90\x56\x8B\x4B"));
    EXPECT_EQ(Sjis::Encode(QString::fromUtf8("～")), QByteArray("\x81\x60"));
    const struct
    {
        const char* text;
        const char* refused;
    } cases[] = {{"価格€", "€"}, {"caf\u00e9", "\u00e9"}, {"a😀b", "😀"}, {"\u301c", "\u301c"}};
    for (const auto& c : cases) {
        QString refused;
        EXPECT_FALSE(Sjis::Encode(QString::fromUtf8(c.text), &refused)) << c.text;
        EXPECT_EQ(refused, QString::fromUtf8(c.refused));
    }
}

TEST(Sjis, KnowsWhichBytesSurviveDecodeAndEncode)
{
    EXPECT_TRUE(Sjis::RoundTrips(QByteArray("\x90\x56\x8B\x4B"
                                            "abc\\~")));
    EXPECT_FALSE(Sjis::RoundTrips(QByteArray("\xFF")));
    EXPECT_FALSE(Sjis::RoundTrips(QByteArray("a\x82")));
    // Duplicate codes of one character: only one of them survives.
    EXPECT_NE(Sjis::RoundTrips(QByteArray("\xED\x40")), Sjis::RoundTrips(QByteArray("\xFA\x5C")));
}

TEST(Sjis, TruncatesWithoutSplittingACharacter)
{
    const QByteArray text("ab\x90\x56\x8B\x4B");
    EXPECT_EQ(Sjis::Truncate(text, 3), "ab");
    EXPECT_EQ(Sjis::Truncate(text, 4), QByteArray("ab\x90\x56"));
    EXPECT_EQ(Sjis::Truncate(text, 5), QByteArray("ab\x90\x56"));
    EXPECT_EQ(Sjis::Truncate(text, 100), text);
    // A lone lead byte at the end counts as one byte.
    EXPECT_EQ(Sjis::Truncate(QByteArray("a\x90"), 2), QByteArray("a\x90"));
    EXPECT_EQ(Sjis::Truncate(QByteArray(600, 'x'), 511).size(), 511);
}

} // namespace

namespace {

TEST(Sjis, ControlBytesAreConsistentBetweenDecodeAndEncode)
{
    // The converter maps 0x1A, 0x1C and 0x7F to other control characters; what Decode shows
    // must encode back to the same bytes.
    for (const char* bytes : {"\x1A", "\x1C", "\x7F",
                              "a\x7F"
                              "b"}) {
        const std::optional<QByteArray> again = Sjis::Encode(Sjis::Decode(bytes));
        ASSERT_TRUE(again);
        EXPECT_EQ(*again, QByteArray(bytes));
        EXPECT_TRUE(Sjis::RoundTrips(bytes));
    }
    // After a refused character the converter still works.
    EXPECT_FALSE(Sjis::Encode(QString::fromUtf8("€")));
    EXPECT_EQ(Sjis::Encode(QString::fromUtf8("新")), QByteArray("\x90\x56"));
    EXPECT_FALSE(Sjis::RoundTrips(QByteArray("\xFF")));
    EXPECT_EQ(Sjis::Decode(QByteArray("\x90\x56")), QString::fromUtf8("新"));
}

} // namespace
