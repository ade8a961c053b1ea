#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <vector>

// The 16-dot glyphs of the board, read from a GNU Unifont ".hex" file: one glyph per line, the
// code point in hex, a colon, then 32 hex digits (8 dots wide) or 64 (16 dots wide), row by row
// from the top. A board character is drawn dot by dot from these bits.
class CBoardFont
{
public:
    static constexpr int kHeight = 16;
    // The glyph drawn for a character the font lacks: the geta mark 〓, the usual stand-in for a
    // missing character in Japanese print, or a hollow box when the font lacks that too.
    static constexpr char32_t kSubstitute = 0x3013;

    struct Glyph
    {
        int width = 0;                 // 8 or 16 dots
        const quint16* rows = nullptr; // 16 rows from the top; bit 15 is the leftmost dot
    };

    // The font file the board uses: $MARVO_BOARD_FONT when set, else Debian's Unifont with the
    // Japanese glyphs.
    static QString DefaultPath();
    // The font of DefaultPath(), read once for the whole process. Null when the file cannot be
    // read; *error then says why (English, naming the file).
    static std::shared_ptr<const CBoardFont> Shared(QString* error = nullptr);

    // Reads a font file. False and *error (English, naming the file) when it cannot be read or
    // holds no glyph at all; lines that do not read as a glyph are skipped.
    bool Load(const QString& path, QString* error = nullptr);
    // The same from the file's bytes.
    bool LoadFromBytes(QByteArrayView hex, QString* error = nullptr);

    bool Has(char32_t codePoint) const;
    // The glyph of a code point, or the substitute glyph when the font lacks it.
    Glyph Find(char32_t codePoint) const;
    int Width(char32_t codePoint) const { return Find(codePoint).width; }
    int GlyphCount() const { return m_nGlyphs; }

private:
    void Store(char32_t codePoint, int width, const quint16 (&rows)[kHeight]);

    // The Basic Multilingual Plane in flat tables (width 0: no glyph); other planes in a hash.
    std::vector<quint8> m_widths;
    std::vector<quint16> m_rows;
    QHash<char32_t, std::array<quint16, kHeight + 1>> m_astral; // [16] holds the width
    std::array<quint16, kHeight> m_box{};
    int m_nGlyphs = 0;
};
