#include "markers.h"

#include <QPainter>

namespace Markers {

namespace {

// The symbols are drawn once, pixel-aligned and without antialiasing, like small bitmaps.
QPixmap NewCanvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Sheet(QPainter& p, int x, int y)
{
    const QRect sheet(x, y, 8, 10);
    p.fillRect(sheet, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(sheet);
    p.setPen(QColor(0, 0, 128));
    for (int line = y + 3; line < y + 10; line += 2)
        p.drawLine(x + 2, line, x + 6, line);
}

QPixmap MakeCopy()
{
    QPixmap pixmap = NewCanvas();
    QPainter p(&pixmap);
    Sheet(p, 1, 1);
    Sheet(p, 5, 3);
    return pixmap;
}

QPixmap MakeCut()
{
    QPixmap pixmap = NewCanvas();
    QPainter p(&pixmap);
    // Blades crossing above the pivot, handles as two rings below.
    p.setPen(QColor(64, 64, 64));
    p.drawLine(4, 0, 9, 8);
    p.drawLine(10, 0, 5, 8);
    p.drawLine(5, 0, 9, 7);
    p.drawLine(9, 0, 5, 7);
    p.setPen(QColor(0, 0, 160));
    p.drawEllipse(1, 8, 5, 5);
    p.drawEllipse(8, 8, 5, 5);
    p.drawEllipse(2, 9, 3, 3);
    p.drawEllipse(9, 9, 3, 3);
    return pixmap;
}

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
