// qlmgen: writes a large, realistic timetable for measuring the reader and writer.
// Usage: qlmgen OUT.qlm [TRAINS]   (default 65535 trains, 300 types, 400 destinations)
// The output depends only on the arguments (the timetable is Samples::Big).

#include "fileio.h"
#include "qlmdoc.h"
#include "samples.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: qlmgen OUT.qlm [TRAINS]\n", stderr);
        return 2;
    }
    const int trains = argc == 3 ? std::atoi(argv[2]) : kMaxCollection;
    if (trains < 0 || trains > kMaxCollection) {
        std::fputs("qlmgen: TRAINS must be 0..65535\n", stderr);
        return 2;
    }
    const CQLMDoc doc = Samples::Big(trains);
    QByteArray bytes;
    SaveError saveError;
    if (!doc.SaveFile(&bytes, &saveError)) {
        std::fprintf(stderr, "qlmgen: %s\n", qPrintable(saveError.English()));
        return 1;
    }
    QString error;
    if (!WriteFileAtomically(QString::fromLocal8Bit(argv[1]), bytes, &error)) {
        std::fprintf(stderr, "qlmgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
