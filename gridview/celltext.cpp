#include "celltext.h"

#include "gridcolumn.h"
#include "qlmdoc.h"

namespace CellText {

QString Header(int column)
{
    // U+FF65 (half-width middle dot) in column 9 is the character the board's users know.
    static const char* const kHeaders[] = {"",           "列車番号",  "列車種別", "列車名",
                                           "列車名(英)", "発車時刻",  "行先",     "発車番線",
                                           "案内",       "運転･運休", "補足"};
    if (column < 0 || column >= GridColumn::Count)
        return {};
    return QString::fromUtf8(kHeaders[column]);
}

QByteArray RowNumber(int row)
{
    return QByteArray::number(row);
}

QByteArray Time(int minutes)
{
    return QString::asprintf("%.2d:%.2d", minutes / 60, minutes % 60).toLatin1();
}

QByteArray Data(const CQLMDoc& doc, int row, int column)
{
    const tagTRAININFO& t = doc.m_TrainInfo.ElementAt(row);
    switch (column) {
    case GridColumn::TrainNo: {
        QByteArray text = QByteArray::number(t.wTrainNo);
        if (t.chTrainSuffix != 0)
            text.append(static_cast<char>(t.chTrainSuffix));
        return text;
    }
    case GridColumn::Type:
        if (t.wAssortment >= 1 && t.wAssortment <= doc.m_TrainAssortment.m_nSize)
            return doc.m_TrainAssortment.ElementAt(t.wAssortment).strName;
        return {};
    case GridColumn::Name:
        return t.strName;
    case GridColumn::NameEn:
        return t.strNameEn;
    case GridColumn::Time:
        return Time(t.wTime);
    case GridColumn::Destination:
        if (t.wDestination >= 1 && t.wDestination <= doc.m_Destination.m_nSize)
            return doc.m_Destination.ElementAt(t.wDestination).strName;
        return {};
    case GridColumn::Platform:
        return QByteArray::number(t.wPlatform);
    case GridColumn::Guide:
        return t.strGuide;
    case GridColumn::Service:
        return QByteArrayLiteral("---");
    case GridColumn::Note:
        return t.strNote;
    default:
        return {};
    }
}

} // namespace CellText
