#include "recoverydlg.h"

#include "fonts.h"
#include "messages.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CRecoveryDlg::CRecoveryDlg(const QList<CRecoveryStore::Copy>& copies, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("文書の復元"));
    QFont font(Fonts::UiFace());
    font.setPointSize(9);
    setFont(font);

    auto* text = new QLabel(
        QStringLiteral("前回 MARVO が正しく終了しなかったため、保存されていない変更が回復用の"
                       "コピーとして残っています。\n"
                       "復元すると、各文書を変更された状態で開きます。上書き保存すると元の"
                       "ファイルに書き込みます。"),
        this);
    text->setWordWrap(true);

    auto* label = new QLabel(QStringLiteral("回復用のコピー(&C):"), this);
    m_pList = new QTreeWidget(this);
    label->setBuddy(m_pList);
    m_pList->setRootIsDecorated(false);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setHeaderLabels({QStringLiteral("文書"), QStringLiteral("フォルダー"),
                              QStringLiteral("コピーの日時"), QStringLiteral("状態")});
    for (const CRecoveryStore::Copy& copy : copies) {
        const QString folder =
            copy.info.path.isEmpty()
                ? QString()
                : QDir::toNativeSeparators(QFileInfo(copy.info.path).absolutePath());
        auto* item = new QTreeWidgetItem(
            m_pList, {copy.Name(), folder,
                      copy.info.time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                      StateText(copy)});
        item->setToolTip(3, StateText(copy));
        if (!copy.problem.isEmpty())
            item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
    }
    m_pList->header()->setStretchLastSection(true);
    int width = 0;
    for (int column = 0; column < 4; ++column) {
        m_pList->resizeColumnToContents(column);
        width += m_pList->columnWidth(column);
    }
    m_pList->setCurrentItem(m_pList->topLevelItem(0));
    m_pList->setMinimumSize(std::clamp(width + 24, 600, 900), 140);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore =
        buttons->addButton(QStringLiteral("復元(&R)"), QDialogButtonBox::AcceptRole);
    QPushButton* discard =
        buttons->addButton(QStringLiteral("破棄(&D)"), QDialogButtonBox::DestructiveRole);
    QPushButton* later =
        buttons->addButton(QStringLiteral("後で(&L)"), QDialogButtonBox::RejectRole);
    restore->setObjectName(QStringLiteral("restore"));
    discard->setObjectName(QStringLiteral("discard"));
    later->setObjectName(QStringLiteral("later"));
    restore->setDefault(true);
    connect(restore, &QPushButton::clicked, this, [this] {
        m_answer = RecoveryAnswer::Restore;
        accept();
    });
    connect(discard, &QPushButton::clicked, this, &CRecoveryDlg::OnDiscard);
    connect(later, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(4);
    layout->addWidget(label);
    layout->addWidget(m_pList, 1);
    layout->addWidget(buttons);
    m_pList->setFocus();
}

QString CRecoveryDlg::StateText(const CRecoveryStore::Copy& copy)
{
    if (!copy.problem.isEmpty())
        return QStringLiteral("読み込めません (コピーは残します): ") +
               QString(copy.problem).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (copy.fileNewer)
        return QStringLiteral("元のファイルの方がコピーより新しい");
    if (copy.fileMissing)
        return QStringLiteral("元のファイルがありません");
    return QString();
}

void CRecoveryDlg::OnDiscard()
{
    const auto answer = Msg::Show(
        this,
        QStringLiteral("回復用のコピーをすべて削除します。\n保存されていない変更は"
                       "失われます。よろしいですか?"),
        windowTitle(), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_answer = RecoveryAnswer::Discard;
    accept();
}
