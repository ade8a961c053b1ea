#pragma once

#include <QByteArrayView>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

// A parsed JSON text (RFC 8259, UTF-8) held as one flat array of nodes whose strings and
// numbers point into the text. Built for reading a large timetable quickly: no value is
// converted until it is asked for, and nothing is allocated per node.
// The text must outlive the tree.
class JsonTree
{
public:
    enum class Type : quint8
    {
        Null,
        False,
        True,
        Number,
        String,
        Array,
        Object
    };
    using Index = quint32;

    // Parses text; a leading UTF-8 byte-order mark is skipped. On a syntax error returns false
    // and sets *error to "JSON syntax error at byte N: what".
    bool Parse(QByteArrayView text, QString* error);

    Index Root() const { return 0; }
    Type TypeOf(Index n) const { return m_nodes[n].type; }
    // Members of an object or elements of an array, in order: First, then Next until kNone.
    static constexpr Index kNone = 0;
    // The children follow their parent directly, in document order.
    Index First(Index n) const { return m_nodes[n].len > 0 ? n + 1 : kNone; }
    Index Next(Index n) const { return m_nodes[n].next; }
    quint32 Count(Index n) const { return m_nodes[n].len; }
    // The key of an object member, unescaped.
    std::string_view Key(Index n, std::string* scratch) const;
    // A string's UTF-8 bytes, unescaped.
    std::string_view String(Index n, std::string* scratch) const;
    // A number's value.
    double Number(Index n) const;
    // Where a node's value starts in the text.
    quint32 Offset(Index n) const { return m_nodes[n].pos; }

private:
    // 20 bytes: a timetable has about twelve nodes per train.
    struct Node
    {
        Index next = kNone; // the next member or element of the same parent
        quint32 keyPos = 0; // an object member's key, without the quotes
        quint32 pos = 0;    // a string without the quotes, or a number's text
        quint32 len = 0;    // its length; for an object or array, the number of children
        quint16 keyLen = 0; // saturated: no known key is that long
        Type type = Type::Null;
        quint8 flags = 0; // kEscaped, kEscapedKey
    };
    static constexpr quint8 kEscaped = 1;
    static constexpr quint8 kEscapedKey = 2;

    std::string_view Text(quint32 pos, quint32 len, bool escaped, std::string* scratch) const;

    friend class JsonParser;
    std::vector<Node> m_nodes;
    const char* m_text = nullptr;
};
