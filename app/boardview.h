#pragma once

#include "boardrender.h"
#include "dotmatrix.h"

#include <QImage>
#include <QWidget>

#include <vector>

// The board's face: its dots drawn as round LEDs on a dark face, as large as the widget allows,
// pixel by pixel so that they stay sharp at any size. Painting only copies a picture, which is
// drawn again when the dots or the widget's size change. Hovering a part names it.
class CBoardView : public QWidget
{
    Q_OBJECT
public:
    explicit CBoardView(QWidget* parent = nullptr);

    // Shows a board and the parts one can point at on it.
    void SetBoard(const CDotMatrix& board, std::vector<Board::BoardRegion> regions);
    // The shown board changed within `dots` only (the guide line's next frame).
    void UpdateDots(const CDotMatrix& board, const QRect& dots);
    // Shows a text instead of a board (no document, no font).
    void SetMessage(const QString& text);

    const CDotMatrix& ShownBoard() const { return m_board; }
    QString Message() const { return m_strMessage; }
    // Where the picture lies in the widget.
    QRect PictureRect() const;
    // The name of the part under a point of the widget ("2行目: 行先"), or empty.
    QString TextAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void hovered(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void RedrawPicture();

    CDotMatrix m_board;
    std::vector<Board::BoardRegion> m_regions;
    QImage m_picture;
    QString m_strMessage;
    QString m_strHover;
};
