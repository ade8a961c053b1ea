#include "boardview.h"

#include "boardlayout.h"
#include "boardpicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

QString RegionText(const Board::BoardRegion& region)
{
    switch (region.kind) {
    case Board::BoardRegion::Kind::Sign:
        return QStringLiteral("方向表示 %1段目: %2")
            .arg(region.row + 1)
            .arg(Board::SignPartName(region.part));
    case Board::BoardRegion::Kind::Train:
        return QStringLiteral("%1行目: %2").arg(region.row + 1).arg(Board::PartName(region.part));
    case Board::BoardRegion::Kind::Guide:
        return QStringLiteral("ガイドメッセージ");
    }
    return {};
}

} // namespace

CBoardView::CBoardView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize CBoardView::sizeHint() const
{
    return QSize(Board::kPanelDots * 2, (m_board.Height() ? m_board.Height() : 64) * 2);
}

QSize CBoardView::minimumSizeHint() const
{
    return QSize(Board::kPanelDots / 2, 48);
}

void CBoardView::SetBoard(const CDotMatrix& board, std::vector<Board::BoardRegion> regions)
{
    const bool resized = board.Height() != m_board.Height();
    m_board = board;
    m_regions = std::move(regions);
    m_strMessage.clear();
    RedrawPicture();
    if (resized)
        updateGeometry();
    update();
}

void CBoardView::UpdateDots(const CDotMatrix& board, const QRect& dots)
{
    m_board = board;
    if (m_picture.isNull() || !m_strMessage.isEmpty())
        return;
    Board::RedrawLeds(m_picture, m_board, dots);
    // The widget area of those dots, a pixel wider for the rounding of the cell edges.
    const QRect picture = PictureRect();
    const double sx = double(picture.width()) / m_board.Width();
    const double sy = double(picture.height()) / m_board.Height();
    update(QRect(picture.x() + int(dots.x() * sx) - 1, picture.y() + int(dots.y() * sy) - 1,
                 int(dots.width() * sx) + 3, int(dots.height() * sy) + 3));
}

void CBoardView::SetMessage(const QString& text)
{
    m_strMessage = text;
    m_board = CDotMatrix();
    m_regions.clear();
    m_picture = QImage();
    update();
}

QRect CBoardView::PictureRect() const
{
    if (m_picture.isNull())
        return {};
    QRect r(QPoint(0, 0), m_picture.size());
    r.moveCenter(rect().center());
    return r;
}

void CBoardView::RedrawPicture()
{
    m_picture = m_board.Width() ? Board::LedPicture(m_board, size()) : QImage();
}

void CBoardView::resizeEvent(QResizeEvent* event)
{
    RedrawPicture();
    QWidget::resizeEvent(event);
}

void CBoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgb(Board::kFaceColor));
    if (!m_strMessage.isEmpty()) {
        painter.setPen(Qt::white);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         m_strMessage);
        return;
    }
    if (!m_picture.isNull())
        painter.drawImage(PictureRect().topLeft(), m_picture);
}

QString CBoardView::TextAt(const QPoint& pos) const
{
    const QRect picture = PictureRect();
    if (picture.isEmpty())
        return {};
    const QPoint dot = Board::DotAt(picture.size(), QSize(m_board.Width(), m_board.Height()),
                                    pos - picture.topLeft());
    // The last region holding the dot is the part drawn on top.
    for (auto it = m_regions.rbegin(); it != m_regions.rend(); ++it)
        if (it->rect.contains(dot))
            return RegionText(*it);
    return {};
}

void CBoardView::mouseMoveEvent(QMouseEvent* event)
{
    const QString text = TextAt(event->position().toPoint());
    if (text != m_strHover) {
        m_strHover = text;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
        emit hovered(text);
    }
    QWidget::mouseMoveEvent(event);
}

void CBoardView::leaveEvent(QEvent* event)
{
    if (!m_strHover.isEmpty()) {
        m_strHover.clear();
        emit hovered(QString());
    }
    QWidget::leaveEvent(event);
}
