// Pictures of the panel layout dialogs and the colour picker for looking at them by eye. Not a
// test: build the target and run
//   panelshots <output folder>
#include "alignselectdlg.h"
#include "colorcombobox.h"
#include "fonts.h"
#include "panelviewdatadlg.h"
#include "panelviewedit.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QPainter>

namespace {

void Save(QWidget* widget, const QString& path)
{
    widget->show();
    QApplication::processEvents();
    widget->grab().save(path);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    const auto file = [&](const char* name) { return QDir(out).filePath(QString::fromUtf8(name)); };

    Fonts::SetUpJapaneseUi();

    PanelLayout main{};
    main[0] = PANELPART{1, 2, 0};
    main[1] = PANELPART{4, 3, 0};
    main[2] = PANELPART{8, 5, 1};
    main[3] = PANELPART{14, 4, 0};
    main[4] = PANELPART{19, 7, 1};
    main[5] = PANELPART{27, 2, 0};
    main[6] = PANELPART{30, 3, 0};
    PanelLayout sub{};
    sub[1] = PANELPART{1, 5, 0};
    sub[3] = PANELPART{7, 4, 0};
    sub[4] = PANELPART{12, 12, 0};

    CPanelViewDataDlg dlg(main, sub);
    dlg.m_pPartList->setCurrentIndex(4);
    dlg.adjustSize();
    Save(&dlg, file("panelviewdata.png"));
    dlg.resize(dlg.width() * 3 / 2, dlg.height());
    Save(&dlg, file("panelviewdata-wide.png"));
    dlg.hide();

    CAlignSelectDlg align;
    align.SetValue(1);
    align.adjustSize();
    Save(&align, file("alignselect.png"));
    align.hide();

    QWidget colours;
    auto* row = new QHBoxLayout(&colours);
    for (bool enabled : {true, false}) {
        for (quint32 colour : {0x00C000u, 0x0000FFu, 0x123456u}) {
            auto* box = new CColorComboBox;
            box->AddColor(0x00C000);
            box->AddColor(0x0000FF);
            box->SetCustomItem(box->AddColor(0x008080));
            box->SelectColor(colour);
            box->setEnabled(enabled);
            row->addWidget(box);
        }
    }
    Save(&colours, file("colorcombobox.png"));

    // The open list of a picker, drawn beside the box.
    auto* box = colours.findChildren<CColorComboBox*>().last();
    box->setEnabled(true);
    box->showPopup();
    QApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    if (popup)
        popup->grab().save(file("colorcombobox-list.png"));
    box->hidePopup();
    return 0;
}
