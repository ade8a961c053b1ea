#pragma once

class CColorComboBox;

#include "propfields.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

#include <span>

class QSpinBox;

// A control that shows one document field and reads it back. Reading keeps the value it was
// given when the user left the control as it was shown.
class FieldEditor
{
public:
    virtual ~FieldEditor() = default;
    virtual void ShowValue(const FieldValue& value) = 0;
    // The value to store, or false with *refusal saying why the input cannot be stored.
    virtual bool TakeValue(FieldValue* value, QString* refusal) const = 0;
    // The control to focus when a value is refused.
    virtual QWidget* FocusWidget() = 0;
};

// A text field; text the user did not change keeps its bytes.
class CTextFieldEdit : public QLineEdit, public FieldEditor
{
public:
    explicit CTextFieldEdit(QWidget* parent = nullptr);
    void ShowValue(const FieldValue& value) override;
    bool TakeValue(FieldValue* value, QString* refusal) const override;
    QWidget* FocusWidget() override { return this; }

private:
    QByteArray m_original;
    QString m_shown;
};

// A 32-bit flag; left as shown it keeps its stored value, whatever it is.
class CFlagCheckBox : public QCheckBox, public FieldEditor
{
public:
    explicit CFlagCheckBox(const QString& text = {}, QWidget* parent = nullptr);
    void ShowValue(const FieldValue& value) override;
    bool TakeValue(FieldValue* value, QString* refusal) const override;
    QWidget* FocusWidget() override { return this; }

private:
    quint32 m_original = 0;
};

// The platform number: two typed characters read as ParsePlatform reads them, and up/down
// arrows over 0..99. A minus sign cannot be typed.
class CPlatformEdit : public QAbstractSpinBox, public FieldEditor
{
public:
    explicit CPlatformEdit(QWidget* parent = nullptr);
    void ShowValue(const FieldValue& value) override;
    bool TakeValue(FieldValue* value, QString* refusal) const override;
    QWidget* FocusWidget() override { return this; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    quint16 m_original = 0;
    QString m_shown;
};

// A time of day as an hour field and a minute field, each read-only with up/down arrows.
class CTimeFields : public QWidget, public FieldEditor
{
public:
    explicit CTimeFields(QWidget* parent = nullptr);
    void ShowValue(const FieldValue& value) override;
    bool TakeValue(FieldValue* value, QString* refusal) const override;
    QWidget* FocusWidget() override;

    QSpinBox* m_pHour;
    QSpinBox* m_pMinute;

private:
    quint32 m_original = 0;
    ShownTime m_shown;
};

// A colour box with a list of presets and a custom item.
class CColorField : public QWidget, public FieldEditor
{
public:
    explicit CColorField(std::span<const quint32> presets, QWidget* parent = nullptr);
    void ShowValue(const FieldValue& value) override;
    bool TakeValue(FieldValue* value, QString* refusal) const override;
    QWidget* FocusWidget() override;
    CColorComboBox* Box() const { return m_pBox; }

private:
    CColorComboBox* m_pBox;
    quint32 m_original = 0;
    quint32 m_shown = 0;
};
