#include "listcombobox.h"

#include "editfield.h"
#include "sjis.h"

#include <QAbstractItemView>

namespace {
constexpr int kDroppedHeight = 200;
}

CListComboBox::CListComboBox(CEditField* field, const QRect& rect, const QList<QByteArray>& names)
    : QComboBox(field)
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    setGeometry(rect);
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
