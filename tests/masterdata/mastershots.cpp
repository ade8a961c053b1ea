// Pictures of the type and destination dialogs for looking at them by eye. Not a test: build the
// target and run
//   mastershots <output folder>
// typeeditor.png (the type editor beside its layout dialog) is the README's picture.
#include "assortmentdlg.h"
#include "assortmenteditdlg.h"
#include "destinationdlg.h"
#include "destinationeditdlg.h"
#include "fonts.h"
#include "masterlogic.h"
#include "panelviewdatadlg.h"
#include "sjis.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLibraryInfo>
#include <QListWidget>
#include <QPainter>

namespace {

QImage Grab(QWidget* widget)
{
    widget->adjustSize();
    widget->show();
    QApplication::processEvents();
    QImage image = widget->grab().toImage();
    widget->hide();
    return image;
}

CQLMDoc Sample()
{
    CQLMDoc t;
    t.SetNewDocumentDefaults();
    const char* types[][2] = {{"普通", "LOCAL"},
                              {"快速", "RAPID"},
                              {"特別快速", "SP.RAPID"},
                              {"特急", "LTD.EXP"},
                              {"回送", "OUT OF SERVICE"}};
    t.SetAssortmentCount(5);
    for (int k = 1; k <= 5; ++k) {
        auto& type = t.m_TrainAssortment.ElementAt(k);
        type = t.m_TrainAssortment.ElementAt(1);
        type.strName = Sjis::FromUtf8(types[k - 1][0]);
        type.strNameSub = types[k - 1][1];
    }
    auto& special = t.m_TrainAssortment.ElementAt(4);
    special.bDefaultColor = 0;
    special.crText = 0x0000FF;
    special.bLightBackground = 1;
    special.crBack = 0x8040A0;
    special.bCustomLayout = 1;
    special.layoutMain = {PANELPART{1, 2, 0},  PANELPART{4, 5, 1},  PANELPART{10, 5, 0},
                          PANELPART{16, 4, 0}, PANELPART{21, 7, 1}, PANELPART{29, 1, 0},
                          PANELPART{0, 0, 0}};
    const char* destinations[] = {"東京", "上野", "大宮", "高崎", "宇都宮"};
    t.SetDestinationCount(5);
    for (int k = 1; k <= 5; ++k)
        t.m_Destination.ElementAt(k).strName = Sjis::FromUtf8(destinations[k - 1]);
    return t;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    const auto file = [&](const char* name) { return QDir(out).filePath(QString::fromUtf8(name)); };

    Fonts::SetUpJapaneseUi();

    const CQLMDoc doc = Sample();
    MasterSession session(doc);
    CAssortmentDlg types(session);
    types.m_pList->setCurrentRow(3);
    Grab(&types).save(file("assortmentdlg.png"));
    CDestinationDlg destinations(session);
    Grab(&destinations).save(file("destinationdlg.png"));

    tagTRAINASSORTMENT type = doc.m_TrainAssortment.ElementAt(4);
    CAssortmentEditDlg edit(type, QStringLiteral("列車種別の内容の編集"));
    const QImage editImage = Grab(&edit);
    editImage.save(file("assortmenteditdlg.png"));
    tagTRAINASSORTMENT fresh = session.NewTrainType();
    CAssortmentEditDlg added(fresh, QStringLiteral("列車種別の追加"));
    Grab(&added).save(file("assortmenteditdlg-new.png"));
    DESTINATION destination = doc.m_Destination.ElementAt(5);
    CDestinationEditDlg destinationEdit(destination);
    Grab(&destinationEdit).save(file("destinationeditdlg.png"));

    // The type editor with the layout dialog its 変更(&S)... button opens, side by side.
    CPanelViewDataDlg layout(type.layoutMain, type.layoutSub);
    layout.m_pPartList->setCurrentIndex(1);
    const QImage layoutImage = Grab(&layout);
    const int gap = 16;
    QImage both(editImage.width() + gap + layoutImage.width(),
                std::max(editImage.height(), layoutImage.height()), QImage::Format_RGB32);
    both.fill(QApplication::palette().color(QPalette::Window).darker(115));
    QPainter p(&both);
    p.drawImage(0, 0, editImage);
    p.drawImage(editImage.width() + gap, 0, layoutImage);
    p.end();
    both.save(file("typeeditor.png"));
    return 0;
}
