#include "boardpicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Board {

namespace {

// The left (top) pixel of dot i when n dots share `pixels` pixels.
int Edge(int i, int pixels, int n)
{
    return static_cast<int>(static_cast<long long>(i) * pixels / n);
}

// How much of each pixel of a cell the round LED covers, 0..256.
struct LedMask
{
    int width = 0;
    int height = 0;
    std::vector<int> cover;
};

LedMask MakeMask(int width, int height)
{
    LedMask mask{width, height, std::vector<int>(static_cast<size_t>(width * height))};
    const double radius = 0.42 * std::min(width, height);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The pixel's share of the disc, from its centre's distance to the rim.
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double a = std::clamp(radius - d + 0.5, 0.0, 1.0);
            mask.cover[static_cast<size_t>(y * width + x)] =
                std::min(width, height) <= 1 ? 256 : static_cast<int>(a * 256 + 0.5);
        }
    }
    return mask;
}

DotColor Blend(DotColor face, DotColor led, int cover)
{
    if (cover >= 256)
        return led;
    if (cover <= 0)
        return face;
    auto channel = [&](int shift) {
        const int f = static_cast<int>(face >> shift & 0xFF);
        const int l = static_cast<int>(led >> shift & 0xFF);
        return static_cast<DotColor>(f + ((l - f) * cover + 128) / 256) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// The LED cells of one colour, blended once for each of the four cell shapes.
struct LedSprites
{
    DotColor color = 0;
    std::vector<DotColor> cells[2][2];
};

void DrawLeds(QImage& picture, const CDotMatrix& board, const QRect& dots)
{
    const int w = board.Width();
    const int h = board.Height();
    const QRect area = dots.intersected(QRect(0, 0, w, h));
    if (area.isEmpty())
        return;
    // Cells are all of two widths and two heights (the pitch rounded down or up): four masks.
    const int baseWidth = picture.width() / w;
    const int baseHeight = picture.height() / h;
    LedMask masks[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            masks[i][j] = MakeMask(baseWidth + i, baseHeight + j);
    // A board has few colours: each is blended into its cells once.
    std::vector<LedSprites> sprites;
    size_t last = 0;
    auto spritesOf = [&](DotColor color) -> LedSprites& {
        if (last < sprites.size() && sprites[last].color == color)
            return sprites[last];
        for (last = 0; last < sprites.size(); ++last)
            if (sprites[last].color == color)
                return sprites[last];
        LedSprites& made = sprites.emplace_back();
        made.color = color;
        for (int i = 0; i < 2; ++i) {
            for (int j = 0; j < 2; ++j) {
                const std::vector<int>& cover = masks[i][j].cover;
                made.cells[i][j].resize(cover.size());
                for (size_t k = 0; k < cover.size(); ++k)
                    made.cells[i][j][k] = Blend(kFaceColor, color, cover[k]);
            }
        }
        return made;
    };
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int top = Edge(y, picture.height(), h);
        const int cellHeight = Edge(y + 1, picture.height(), h) - top;
        const DotColor* dotsOfRow = board.Row(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const int left = Edge(x, picture.width(), w);
            const int cellWidth = Edge(x + 1, picture.width(), w) - left;
            const DotColor* cell = spritesOf(dotsOfRow[x])
                                       .cells[cellWidth - baseWidth][cellHeight - baseHeight]
                                       .data();
            for (int py = 0; py < cellHeight; ++py)
                std::memcpy(bits + (top + py) * stride + left * qsizetype(sizeof(DotColor)),
                            cell + py * cellWidth, sizeof(DotColor) * size_t(cellWidth));
        }
    }
}

// Pictures made with and without a screen get the same resolution, so that the editor and
// qlmtool write the same bytes for the same dots.
QImage NewPicture(int width, int height)
{
    constexpr int kDotsPerMeter = 3780; // 96 dots per inch
    QImage picture(width, height, QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    return picture;
}

} // namespace

QImage BoardPicture(const CDotMatrix& board, int scale)
{
    scale = std::max(scale, 1);
    QImage picture = NewPicture(board.Width() * scale, board.Height() * scale);
    if (picture.isNull())
        return picture;
    if (scale == 1) {
        for (int y = 0; y < board.Height(); ++y)
            std::memcpy(picture.scanLine(y), board.Row(y),
                        static_cast<size_t>(board.Width()) * sizeof(DotColor));
        return picture;
    }
    DrawLeds(picture, board, QRect(0, 0, board.Width(), board.Height()));
    return picture;
}

QImage LedPicture(const CDotMatrix& board, QSize bounds)
{
    if (board.Width() <= 0 || board.Height() <= 0)
        return {};
    const double pitch =
        std::min(double(bounds.width()) / board.Width(), double(bounds.height()) / board.Height());
    if (pitch < 1)
        return {};
    const int width = std::min(bounds.width(), static_cast<int>(board.Width() * pitch));
    const int height = std::min(bounds.height(), static_cast<int>(board.Height() * pitch));
    QImage picture = NewPicture(width, height);
    if (!picture.isNull())
        DrawLeds(picture, board, QRect(0, 0, board.Width(), board.Height()));
    return picture;
}

void RedrawLeds(QImage& picture, const CDotMatrix& board, const QRect& dots)
{
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return;
    DrawLeds(picture, board, dots);
}

QPoint DotAt(QSize pictureSize, QSize boardSize, QPoint pixel)
{
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= pictureSize.width() ||
        pixel.y() >= pictureSize.height() || boardSize.isEmpty())
        return {-1, -1};
    // Dot i covers pixels Edge(i) .. Edge(i + 1) - 1.
    auto dot = [](int p, int pixels, int n) {
        int i = static_cast<int>((static_cast<long long>(p) * n) / pixels);
        while (i + 1 < n && Edge(i + 1, pixels, n) <= p)
            ++i;
        while (i > 0 && Edge(i, pixels, n) > p)
            --i;
        return i;
    };
    return {dot(pixel.x(), pictureSize.width(), boardSize.width()),
            dot(pixel.y(), pictureSize.height(), boardSize.height())};
}

} // namespace Board
