#include "boardfont.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cstring>
#include <mutex>

namespace {

constexpr char kDefaultFont[] = "/usr/share/unifont/unifont_jp.hex";
constexpr int kBmp = 0x10000;

// Hex digit values; -1 for any other byte.
std::array<qint8, 256> MakeHexTable()
{
    std::array<qint8, 256> t;
    t.fill(-1);
    for (int i = 0; i < 10; ++i)
        t[static_cast<size_t>('0' + i)] = static_cast<qint8>(i);
    for (int i = 0; i < 6; ++i) {
        t[static_cast<size_t>('A' + i)] = static_cast<qint8>(10 + i);
        t[static_cast<size_t>('a' + i)] = static_cast<qint8>(10 + i);
    }
    return t;
}

const std::array<qint8, 256> kHex = MakeHexTable();

int HexAt(const char* p)
{
    return kHex[static_cast<quint8>(*p)];
}

// Reads the glyph bits of one line: 32 digits (8 dots a row) or 64 (16 dots a row). Returns the
// width, or 0 when the digits do not make a glyph.
int ReadBits(const char* p, qsizetype digits, quint16 (&rows)[CBoardFont::kHeight])
{
    if (digits != 32 && digits != 64)
        return 0;
    const int perRow = static_cast<int>(digits / CBoardFont::kHeight);
    for (int y = 0; y < CBoardFont::kHeight; ++y) {
        unsigned bits = 0;
        for (int i = 0; i < perRow; ++i) {
            const int v = HexAt(p++);
            if (v < 0)
                return 0;
            bits = bits << 4 | static_cast<unsigned>(v);
        }
        // Left-justify 8-dot rows so that bit 15 is always the leftmost dot.
        rows[y] = static_cast<quint16>(perRow == 2 ? bits << 8 : bits);
    }
    return perRow * 4;
}

} // namespace

QString CBoardFont::DefaultPath()
{
    const QString override = qEnvironmentVariable("MARVO_BOARD_FONT");
    return override.isEmpty() ? QString::fromLatin1(kDefaultFont) : override;
}

std::shared_ptr<const CBoardFont> CBoardFont::Shared(QString* error)
{
    static std::mutex mutex;
    static std::shared_ptr<const CBoardFont> font;
    static QString failure;
    static bool tried = false;
    std::lock_guard lock(mutex);
    if (!tried) {
        tried = true;
        auto loaded = std::make_shared<CBoardFont>();
        if (loaded->Load(DefaultPath(), &failure))
            font = std::move(loaded);
    }
    if (!font && error)
        *error = failure;
    return font;
}

bool CBoardFont::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo::exists(path)
                         ? QStringLiteral("%1: cannot read the board font: %2")
                               .arg(path, file.errorString())
                         : QStringLiteral("%1: the board font is missing (Debian package unifont)")
                               .arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (!LoadFromBytes(bytes, error)) {
        if (error)
            *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    return true;
}

bool CBoardFont::LoadFromBytes(QByteArrayView hex, QString* error)
{
    m_widths.assign(kBmp, 0);
    m_rows.assign(static_cast<size_t>(kBmp) * kHeight, 0);
    m_astral.clear();
    m_nGlyphs = 0;
    const char* p = hex.data();
    const char* const end = p + hex.size();
    while (p < end) {
        const char* eol =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!eol)
            eol = end;
        const char* lineEnd = eol;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        // The code point: hex digits up to the colon.
        char32_t codePoint = 0;
        const char* q = p;
        int digits = 0;
        for (; q < lineEnd && HexAt(q) >= 0 && digits < 7; ++q, ++digits)
            codePoint = codePoint << 4 | static_cast<char32_t>(HexAt(q));
        quint16 rows[kHeight];
        if (digits > 0 && q < lineEnd && *q == ':' && codePoint <= 0x10FFFF) {
            ++q;
            if (const int width = ReadBits(q, lineEnd - q, rows))
                Store(codePoint, width, rows);
        }
        p = eol + 1;
    }
    // The hollow box stands in when the font lacks even the geta mark.
    m_box[1] = m_box[14] = 0x7FFE;
    for (int y = 2; y < 14; ++y)
        m_box[static_cast<size_t>(y)] = 0x4002;
    if (m_nGlyphs == 0) {
        if (error)
            *error = QStringLiteral("no glyph in the font file");
        return false;
    }
    return true;
}

void CBoardFont::Store(char32_t codePoint, int width, const quint16 (&rows)[kHeight])
{
    if (!Has(codePoint))
        ++m_nGlyphs;
    if (codePoint < kBmp) {
        m_widths[codePoint] = static_cast<quint8>(width);
        std::memcpy(&m_rows[static_cast<size_t>(codePoint) * kHeight], rows, sizeof rows);
        return;
    }
    std::array<quint16, kHeight + 1> glyph;
    std::memcpy(glyph.data(), rows, sizeof rows);
    glyph[kHeight] = static_cast<quint16>(width);
    m_astral.insert(codePoint, glyph);
}

bool CBoardFont::Has(char32_t codePoint) const
{
    if (codePoint < kBmp)
        return !m_widths.empty() && m_widths[codePoint] != 0;
    return m_astral.contains(codePoint);
}

CBoardFont::Glyph CBoardFont::Find(char32_t codePoint) const
{
    if (codePoint < kBmp) {
        if (!m_widths.empty() && m_widths[codePoint])
            return {m_widths[codePoint], &m_rows[static_cast<size_t>(codePoint) * kHeight]};
    } else if (auto it = m_astral.constFind(codePoint); it != m_astral.cend()) {
        return {it->at(kHeight), it->data()};
    }
    if (codePoint != kSubstitute && Has(kSubstitute))
        return Find(kSubstitute);
    return {16, m_box.data()};
}
