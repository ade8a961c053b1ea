#include "numberbox.h"

#include "rowlogic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CNumberBox::CNumberBox(QWidget* parent) : QWidget(parent)
{
    m_pEdit = new QLineEdit;
    // A numeric edit: keys other than digits are refused, digits are kept as typed.
    m_pEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_pEdit));
    m_pEdit->installEventFilter(this);

    auto makeArrow = [this](Qt::ArrowType arrow, int steps) {
        auto* button = new QToolButton;
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(16);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        connect(button, &QToolButton::clicked, this, [this, steps] { StepBy(steps); });
        return button;
    };
    m_pUp = makeArrow(Qt::UpArrow, 1);
    m_pDown = makeArrow(Qt::DownArrow, -1);

    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(m_pUp);
    arrows->addWidget(m_pDown);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pEdit, 1);
    layout->addLayout(arrows);

    // The box takes the focus as its edit does, so that a label's mnemonic reaches it.
    setFocusProxy(m_pEdit);
    setFocusPolicy(m_pEdit->focusPolicy());
    setSizePolicy(m_pEdit->sizePolicy());
    connect(m_pEdit, &QLineEdit::textChanged, this, &CNumberBox::textChanged);
}

QSize CNumberBox::sizeHint() const
{
    const QSize edit = m_pEdit->sizeHint();
    const int digits = m_pEdit->fontMetrics().horizontalAdvance(QStringLiteral("000000"));
    return {digits + 12 + m_pUp->width(), edit.height()};
}

void CNumberBox::SetRange(int minimum, int maximum)
{
    m_nMinimum = minimum;
    m_nMaximum = std::max(minimum, maximum);
}

QString CNumberBox::Text() const
{
    return m_pEdit->text();
}

void CNumberBox::SetValue(int value)
{
    m_pEdit->setText(QString::number(value));
}

void CNumberBox::Clear()
{
    m_pEdit->clear();
}

void CNumberBox::SetArrowsEnabled(bool enabled)
{
    m_bArrowsEnabled = enabled;
    m_pUp->setEnabled(enabled);
    m_pDown->setEnabled(enabled);
}

void CNumberBox::StepBy(int steps)
{
    if (!m_bArrowsEnabled)
        return;
    const QString text = m_pEdit->text();
    // An empty box starts from the end of the range the step moves away from.
    const qint64 from =
        text.isEmpty() ? (steps > 0 ? m_nMinimum - 1 : m_nMaximum + 1) : ParseDecimal(text);
    SetValue(static_cast<int>(std::clamp<qint64>(from + steps, m_nMinimum, m_nMaximum)));
    m_pEdit->selectAll();
}

bool CNumberBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
