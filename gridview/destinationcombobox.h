#pragma once

#include "listcombobox.h"

// The list of destinations: entry k is destination k + 1.
class CDestinationComboBox : public CListComboBox
{
    Q_OBJECT
public:
    CDestinationComboBox(CEditField* field, const QRect& rect, const QList<QByteArray>& names)
        : CListComboBox(field, rect, names)
    {
    }
    EditRules::EditorKind Kind() const override { return EditRules::EditorKind::DestinationList; }
};
