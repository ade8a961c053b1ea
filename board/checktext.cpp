// The words of the checks' findings: Japanese for the editor's panel, English for qlmtool lint.

#include "boardchecks.h"

#include "boardtime.h"
#include "sjis.h"

#include <cstdlib>

namespace Board {

namespace {

bool Ja(Language language)
{
    return language == Language::Japanese;
}

// Times as the grid and the guide message list show them: hours not wrapped at 24.
QString Clock(int minutes)
{
    const int m = std::abs(minutes);
    return QStringLiteral("%1%2:%3")
        .arg(minutes < 0 ? QStringLiteral("-") : QString())
        .arg(m / 60, 2, 10, QLatin1Char('0'))
        .arg(m % 60, 2, 10, QLatin1Char('0'));
}

// A text from the file in quotes; long ones shortened for a place.
QString Quoted(const QByteArray& text, Language language, int longest = -1)
{
    QString decoded = Sjis::Decode(text);
    if (longest > 0 && decoded.size() > longest)
        decoded = decoded.left(longest) + QStringLiteral("…");
    return Ja(language) ? QStringLiteral("「%1」").arg(decoded)
                        : QStringLiteral("\"%1\"").arg(decoded);
}

QString DisplayName(Display display, Language language)
{
    if (Ja(language))
        return display == Display::Main ? QStringLiteral("日本語/主 表示")
                                        : QStringLiteral("英語/副 表示");
    return display == Display::Main ? QStringLiteral("main display")
                                    : QStringLiteral("sub display");
}

QString LayoutPartName(int part, Language language)
{
    static const char* const english[kPanelPartCount] = {
        "departure order", "type", "train name", "time", "destination", "platform", "auxiliary"};
    if (Ja(language))
        return PartName(part);
    return part >= 0 && part < kPanelPartCount ? QString::fromLatin1(english[part]) : QString();
}

QString SignName(int part, Language language)
{
    static const char* const english[kSignPartCount] = {"platform number", "line colour",
                                                        "line name", "direction"};
    if (Ja(language))
        return SignPartName(part);
    return part >= 0 && part < kSignPartCount ? QString::fromLatin1(english[part]) : QString();
}

QString ColumnName(int column, Language language)
{
    static const char* const japanese[] = {"",           "列車番号",  "列車種別", "列車名",
                                           "列車名(英)", "発車時刻",  "行先",     "発車番線",
                                           "案内",       "運転･運休", "補足"};
    static const char* const english[] = {
        "",         "train number", "type",    "train name", "English name", "time", "destination",
        "platform", "guidance",     "running", "supplement"};
    if (column < 1 || column > 10)
        return QString();
    return Ja(language) ? QString::fromUtf8(japanese[column])
                        : QString::fromLatin1(english[column]);
}

QString PartOf(const Finding& f, Language language)
{
    return f.place.kind == CheckPlace::Kind::Sign ? SignName(f.part, language)
                                                  : LayoutPartName(f.part, language);
}

QString TooWideMessage(const Finding& f, Language language)
{
    const QString part = PartOf(f, language);
    const bool onTrain = f.place.kind == CheckPlace::Kind::Train;
    const bool onLayout = f.place.kind == CheckPlace::Kind::Layout;
    // A train's place does not say which display; the sign's and a layout's do.
    const QString display = onTrain ? DisplayName(f.display, language) : QString();
    QString text;
    if (Ja(language)) {
        text = QStringLiteral("%1%2%3は %4 ドットで、%2の幅 %5 ドットに収まりません")
                   .arg(display.isEmpty() ? QString() : display + QStringLiteral("の"), part,
                        Quoted(f.text, language))
                   .arg(f.width)
                   .arg(f.limit);
        if (onLayout && f.part == kPartOrder)
            text += f.level == CheckLevel::Note
                        ? QStringLiteral(" (%1行以上の表示で)").arg(f.v[2] + 1)
                        : QStringLiteral(" (%1行目)").arg(f.v[2] + 1);
        else if (onLayout)
            text += QStringLiteral(" (%1本の列車、最初は %2行目)").arg(f.count).arg(f.v[1]);
        else if (f.count)
            text += QStringLiteral(" (%1本の列車)").arg(f.count);
        return text;
    }
    const QString trains =
        f.count == 1 ? QStringLiteral("1 train") : QStringLiteral("%1 trains").arg(f.count);
    text = QStringLiteral("%1 %2%3 is %4 dots wide, wider than the part's %5")
               .arg(part, Quoted(f.text, language),
                    display.isEmpty() ? QString() : QStringLiteral(" on the ") + display)
               .arg(f.width)
               .arg(f.limit);
    if (onLayout && f.part == kPartOrder)
        text += f.level == CheckLevel::Note
                    ? QStringLiteral(" (on boards of %1 or more train rows)").arg(f.v[2] + 1)
                    : QStringLiteral(" (train row %1)").arg(f.v[2] + 1);
    else if (onLayout)
        text += QStringLiteral(" (on %1, the first in row %2)").arg(trains).arg(f.v[1]);
    else if (f.count)
        text += QStringLiteral(" (on %1)").arg(trains);
    return text;
}

QString GuideMessage(const Finding& f, Language language)
{
    const int dateChange = f.v[2];
    const QString start = Clock(f.v[0]);
    const QString end = Clock(f.v[1]);
    if (f.check == Check::GuideOutsideDay) {
        const QString dayEnd = Clock(dateChange + kMinutesPerDay);
        return Ja(language)
                   ? QStringLiteral("表示時間 %1～%2 が運用日 (%3～%4) の外にかかっています")
                         .arg(start, end, Clock(dateChange), dayEnd)
                   : QStringLiteral("shown from %1 to %2, reaching outside the "
                                    "service day (%3 to %4)")
                         .arg(start, end, Clock(dateChange), dayEnd);
    }
    // A window from before the date change to after it ends before it starts.
    const bool across = f.v[0] >= 0 && f.v[0] < dateChange && f.v[1] >= dateChange;
    if (Ja(language))
        return QStringLiteral("表示時間 %1～%2 は終了が開始より後でないため、表示されません%3")
            .arg(start, end,
                 across
                     ? QStringLiteral(" (日付変更時刻 %1 をまたいでいます)").arg(Clock(dateChange))
                     : QString());
    return QStringLiteral("shown from %1 to %2: the end is not after the start, so it never "
                          "shows%3")
        .arg(start, end,
             across ? QStringLiteral(" (the window crosses the date change at %1)")
                          .arg(Clock(dateChange))
                    : QString());
}

} // namespace

QString LevelText(CheckLevel level, Language language)
{
    if (Ja(language))
        return level == CheckLevel::Warning ? QStringLiteral("警告") : QStringLiteral("情報");
    return level == CheckLevel::Warning ? QStringLiteral("warning") : QStringLiteral("note");
}

QString PlaceText(const Finding& f, Language language)
{
    const CheckPlace& p = f.place;
    const bool ja = Ja(language);
    switch (p.kind) {
    case CheckPlace::Kind::Train:
        return ja ? QStringLiteral("%1行目 %2").arg(p.index).arg(ColumnName(p.column, language))
                  : QStringLiteral("row %1, %2").arg(p.index).arg(ColumnName(p.column, language));
    case CheckPlace::Kind::Sign:
        return ja ? QStringLiteral("方面案内標 %1段目 (%2)")
                        .arg(p.index + 1)
                        .arg(DisplayName(p.display, language))
                  : QStringLiteral("direction sign row %1, %2")
                        .arg(p.index + 1)
                        .arg(DisplayName(p.display, language));
    case CheckPlace::Kind::Layout: {
        const bool sub = p.display == Display::Sub;
        if (p.index == 0)
            return ja ? QStringLiteral("表示ﾚｲｱｳﾄ (%1)").arg(DisplayName(p.display, language))
                      : (sub ? QStringLiteral("sub layout") : QStringLiteral("main layout"));
        return ja ? QStringLiteral("種別 %1%2の表示ｽﾀｲﾙ (%3)")
                        .arg(p.index)
                        .arg(Quoted(f.other, language), DisplayName(p.display, language))
                  : QStringLiteral("type %1 %2, its own %3 layout")
                        .arg(p.index)
                        .arg(Quoted(f.other, language),
                             sub ? QStringLiteral("sub") : QStringLiteral("main"));
    }
    case CheckPlace::Kind::Type:
        return (ja ? QStringLiteral("種別 %1%2") : QStringLiteral("type %1 %2"))
            .arg(p.index)
            .arg(Quoted(f.text, language));
    case CheckPlace::Kind::Destination:
        return (ja ? QStringLiteral("行先 %1%2") : QStringLiteral("destination %1 %2"))
            .arg(p.index)
            .arg(Quoted(f.text, language));
    case CheckPlace::Kind::GuideMessage:
        return (ja ? QStringLiteral("ｶﾞｲﾄﾞﾒｯｾｰｼﾞ %1%2") : QStringLiteral("guide message %1 %2"))
            .arg(p.index)
            .arg(Quoted(f.text, language, 16));
    case CheckPlace::Kind::ExtKey:
        return (ja ? QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰ %1%2") : QStringLiteral("extension key %1 %2"))
            .arg(p.index)
            .arg(Quoted(f.text, language));
    }
    return QString();
}

QString MessageText(const Finding& f, Language language)
{
    const bool ja = Ja(language);
    switch (f.check) {
    case Check::TrainOrder:
        return (ja ? QStringLiteral("発車時刻 %1 が前の列車 (%3行目) の %2 より前です")
                   : QStringLiteral("departure %1 is earlier than %2 of the train before it "
                                    "(row %3)"))
            .arg(Clock(f.v[0]), Clock(f.v[1]))
            .arg(f.v[2]);
    case Check::TimeBeyondDay: {
        const QString dateChange = Clock(f.v[1]);
        const QString last = Clock(f.v[1] + kMinutesPerDay - 1);
        return (ja ? QStringLiteral("発車時刻 %1 は日付変更時刻 %2 の運用日 (%2～%3) を越えていま"
                                    "す。エディタでは入力できない時刻です")
                   : QStringLiteral("departure %1 lies beyond the service day of the date "
                                    "change at %2 (%2 to %3); no editor can enter it"))
            .arg(Clock(f.v[0]), dateChange, last);
    }
    case Check::TypeIndex:
        return (ja ? QStringLiteral("列車種別の番号 %1 は種別の一覧 (1～%2) にありません")
                   : QStringLiteral("train type index %1 is outside 1..%2"))
            .arg(f.v[0])
            .arg(f.v[1]);
    case Check::DestinationIndex:
        return (ja ? QStringLiteral("行先の番号 %1 は行先の一覧 (1～%2) にありません")
                   : QStringLiteral("destination index %1 is outside 1..%2"))
            .arg(f.v[0])
            .arg(f.v[1]);
    case Check::DuplicateTrain:
        return (ja ? QStringLiteral("%1行目の列車と発車時刻 %2・種別%3・行先%4が同じです")
                   : QStringLiteral("the same time %2, type %3 and destination %4 as the train "
                                    "in row %1"))
            .arg(f.v[0])
            .arg(Clock(f.v[1]), Quoted(f.text, language), Quoted(f.other, language));
    case Check::TextTooWide:
        return TooWideMessage(f, language);
    case Check::PartPastEdge:
        return (ja ? QStringLiteral("%1 は %2～%3 列で、%4 列を越えています")
                   : QStringLiteral("%1 covers columns %2 to %3, past column %4"))
            .arg(LayoutPartName(f.place.part, language))
            .arg(f.v[0])
            .arg(f.v[1])
            .arg(kPanelColumns);
    case Check::PartsOverlap:
        return (ja ? QStringLiteral("%1 (%3～%4 列) が%2 (%5～%6 列) に重なり、上に描かれます")
                   : QStringLiteral("%1 (columns %3 to %4) overlaps %2 (columns %5 to %6) and "
                                    "is drawn over it"))
            .arg(LayoutPartName(f.place.part, language), LayoutPartName(f.v[2], language))
            .arg(f.v[0])
            .arg(f.v[1])
            .arg(f.v[3])
            .arg(f.v[4]);
    case Check::PartAlwaysEmpty: {
        QString text =
            (ja ? QStringLiteral("%1 は表示されますが、%2本の列車のどれにも文字がありません")
                : QStringLiteral("%1 is shown but has no text on any of its %2 trains"))
                .arg(LayoutPartName(f.part, language))
                .arg(f.count);
        if (f.v[0] && f.display == Display::Main)
            text +=
                ja ? QStringLiteral(" (日本語・英語とも)") : QStringLiteral(" (on either display)");
        return text;
    }
    case Check::GuideNeverShows:
    case Check::GuideOutsideDay:
        return GuideMessage(f, language);
    case Check::GuideExclusiveOverlap:
        return (ja ? QStringLiteral("排他表示の時間 %1～%2 がｶﾞｲﾄﾞﾒｯｾｰｼﾞ %3 (%4～%5、排他表示) と"
                                    "重なり、重なる間は表示されません")
                   : QStringLiteral("exclusive from %1 to %2, overlapping exclusive guide "
                                    "message %3 (%4 to %5), which shows instead meanwhile"))
            .arg(Clock(f.v[0]), Clock(f.v[1]))
            .arg(f.v[2])
            .arg(Clock(f.v[3]), Clock(f.v[4]));
    case Check::UnusedType:
        return ja ? QStringLiteral("この種別を使う列車はありません")
                  : QStringLiteral("no train uses this type");
    case Check::UnusedDestination:
        return ja ? QStringLiteral("この行先へ行く列車はありません")
                  : QStringLiteral("no train goes to this destination");
    case Check::DuplicateKey:
        return (ja ? QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰ %1 と同じﾊﾟｽです")
                   : QStringLiteral("the same path as extension key %1"))
            .arg(f.v[0]);
    }
    return QString();
}

QString CheckName(Check check)
{
    switch (check) {
    case Check::TrainOrder:
        return QStringLiteral("train-order");
    case Check::TimeBeyondDay:
        return QStringLiteral("time-beyond-day");
    case Check::TypeIndex:
        return QStringLiteral("type-index");
    case Check::DestinationIndex:
        return QStringLiteral("destination-index");
    case Check::DuplicateTrain:
        return QStringLiteral("duplicate-train");
    case Check::TextTooWide:
        return QStringLiteral("text-too-wide");
    case Check::PartPastEdge:
        return QStringLiteral("part-past-edge");
    case Check::PartsOverlap:
        return QStringLiteral("parts-overlap");
    case Check::PartAlwaysEmpty:
        return QStringLiteral("part-always-empty");
    case Check::GuideNeverShows:
        return QStringLiteral("guide-never-shows");
    case Check::GuideOutsideDay:
        return QStringLiteral("guide-outside-day");
    case Check::GuideExclusiveOverlap:
        return QStringLiteral("guide-exclusive-overlap");
    case Check::UnusedType:
        return QStringLiteral("unused-type");
    case Check::UnusedDestination:
        return QStringLiteral("unused-destination");
    case Check::DuplicateKey:
        return QStringLiteral("duplicate-key");
    }
    return QString();
}

} // namespace Board
