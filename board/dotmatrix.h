#pragma once

#include <QRect>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// The colour of one dot as 0xFFRRGGBB: the pixel value of a 32-bit RGB image, so that a row of
// dots can be copied into a picture as it is.
using DotColor = quint32;

// A timetable colour (0x00BBGGRR, red in the low byte) as a dot colour.
constexpr DotColor DotColorOf(quint32 colorRef)
{
    return 0xFF000000u | (colorRef & 0xFFu) << 16 | (colorRef & 0xFF00u) | (colorRef >> 16 & 0xFFu);
}

// The board as a plain matrix of dot colours, row by row from the top left.
class CDotMatrix
{
public:
    CDotMatrix() = default;
    CDotMatrix(int width, int height, DotColor fill)
        : m_nWidth(width), m_nHeight(height),
          m_dots(static_cast<size_t>(width) * static_cast<size_t>(height), fill)
    {
    }

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    DotColor At(int x, int y) const { return m_dots[Index(x, y)]; }
    void Set(int x, int y, DotColor color) { m_dots[Index(x, y)] = color; }
    const DotColor* Row(int y) const { return &m_dots[Index(0, y)]; }
    // Fills the part of rect that lies on the board.
    void Fill(const QRect& rect, DotColor color)
    {
        const QRect r = rect.intersected(QRect(0, 0, m_nWidth, m_nHeight));
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(&m_dots[Index(r.left(), y)], r.width(), color);
    }

    friend bool operator==(const CDotMatrix&, const CDotMatrix&) = default;

private:
    size_t Index(int x, int y) const
    {
        Q_ASSERT(x >= 0 && x < m_nWidth && y >= 0 && y < m_nHeight);
        return static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x);
    }

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<DotColor> m_dots;
};
