#pragma once

#include "docproppage.h"

class CColorField;
class QPushButton;

// "表示関連": the colours of lit and unlit dots, and the entry to the panel layout editor.
class CDocPropPageB : public CDocPropPage
{
    Q_OBJECT
public:
    explicit CDocPropPageB(CQLMDoc& doc, QWidget* parent = nullptr);

    CColorField* m_pLit;
    CColorField* m_pUnlit;
    QPushButton* m_pLayout; // "編集(&E)..."

private:
    void OnEditLayout();
};
