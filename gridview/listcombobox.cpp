#include "listcombobox.h"

#include "editfield.h"
#include "sjis.h"
#include "veldenview.h"

#include <QAbstractItemView>

namespace {
constexpr int kDroppedHeight = 200;
}

CListComboBox::CListComboBox(CEditField* field, const QRect& rect, CVeldenView* view)
    : QComboBox(field), m_pView(view), m_pDoc(&view->Timetable())
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    setGeometry(rect);
}

void CListComboBox::AddEntries(const QList<QByteArray>& names)
{
    QStringList texts;
    texts.reserve(names.size());
    for (const QByteArray& name : names)
        texts.append(Sjis::Decode(name));
    addItems(texts);
    const int rowHeight = qMax(1, view()->sizeHintForRow(0));
    setMaxVisibleItems(qMax(1, kDroppedHeight / rowHeight));
    show();
    setFocus();
}

void CListComboBox::RequestValue()
{
    const int entry = currentIndex();
    if (entry >= 0 && m_pView)
        m_pView->ApplyEditValue(entry + 1);
}
