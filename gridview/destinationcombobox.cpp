#include "destinationcombobox.h"

#include "qlmdoc.h"

CDestinationComboBox::CDestinationComboBox(CEditField* field, const QRect& rect,
                                           CVeldenView* view)
    : CListComboBox(field, rect, view)
{
    QList<QByteArray> names;
    for (int i = 1; i <= m_pDoc->m_wDestinationCount && i <= m_pDoc->m_Destination.m_nSize; ++i)
        names.append(m_pDoc->m_Destination.ElementAt(i).strName);
    AddEntries(names);
}
