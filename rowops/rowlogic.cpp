#include "rowlogic.h"

#include "qlmdoc.h"

#include <algorithm>

tagTRAININFO BlankTrain()
{
    tagTRAININFO train;
    train.wTrainNo = 0;
    train.chTrainSuffix = 'Z';
    train.wAssortment = 1;
    train.wTime = 0;
    train.wReserved = 0;
    train.wDestination = 1;
    train.wPlatform = 1;
    return train;
}

int ParseDecimal(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r' ||
                     text[i] == u'\v' || text[i] == u'\f'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Saturate rather than overflow: any value this large is out of every range anyway.
    qint64 value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), qint64(1) << 40);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<qint64>(value, INT_MIN, INT_MAX));
}

bool IsTrainRow(const CQLMDoc& doc, int row)
{
    return row >= 1 && row <= doc.m_wTrainCount;
}

bool HasSelectedCell(const CQLMDoc& doc, const GridState& state)
{
    return state.m_nCurColumn >= 1 && state.m_nCurColumn <= 10 && IsTrainRow(doc, state.m_nCurRow);
}

// Room for count more trains within the 16-bit count.
static bool HasRoomFor(const CQLMDoc& doc, qint64 count)
{
    return doc.m_wTrainCount + count <= kMaxCollection;
}

// ---- Insert -----------------------------------------------------------------------------------

InsertResult InsertTrains(const CQLMDoc& doc, int currentRow, bool atCurrentRow, int count,
                          std::optional<int> copyFromRow, TimetableEdit* edit)
{
    if (count < 1 || count > kMaxInsertCount)
        return InsertResult::BadCount;
    if (copyFromRow && !IsTrainRow(doc, *copyFromRow))
        return InsertResult::BadCopySource;
    if (atCurrentRow && !IsTrainRow(doc, currentRow))
        return InsertResult::NoCurrentRow;
    if (!HasRoomFor(doc, count))
        return InsertResult::TooManyTrains;

    const tagTRAININFO templ = copyFromRow ? doc.m_TrainInfo.ElementAt(*copyFromRow) : BlankTrain();
    const int first = atCurrentRow ? currentRow : doc.m_wTrainCount + 1;
    edit->InsertTrains(first, std::vector<tagTRAININFO>(static_cast<size_t>(count), templ));
    return InsertResult::Done;
}

// ---- Delete -----------------------------------------------------------------------------------

int LargestDeleteCount(DeleteDirection direction, int trainCount, int currentRow)
{
    switch (direction) {
    case DeleteDirection::DownFromCurrent:
        return trainCount - currentRow + 1;
    case DeleteDirection::UpFromCurrent:
        return currentRow;
    case DeleteDirection::UpFromEnd:
        return trainCount;
    }
    return 0;
}

DeleteResult DeleteTrains(const CQLMDoc& doc, int currentRow, DeleteDirection direction, int count,
                          TimetableEdit* edit)
{
    const int n = doc.m_wTrainCount;
    if (n == 0)
        return DeleteResult::NoRows;
    const int current = currentRow;
    if (direction != DeleteDirection::UpFromEnd && !IsTrainRow(doc, current))
        return DeleteResult::NoCurrentRow;
    if (count < 1 || count > LargestDeleteCount(direction, n, current))
        return DeleteResult::BadCount;

    int first = 0;
    switch (direction) {
    case DeleteDirection::DownFromCurrent:
        first = current;
        break;
    case DeleteDirection::UpFromCurrent:
        first = current - count + 1;
        break;
    case DeleteDirection::UpFromEnd:
        first = n - count + 1;
        break;
    }
    edit->RemoveTrains(first, count);
    return DeleteResult::Done;
}

// ---- Copy, cut and paste ------------------------------------------------------------------------

MarkResult MarkCopySource(const CQLMDoc& doc, GridState& state, bool cut, int* previousRow)
{
    if (!HasSelectedCell(doc, state))
        return MarkResult::NoSelection;
    if (state.m_nCopySrcRow == state.m_nCurRow && state.m_bCutMark == cut)
        return MarkResult::Unchanged;
    if (previousRow)
        *previousRow = state.m_nCopySrcRow;
    state.m_nCopySrcRow = state.m_nCurRow;
    state.m_bCutMark = cut;
    return MarkResult::Done;
}

PasteCheck CheckPaste(const CQLMDoc& doc, const GridState& state)
{
    if (!IsTrainRow(doc, state.m_nCopySrcRow))
        return PasteCheck::NoCopySource;
    if (!HasSelectedCell(doc, state))
        return PasteCheck::NoSelection;
    return PasteCheck::Ready;
}

PasteResult PasteRow(const CQLMDoc& doc, const GridState& state, PasteMode mode,
                     TimetableEdit* edit, int* pastedRow)
{
    switch (CheckPaste(doc, state)) {
    case PasteCheck::NoCopySource:
        return PasteResult::NoCopySource;
    case PasteCheck::NoSelection:
        return PasteResult::NoSelection;
    case PasteCheck::Ready:
        break;
    }
    const int source = state.m_nCopySrcRow;
    const int current = state.m_nCurRow;
    const tagTRAININFO& copy = doc.m_TrainInfo.ElementAt(source);

    if (state.m_bCutMark) {
        if (mode == PasteMode::Insert) {
            // Moving the train: no row is added, so this works in a full list too. The train
            // lands just before the one at the current row.
            *pastedRow = source < current ? current - 1 : current;
            edit->MoveTrain(source, *pastedRow);
        } else {
            if (source == current) {
                // The row to overwrite is the one cut out: keep the train where it is.
                *pastedRow = current;
                return PasteResult::Unchanged;
            }
            *pastedRow = source < current ? current - 1 : current;
            edit->RemoveTrains(source, 1).SetTrain(*pastedRow, copy);
        }
        return PasteResult::Done;
    }

    if (mode == PasteMode::Insert) {
        if (!HasRoomFor(doc, 1))
            return PasteResult::TooManyTrains;
        edit->InsertTrains(current, {copy});
    } else {
        edit->SetTrain(current, copy);
    }
    *pastedRow = current;
    return PasteResult::Done;
}

// ---- Replace train types ----------------------------------------------------------------------

ReplaceResult ReplaceTypes(const CQLMDoc& doc, const std::vector<int>& sources, int target,
                           TimetableEdit* edit)
{
    std::vector<bool> isSource(65536, false);
    for (const int s : sources) {
        if (s >= 0 && s <= 65535)
            isSource[static_cast<size_t>(s)] = true;
    }
    ReplaceResult result;
    result.total = doc.m_wTrainCount;
    std::vector<std::pair<int, quint16>> changes;
    int row = 0;
    for (const auto& train : doc.m_TrainInfo.Items()) {
        ++row;
        if (!isSource[train.wAssortment])
            continue;
        ++result.replaced;
        if (train.wAssortment != target) {
            ++result.changed;
            changes.emplace_back(row, static_cast<quint16>(target));
        }
    }
    edit->SetTrainTypes(std::move(changes));
    return result;
}

// ---- Pattern timetable --------------------------------------------------------------------------

PatternCheck CheckPatternTexts(int trainCount, const QString& first, const QString& count,
                               const QString& cycle, const QString& repetitions)
{
    PatternCheck check;
    bool ok = true;
    const int firstRow = ParseDecimal(first);
    if (firstRow < 1 || firstRow > trainCount) {
        ok = false;
    } else {
        check.countSpinEnabled = true;
        check.countMax = trainCount - firstRow + 1;
        const int rows = ParseDecimal(count);
        if (rows < 1 || rows > check.countMax)
            ok = false;
    }
    const int minutes = ParseDecimal(cycle);
    if (minutes < kMinPatternCycle || minutes > kMaxPatternCycle)
        ok = false;
    const int times = ParseDecimal(repetitions);
    if (times < 1 || times > kMaxPatternRepetitions)
        ok = false;
    check.okEnabled = ok;
    return check;
}

quint16 PatternTime(quint16 time, int k, int cycle)
{
    // The sum is a departure time like any other, so it wraps at 16 bits before the day check;
    // this only matters for times far past a day that a file may carry.
    auto sum = static_cast<quint16>(time + k * cycle);
    if (sum >= kMinutesPerDay)
        sum = static_cast<quint16>(sum - kMinutesPerDay);
    return sum;
}

PatternResult BuildPattern(const CQLMDoc& doc, int first, int count, int cycle, int repetitions,
                           TimetableEdit* edit)
{
    const int n = doc.m_wTrainCount;
    if (first < 1 || first > n || count < 1 || count > n - first + 1 || cycle < kMinPatternCycle ||
        cycle > kMaxPatternCycle || repetitions < 1 || repetitions > kMaxPatternRepetitions)
        return PatternResult::BadInput;
    const qint64 added = qint64(count) * repetitions;
    if (!HasRoomFor(doc, added))
        return PatternResult::TooManyTrains;

    // The copies go directly after the pattern rows, which stay where they are.
    const auto pattern = doc.m_TrainInfo.Items().begin() + (first - 1);
    std::vector<tagTRAININFO> copies;
    copies.reserve(static_cast<size_t>(added));
    for (int k = 1; k <= repetitions; ++k) {
        for (int j = 0; j < count; ++j) {
            copies.push_back(pattern[j]);
            copies.back().wTime = PatternTime(pattern[j].wTime, k, cycle);
        }
    }
    edit->InsertTrains(first + count, std::move(copies));
    return PatternResult::Done;
}

// ---- Messages -------------------------------------------------------------------------------

namespace RowText {
QString TooManyTrains()
{
    return QStringLiteral("列車は%1本までしか登録できません").arg(kMaxCollection);
}
QString BadCopySource()
{
    return QStringLiteral("複写元の行番号が不正です");
}
QString NoCellForInsert()
{
    return QStringLiteral("ｾﾙが選択されていないので[現在位置から挿入]は使えません");
}
QString BadInsertCount()
{
    return QStringLiteral("行数の値が不正です");
}
QString NoRowsToDelete()
{
    return QStringLiteral("行がないので削除できません");
}
QString BadDeleteCount()
{
    return QStringLiteral("削除行数の値が不正です");
}
QString NoRowSelected()
{
    return QStringLiteral("行が選択されていません");
}
QString NoCellSelected()
{
    return QStringLiteral("セルが選択されていません");
}
QString NoCopySource()
{
    return QStringLiteral("ｺﾋﾟｰ元の行が選択されていません");
}
QString ReplaceReport(int total, int replaced)
{
    return QStringLiteral("%1 個中 %2 個のｱｲﾃﾑを置換しました").arg(total).arg(replaced);
}
QString ReplaceCaption()
{
    return QStringLiteral("完了");
}
QString InsertStep()
{
    return QStringLiteral("列車の挿入");
}
QString DeleteStep()
{
    return QStringLiteral("削除");
}
QString PasteStep()
{
    return QStringLiteral("貼り付け");
}
QString ReplaceStep()
{
    return QStringLiteral("置換");
}
QString PatternStep()
{
    return QStringLiteral("パターンダイヤ");
}
} // namespace RowText
