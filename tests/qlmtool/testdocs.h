#pragma once

// A file image shared by the qlmtool tests (their timetables: Samples).

#include "samples.h"

#include <QByteArray>

namespace TestDocs {

// A small version 2 ("QLM") file written byte by byte: one type, one destination, one train,
// no extension section.
inline QByteArray Version2File()
{
    QByteArray d("QLM");
    const auto u8 = [&](unsigned v) { d.append(static_cast<char>(v & 0xFF)); };
    const auto u16 = [&](unsigned v) {
        u8(v);
        u8(v >> 8);
    };
    const auto u32 = [&](quint32 v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const auto str = [&](const QByteArray& s) {
        u16(static_cast<unsigned>(s.size()));
        d.append(s);
    };
    for (const char* s : {"ID", "\x93\x96\x89\x77", "Here", "Next", "NextEn", "Prev", "PrevEn"})
        str(s);
    u8(3);
    u8(0);
    u32(0x00112233); // line colour
    for (const char* s : {"Line", "LineEn", "Guide", "GuideEn"})
        str(s);
    u16(0xFFFF);     // sub line on
    u32(0x00445566); // sub line colour
    for (const char* s : {"Sub", "SubEn", "SubGuide", "SubGuideEn", "AllDay"})
        str(s);
    for (int l = 0; l < 14; ++l) {
        u16(l == 1 ? 1 : 0);
        u16(l % 7 == 1 ? 6 : 0); // span counts columns here: 0 becomes 65535
        u16(0);
    }
    u32(0x00303030);
    u32(0x0000FF00);
    u16(1);   // types
    u16(1);   // destinations
    u16(120); // date change
    u16(300); // display start
    u16(1);   // trains
    str("\x95\x81\x92\xCA");
    str("LOCAL");
    u32(0x00303030);
    u32(0x0000FF00);
    str("Dest");
    str("DestEn");
    u16(10);
    u8('A');
    u16(1);
    str("Name");
    str("NameEn");
    u16(600);
    u16(0);
    u16(1);
    u16(2);
    str("");
    str("\x81"); // a lone lead byte
    return d;
}

} // namespace TestDocs
