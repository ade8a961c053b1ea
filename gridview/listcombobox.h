#pragma once

#include "fieldcontrol.h"

#include <QComboBox>

class CEditField;
class CQLMDoc;
class CVeldenView;

// The drop-down list of the in-place editor, shared by the type and destination lists: entry k
// is element k + 1 of the document's list, and a change of selection is handed to the view.
class CListComboBox : public QComboBox, public CFieldControl
{
    Q_OBJECT
public:
    void RequestValue() override;

protected:
    // A drop-down list (not editable, unsorted) over rect, its dropped part 200 pixels high.
    CListComboBox(CEditField* field, const QRect& rect, CVeldenView* view);
    void AddEntries(const QList<QByteArray>& names);

    CVeldenView* m_pView;
    CQLMDoc* m_pDoc;
};
