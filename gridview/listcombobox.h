#pragma once

#include "fieldcontrol.h"

#include <QComboBox>

class CEditField;

// The drop-down list of the in-place editor, shared by the type and destination lists: entry k
// is element k + 1 of the document's list.
class CListComboBox : public QComboBox, public CFieldControl
{
    Q_OBJECT
protected:
    // A drop-down list (not editable, unsorted) over rect, its dropped part 200 pixels high,
    // holding names.
    CListComboBox(CEditField* field, const QRect& rect, const QList<QByteArray>& names);
};
