#pragma once

#include "listcombobox.h"

// The list of train types: entry k is type k + 1.
class CTrainAssortmentComboBox : public CListComboBox
{
    Q_OBJECT
public:
    CTrainAssortmentComboBox(CEditField* field, const QRect& rect, const QList<QByteArray>& names)
        : CListComboBox(field, rect, names)
    {
    }
    EditRules::EditorKind Kind() const override { return EditRules::EditorKind::TypeList; }
};
