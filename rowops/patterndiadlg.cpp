#include "patterndiadlg.h"

#include "messages.h"
#include "numberbox.h"
#include "qlmdoc.h"
#include "rowlogic.h"
#include "veldendoc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CPatternDiaDlg::CPatternDiaDlg(const RowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("ﾊﾟﾀｰﾝﾀﾞｲﾔの構築"));

    auto* picture = new QLabel;
    picture->setPixmap(DecorationPixmap());
    picture->setAlignment(Qt::AlignTop);

    auto* sourceBox = new QGroupBox(QStringLiteral("ﾊﾟﾀｰﾝの元"));
    m_pFirst = new CNumberBox;
    m_pCount = new CNumberBox;
    auto* firstLabel = new QLabel(QStringLiteral("最初の行(&S):"));
    firstLabel->setBuddy(m_pFirst);
    auto* countLabel = new QLabel(QStringLiteral("行数(&C):"));
    countLabel->setBuddy(m_pCount);
    auto* sourceLayout = new QGridLayout(sourceBox);
    sourceLayout->addWidget(firstLabel, 0, 0);
    sourceLayout->addWidget(m_pFirst, 0, 1);
    sourceLayout->addWidget(countLabel, 1, 0);
    sourceLayout->addWidget(m_pCount, 1, 1);

    auto* patternBox = new QGroupBox(QStringLiteral("ﾊﾟﾀｰﾝ"));
    m_pCycle = new QComboBox;
    m_pCycle->setEditable(true);
    m_pCycle->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what counts: no completion turning "1" into "10".
    m_pCycle->setCompleter(nullptr);
    m_pCycle->addItems({QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("15"),
                        QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("45"),
                        QStringLiteral("60")});
    m_pCycle->setCurrentIndex(-1);
    m_pCycle->setEditText(QString());
    auto* cycleLabel = new QLabel(QStringLiteral("ｻｲｸﾙ(&Y):"));
    cycleLabel->setBuddy(m_pCycle);
    m_pRepetitions = new CNumberBox;
    m_pRepetitions->SetRange(1, kMaxPatternRepetitions);
    auto* patternLayout = new QGridLayout(patternBox);
    patternLayout->addWidget(cycleLabel, 0, 0);
    patternLayout->addWidget(m_pCycle, 0, 1);
    patternLayout->addWidget(new QLabel(QStringLiteral("分ｻｲｸﾙ")), 0, 2);
    patternLayout->addWidget(new QLabel(QStringLiteral("×")), 1, 0, Qt::AlignRight);
    patternLayout->addWidget(m_pRepetitions, 1, 1);
    patternLayout->addWidget(new QLabel(QStringLiteral("回")), 1, 2);

    // Train numbers of the copies: always those of the pattern rows; the choices are inactive.
    auto* numberBox = new QGroupBox(QStringLiteral("列車番号"));
    auto* makeZero = new QRadioButton(QStringLiteral("'0Z'にする(&I)"));
    auto* add = new QRadioButton(QStringLiteral("加算する(&A)"));
    auto* addValue = new QLineEdit;
    for (QWidget* w : std::initializer_list<QWidget*>{makeZero, add, addValue})
        w->setEnabled(false);
    auto* numberLayout = new QGridLayout(numberBox);
    numberLayout->addWidget(makeZero, 0, 0, 1, 2);
    numberLayout->addWidget(add, 1, 0);
    numberLayout->addWidget(addValue, 1, 1);

    auto* buttons = new QDialogButtonBox;
    m_pOk = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPatternDiaDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPatternDiaDlg::reject);

    auto* fields = new QVBoxLayout;
    fields->addWidget(sourceBox);
    fields->addWidget(patternBox);
    fields->addWidget(numberBox);
    fields->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(fields, 1);
    m_pOk->setDefault(true); // once in the dialog, which must know its default button

    // Opening: the first row is the current row when there is one; the rest start empty.
    const int current = m_context.state->m_nCurRow;
    if (IsTrainRow(m_context.Timetable(), current))
        m_pFirst->SetValue(current);
    m_pCount->SetRange(1, 1);

    for (CNumberBox* box : {m_pFirst, m_pCount, m_pRepetitions})
        connect(box, &CNumberBox::textChanged, this, &CPatternDiaDlg::Validate);
    connect(m_pCycle, &QComboBox::editTextChanged, this, &CPatternDiaDlg::Validate);
    connect(m_pCycle, &QComboBox::currentIndexChanged, this, &CPatternDiaDlg::Validate);
    Validate();
}

QPixmap CPatternDiaDlg::DecorationPixmap()
{
    // A timetable that repeats: one block of departure lines, then its fainter copies.
    QPixmap pixmap(64, 210);
    pixmap.fill(QColor(0, 0, 128));
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    const QColor colours[] = {QColor(255, 160, 0), QColor(0, 255, 0), QColor(255, 64, 64)};
    for (int block = 0; block < 4; ++block) {
        const int top = 10 + block * 50;
        p.setBrush(QColor(255, 255, 255, block == 0 ? 255 : 110));
        p.drawRect(6, top - 4, 52, 42);
        for (int line = 0; line < 3; ++line) {
            QColor c = colours[line];
            c.setAlpha(block == 0 ? 255 : 150);
            p.setBrush(c);
            p.drawRect(10, top + line * 12, 12, 7);
            p.drawRect(26, top + line * 12, 28, 7);
        }
    }
    p.setPen(QPen(Qt::white, 2));
    for (int block = 1; block < 4; ++block) {
        const int y = 10 + block * 50 - 8;
        p.drawLine(28, y - 4, 32, y);
        p.drawLine(36, y - 4, 32, y);
    }
    return pixmap;
}

void CPatternDiaDlg::Validate()
{
    // Only the arrows' ranges follow the first row: the count stays as typed, and OK waits
    // until it fits the rows left below the first row.
    const int trainCount = m_context.Timetable().m_wTrainCount;
    m_pFirst->SetRange(1, std::max(1, trainCount));
    const PatternCheck check = CheckPatternTexts(trainCount, m_pFirst->Text(), m_pCount->Text(),
                                                 m_pCycle->currentText(), m_pRepetitions->Text());
    if (check.countSpinEnabled)
        m_pCount->SetRange(1, check.countMax);
    m_pCount->SetArrowsEnabled(check.countSpinEnabled);
    m_pOk->setEnabled(check.okEnabled);
}

void CPatternDiaDlg::accept()
{
    const int first = ParseDecimal(m_pFirst->Text());
    const int count = ParseDecimal(m_pCount->Text());
    const int cycle = ParseDecimal(m_pCycle->currentText());
    const int repetitions = ParseDecimal(m_pRepetitions->Text());
    TimetableEdit edit;
    switch (BuildPattern(m_context.Timetable(), first, count, cycle, repetitions, &edit)) {
    case PatternResult::Done:
        m_context.Apply(std::move(edit), RowText::PatternStep());
        break;
    case PatternResult::BadInput:
        // OK is disabled while an input is out of range; a default-button press can still
        // arrive, and changes nothing.
        Msg::Beep();
        return;
    case PatternResult::TooManyTrains:
        Msg::Show(this, RowText::TooManyTrains(), Msg::ErrorCaption(), QMessageBox::Warning);
        return;
    }
    QDialog::accept();
}
