#pragma once

// Builds file images byte by byte for the tests, independently of the writer under test.

#include <QByteArray>
#include <QtGlobal>

class FileBytes
{
public:
    FileBytes& raw(const QByteArray& b)
    {
        d.append(b);
        return *this;
    }
    FileBytes& u8(unsigned v)
    {
        d.append(static_cast<char>(v & 0xFF));
        return *this;
    }
    FileBytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    FileBytes& u32(quint32 v) { return u16(v & 0xFFFF).u16(v >> 16); }
    FileBytes& str(const QByteArray& s)
    {
        u16(static_cast<unsigned>(s.size()));
        return raw(s);
    }
    FileBytes& zstr(const QByteArray& s) { return raw(s).u8(0); }
    // 7 layout entries, each (column, span, align) = (base + i, i, i % 3).
    FileBytes& layout(unsigned base)
    {
        for (unsigned i = 0; i < 7; ++i)
            u16(base + i).u16(i).u16(i % 3);
        return *this;
    }
    QByteArray d;
};

// A version 3 file with every section: 1 guide message, 2 types, 2 destinations, 2 trains
// (given by the caller), and an extension section whose key block holds one key A=B.
struct V3File
{
    static FileBytes Head()
    {
        FileBytes f;
        f.raw("QL3")
            .str("ID")
            .str("\x93\x96\x89\x77")
            .str("Station")
            .str("Next")
            .str("NextEn")
            .str("Prev")
            .str("PrevEn");
        f.u8(7).u8(0x55); // platform, reserved byte (ignored on reading)
        f.u32(0x00112233).u32(0x00445566).u32(1);
        f.str("Line").str("LineEn").str("Guide").str("GuideEn");
        f.u32(1).u32(0x00778899).u32(0x00AABBCC).u32(0);
        f.str("Sub").str("SubEn").str("SubGuide").str("SubGuideEn").str("AllDay");
        f.u16(1).u32(360).u32(420).u32(1).str("Msg");
        f.layout(1).layout(11);
        f.u32(0x00303030).u32(0x0000FF00);
        return f;
    }
    // Counts T=2, D=2, date change 120, display start 300, N = trains.
    static FileBytes Lists(FileBytes f, unsigned trains)
    {
        f.u16(2).u16(2).u16(120).u16(300).u16(trains);
        for (int t = 0; t < 2; ++t) {
            f.str(t ? "Rapid" : "Local").str(t ? "RAPID" : "LOCAL");
            f.u32(1).u32(0).u32(t).u32(0x00303030).u32(0x0000FF00);
            f.layout(21).layout(31);
        }
        f.str("DestA").str("DestAEn").str("DestB").str("DestBEn");
        return f;
    }
    static FileBytes& Train(FileBytes& f, unsigned no, char suffix, unsigned type, unsigned time,
                            unsigned dest)
    {
        return f.u16(no)
            .u8(static_cast<unsigned char>(suffix))
            .u16(type)
            .str("Name")
            .str("NameEn")
            .u16(time)
            .u16(0xBEEF)
            .u16(dest)
            .u16(3)
            .str("Guide")
            .str("Note");
    }
    static FileBytes& KeyBlockAB(FileBytes& f)
    {
        f.raw(QByteArray("ExD\0", 4)).u32(1).zstr("@ORL300").u32(10);
        return f.u32(1).zstr("A").zstr("B").u16(0);
    }
    static QByteArray Full()
    {
        FileBytes f = Lists(Head(), 2);
        Train(f, 12, 'A', 1, 425, 2);
        Train(f, 13, 0, 2, 1500, 1);
        return KeyBlockAB(f).d;
    }
};
