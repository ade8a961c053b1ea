#include "pendingwidgets.h"

#include "messages.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>

namespace {

// Until CColorComboBox arrives: a plain combo box whose items hold their colour as data and
// show it as a swatch. The custom item is the last one.
QIcon Swatch(quint32 cr)
{
    QPixmap pixmap(32, 12);
    pixmap.fill(QColor(cr & 0xFF, (cr >> 8) & 0xFF, (cr >> 16) & 0xFF));
    return QIcon(pixmap);
}

} // namespace

QWidget* CreateColorBox(std::span<const quint32> presets, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setIconSize(QSize(32, 12));
    for (quint32 cr : presets)
        box->addItem(Swatch(cr), QStringLiteral("###"), cr);
    box->addItem(QStringLiteral("###"), 0u);
    return box;
}

void SelectColor(QWidget* widget, quint32 colour)
{
    auto* box = static_cast<QComboBox*>(widget);
    const int custom = box->count() - 1;
    for (int i = 0; i < custom; ++i) {
        if (box->itemData(i).toUInt() == colour) {
            box->setCurrentIndex(i);
            return;
        }
    }
    box->setItemData(custom, colour);
    box->setItemIcon(custom, Swatch(colour));
    box->setCurrentIndex(custom);
}

quint32 GetSelectedColor(const QWidget* widget)
{
    return static_cast<const QComboBox*>(widget)->currentData().toUInt();
}

bool EditPanelLayout(QWidget* parent, PanelLayout& main, PanelLayout& sub)
{
    // Until CPanelViewDataDlg arrives there is no editor: nothing changes.
    Q_UNUSED(main);
    Q_UNUSED(sub);
    Msg::Show(parent, QStringLiteral("配置の編集はまだ使えません"), Msg::AppTitle(),
              QMessageBox::Information);
    return false;
}
