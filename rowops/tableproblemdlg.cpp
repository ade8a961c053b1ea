#include "tableproblemdlg.h"

#include "sjis.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Names(const QList<QByteArray>& names)
{
    // A long list of names would make the dialog too wide to read: the first few, then how
    // many more.
    constexpr qsizetype kShown = 8;
    QStringList texts;
    for (qsizetype i = 0; i < names.size() && i < kShown; ++i)
        texts.append(QStringLiteral("「%1」").arg(Sjis::Decode(names[i])));
    QString joined = texts.join(QStringLiteral("､"));
    if (names.size() > kShown)
        joined += QStringLiteral(" ほか%1件").arg(names.size() - kShown);
    return joined;
}

} // namespace

CTableProblemDlg::CTableProblemDlg(const TrainText::ReadResult& read, bool offerAdd,
                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("表から貼り付け"));

    auto* intro = new QLabel(QStringLiteral("次の問題があるため貼り付けできません:"));
    m_pList = new QListWidget;
    m_pList->setObjectName(QStringLiteral("problems"));
    m_pList->addItems(TrainText::ProblemLines(read.problems, true));
    // Room for a handful of lines; more scroll.
    const int rows = std::min<int>(m_pList->count(), 12);
    m_pList->setMinimumWidth(420);
    m_pList->setMinimumHeight(m_pList->sizeHintForRow(0) * std::max(rows, 3) +
                              2 * m_pList->frameWidth());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_pList);

    auto* buttons = new QDialogButtonBox;
    QPushButton* byDefault = nullptr;
    if (offerAdd) {
        QStringList lines;
        if (!read.unknownTypes.isEmpty())
            lines.append(QStringLiteral("列車種別 %1").arg(Names(read.unknownTypes)));
        if (!read.unknownDestinations.isEmpty())
            lines.append(QStringLiteral("行先 %1").arg(Names(read.unknownDestinations)));
        auto* question = new QLabel(lines.join(QLatin1Char('\n')) +
                                    QStringLiteral("\nを追加してから貼り付けますか?"));
        question->setObjectName(QStringLiteral("addQuestion"));
        question->setWordWrap(true);
        layout->addWidget(question);
        byDefault = buttons->addButton(QStringLiteral("追加して貼り付け(&A)"),
                                       QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    } else {
        byDefault = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableProblemDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTableProblemDlg::reject);
    layout->addWidget(buttons);
    byDefault->setDefault(true); // once in the dialog, which must know its default button
}
