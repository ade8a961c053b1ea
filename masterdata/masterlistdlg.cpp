#include "masterlistdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

// The resources of a static library are registered by hand, outside any namespace.
static void InitMasterResources()
{
    Q_INIT_RESOURCE(masterdata);
}

CMasterListDlg::CMasterListDlg(MasterSession& session, const QString& title,
                               const QString& listLabel, const QString& newText,
                               const QString& picture, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    InitMasterResources();
    setWindowTitle(title);

    auto* decoration = new QLabel;
    decoration->setPixmap(QPixmap(picture));
    decoration->setAlignment(Qt::AlignTop);

    m_pList = new QListWidget;
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* label = new QLabel(listLabel);
    label->setBuddy(m_pList);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(label);
    listColumn->addWidget(m_pList, 1);

    m_pClose = new QPushButton(QStringLiteral("閉じる"));
    m_pClose->setDefault(true);
    m_pNew = new QPushButton(newText);
    m_pRemove = new QPushButton(QStringLiteral("削除(&R)"));
    m_pChange = new QPushButton(QStringLiteral("変更(&C)..."));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_pClose, m_pNew, m_pRemove, m_pChange})
        buttons->addWidget(button);
    buttons->addStretch(1);

    connect(m_pClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pNew, &QPushButton::clicked, this, [this] { OnNew(); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(m_pChange, &QPushButton::clicked, this, [this] { OnChange(); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(decoration);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);
}

void CMasterListDlg::FillList(const QStringList& names)
{
    m_pList->addItems(names);
    m_pList->setCurrentRow(0);
}

int CMasterListDlg::SelectedIndex() const
{
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? 0 : m_pList->row(selected.first()) + 1;
}

void CMasterListDlg::AppendAndSelect(const QString& name)
{
    m_pList->addItem(name);
    m_pList->setCurrentRow(m_pList->count() - 1);
}

void CMasterListDlg::RenameSelected(int i, const QString& name)
{
    m_pList->item(i - 1)->setText(name);
    m_pList->setCurrentRow(i - 1);
}

void CMasterListDlg::RemoveItem(int i)
{
    delete m_pList->takeItem(i - 1);
    // Nothing is selected afterwards: the next button press must choose again.
    m_pList->setCurrentRow(-1);
    m_pList->clearSelection();
}
