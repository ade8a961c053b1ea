#include "docproppaged.h"

#include "extkeydialogs.h"
#include "extkeys.h"
#include "messages.h"
#include "qlmdoc.h"
#include "sjis.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kKeyRole = Qt::UserRole;

QString DefaultSavePrompt(QWidget* parent)
{
    QFileDialog dialog(parent, {}, {}, QStringLiteral("ﾊﾞｲﾅﾘﾃﾞｰﾀ(*.bin);;全てのﾌｧｲﾙ(*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

CDocPropPageD::SavePrompt g_savePrompt = DefaultSavePrompt;

void AddItems(QTreeWidgetItem* parent, QTreeWidget* tree,
              const std::vector<ExtKeys::TreeItem>& items)
{
    for (const ExtKeys::TreeItem& item : items) {
        auto* widgetItem = new QTreeWidgetItem({Sjis::Decode(item.text)});
        widgetItem->setData(0, kKeyRole, item.key);
        if (parent)
            parent->addChild(widgetItem);
        else
            tree->addTopLevelItem(widgetItem);
        AddItems(widgetItem, tree, item.children);
    }
}

} // namespace

void CDocPropPageD::SetSavePrompt(SavePrompt prompt)
{
    g_savePrompt = prompt ? std::move(prompt) : SavePrompt(DefaultSavePrompt);
}

CDocPropPageD::CDocPropPageD(CQLMDoc& doc, QWidget* parent) : CDocPropPage(doc, {}, parent)
{
    auto* keys = new QGroupBox(QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰ"));
    auto* keyNote = new QLabel(
        QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰは､ORL・WMXへ文字列による簡易的な追加情報を与えるものです｡"
                       "ｷｰのﾃﾞｰﾀはｴｸｽﾃﾝｼｮﾝﾃﾞｰﾀﾌﾞﾛｯｸの\"%1\"に格納されます｡")
            .arg(QLatin1StringView(kKeyBlockName)));
    keyNote->setWordWrap(true);
    m_pTree = new QTreeWidget;
    m_pTree->setHeaderHidden(true);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_pEditKey = new QPushButton(QStringLiteral("編集(&E)"));
    m_pAddKey = new QPushButton(QStringLiteral("追加(&A)"));
    m_pDeleteKey = new QPushButton(QStringLiteral("削除(&R)"));
    auto* keyGrid = new QGridLayout(keys);
    keyGrid->addWidget(keyNote, 0, 0, 1, 2);
    keyGrid->addWidget(m_pTree, 1, 0, 4, 1);
    keyGrid->addWidget(m_pEditKey, 1, 1);
    keyGrid->addWidget(m_pAddKey, 2, 1);
    keyGrid->addWidget(m_pDeleteKey, 3, 1);
    keyGrid->setRowStretch(4, 1);

    auto* blocks = new QGroupBox(QStringLiteral("ｴｸｽﾃﾝｼｮﾝﾃﾞｰﾀﾌﾞﾛｯｸ"));
    auto* blockNote =
        new QLabel(QStringLiteral("ｴｸｽﾃﾝｼｮﾝﾃﾞｰﾀﾌﾞﾛｯｸは､WMXへﾊﾞｲﾅﾘによる追加情報を与えるものです｡"));
    blockNote->setWordWrap(true);
    m_pBlocks = new QListWidget;
    m_pBlocks->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* blockLabel = new QLabel(QStringLiteral("ﾌﾞﾛｯｸﾘｽﾄ(&B):"));
    blockLabel->setBuddy(m_pBlocks);
    m_pEditBlock = new QPushButton(QStringLiteral("編集(&E)"));
    m_pEditBlock->setEnabled(false);
    m_pDump = new QPushButton(QStringLiteral("ﾌｧｲﾙへﾀﾞﾝﾌﾟ(&D)"));
    m_pDump->setEnabled(false);
    auto* blockGrid = new QGridLayout(blocks);
    blockGrid->addWidget(blockNote, 0, 0, 1, 2);
    blockGrid->addWidget(blockLabel, 1, 0, 1, 2);
    blockGrid->addWidget(m_pBlocks, 2, 0, 3, 1);
    blockGrid->addWidget(m_pEditBlock, 2, 1);
    blockGrid->addWidget(m_pDump, 3, 1);
    blockGrid->setRowStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keys, 3);
    layout->addWidget(blocks, 2);

    connect(m_pEditKey, &QPushButton::clicked, this, &CDocPropPageD::OnEditKey);
    connect(m_pAddKey, &QPushButton::clicked, this, &CDocPropPageD::OnAddKey);
    connect(m_pDeleteKey, &QPushButton::clicked, this, &CDocPropPageD::OnDeleteKey);
    connect(m_pDump, &QPushButton::clicked, this, &CDocPropPageD::OnDump);
    connect(m_pBlocks, &QListWidget::itemSelectionChanged, this,
            [this] { m_pDump->setEnabled(!m_pBlocks->selectedItems().isEmpty()); });
}

// The block list shows the blocks as they were when the page was first shown.
void CDocPropPageD::OnInitialFill()
{
    RebuildTree();
    m_pBlocks->clear();
    m_pBlocks->addItems(ExtKeys::BlockLines(m_doc));
}

void CDocPropPageD::RebuildTree()
{
    m_pTree->clear();
    AddItems(nullptr, m_pTree, ExtKeys::BuildTree(m_doc.m_ExtKey));
}

int CDocPropPageD::SelectedKey() const
{
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, kKeyRole).toInt();
}

void CDocPropPageD::OnEditKey()
{
    const int key = SelectedKey();
    if (key < 0) {
        Msg::Beep();
        return;
    }
    EXTKEY record = m_doc.m_ExtKey[key];
    CExtKeyDlg dialog(&record, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_doc.m_ExtKey[key] = record;
    // The item keeps its place and expansion: only its text changes.
    m_pTree->selectedItems().first()->setText(0, Sjis::Decode(ExtKeys::ItemText(record)));
}

void CDocPropPageD::OnAddKey()
{
    EXTKEY record;
    record.SetKey(ExtKeys::ProposedPath(m_doc.m_ExtKey, SelectedKey()));
    CAddExtKeyDlg dialog(&record, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_doc.m_ExtKey.AddTail(record);
    RebuildTree();
}

void CDocPropPageD::OnDeleteKey()
{
    const int key = SelectedKey();
    if (key < 0) {
        Msg::Beep();
        return;
    }
    if (Msg::Show(this, ExtKeys::DeleteQuestion(m_doc.m_ExtKey[key]), Msg::AppTitle(),
                  QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    m_doc.m_ExtKey.removeAt(key);
    RebuildTree();
}

void CDocPropPageD::OnDump()
{
    const int row = m_pBlocks->currentRow();
    if (row < 0 || row + 1 > m_doc.m_ExtData.m_nSize)
        return;
    const QString path = g_savePrompt(this);
    if (path.isEmpty())
        return;
    const EXTDATA& block = m_doc.m_ExtData.ElementAt(row + 1);
    QString error;
    if (!ExtKeys::DumpBlock(block, path, &error)) {
        Msg::Show(this, error, Msg::ErrorCaption(), QMessageBox::Warning);
        return;
    }
    Msg::Show(this, ExtKeys::DumpDoneMessage(block), Msg::AppTitle(), QMessageBox::Information);
}
