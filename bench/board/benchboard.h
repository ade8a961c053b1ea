#pragma once

#include "boardfont.h"

#include <cstdio>
#include <cstdlib>

// The board font of the benchmarks: a benchmark without glyphs measures nothing, so it stops.
inline const CBoardFont& BenchFont()
{
    QString error;
    static const auto font = CBoardFont::Shared(&error);
    if (!font) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::abort();
    }
    return *font;
}
