#include "docproppage.h"

#include "fieldeditors.h"
#include "messages.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

CDocPropPage::CDocPropPage(CQLMDoc& doc, std::span<const DocField> fields, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_fields(fields.begin(), fields.end())
{
}

void CDocPropPage::OnSetActive()
{
    if (m_bInitialised)
        return;
    const PageValues values = FillPage(m_doc, m_fields);
    for (auto& [field, editor] : m_editors)
        editor->ShowValue(values[field]);
    OnInitialFill();
    m_bInitialised = true;
    WatchFields();
}

// Every field is an edit, a check box or a combo box, or is made of them (the platform and time
// fields' edits); a custom colour changes the combo box's item, not its index.
void CDocPropPage::WatchFields()
{
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &CDocPropPage::fieldChanged);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isCheckable())
            connect(button, &QAbstractButton::toggled, this, &CDocPropPage::fieldChanged);
    for (QComboBox* box : findChildren<QComboBox*>()) {
        connect(box, &QComboBox::currentIndexChanged, this, &CDocPropPage::fieldChanged);
        connect(box->model(), &QAbstractItemModel::dataChanged, this, &CDocPropPage::fieldChanged);
    }
}

bool CDocPropPage::Collect(PageValues* values)
{
    *values = FillPage(m_doc, m_fields);
    for (auto& [field, editor] : m_editors) {
        QString refusal;
        if (!editor->TakeValue(&(*values)[field], &refusal)) {
            Msg::Beep();
            Msg::Show(this, refusal, Msg::ErrorCaption(), QMessageBox::Warning);
            editor->FocusWidget()->setFocus();
            return false;
        }
    }
    return true;
}

void CDocPropPage::OnApply(const PageValues& values)
{
    ApplyPage(values, m_doc);
}
