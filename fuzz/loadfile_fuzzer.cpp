// libFuzzer target: any byte string is refused or opens; whatever opens saves, and what it
// saves reads back and saves to the same bytes.

#include "qlmdoc.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CQLMDoc doc;
    LoadError error;
    QStringList warnings;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!doc.LoadFile(bytes, &error, &warnings))
        return 0;
    QByteArray saved;
    if (!doc.SaveFile(&saved))
        std::abort();
    CQLMDoc again;
    if (!again.LoadFile(saved, &error))
        std::abort();
    QByteArray savedAgain;
    if (!again.SaveFile(&savedAgain) || savedAgain != saved)
        std::abort();
    return 0;
}
