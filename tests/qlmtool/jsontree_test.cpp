// The JSON parser behind the JSON form, checked against Qt's own: the same texts are accepted,
// with the same values, and the same refused.

#include "jsontree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

namespace {

QJsonValue ToQt(const JsonTree& t, JsonTree::Index n)
{
    std::string scratch;
    switch (t.TypeOf(n)) {
    case JsonTree::Type::Null:
        return QJsonValue::Null;
    case JsonTree::Type::False:
        return false;
    case JsonTree::Type::True:
        return true;
    case JsonTree::Type::Number:
        return t.Number(n);
    case JsonTree::Type::String: {
        const std::string_view s = t.String(n, &scratch);
        return QString::fromUtf8(s.data(), qsizetype(s.size()));
    }
    case JsonTree::Type::Array: {
        QJsonArray a;
        for (JsonTree::Index c = t.First(n); c != JsonTree::kNone; c = t.Next(c))
            a.append(ToQt(t, c));
        return a;
    }
    case JsonTree::Type::Object: {
        QJsonObject o;
        for (JsonTree::Index c = t.First(n); c != JsonTree::kNone; c = t.Next(c)) {
            const std::string_view key = t.Key(c, &scratch);
            o.insert(QString::fromUtf8(key.data(), qsizetype(key.size())), ToQt(t, c));
        }
        return o;
    }
    }
    return {};
}

TEST(JsonTree, AgreesWithQt)
{
    const QByteArray texts[] = {
        // accepted
        "{}", " [ ] ", "[[], {}, [[]]]",
        R"({"a" : [1, -0, 2.5e3, 1E-2, -1.5E+2, 4294967296, true, false, null], "b": {"c": ""}})",
        R"(["x\"\\\/\b\f\n\r\t", "\u00e9\u3042", "\ud83d\ude00", "\u0000", "é😀あ"])",
        R"({"k\u0065y": 1, "": 2})",
        // refused
        "", "{", "[", "{\"a\"}", "{\"a\":1,}", "[1,]", "[01]", "[-]", "[1e]", "[+1]", "[\"\\u12\"]",
        "[\"\\u12g4\"]", "[\"unterminated]", "[\"\xC3\"]", "[\"\xC3\x28\"]", "[\"\xED\xA0\x80\"]",
        "[\"\xF5\x80\x80\x80\"]", "[\"\xC0\xAF\"]", "[tru]", "[nul]", "[1] 2", "{\"a\":1 \"b\":2}",
        "{1:2}", "[1 2]", "{\"a\" 1}", "[1,,2]"};
    for (const QByteArray& text : texts) {
        QJsonParseError qtError;
        const QJsonDocument qt = QJsonDocument::fromJson(text, &qtError);
        JsonTree tree;
        QString error;
        const bool ok = tree.Parse(text, &error);
        EXPECT_EQ(ok, qtError.error == QJsonParseError::NoError) << text.toStdString();
        if (ok && qtError.error == QJsonParseError::NoError) {
            const QJsonValue mine = ToQt(tree, tree.Root());
            EXPECT_EQ(mine, qt.isArray() ? QJsonValue(qt.array()) : QJsonValue(qt.object()))
                << text.toStdString();
        }
        if (!ok) {
            EXPECT_TRUE(error.startsWith("JSON syntax error at byte ")) << error.toStdString();
        }
    }
}

// Stricter than Qt, as the standard is; and texts no timetable can hold.
TEST(JsonTree, RefusesWhatTheStandardDoesNot)
{
    const struct
    {
        QByteArray text;
        const char* error;
    } cases[] = {
        {R"(["\ud800"])", "JSON syntax error at byte 8: lone high surrogate"},
        {R"(["\udc00x"])", "JSON syntax error at byte 8: lone low surrogate"},
        {QByteArray(300, '['), "JSON syntax error at byte 256: nested too deeply"},
        {"[1]x", "JSON syntax error at byte 3: text after the end"},
        {"[1.]", "JSON syntax error at byte 3: invalid number"},
        {"[.5]", "JSON syntax error at byte 1: unexpected character"},
        {R"(["\x"])", "JSON syntax error at byte 3: invalid escape"},
        {"[\"a\tb\"]", "JSON syntax error at byte 3: control character in a string"},
    };
    for (const auto& c : cases) {
        JsonTree tree;
        QString error;
        EXPECT_FALSE(tree.Parse(c.text, &error));
        EXPECT_EQ(error.toStdString(), c.error);
    }
}

TEST(JsonTree, NumbersBeyondADoubleSaturate)
{
    JsonTree tree;
    ASSERT_TRUE(tree.Parse("[1e400, -1e400, 1e-400]", nullptr));
    const JsonTree::Index big = tree.First(tree.Root());
    EXPECT_EQ(tree.Number(big), std::numeric_limits<double>::infinity());
    EXPECT_EQ(tree.Number(tree.Next(big)), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(tree.Number(tree.Next(tree.Next(big))), 0.0);
}

} // namespace
