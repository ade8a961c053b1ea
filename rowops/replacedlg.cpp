#include "replacedlg.h"

#include "messages.h"
#include "qlmdoc.h"
#include "rowlogic.h"
#include "sjis.h"
#include "veldendoc.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CReplaceDlg::CReplaceDlg(const RowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("置換"));
    const CQLMDoc& doc = m_context.Timetable();

    // Type section.
    auto* typeTitle = new QRadioButton(QStringLiteral("列車種別(&A)"));
    typeTitle->setChecked(true);
    typeTitle->setEnabled(false);
    m_pSourceTypes = new QListWidget;
    m_pSourceTypes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTargetType = new QComboBox;
    m_pTargetType->setMaxVisibleItems(m_pTargetType->maxVisibleItems() + 3);
    for (int k = 1; k <= doc.m_wAssortmentCount; ++k) {
        const QString name = Sjis::Decode(doc.m_TrainAssortment.ElementAt(k).strName);
        m_pSourceTypes->addItem(name);
        m_pTargetType->addItem(name);
    }
    m_pTargetType->setCurrentIndex(doc.m_wAssortmentCount > 0 ? 0 : -1);
    auto* sourceTypeLabel = new QLabel(QStringLiteral("置換元の種別(&T):"));
    sourceTypeLabel->setBuddy(m_pSourceTypes);
    auto* targetTypeLabel = new QLabel(QStringLiteral("置換後の種別(&E):"));
    targetTypeLabel->setBuddy(m_pTargetType);

    // Destination section: shown for its place in the layout, never active.
    auto* destinationTitle = new QRadioButton(QStringLiteral("行先(D)"));
    destinationTitle->setEnabled(false);
    m_pSourceDestinations = new QListWidget;
    m_pSourceDestinations->setEnabled(false);
    m_pTargetDestination = new QComboBox;
    m_pTargetDestination->setEnabled(false);
    auto* sourceDestinationLabel = new QLabel(QStringLiteral("置換元の行先(&S):"));
    sourceDestinationLabel->setBuddy(m_pSourceDestinations);
    sourceDestinationLabel->setEnabled(false);
    auto* targetDestinationLabel = new QLabel(QStringLiteral("置換後の行先(&W):"));
    targetDestinationLabel->setBuddy(m_pTargetDestination);
    targetDestinationLabel->setEnabled(false);

    auto* sections = new QGridLayout;
    sections->addWidget(typeTitle, 0, 0);
    sections->addWidget(sourceTypeLabel, 1, 0);
    sections->addWidget(m_pSourceTypes, 2, 0);
    sections->addWidget(targetTypeLabel, 3, 0);
    sections->addWidget(m_pTargetType, 4, 0);
    sections->addWidget(destinationTitle, 0, 1);
    sections->addWidget(sourceDestinationLabel, 1, 1);
    sections->addWidget(m_pSourceDestinations, 2, 1);
    sections->addWidget(targetDestinationLabel, 3, 1);
    sections->addWidget(m_pTargetDestination, 4, 1);

    m_pReplaceAll = new QPushButton(QStringLiteral("全て置換(&R)"));
    m_pReplaceAll->setDefault(true);
    m_pReplaceAll->setAutoDefault(true);
    m_pClose = new QPushButton(QStringLiteral("閉じる(&C)"));
    m_pClose->setAutoDefault(false);
    connect(m_pReplaceAll, &QPushButton::clicked, this, &CReplaceDlg::OnReplaceAll);
    connect(m_pClose, &QPushButton::clicked, this, &CReplaceDlg::accept);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pReplaceAll);
    buttons->addWidget(m_pClose);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sections, 1);
    layout->addLayout(buttons);
}

void CReplaceDlg::OnReplaceAll()
{
    // Sources in list order, at most the first 64 selected.
    std::vector<int> sources;
    for (int row = 0; row < m_pSourceTypes->count() && sources.size() < kMaxReplaceSources; ++row) {
        if (m_pSourceTypes->item(row)->isSelected())
            sources.push_back(row + 1);
    }
    const int target = m_pTargetType->currentIndex() + 1;
    TimetableEdit edit;
    const ReplaceResult result = ReplaceTypes(m_context.Timetable(), sources, target, &edit);
    // A changed type is a change to the file like any other: an undo step that marks the
    // document modified, so that closing the window does not discard it without asking.
    m_context.Apply(std::move(edit), RowText::ReplaceStep());
    Msg::Show(this, RowText::ReplaceReport(result.total, result.replaced),
              RowText::ReplaceCaption(), QMessageBox::Information);
}
