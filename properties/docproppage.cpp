#include "docproppage.h"

#include "fieldeditors.h"
#include "messages.h"

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
