#include "jsontree.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

void AppendUtf8(std::string* out, char32_t cp)
{
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

// Recursive descent over the text; nodes are appended in document order.
class JsonParser
{
public:
    JsonParser(JsonTree& tree, QByteArrayView text)
        : m_tree(tree), m_p(text.data()), m_size(static_cast<quint32>(text.size()))
    {
    }

    bool Run(QString* error)
    {
        m_tree.m_nodes.clear();
        // A rough guess that saves most of the vector's regrowth on large texts.
        m_tree.m_nodes.reserve(m_size / 16 + 1);
        m_tree.m_text = m_p;
        // Some editors start UTF-8 with a byte-order mark: it is skipped, and byte offsets in
        // messages still count from the start of the file.
        if (QByteArrayView(m_p, m_size).startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
        SkipSpace();
        const bool ok = Value(0) && (SkipSpace(), m_pos == m_size || Fail("text after the end"));
        if (!ok && error)
            *error = QStringLiteral("JSON syntax error at byte ") + QString::number(m_errorPos) +
                     QStringLiteral(": ") + QLatin1StringView(m_error);
        return ok;
    }

private:
    // Deep enough for any timetable, shallow enough for the stack.
    static constexpr int kMaxDepth = 256;

    bool Fail(const char* what)
    {
        m_error = what;
        m_errorPos = m_pos;
        return false;
    }

    void SkipSpace()
    {
        while (m_pos < m_size) {
            const char c = m_p[m_pos];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                break;
            ++m_pos;
        }
    }

    bool Literal(const char* word, JsonTree::Type type, JsonTree::Index n)
    {
        for (quint32 i = 0; word[i]; ++i, ++m_pos)
            if (m_pos >= m_size || m_p[m_pos] != word[i])
                return Fail("invalid literal");
        m_tree.m_nodes[n].type = type;
        return true;
    }

    bool Value(int depth)
    {
        if (m_pos >= m_size)
            return Fail("unexpected end of text");
        const JsonTree::Index n = static_cast<JsonTree::Index>(m_tree.m_nodes.size());
        m_tree.m_nodes.emplace_back();
        m_tree.m_nodes[n].pos = m_pos;
        switch (m_p[m_pos]) {
        case '{':
        case '[':
            if (depth >= kMaxDepth)
                return Fail("nested too deeply");
            return Container(n, depth);
        case '"': {
            quint32 pos, len;
            bool escaped;
            if (!String(&pos, &len, &escaped))
                return false;
            JsonTree::Node& node = m_tree.m_nodes[n];
            node.type = JsonTree::Type::String;
            node.pos = pos;
            node.len = len;
            node.flags = escaped ? JsonTree::kEscaped : 0;
            return true;
        }
        case 't':
            return Literal("true", JsonTree::Type::True, n);
        case 'f':
            return Literal("false", JsonTree::Type::False, n);
        case 'n':
            return Literal("null", JsonTree::Type::Null, n);
        default:
            return Number(n);
        }
    }

    bool Container(JsonTree::Index n, int depth)
    {
        const bool object = m_p[m_pos] == '{';
        const char close = object ? '}' : ']';
        m_tree.m_nodes[n].type = object ? JsonTree::Type::Object : JsonTree::Type::Array;
        ++m_pos;
        SkipSpace();
        if (m_pos < m_size && m_p[m_pos] == close) {
            ++m_pos;
            return true;
        }
        JsonTree::Index last = JsonTree::kNone;
        quint32 count = 0;
        for (;;) {
            quint32 keyPos = 0, keyLen = 0;
            bool escapedKey = false;
            if (object) {
                if (m_pos >= m_size || m_p[m_pos] != '"')
                    return Fail(m_pos >= m_size ? "unexpected end of text" : "expected a key");
                if (!String(&keyPos, &keyLen, &escapedKey))
                    return false;
                SkipSpace();
                if (m_pos >= m_size || m_p[m_pos] != ':')
                    return Fail("expected ':'");
                ++m_pos;
                SkipSpace();
            }
            const JsonTree::Index child = static_cast<JsonTree::Index>(m_tree.m_nodes.size());
            if (!Value(depth + 1))
                return false;
            JsonTree::Node& c = m_tree.m_nodes[child];
            c.keyPos = keyPos;
            c.keyLen = static_cast<quint16>(std::min<quint32>(keyLen, 0xFFFF));
            if (escapedKey)
                c.flags |= JsonTree::kEscapedKey;
            if (last != JsonTree::kNone)
                m_tree.m_nodes[last].next = child;
            last = child;
            ++count;
            SkipSpace();
            if (m_pos >= m_size)
                return Fail("unexpected end of text");
            if (m_p[m_pos] == ',') {
                ++m_pos;
                SkipSpace();
                continue;
            }
            if (m_p[m_pos] != close)
                return Fail(object ? "expected ',' or '}'" : "expected ',' or ']'");
            ++m_pos;
            m_tree.m_nodes[n].len = count;
            return true;
        }
    }

    // The continuation bytes of a UTF-8 sequence whose lead byte is at m_pos.
    bool Utf8Sequence()
    {
        const auto b = [this](quint32 i) { return static_cast<quint8>(m_p[m_pos + i]); };
        const quint8 lead = b(0);
        int extra;
        quint8 lo = 0x80, hi = 0xBF; // range of the first continuation byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            if (lead == 0xE0)
                lo = 0xA0;
            if (lead == 0xED)
                hi = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            if (lead == 0xF0)
                lo = 0x90;
            if (lead == 0xF4)
                hi = 0x8F;
        } else {
            return Fail("invalid UTF-8");
        }
        if (m_size - m_pos <= quint32(extra))
            return Fail("invalid UTF-8");
        for (int i = 1; i <= extra; ++i) {
            const quint8 c = b(quint32(i));
            if (c < (i == 1 ? lo : 0x80) || c > (i == 1 ? hi : 0xBF))
                return Fail("invalid UTF-8");
        }
        m_pos += quint32(extra) + 1;
        return true;
    }

    // Four hex digits after "\u" at m_pos; the value, or -1.
    int Hex4()
    {
        if (m_size - m_pos < 4)
            return -1;
        int v = 0;
        for (int i = 0; i < 4; ++i) {
            const int d = HexValue(m_p[m_pos + quint32(i)]);
            if (d < 0)
                return -1;
            v = v * 16 + d;
        }
        return v;
    }

    bool Escape(bool* escaped)
    {
        *escaped = true;
        ++m_pos; // the backslash
        if (m_pos >= m_size)
            return Fail("unexpected end of text");
        switch (m_p[m_pos]) {
        case '"':
        case '\\':
        case '/':
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            ++m_pos;
            return true;
        case 'u':
            break;
        default:
            return Fail("invalid escape");
        }
        ++m_pos;
        const int unit = Hex4();
        if (unit < 0)
            return Fail("invalid \\u escape");
        m_pos += 4;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return Fail("lone low surrogate");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (m_size - m_pos < 2 || m_p[m_pos] != '\\' || m_p[m_pos + 1] != 'u')
                return Fail("lone high surrogate");
            m_pos += 2;
            const int low = Hex4();
            if (low < 0xDC00 || low > 0xDFFF)
                return Fail("lone high surrogate");
            m_pos += 4;
        }
        return true;
    }

    // A string starting at the quote at m_pos; its content without the quotes.
    bool String(quint32* pos, quint32* len, bool* escaped)
    {
        ++m_pos;
        *pos = m_pos;
        *escaped = false;
        while (m_pos < m_size) {
            const auto c = static_cast<quint8>(m_p[m_pos]);
            if (c == '"') {
                *len = m_pos - *pos;
                ++m_pos;
                return true;
            }
            if (c == '\\') {
                if (!Escape(escaped))
                    return false;
            } else if (c < 0x20) {
                return Fail("control character in a string");
            } else if (c >= 0x80) {
                if (!Utf8Sequence())
                    return false;
            } else {
                ++m_pos;
            }
        }
        return Fail("unterminated string");
    }

    bool Number(JsonTree::Index n)
    {
        const quint32 start = m_pos;
        const auto at = [this](quint32 i) { return i < m_size ? m_p[i] : '\0'; };
        if (at(m_pos) == '-')
            ++m_pos;
        if (at(m_pos) == '0') {
            ++m_pos;
        } else if (IsDigit(at(m_pos))) {
            while (IsDigit(at(m_pos)))
                ++m_pos;
        } else {
            return Fail(m_pos == start ? "unexpected character" : "invalid number");
        }
        if (at(m_pos) == '.') {
            ++m_pos;
            if (!IsDigit(at(m_pos)))
                return Fail("invalid number");
            while (IsDigit(at(m_pos)))
                ++m_pos;
        }
        if (at(m_pos) == 'e' || at(m_pos) == 'E') {
            ++m_pos;
            if (at(m_pos) == '+' || at(m_pos) == '-')
                ++m_pos;
            if (!IsDigit(at(m_pos)))
                return Fail("invalid number");
            while (IsDigit(at(m_pos)))
                ++m_pos;
        }
        JsonTree::Node& node = m_tree.m_nodes[n];
        node.type = JsonTree::Type::Number;
        node.pos = start;
        node.len = m_pos - start;
        return true;
    }

    JsonTree& m_tree;
    const char* m_p;
    quint32 m_size;
    quint32 m_pos = 0;
    const char* m_error = "";
    quint32 m_errorPos = 0;
};

bool JsonTree::Parse(QByteArrayView text, QString* error)
{
    if (text.size() >= std::numeric_limits<quint32>::max()) {
        if (error)
            *error = QStringLiteral("JSON syntax error at byte 0: text too large");
        return false;
    }
    JsonParser parser(*this, text);
    return parser.Run(error);
}

std::string_view JsonTree::Text(quint32 pos, quint32 len, bool escaped, std::string* scratch) const
{
    const char* p = m_text + pos;
    if (!escaped)
        return std::string_view(p, len);
    // The parser has checked every escape.
    scratch->clear();
    for (quint32 i = 0; i < len; ++i) {
        if (p[i] != '\\') {
            scratch->push_back(p[i]);
            continue;
        }
        const char e = p[++i];
        switch (e) {
        case 'b':
            scratch->push_back('\b');
            break;
        case 'f':
            scratch->push_back('\f');
            break;
        case 'n':
            scratch->push_back('\n');
            break;
        case 'r':
            scratch->push_back('\r');
            break;
        case 't':
            scratch->push_back('\t');
            break;
        case 'u': {
            const auto hex4 = [p](quint32 at) {
                char32_t v = 0;
                for (quint32 k = 0; k < 4; ++k)
                    v = v * 16 + char32_t(HexValue(p[at + k]));
                return v;
            };
            char32_t cp = hex4(i + 1);
            i += 4;
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (hex4(i + 3) - 0xDC00);
                i += 6;
            }
            AppendUtf8(scratch, cp);
            break;
        }
        default: // '"', '\\', '/'
            scratch->push_back(e);
            break;
        }
    }
    return *scratch;
}

std::string_view JsonTree::Key(Index n, std::string* scratch) const
{
    const Node& node = m_nodes[n];
    return Text(node.keyPos, node.keyLen, node.flags & kEscapedKey, scratch);
}

std::string_view JsonTree::String(Index n, std::string* scratch) const
{
    const Node& node = m_nodes[n];
    return Text(node.pos, node.len, node.flags & kEscaped, scratch);
}

double JsonTree::Number(Index n) const
{
    const Node& node = m_nodes[n];
    double v = 0;
    const char* p = m_text + node.pos;
    const std::from_chars_result r = std::from_chars(p, p + node.len, v);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond a double either way: a negative exponent means a value too close to zero.
        const std::string_view text(p, node.len);
        const size_t e = text.find_first_of("eE");
        if (e != std::string_view::npos && text[e + 1] == '-')
            return 0;
        return *p == '-' ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
    }
    return v;
}
