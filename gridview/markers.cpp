#include "markers.h"

#include <QImage>

namespace Markers {

namespace {

// The symbols as pixel art: K black, G grey, W white, B blue, anything else transparent.
using Art = const char* const[kSize];

const Art kCopyArt = {
    "KKKKKKK........",
    "KWWWWWK........",
    "KWBBBWK........",
    "KWWWWWK........",
    "KWBBBKKKKKKK...",
    "KWWWWKWWWWWK...",
    "KWBBBKWBBBWK...",
    "KWWWWKWWWWWK...",
    "KKKKKKWBBBWK...",
    ".....KWWWWWK...",
    ".....KWBBBWK...",
    ".....KWWWWWK...",
    ".....KWBBBWK...",
    ".....KWWWWWK...",
    ".....KKKKKKK...",
};

const Art kCutArt = {
    "...K.......K...",
    "...KG.....GK...",
    "....K.....K....",
    "....KG...GK....",
    ".....K...K.....",
    ".....KG.GK.....",
    "......K.K......",
    ".......K.......",
    "......K.K......",
    "..BBBB...BBBB..",
    ".B...B...B...B.",
    ".B...B...B...B.",
    ".B...B...B...B.",
    "..BBB.....BBB..",
    "...............",
};

QPixmap FromArt(const Art& art)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            switch (art[y][x]) {
            case 'K': image.setPixel(x, y, qRgb(0, 0, 0)); break;
            case 'G': image.setPixel(x, y, qRgb(128, 128, 128)); break;
            case 'W': image.setPixel(x, y, qRgb(255, 255, 255)); break;
            case 'B': image.setPixel(x, y, qRgb(0, 0, 128)); break;
            default: break;
            }
        }
    }
    return QPixmap::fromImage(image);
}

QPixmap MakeCopy() { return FromArt(kCopyArt); }
QPixmap MakeCut() { return FromArt(kCutArt); }

} // namespace

const QPixmap& CopyMarker()
{
    static const QPixmap pixmap = MakeCopy();
    return pixmap;
}

const QPixmap& CutMarker()
{
    static const QPixmap pixmap = MakeCut();
    return pixmap;
}

} // namespace Markers
