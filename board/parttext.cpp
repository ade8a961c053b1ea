#include "parttext.h"

#include "boardfont.h"
#include "qlmdoc.h"
#include "sjis.h"

namespace Board {

QByteArray OrderText(int row, Display display)
{
    if (display == Display::Sub) {
        static const char* const suffixes[] = {"st", "nd", "rd"};
        const int n = row + 1;
        const bool teen = n % 100 >= 11 && n % 100 <= 13;
        const int last = n % 10;
        return QByteArray::number(n) +
               (!teen && last >= 1 && last <= 3 ? suffixes[last - 1] : "th");
    }
    static const QByteArray words[] = {Sjis::FromUtf8("先発"), Sjis::FromUtf8("次発"),
                                       Sjis::FromUtf8("次々発")};
    static const QByteArray nth = Sjis::FromUtf8("番目");
    return row >= 0 && row < 3 ? words[row] : QByteArray::number(row + 1) + nth;
}

QByteArray TimeText(int minutes)
{
    const int hour = minutes / 60 % 24;
    const int minute = minutes % 60;
    return QByteArray::number(hour) + ':' + (minute < 10 ? "0" : "") + QByteArray::number(minute);
}

QByteArray PartText(const CQLMDoc& doc, const tagTRAININFO& train, int row, int part,
                    Display display)
{
    const bool sub = display == Display::Sub;
    switch (part) {
    case kPartOrder:
        return OrderText(row, display);
    case kPartType:
        if (train.wAssortment < 1 || train.wAssortment > doc.m_TrainAssortment.m_nSize)
            return {};
        return sub ? doc.m_TrainAssortment.ElementAt(train.wAssortment).strNameSub
                   : doc.m_TrainAssortment.ElementAt(train.wAssortment).strName;
    case kPartName:
        return sub ? train.strNameEn : train.strName;
    case kPartTime:
        return TimeText(train.wTime);
    case kPartDestination:
        if (train.wDestination < 1 || train.wDestination > doc.m_Destination.m_nSize)
            return {};
        return sub ? doc.m_Destination.ElementAt(train.wDestination).strNameEn
                   : doc.m_Destination.ElementAt(train.wDestination).strName;
    case kPartPlatform:
        return QByteArray::number(train.wPlatform);
    case kPartAuxiliary:
        return sub ? train.strNote : train.strGuide;
    default:
        return {};
    }
}

std::u32string CodePoints(QByteArrayView text)
{
    std::u32string points;
    points.reserve(static_cast<size_t>(text.size()));
    const QString decoded = Sjis::Decode(text);
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded.at(i);
        if (c.isHighSurrogate() && i + 1 < decoded.size() && decoded.at(i + 1).isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(c, decoded.at(i + 1)));
            ++i;
        } else {
            points.push_back(c.unicode());
        }
    }
    return points;
}

std::vector<int> GlyphWidths(const CBoardFont& font, const std::u32string& codePoints)
{
    std::vector<int> widths;
    widths.reserve(codePoints.size());
    for (char32_t c : codePoints)
        widths.push_back(font.Width(c));
    return widths;
}

int TextWidth(const CBoardFont& font, QByteArrayView text)
{
    int width = 0;
    for (char32_t c : CodePoints(text))
        width += font.Width(c);
    return width;
}

} // namespace Board
