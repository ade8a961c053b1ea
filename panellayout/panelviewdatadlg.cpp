#include "panelviewdatadlg.h"

#include "panellogic.h"
#include "panelviewedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CPanelViewDataDlg::CPanelViewDataDlg(const PanelLayout& layoutMain, const PanelLayout& layoutSub,
                                     QWidget* parent)
    : QDialog(parent), m_LayoutMain(layoutMain), m_LayoutSub(layoutSub)
{
    setWindowTitle(QStringLiteral("LED情報表示設定"));

    auto* positionBox = new QGroupBox(QStringLiteral("表示位置"));
    auto* help =
        new QLabel(QStringLiteral("下のｺﾝﾎﾞﾎﾞｯｸｽから表示ﾊﾟｰﾂを選択し､ﾊﾟﾈﾙ上で表示させる"
                                  "位置にﾄﾞﾗｯｸﾞして設定します｡ 右ｸﾘｯｸで非表示になります｡"));
    help->setWordWrap(true);

    m_pPartList = new QComboBox;
    for (int i = 0; i < kPanelPartCount; ++i)
        m_pPartList->addItem(PartName(i));
    m_pPartList->setCurrentIndex(0);
    auto* partLabel = new QLabel(QStringLiteral("表示ﾊﾟｰﾂ(&P):"));
    partLabel->setBuddy(m_pPartList);

    // The canvases take the size of the panel rows in dialog units of this dialog's font (176
    // by 12), and grow with the dialog.
    const QFontMetrics metrics(font());
    const int unitX = metrics.averageCharWidth();
    const int unitY = metrics.height();
    const QSize canvasSize(176 * unitX / 4, 12 * unitY / 8);
    m_pMain = new CPanelViewEdit;
    m_pSub = new CPanelViewEdit;
    for (CPanelViewEdit* canvas : {m_pMain, m_pSub}) {
        canvas->setMinimumSize(canvasSize);
        canvas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    m_pMain->AttachLayout(&m_LayoutMain);
    m_pSub->AttachLayout(&m_LayoutSub);

    m_pShowGrid = new QCheckBox(QStringLiteral("ｸﾞﾘｯﾄﾞを表示(&G)"));
    m_pShowGrid->setEnabled(false);
    m_pCopyDown = new QPushButton(QStringLiteral("▽ｺﾋﾟｰ(&C)"));
    m_pCopyDown->setEnabled(false);
    m_pCopyDown->setAutoDefault(false);

    auto* partRow = new QHBoxLayout;
    partRow->addWidget(partLabel);
    partRow->addWidget(m_pPartList);
    partRow->addStretch(1);

    auto* panels = new QGridLayout;
    panels->addWidget(new QLabel(QStringLiteral("日本語/主 表示:")), 0, 0);
    panels->addWidget(m_pMain, 1, 0);
    panels->addWidget(new QLabel(QStringLiteral("英語/副 表示:")), 2, 0);
    panels->addWidget(m_pCopyDown, 1, 1, 2, 1, Qt::AlignVCenter);
    panels->addWidget(m_pSub, 3, 0);
    panels->addWidget(m_pShowGrid, 4, 0);
    panels->setColumnStretch(0, 1);

    auto* positionLayout = new QVBoxLayout(positionBox);
    positionLayout->addWidget(help);
    positionLayout->addLayout(partRow);
    positionLayout->addLayout(panels);

    auto* colourBox = new QGroupBox(QStringLiteral("表示色"));
    auto* colourNote = new QLabel(
        QStringLiteral("表示色の設定は､親ﾀﾞｲｱﾛｸﾞの設定欄で行ってください ここでは設定できません"));
    colourNote->setWordWrap(true);
    auto* colourLayout = new QVBoxLayout(colourBox);
    colourLayout->addWidget(colourNote);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPanelViewDataDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPanelViewDataDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(positionBox);
    layout->addWidget(colourBox);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button

    connect(m_pPartList, &QComboBox::currentIndexChanged, this,
            &CPanelViewDataDlg::OnSelChangePart);
}

void CPanelViewDataDlg::OnSelChangePart(int part)
{
    // Both rows edit the same part, so the highlight moves on both at once.
    m_pMain->SelectPart(part);
    m_pSub->SelectPart(part);
}
