#pragma once

#include "veldendoc.h"

struct GridState;

// What a row dialog works on: the document, read and changed only through its one path, and
// the selection of the view that opened it. The view follows the change itself.
struct RowContext
{
    CVeldenDoc* doc = nullptr;
    const GridState* state = nullptr;

    const CQLMDoc& Timetable() const { return doc->Timetable(); }
    // Runs the user's choice as one undo step.
    void Apply(TimetableEdit edit, const QString& step) const { doc->Apply(std::move(edit), step); }
};
