#pragma once

#include <functional>

class CVeldenDoc;
struct GridState;

// What a row dialog works on: the document, the selection of the view that opened it, and the
// view's whole refresh, which the dialog runs after it changed the trains.
struct RowContext
{
    CVeldenDoc* doc = nullptr;
    GridState* state = nullptr;
    std::function<void()> refresh;
};
