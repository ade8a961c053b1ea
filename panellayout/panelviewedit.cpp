#include "panelviewedit.h"

#include "alignselectdlg.h"
#include "fonts.h"
#include "messages.h"
#include "panellogic.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

// The resources of a static library are registered by hand, outside any namespace.
static void InitPanelResources()
{
    Q_INIT_RESOURCE(panellayout);
}

namespace {

// A one-pixel 3-D frame inside rect: `topLeft` on the top and left edges, `bottomRight` on the
// bottom and right edges.
void Draw3dRect(QPainter& p, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    p.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
    p.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
    p.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
    p.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
}

} // namespace

CPanelViewEdit::CPanelViewEdit(QWidget* parent) : QWidget(parent)
{
    InitPanelResources();
    setFont(CanvasFont());
    // A white plus outlined in black; the hot spot is the centre of the plus.
    setCursor(QCursor(QPixmap(QStringLiteral(":/icons/pluscursor.png")), 7, 8));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QFont CPanelViewEdit::CanvasFont()
{
    QFont font(Fonts::UiFace());
    font.setPixelSize(12);
    font.setWeight(QFont::Thin);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void CPanelViewEdit::AttachLayout(PanelLayout* layout)
{
    m_pLayout = layout;
    update();
}

void CPanelViewEdit::SelectPart(int part)
{
    if (part < 0 || part >= kPanelPartCount)
        return;
    m_nCurPart = part;
    update();
}

void CPanelViewEdit::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor light = pal.color(QPalette::Light);

    QPainter p(this);
    p.fillRect(rect(), face);
    Draw3dRect(p, rect(), shadow, light);

    for (int n = 0; n < kPanelColumns; ++n) {
        const int x = n * w / kPanelColumns;
        if (h - 3 > 2)
            p.fillRect(x, 2, 1, h - 5, shadow);
    }

    QRect currentBox;
    if (m_pLayout) {
        for (int i = 0; i < kPanelPartCount; ++i) {
            const PANELPART& part = (*m_pLayout)[i];
            if (part.wColumn < 1 || part.wColumn > kPanelColumns)
                continue;
            const QRect box = PartBox(part, w, h);
            if (box.isEmpty())
                continue;
            const bool current = i == m_nCurPart;
            if (current)
                currentBox = box;
            p.fillRect(box, current ? pal.color(QPalette::Highlight) : face);
            Draw3dRect(p, box, light, shadow);
            p.setPen(current ? pal.color(QPalette::HighlightedText) : QColor(Qt::black));
            p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, PartLabel(i));
        }
    }

    if (hasFocus()) {
        // The keys move the current part: a dotted frame inside it, or inside the canvas while
        // the part is hidden.
        QPen pen(pal.color(QPalette::WindowText), 1);
        pen.setDashPattern({1, 1});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRect frame = (currentBox.isEmpty() ? rect().adjusted(1, 1, -1, -1) : currentBox)
                                .adjusted(2, 2, -3, -3);
        if (frame.isValid())
            p.drawRect(frame);
    }

    if (m_bFeedbackShown) {
        const QRect r = DragFeedbackRect(m_nPressColumn, m_nFeedbackLast, w, h);
        if (r.width() > 0 && r.height() > 0) {
            QPen pen(pal.color(QPalette::WindowText), 1);
            pen.setDashPattern({1, 1});
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

void CPanelViewEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pLayout)
        return;
    const int column = ColumnAt(event->position().toPoint().x(), width());
    if (column == kNoColumn)
        return;
    if (!AnyPartCovers(*m_pLayout, column)) {
        // Qt keeps the mouse with this widget while the button is held.
        m_nPressColumn = column;
        m_bDragging = true;
        ShowFeedback(column);
    } else if (PartCovers((*m_pLayout)[m_nCurPart], column)) {
        ChangeAlignment();
    } else {
        Msg::Beep();
    }
}

void CPanelViewEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int column = ColumnAt(event->position().toPoint().x(), width());
    ShowFeedback(FeedbackLastColumn(m_nPressColumn, column));
}

void CPanelViewEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        AskHide();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_bDragging)
        return;
    m_bDragging = false;
    HideFeedback();
    const int column = ColumnAt(event->position().toPoint().x(), width());
    if (m_pLayout && PlacePart(*m_pLayout, m_nCurPart, m_nPressColumn, column))
        update();
    else
        Msg::Beep();
}

void CPanelViewEdit::keyPressEvent(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (step == 0 || !m_pLayout || m_bDragging || (mods & ~Qt::ShiftModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A step the mouse could not make either (off the panel, no column left) beeps.
    if (StepPart(*m_pLayout, m_nCurPart, step, mods & Qt::ShiftModifier))
        update();
    else
        Msg::Beep();
}

void CPanelViewEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CPanelViewEdit::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CPanelViewEdit::ShowFeedback(int lastColumn)
{
    m_bFeedbackShown = true;
    m_nFeedbackLast = lastColumn;
    update();
}

void CPanelViewEdit::HideFeedback()
{
    m_bFeedbackShown = false;
    update();
}

void CPanelViewEdit::ChangeAlignment()
{
    PANELPART& part = (*m_pLayout)[m_nCurPart];
    CAlignSelectDlg dlg(this);
    dlg.SetValue(part.wAlign);
    dlg.exec();
    // The dialog gives back the value it was given unless the user chose another.
    part.wAlign = static_cast<quint16>(dlg.Value());
    update();
}

void CPanelViewEdit::AskHide()
{
    if (!m_pLayout)
        return;
    const QString text = QStringLiteral("'%1'を非表示にしますか？").arg(PartLabel(m_nCurPart));
    const auto answer = Msg::Show(this, text, QStringLiteral("設定"), QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    HidePart(*m_pLayout, m_nCurPart);
    update();
}
