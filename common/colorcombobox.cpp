#include "colorcombobox.h"

#include <QColorDialog>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kItemWidth = 90;
constexpr int kItemHeight = 12;
constexpr int kArrowWidth = 12;

CColorComboBox::ColorPrompt& Prompt()
{
    static CColorComboBox::ColorPrompt prompt;
    return prompt;
}

std::optional<quint32> AskColor(QWidget* parent, quint32 initial)
{
    if (Prompt())
        return Prompt()(parent, initial);
    const QColor chosen = QColorDialog::getColor(CColorComboBox::ToQColor(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return CColorComboBox::FromQColor(chosen);
}

// Draws one item: a white ground (button face when disabled), the focus frame, and the swatch
// two pixels in; the custom item keeps its right end for an arrow pointing at the dialog.
void DrawColorItem(QPainter& p, const QRect& rect, const QPalette& palette, bool enabled,
                   bool focus, quint32 color, bool custom)
{
    p.fillRect(rect, palette.color(enabled ? QPalette::HighlightedText : QPalette::Button));
    if (focus) {
        QPen pen(palette.color(QPalette::WindowText), 1);
        pen.setDashPattern({1, 1});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    QRect swatch = rect.adjusted(2, 2, -2, -2);
    if (custom)
        swatch.setRight(swatch.right() - kArrowWidth);
    p.fillRect(swatch, CColorComboBox::ToQColor(color));
    if (!custom)
        return;
    // The arrow box: right - 12 .. right - 1 across, top + 2 .. bottom - 2 down.
    const QRect box(rect.x() + rect.width() - kArrowWidth, rect.y() + 2, kArrowWidth - 1,
                    rect.height() - 4);
    const int half = qMin(box.height() / 2, 4);
    const QPoint centre = box.center();
    const QPoint arrow[3] = {QPoint(centre.x() - half / 2, centre.y() - half),
                             QPoint(centre.x() - half / 2, centre.y() + half),
                             QPoint(centre.x() - half / 2 + half, centre.y())};
    p.setPen(Qt::NoPen);
    p.setBrush(palette.color(enabled ? QPalette::WindowText : QPalette::Dark));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawPolygon(arrow, 3);
}

class ColorItemDelegate : public QStyledItemDelegate
{
public:
    explicit ColorItemDelegate(CColorComboBox* box) : QStyledItemDelegate(box), m_box(box) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(kItemWidth, kItemHeight);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        p->save();
        const bool focus = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
        DrawColorItem(*p, option.rect, option.palette, m_box->isEnabled(), focus,
                      m_box->ItemColor(index.row()),
                      m_box->HasCustomItem() && index.row() == m_box->CustomItem());
        p->restore();
    }

private:
    CColorComboBox* m_box;
};

} // namespace

CColorComboBox::CColorComboBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new ColorItemDelegate(this));
    connect(this, &QComboBox::activated, this, &CColorComboBox::OnActivated);
}

int CColorComboBox::AddColor(quint32 color)
{
    addItem(QString(), color);
    return count() - 1;
}

quint32 CColorComboBox::ItemColor(int index) const
{
    return itemData(index).toUInt();
}

void CColorComboBox::SetItemColor(int index, quint32 color)
{
    setItemData(index, color);
    update();
}

void CColorComboBox::SetCustomItem(int index)
{
    m_bHasCustomItem = true;
    m_nCustomItem = index;
    update();
}

void CColorComboBox::SelectColor(quint32 color)
{
    if (count() == 0)
        return;
    for (int i = 0; i < count(); ++i) {
        if (m_bHasCustomItem && i == m_nCustomItem)
            continue;
        if (ItemColor(i) == color) {
            setCurrentIndex(i);
            return;
        }
    }
    if (!m_bHasCustomItem || m_nCustomItem < 0 || m_nCustomItem >= count())
        return;
    SetItemColor(m_nCustomItem, color);
    setCurrentIndex(m_nCustomItem);
}

quint32 CColorComboBox::GetSelectedColor() const
{
    return currentIndex() < 0 ? 0 : ItemColor(currentIndex());
}

void CColorComboBox::SetColorPrompt(ColorPrompt prompt)
{
    Prompt() = std::move(prompt);
}

QColor CColorComboBox::ToQColor(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

quint32 CColorComboBox::FromQColor(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

void CColorComboBox::showPopup()
{
    m_nBeforeChoice = currentIndex();
    QComboBox::showPopup();
}

void CColorComboBox::keyPressEvent(QKeyEvent* event)
{
    m_nBeforeChoice = currentIndex();
    QComboBox::keyPressEvent(event);
}

void CColorComboBox::wheelEvent(QWheelEvent* event)
{
    m_nBeforeChoice = currentIndex();
    QComboBox::wheelEvent(event);
}

void CColorComboBox::OnActivated(int index)
{
    if (!m_bHasCustomItem || index != m_nCustomItem)
        return;
    if (const std::optional<quint32> chosen = AskColor(this, ItemColor(index)))
        SetItemColor(index, *chosen);
    else // a colour the user did not pick must not be taken
        setCurrentIndex(m_nBeforeChoice);
}

QSize CColorComboBox::sizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(kItemWidth, kItemHeight),
                                     this);
}

QSize CColorComboBox::minimumSizeHint() const
{
    return sizeHint();
}

void CColorComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, option);
    const int index = currentIndex();
    if (index < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawColorItem(p, field, palette(), isEnabled(), hasFocus(), ItemColor(index),
                  m_bHasCustomItem && index == m_nCustomItem);
}
