#include "trainassortmentcombobox.h"

#include "qlmdoc.h"

CTrainAssortmentComboBox::CTrainAssortmentComboBox(CEditField* field, const QRect& rect,
                                                   CVeldenView* view)
    : CListComboBox(field, rect, view)
{
    QList<QByteArray> names;
    for (int i = 1; i <= m_pDoc->m_wAssortmentCount && i <= m_pDoc->m_TrainAssortment.m_nSize; ++i)
        names.append(m_pDoc->m_TrainAssortment.ElementAt(i).strName);
    AddEntries(names);
}
