#pragma once

#include "qlmdoc.h"

#include <QList>

#include <optional>
#include <utility>
#include <vector>

// What one change did to a timetable: enough for every window that shows it to keep its own
// state (current row, copy source row, open editor) on the right trains.
struct DocChange
{
    enum class Kind
    {
        TrainsChanged,       // rows first..first+count-1 hold other values; no row moved
        RowsInserted,        // count new rows at first; the rows from first on moved down
        RowsRemoved,         // rows first..first+count-1 are gone; later rows moved up
        RowMoved,            // the train at row first now stands at row to
        TypesChanged,        // the train type list, and with it the trains' type indexes
        DestinationsChanged, // the destination list, and with it the trains' destinations
        PropertiesChanged,   // anything else: station, colours, layouts, messages, extension
        Reset,               // a whole new timetable
    };
    Kind kind = Kind::Reset;
    int first = 0;
    int count = 0;
    int to = 0;
    friend bool operator==(const DocChange&, const DocChange&) = default;
};

// One reversible change to a timetable, made of steps run in order. A step is built from the
// new values only; running it trades them with what the timetable held, so running it back
// restores the old values and the step then holds the new ones again. Only the trains a step
// touches are held, so a long undo history of row operations stays small.
//
// Steps are built against the timetable as it will be when they run, after the steps before
// them; rows are 1-based train indexes.
class TimetableEdit
{
public:
    // Inserts trains before row first (1..N+1).
    TimetableEdit& InsertTrains(int first, std::vector<tagTRAININFO> trains);
    // Removes rows first..first+count-1.
    TimetableEdit& RemoveTrains(int first, int count);
    // Overwrites rows first..first+trains.size()-1.
    TimetableEdit& SetTrains(int first, std::vector<tagTRAININFO> trains);
    TimetableEdit& SetTrain(int row, tagTRAININFO train);
    // Gives each listed row the type index beside it.
    TimetableEdit& SetTrainTypes(std::vector<std::pair<int, quint16>> rowTypes);
    // Moves the train at row from so that it stands at row to afterwards.
    TimetableEdit& MoveTrain(int from, int to);
    // Replaces the type and destination lists; when given, also every train's type and
    // destination index (one entry per train, in row order).
    TimetableEdit& SetLists(CTrainAssortment types, CDestination destinations,
                            std::optional<std::vector<quint16>> trainTypes = {},
                            std::optional<std::vector<quint16>> trainDestinations = {});
    // Replaces everything but the trains, types and destinations with the members of props.
    TimetableEdit& SetProperties(CQLMDoc props);

    bool IsEmpty() const { return m_steps.empty(); }

    // Runs the steps forward, or takes them back in reverse order. Returns what changed, in the
    // order it happened.
    QList<DocChange> Redo(CQLMDoc& doc);
    QList<DocChange> Undo(CQLMDoc& doc);

    // For edits that overwrite one train (a cell edit): the row, or 0 for any other edit.
    int SingleTrainRow() const;
    // True for an edit that only replaces the properties.
    bool PropertiesOnly() const;
    // After this edit and later both ran, both overwriting the same single train or both only
    // replacing the properties: this edit, still holding what stood before both, now stands for
    // both. False when they are not of that shape.
    bool Absorb(const TimetableEdit& later);
    // True when an edit that ran leaves the timetable as it was (typed back to the old text).
    bool RanWithoutEffect(const CQLMDoc& doc) const;

    // Rough bytes held by the edit beyond the texts it shares with the timetable.
    qsizetype HeldBytes() const;

private:
    enum class StepKind
    {
        Insert, // puts held trains in (forward)
        Remove, // takes rows out into held (forward)
        Swap,   // trades held trains with rows
        SwapTypes,
        Move,
        SwapLists,
        SwapProperties,
    };
    struct Step
    {
        StepKind kind;
        int first = 0;
        int count = 0;
        int to = 0;
        std::vector<tagTRAININFO> trains{};
        std::vector<std::pair<int, quint16>> rowTypes{};
        CTrainAssortment types{};
        CDestination destinations{};
        std::optional<std::vector<quint16>> trainTypes{};
        std::optional<std::vector<quint16>> trainDestinations{};
        std::optional<CQLMDoc> props{};
    };
    static void Run(Step& step, CQLMDoc& doc, bool forward, QList<DocChange>& changes);

    std::vector<Step> m_steps;
};
