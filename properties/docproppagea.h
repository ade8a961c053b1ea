#pragma once

#include "docproppage.h"

#include <map>

class CColorField;
class CFlagCheckBox;
class CPlatformEdit;
class CTextFieldEdit;

// "一般": station names, neighbouring stations, platform number and the two rows of the
// direction sign.
class CDocPropPageA : public CDocPropPage
{
    Q_OBJECT
public:
    explicit CDocPropPageA(CQLMDoc& doc, QWidget* parent = nullptr);

    CTextFieldEdit* Text(DocField field) const { return m_texts.at(field); }
    CColorField* Colour(DocField field) const { return m_colours.at(field); }
    CFlagCheckBox* m_pLineColor2;    // beside the main row's lower colour box
    CFlagCheckBox* m_pSubLine;       // "副線"
    CFlagCheckBox* m_pSubLineColor2; // beside the second row's lower colour box
    CPlatformEdit* m_pPlatform;

protected:
    void OnInitialFill() override;

private:
    void UpdateLowerColours();

    std::map<DocField, CTextFieldEdit*> m_texts;
    std::map<DocField, CColorField*> m_colours;
};
