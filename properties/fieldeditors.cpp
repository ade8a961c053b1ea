#include "fieldeditors.h"

#include "colorcombobox.h"
#include "messages.h"
#include "sjis.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

// ---- CTextFieldEdit --------------------------------------------------------------------------

CTextFieldEdit::CTextFieldEdit(QWidget* parent) : QLineEdit(parent)
{
    // Long enough for any text the file can hold, so that showing a text never cuts it.
    setMaxLength(static_cast<int>(kMaxFileString));
}

void CTextFieldEdit::ShowValue(const FieldValue& value)
{
    m_original = value.text;
    setText(Sjis::Decode(value.text));
    m_shown = text();
}

bool CTextFieldEdit::TakeValue(FieldValue* value, QString* refusal) const
{
    TakenText taken = TakeText(m_original, m_shown, text());
    if (!taken.bytes) {
        *refusal = taken.refusal;
        return false;
    }
    value->text = *taken.bytes;
    return true;
}

// ---- CFlagCheckBox ---------------------------------------------------------------------------

CFlagCheckBox::CFlagCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void CFlagCheckBox::ShowValue(const FieldValue& value)
{
    m_original = value.number;
    setChecked(value.number != 0);
}

bool CFlagCheckBox::TakeValue(FieldValue* value, QString*) const
{
    value->number = isChecked() == (m_original != 0) ? m_original : quint32(isChecked());
    return true;
}

// ---- CPlatformEdit ---------------------------------------------------------------------------

namespace {
constexpr int kMaxPlatform = 99;
}

CPlatformEdit::CPlatformEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setMaxLength(2);
    setWrapping(false);
}

void CPlatformEdit::ShowValue(const FieldValue& value)
{
    m_original = static_cast<quint16>(value.number);
    lineEdit()->setText(PlatformText(m_original));
    m_shown = text();
}

bool CPlatformEdit::TakeValue(FieldValue* value, QString* refusal) const
{
    if (text() == m_shown) {
        value->number = m_original;
        return true;
    }
    const std::optional<quint16> platform = ParsePlatform(text());
    if (!platform) {
        *refusal = QStringLiteral("発車番線に負の数は入力できません");
        return false;
    }
    value->number = *platform;
    return true;
}

void CPlatformEdit::stepBy(int steps)
{
    const int now = ParsePlatform(text()).value_or(0);
    lineEdit()->setText(QString::number(std::clamp(now + steps, 0, kMaxPlatform)));
}

QAbstractSpinBox::StepEnabled CPlatformEdit::stepEnabled() const
{
    const int now = ParsePlatform(text()).value_or(0);
    StepEnabled enabled = StepNone;
    if (now > 0)
        enabled |= StepDownEnabled;
    if (now < kMaxPlatform)
        enabled |= StepUpEnabled;
    return enabled;
}

QValidator::State CPlatformEdit::validate(QString& input, int&) const
{
    return input.contains(u'-') ? QValidator::Invalid : QValidator::Acceptable;
}

void CPlatformEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->text().contains(u'-')) {
        Msg::Beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

// ---- CTimeFields -----------------------------------------------------------------------------

CTimeFields::CTimeFields(QWidget* parent) : QWidget(parent)
{
    m_pHour = new QSpinBox;
    m_pMinute = new QSpinBox;
    m_pHour->setRange(0, 23);
    m_pMinute->setRange(0, 59);
    for (QSpinBox* spin : {m_pHour, m_pMinute}) {
        // The numbers change by the arrows only, so the fields always hold a valid time.
        spin->findChild<QLineEdit*>()->setReadOnly(true);
        spin->setWrapping(false);
        spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(u'0') * 2 + 40);
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pHour);
    layout->addWidget(new QLabel(QStringLiteral(":")));
    layout->addWidget(m_pMinute);
    layout->addStretch(1);
    setFocusProxy(m_pHour);
    setFocusPolicy(m_pHour->focusPolicy());
}

void CTimeFields::ShowValue(const FieldValue& value)
{
    m_original = value.number;
    m_shown = ShowTime(value.number);
    m_pHour->setValue(m_shown.hour);
    m_pMinute->setValue(m_shown.minute);
}

bool CTimeFields::TakeValue(FieldValue* value, QString*) const
{
    value->number = static_cast<quint32>(
        TakeTime(m_original, m_shown, ShownTime{m_pHour->value(), m_pMinute->value()}));
    return true;
}

QWidget* CTimeFields::FocusWidget()
{
    return m_pHour;
}

// ---- CColorField -----------------------------------------------------------------------------

CColorField::CColorField(std::span<const quint32> presets, QWidget* parent)
    : QWidget(parent), m_pBox(new CColorComboBox(this))
{
    // The presets, then the custom item that takes any other colour.
    for (quint32 colour : presets)
        m_pBox->AddColor(colour);
    m_pBox->SetCustomItem(m_pBox->AddColor(0));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBox);
    // The field takes the focus as its box does, so that a label's mnemonic reaches it.
    setFocusProxy(m_pBox);
    setFocusPolicy(m_pBox->focusPolicy());
}

QWidget* CColorField::FocusWidget()
{
    return m_pBox;
}

void CColorField::ShowValue(const FieldValue& value)
{
    m_original = value.number;
    m_pBox->SelectColor(value.number);
    m_shown = m_pBox->GetSelectedColor();
}

bool CColorField::TakeValue(FieldValue* value, QString*) const
{
    const quint32 now = m_pBox->GetSelectedColor();
    value->number = now == m_shown ? m_original : now;
    return true;
}
