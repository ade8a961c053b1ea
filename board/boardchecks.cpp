#include "boardchecks.h"

#include "boardfont.h"
#include "boardtime.h"
#include "parttext.h"
#include "qlmdoc.h"
#include "textwidths.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace Board {

namespace {

// No glyph is wider than a column: a text of n bytes is at most n columns wide, whatever it
// holds, which settles most texts without looking at their glyphs.
constexpr int kWidestGlyph = kColumnDots;
constexpr int kDisplays = 2;
constexpr Display kDisplayOf[kDisplays] = {Display::Main, Display::Sub};

using Spans = std::array<std::optional<PartSpan>, kPanelPartCount>;

// The parts whose text comes from what the user typed, and so may be empty.
constexpr int kTypedParts[] = {kPartType, kPartName, kPartDestination, kPartAuxiliary};

// The widest text one layout part shows, and on how many trains it is too wide.
struct WideText
{
    int firstRow = 0; // the first train it is too wide on; 0: none
    int count = 0;
    int width = 0;
    int limit = 0;
    QByteArray text;

    void Add(int row, int w, int partWidth, const QByteArray& t)
    {
        if (!firstRow)
            firstRow = row;
        ++count;
        if (w > width) {
            width = w;
            limit = partWidth;
            text = t;
        }
    }
};

// A layout in use: the document's (owner 0) or a type's own.
struct LayoutUse
{
    bool exists = false;
    Spans spans[kDisplays];
    int trains = 0;
    bool typed[kDisplays][kPanelPartCount] = {}; // some train has text in the part
    WideText time[kDisplays];
    WideText platform[kDisplays];
};

// One type or destination and the trains showing it.
struct EntryUse
{
    int firstRow = 0;
    int trains = 0;
    int width[kDisplays] = {-1, -1}; // -1: not yet measured
    int wideRow[kDisplays] = {};     // the first train it is too wide on
    int wideCount[kDisplays] = {};
    int wideLimit[kDisplays] = {};
};

class Checker
{
public:
    Checker(const CQLMDoc& doc, const CBoardFont* font) : m_doc(doc), m_font(font)
    {
        if (font)
            m_widths.emplace(*font);
    }
    std::vector<Finding> Run();

private:
    Finding& Add(CheckLevel level, Check check, CheckPlace place)
    {
        std::vector<Finding>& list = place.kind != CheckPlace::Kind::Train ? m_otherFindings
                                     : m_bPassDone                         ? m_laterTrainFindings
                                                                           : m_trainFindings;
        Finding& f = list.emplace_back();
        f.level = level;
        f.check = check;
        f.place = place;
        if (place.kind == CheckPlace::Kind::Layout && place.index > 0)
            f.other = m_doc.m_TrainAssortment.ElementAt(place.index).strName;
        return f;
    }
    static CheckPlace Place(CheckPlace::Kind kind, int index, int column, Display display, int part)
    {
        return {kind, static_cast<qint8>(part), static_cast<quint8>(column), index, display};
    }
    static CheckPlace TrainPlace(int row, int column)
    {
        return Place(CheckPlace::Kind::Train, row, column, Display::Main, -1);
    }
    static CheckPlace LayoutPlace(int owner, int display, int part)
    {
        return Place(CheckPlace::Kind::Layout, owner, 0, kDisplayOf[display], part);
    }
    static CheckPlace ListPlace(CheckPlace::Kind kind, int index)
    {
        return Place(kind, index, 0, Display::Main, -1);
    }

    int Width(const QByteArray& text);
    // True, with the text's width in *width, when text is wider than limit dots.
    bool TooWide(const QByteArray& text, int limit, int* width);
    Finding& AddTooWide(CheckPlace place, int display, int part, const QByteArray& text, int width,
                        int limit);

    void PrepareLayouts();
    void CheckLayoutShape(int owner, int display, const PanelLayout& layout);
    void CheckTrains();
    // A text of the train's own on both displays: name or auxiliary.
    void CheckTrainText(int row, LayoutUse& use, int part, const QByteArray& main,
                        const QByteArray& sub, int mainColumn, int subColumn);
    // What the whole list is checked for afterwards: texts in use, widths of the layouts.
    void TallyTrain(int row, const tagTRAININFO& train, LayoutUse& use);
    void CheckEntriesShown();
    void CheckLayoutsInUse();
    void CheckUnused();
    void CheckSign();
    void CheckGuideMessages();
    void CheckKeys();
    std::vector<Finding> InPlaceOrder();

    const CQLMDoc& m_doc;
    const CBoardFont* m_font;
    // Findings on trains made in the pass over them, in the grid's order; those made
    // afterwards; and those elsewhere.
    std::vector<Finding> m_trainFindings;
    std::vector<Finding> m_laterTrainFindings;
    std::vector<Finding> m_otherFindings;
    bool m_bPassDone = false;
    std::optional<CTextWidths> m_widths;
    std::vector<LayoutUse> m_layouts; // [0] the document's, [t] type t's own
    std::vector<EntryUse> m_types;    // 1-based
    std::vector<EntryUse> m_destinations;
    int m_timeWidths[kMinutesPerDay];
    int m_digitWidths[10] = {};
};

int Checker::Width(const QByteArray& text)
{
    return m_widths->Width(text);
}

bool Checker::TooWide(const QByteArray& text, int limit, int* width)
{
    if (!m_font || text.size() * kWidestGlyph <= limit)
        return false;
    *width = Width(text);
    return *width > limit;
}

Finding& Checker::AddTooWide(CheckPlace place, int display, int part, const QByteArray& text,
                             int width, int limit)
{
    Finding& f = Add(CheckLevel::Warning, Check::TextTooWide, place);
    f.display = kDisplayOf[display];
    f.part = static_cast<qint8>(part);
    f.text = text;
    f.width = width;
    f.limit = limit;
    return f;
}

std::vector<Finding> Checker::Run()
{
    PrepareLayouts();
    CheckTrains();
    m_bPassDone = true;
    CheckEntriesShown();
    CheckLayoutsInUse();
    CheckUnused();
    CheckSign();
    CheckGuideMessages();
    CheckKeys();
    return InPlaceOrder();
}

void Checker::PrepareLayouts()
{
    const int types = m_doc.m_TrainAssortment.m_nSize;
    m_layouts.resize(static_cast<size_t>(types) + 1);
    m_types.resize(static_cast<size_t>(types) + 1);
    m_destinations.resize(static_cast<size_t>(m_doc.m_Destination.m_nSize) + 1);
    for (int owner = 0; owner <= types; ++owner) {
        const tagTRAINASSORTMENT* type =
            owner ? &m_doc.m_TrainAssortment.ElementAt(owner) : nullptr;
        if (type && !type->bCustomLayout)
            continue;
        LayoutUse& use = m_layouts[static_cast<size_t>(owner)];
        use.exists = true;
        for (int d = 0; d < kDisplays; ++d) {
            const PanelLayout& layout = type ? (d ? type->layoutSub : type->layoutMain)
                                             : (d ? m_doc.m_LayoutSub : m_doc.m_LayoutMain);
            use.spans[d] = SpansOf(layout);
            CheckLayoutShape(owner, d, layout);
        }
    }
    std::fill(std::begin(m_timeWidths), std::end(m_timeWidths), -1);
    if (m_font)
        for (int digit = 0; digit < 10; ++digit)
            m_digitWidths[digit] = m_font->Width(U'0' + static_cast<char32_t>(digit));
}

void Checker::CheckLayoutShape(int owner, int display, const PanelLayout& layout)
{
    for (int part = 0; part < kPanelPartCount; ++part) {
        const PANELPART& p = layout[static_cast<size_t>(part)];
        if (!p.wColumn)
            continue;
        const int last = p.wColumn + p.wSpan;
        if (last > kPanelColumns) {
            Finding& f =
                Add(CheckLevel::Warning, Check::PartPastEdge, LayoutPlace(owner, display, part));
            f.v = {p.wColumn, last};
        }
        // The later part is drawn over the earlier one.
        for (int under = 0; under < part; ++under) {
            const PANELPART& q = layout[static_cast<size_t>(under)];
            const int qLast = q.wColumn + q.wSpan;
            if (!q.wColumn || q.wColumn > last || p.wColumn > qLast)
                continue;
            Finding& f =
                Add(CheckLevel::Warning, Check::PartsOverlap, LayoutPlace(owner, display, part));
            f.v = {p.wColumn, last, under, q.wColumn, qLast};
        }
    }
}

void Checker::CheckTrains()
{
    const std::vector<tagTRAININFO>& trains = m_doc.m_TrainInfo.Items();
    // Most timetables give a few findings a train at most; room for them saves copying a
    // growing list.
    m_trainFindings.reserve(trains.size() * 2 + 64);
    const int dateChange = m_doc.m_wDateChangeTime;
    const int types = m_doc.m_TrainAssortment.m_nSize;
    const int destinations = m_doc.m_Destination.m_nSize;
    // Trains by time, type and destination, for telling a train entered twice: an open
    // addressing table of (key << 16 | row - 1), at most half full.
    size_t capacity = 1024;
    while (capacity < trains.size() * 2)
        capacity *= 2;
    std::vector<quint64> seen(capacity, ~quint64(0));

    // Each train's findings are made in the order of their columns, so that the list of them
    // is in the order of the grid as it grows.
    int previous = -1;
    for (size_t i = 0; i < trains.size(); ++i) {
        const tagTRAININFO& t = trains[i];
        const int row = static_cast<int>(i) + 1;
        const bool typeOk = t.wAssortment >= 1 && t.wAssortment <= types;
        const bool destinationOk = t.wDestination >= 1 && t.wDestination <= destinations;
        if (!typeOk) {
            Finding& f = Add(CheckLevel::Warning, Check::TypeIndex, TrainPlace(row, kCellType));
            f.v = {t.wAssortment, types};
        }
        const int owner =
            typeOk && m_layouts[t.wAssortment].exists ? static_cast<int>(t.wAssortment) : 0;
        LayoutUse& use = m_layouts[static_cast<size_t>(owner)];
        CheckTrainText(row, use, kPartName, t.strName, t.strNameEn, kCellName, kCellNameEn);

        const int service = ServiceTime(t.wTime, dateChange);
        if (previous > service) {
            Finding& f = Add(CheckLevel::Warning, Check::TrainOrder, TrainPlace(row, kCellTime));
            f.v = {t.wTime, trains[i - 1].wTime, row - 1};
        }
        previous = service;
        if (t.wTime >= kMinutesPerDay && t.wTime >= dateChange + kMinutesPerDay) {
            Finding& f = Add(CheckLevel::Warning, Check::TimeBeyondDay, TrainPlace(row, kCellTime));
            f.v = {t.wTime, dateChange};
        }
        const quint64 key = quint64(t.wTime) << 32 | quint64(t.wAssortment) << 16 | t.wDestination;
        for (size_t s = (key * 0x9E3779B97F4A7C15ull >> 40) & (capacity - 1);;
             s = (s + 1) & (capacity - 1)) {
            if (seen[s] == ~quint64(0)) {
                seen[s] = key << 16 | (static_cast<quint64>(row) - 1);
                break;
            }
            if (seen[s] >> 16 == key) {
                Finding& f =
                    Add(CheckLevel::Note, Check::DuplicateTrain, TrainPlace(row, kCellTime));
                f.v = {static_cast<int>(seen[s] & 0xFFFF) + 1, t.wTime};
                if (typeOk)
                    f.text = m_doc.m_TrainAssortment.ElementAt(t.wAssortment).strName;
                if (destinationOk)
                    f.other = m_doc.m_Destination.ElementAt(t.wDestination).strName;
                break;
            }
        }

        if (!destinationOk) {
            Finding& f = Add(CheckLevel::Warning, Check::DestinationIndex,
                             TrainPlace(row, kCellDestination));
            f.v = {t.wDestination, destinations};
        }
        CheckTrainText(row, use, kPartAuxiliary, t.strGuide, t.strNote, kCellGuide, kCellNote);

        if (typeOk) {
            EntryUse& type = m_types[t.wAssortment];
            if (!type.trains++)
                type.firstRow = row;
        }
        if (destinationOk) {
            EntryUse& destination = m_destinations[t.wDestination];
            if (!destination.trains++)
                destination.firstRow = row;
        }
        TallyTrain(row, t, use);
    }
}

void Checker::CheckTrainText(int row, LayoutUse& use, int part, const QByteArray& main,
                             const QByteArray& sub, int mainColumn, int subColumn)
{
    for (int d = 0; d < kDisplays; ++d) {
        const QByteArray& text = d ? sub : main;
        use.typed[d][part] |= !text.isEmpty();
        const auto& span = use.spans[d][part];
        int width = 0;
        if (span && TooWide(text, span->width, &width))
            AddTooWide(TrainPlace(row, d ? subColumn : mainColumn), d, part, text, width,
                       span->width);
    }
}

void Checker::TallyTrain(int row, const tagTRAININFO& t, LayoutUse& use)
{
    ++use.trains;
    const tagTRAINASSORTMENT* type = t.wAssortment >= 1 && t.wAssortment < m_types.size()
                                         ? &m_doc.m_TrainAssortment.ElementAt(t.wAssortment)
                                         : nullptr;
    const DESTINATION* destination = t.wDestination >= 1 && t.wDestination < m_destinations.size()
                                         ? &m_doc.m_Destination.ElementAt(t.wDestination)
                                         : nullptr;
    for (int d = 0; d < kDisplays; ++d) {
        const Spans& spans = use.spans[d];
        const QByteArray* typeName = type ? (d ? &type->strNameSub : &type->strName) : nullptr;
        const QByteArray* place =
            destination ? (d ? &destination->strNameEn : &destination->strName) : nullptr;
        use.typed[d][kPartType] |= typeName && !typeName->isEmpty();
        use.typed[d][kPartDestination] |= place && !place->isEmpty();
        if (!m_font)
            continue;
        // A destination is measured once; whether it fits depends on the train's layout.
        if (const auto& span = spans[kPartDestination];
            span && place && place->size() * kWidestGlyph > span->width) {
            EntryUse& entry = m_destinations[t.wDestination];
            if (entry.width[d] < 0)
                entry.width[d] = Width(*place);
            if (entry.width[d] > span->width && !entry.wideCount[d]++) {
                entry.wideRow[d] = row;
                entry.wideLimit[d] = span->width;
            }
        }
        if (const auto& span = spans[kPartTime]) {
            int& w = m_timeWidths[t.wTime % kMinutesPerDay];
            if (w < 0)
                w = Width(TimeText(t.wTime));
            if (w > span->width)
                use.time[d].Add(row, w, span->width, TimeText(t.wTime));
        }
        if (const auto& span = spans[kPartPlatform]) {
            int w = 0;
            unsigned n = t.wPlatform;
            do {
                w += m_digitWidths[n % 10];
                n /= 10;
            } while (n);
            if (w > span->width)
                use.platform[d].Add(row, w, span->width, QByteArray::number(t.wPlatform));
        }
    }
}

void Checker::CheckEntriesShown()
{
    if (!m_font)
        return;
    for (size_t i = 1; i < m_types.size(); ++i) {
        const EntryUse& use = m_types[i];
        if (!use.trains)
            continue;
        const tagTRAINASSORTMENT& type = m_doc.m_TrainAssortment.ElementAt(i);
        const LayoutUse& layout = m_layouts[type.bCustomLayout ? i : 0];
        for (int d = 0; d < kDisplays; ++d) {
            const auto& span = layout.spans[d][kPartType];
            const QByteArray& name = d ? type.strNameSub : type.strName;
            int width = 0;
            if (!span || !TooWide(name, span->width, &width))
                continue;
            Finding& f = AddTooWide(TrainPlace(use.firstRow, kCellType), d, kPartType, name, width,
                                    span->width);
            f.count = use.trains;
            f.v[0] = static_cast<int>(i);
        }
    }
    for (size_t i = 1; i < m_destinations.size(); ++i) {
        const EntryUse& use = m_destinations[i];
        const DESTINATION& destination = m_doc.m_Destination.ElementAt(i);
        for (int d = 0; d < kDisplays; ++d) {
            if (!use.wideCount[d])
                continue;
            Finding& f = AddTooWide(
                TrainPlace(use.wideRow[d], kCellDestination), d, kPartDestination,
                d ? destination.strNameEn : destination.strName, use.width[d], use.wideLimit[d]);
            f.count = use.wideCount[d];
            f.v[0] = static_cast<int>(i);
        }
    }
}

void Checker::CheckLayoutsInUse()
{
    for (size_t owner = 0; owner < m_layouts.size(); ++owner) {
        const LayoutUse& use = m_layouts[owner];
        if (!use.trains)
            continue;
        const int o = static_cast<int>(owner);
        for (int d = 0; d < kDisplays; ++d) {
            const Spans& spans = use.spans[d];
            // The departure order words grow down the rows; the first one cut off tells from
            // how many rows on the board is wrong.
            if (const auto& span = spans[kPartOrder]; span && m_font) {
                for (int row = 0; row < kMaxTrainRows; ++row) {
                    const QByteArray words = OrderText(row, kDisplayOf[d]);
                    const int width = Width(words);
                    if (width <= span->width)
                        continue;
                    Finding& f = AddTooWide(LayoutPlace(o, d, kPartOrder), d, kPartOrder, words,
                                            width, span->width);
                    if (row >= kDefaultTrainRows)
                        f.level = CheckLevel::Note;
                    f.v[2] = row;
                    break;
                }
            }
            const std::pair<int, const WideText*> wide[] = {{kPartTime, &use.time[d]},
                                                            {kPartPlatform, &use.platform[d]}};
            for (const auto& [part, text] : wide) {
                if (!text->count)
                    continue;
                Finding& f = AddTooWide(LayoutPlace(o, d, part), d, part, text->text, text->width,
                                        text->limit);
                f.count = text->count;
                f.v[1] = text->firstRow;
            }
            // A part nobody typed a text for. Empty on both displays is told once, on the
            // main display where it shows there.
            for (int part : kTypedParts) {
                if (!spans[part] || use.typed[d][part])
                    continue;
                const bool emptyOnMain = use.spans[0][part] && !use.typed[0][part];
                if (d == 1 && emptyOnMain)
                    continue;
                Finding& f = Add(CheckLevel::Note, Check::PartAlwaysEmpty, LayoutPlace(o, d, part));
                f.display = kDisplayOf[d];
                f.part = static_cast<qint8>(part);
                f.count = use.trains;
                f.v[0] = !use.typed[1 - d][part];
            }
        }
    }
}

void Checker::CheckUnused()
{
    // Without trains every entry is unused, which says nothing.
    if (m_doc.m_TrainInfo.m_nSize == 0)
        return;
    for (size_t i = 1; i < m_types.size(); ++i)
        if (!m_types[i].trains)
            Add(CheckLevel::Note, Check::UnusedType,
                ListPlace(CheckPlace::Kind::Type, static_cast<int>(i)))
                .text = m_doc.m_TrainAssortment.ElementAt(i).strName;
    for (size_t i = 1; i < m_destinations.size(); ++i)
        if (!m_destinations[i].trains)
            Add(CheckLevel::Note, Check::UnusedDestination,
                ListPlace(CheckPlace::Kind::Destination, static_cast<int>(i)))
                .text = m_doc.m_Destination.ElementAt(i).strName;
}

void Checker::CheckSign()
{
    if (!m_font)
        return;
    const CQLMDoc& doc = m_doc;
    for (int row = 0; row < (doc.m_bSubLine ? 2 : 1); ++row) {
        for (int d = 0; d < kDisplays; ++d) {
            const bool sub = d == 1;
            const QByteArray platform = QByteArray::number(doc.m_wPlatform);
            const std::pair<int, const QByteArray*> texts[] = {
                {kSignPlatform, row == 0 ? &platform : nullptr},
                {kSignLineName, row ? (sub ? &doc.m_strSubLineNameEn : &doc.m_strSubLineName)
                                    : (sub ? &doc.m_strLineNameEn : &doc.m_strLineName)},
                {kSignDirection, row ? (sub ? &doc.m_strSubGuideEn : &doc.m_strSubGuide)
                                     : (sub ? &doc.m_strGuideEn : &doc.m_strGuide)}};
            for (const auto& [part, text] : texts) {
                const int limit = SignSpan(part).width;
                int width = 0;
                if (text && TooWide(*text, limit, &width))
                    AddTooWide(Place(CheckPlace::Kind::Sign, row, 0, kDisplayOf[d], part), d, part,
                               *text, width, limit);
            }
        }
    }
}

void Checker::CheckGuideMessages()
{
    const int dateChange = m_doc.m_wDateChangeTime;
    struct Window
    {
        int start, end, index;
    };
    std::vector<Window> exclusive;
    const std::vector<GUIDEMESSAGE>& messages = m_doc.m_GuideMessage.Items();
    for (size_t i = 0; i < messages.size(); ++i) {
        const GUIDEMESSAGE& m = messages[i];
        const int index = static_cast<int>(i) + 1;
        // A message shows while start <= now < end in service time (see GuideMessagesAt).
        int start = ServiceTime(m.nStartTime, dateChange);
        int end = ServiceTime(m.nEndTime, dateChange);
        const CheckPlace place = ListPlace(CheckPlace::Kind::GuideMessage, index);
        const int dayEnd = dateChange + kMinutesPerDay;
        if (end <= start || start < dateChange || end > dayEnd) {
            Finding& f = Add(CheckLevel::Warning,
                             end <= start ? Check::GuideNeverShows : Check::GuideOutsideDay, place);
            f.v = {m.nStartTime, m.nEndTime, dateChange};
            f.text = m.strMessage;
        }
        start = std::max(start, dateChange);
        end = std::min(end, dayEnd);
        if (end <= start)
            continue;
        if (m.bExclusive)
            exclusive.push_back({start, end, index});
    }
    // Sorted by start, each window meets the earlier one that reaches furthest, if any. Of two
    // exclusive messages at once only the first in the list shows.
    std::sort(exclusive.begin(), exclusive.end(), [](const Window& a, const Window& b) {
        return a.start != b.start ? a.start < b.start : a.index < b.index;
    });
    const Window* reach = nullptr;
    for (const Window& w : exclusive) {
        if (reach && w.start < reach->end) {
            const Window& hidden = w.index > reach->index ? w : *reach;
            const Window& shown = w.index > reach->index ? *reach : w;
            const GUIDEMESSAGE& m = messages[static_cast<size_t>(hidden.index) - 1];
            const GUIDEMESSAGE& s = messages[static_cast<size_t>(shown.index) - 1];
            Finding& f = Add(CheckLevel::Warning, Check::GuideExclusiveOverlap,
                             ListPlace(CheckPlace::Kind::GuideMessage, hidden.index));
            f.v = {m.nStartTime, m.nEndTime, shown.index, s.nStartTime, s.nEndTime};
            f.text = m.strMessage;
        }
        if (!reach || w.end > reach->end)
            reach = &w;
    }
}

void Checker::CheckKeys()
{
    QHash<QByteArray, int> first;
    int index = 0;
    for (const EXTKEY& key : m_doc.m_ExtKey) {
        ++index;
        const QByteArray path = key.Key();
        const auto it = first.constFind(path);
        if (it == first.cend()) {
            first.insert(path, index);
            continue;
        }
        Finding& f =
            Add(CheckLevel::Note, Check::DuplicateKey, ListPlace(CheckPlace::Kind::ExtKey, index));
        f.text = path;
        f.v[0] = *it;
    }
}

std::vector<Finding> Checker::InPlaceOrder()
{
    // Kind, index, then column (or display and part), then the order found.
    auto key = [](const Finding& f) {
        const CheckPlace& p = f.place;
        const quint64 sub = p.kind == CheckPlace::Kind::Train
                                ? quint64(p.column)
                                : quint64(p.display == Display::Sub) << 4 | quint64(p.part + 1);
        return quint64(p.kind) << 40 | quint64(p.index & 0xFFFFFFF) << 12 | sub;
    };
    auto byPlace = [&](const Finding& a, const Finding& b) { return key(a) < key(b); };
    std::stable_sort(m_laterTrainFindings.begin(), m_laterTrainFindings.end(), byPlace);
    std::stable_sort(m_otherFindings.begin(), m_otherFindings.end(), byPlace);
    // The few findings made after the pass go into the long list from its end: only the
    // findings after the first of them move, and nothing is copied into a new list.
    std::vector<Finding>& all = m_trainFindings;
    const size_t n = all.size();
    const size_t k = m_laterTrainFindings.size();
    all.resize(n + k);
    size_t i = n;
    size_t j = k;
    for (size_t w = n + k; j > 0;) {
        if (i > 0 && byPlace(m_laterTrainFindings[j - 1], all[i - 1]))
            all[--w] = std::move(all[--i]);
        else
            all[--w] = std::move(m_laterTrainFindings[--j]);
    }
    all.reserve(all.size() + m_otherFindings.size());
    std::move(m_otherFindings.begin(), m_otherFindings.end(), std::back_inserter(all));
    return std::move(all);
}

} // namespace

std::vector<Finding> RunChecks(const CQLMDoc& doc, const CBoardFont* font)
{
    return Checker(doc, font).Run();
}

} // namespace Board
