#pragma once

// Sample timetables for tests, benchmarks and the documentation's pictures. Texts are given in
// UTF-8 and stored as code page 932 bytes, as the file holds them.
//
//   CQLMDoc doc = Samples::Timetable()
//                     .Types({{"普通", "LOCAL"}, {"快速", "RAPID"}})
//                     .Trains({{101, 'M', 1, Samples::Hm(7, 0)}, {.no = 103, .name = "あずさ"}})
//                     .Key("MADEBY", "me");

#include "qlmdoc.h"
#include "sjis.h"

#include <QByteArray>

#include <functional>
#include <initializer_list>

namespace Samples {

// The code page 932 bytes of a UTF-8 text.
QByteArray J(const char* utf8);

constexpr int Hm(int hour, int minute)
{
    return hour * 60 + minute;
}

// The bytes of a version 3 file of the timetable (empty when it cannot be written).
QByteArray Bytes(const CQLMDoc& doc);

// A file's bytes (empty when it cannot be read); writing a file (false when that fails).
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);

// A train type's or destination's names.
struct Names
{
    const char* name = "";
    const char* nameEn = "";
};

// One train; what is not given is 0 or empty, of type 1 to destination 1. The numbers come
// first, so that {101, 'M', 2, Hm(7, 0)} reads as the grid does.
struct Train
{
    quint16 no = 0;
    quint8 suffix = 0;
    quint16 type = 1;
    int time = 0;
    quint16 destination = 1;
    quint16 platform = 0;
    const char* name = "";
    const char* nameEn = "";
    const char* guide = "";
    const char* note = "";

    tagTRAININFO Info() const;
    operator tagTRAININFO() const { return Info(); }
};

struct Guide
{
    int start = 0;
    int end = 0;
    bool exclusive = false;
    const char* text = "";
};

// Starts from a new document's defaults (one type, one destination, no trains, no keys); each
// call replaces what it names and leaves the rest.
class Timetable
{
public:
    Timetable();

    // The types' and destinations' names; entries beyond the old count start empty, those before
    // keep their colours and layouts.
    Timetable& Types(std::initializer_list<Names> types);
    Timetable& Destinations(std::initializer_list<Names> destinations);
    Timetable& Trains(std::initializer_list<Train> trains);
    // count trains, train i (from 1) made by make.
    Timetable& Trains(int count, const std::function<Train(int i)>& make);
    // count trains, each changed by change from an empty train.
    Timetable& EachTrain(int count, const std::function<void(int i, tagTRAININFO&)>& change);
    Timetable& Guides(std::initializer_list<Guide> guides);
    // Appends a key (and writes the key block).
    Timetable& Key(const char* path, const char* value);
    Timetable& Layouts(const PanelLayout& main, const PanelLayout& sub);
    // Anything else, on the timetable itself.
    Timetable& With(const std::function<void(CQLMDoc&)>& change);

    operator CQLMDoc() const { return m_doc; }

private:
    CQLMDoc m_doc;
};

// One train (あずさ at 07:30, platform 9), one guide message and one key.
CQLMDoc Small();

// A platform board: date change 02:00, display start 04:30, types 普通 and 快速 (lit in its own
// colour on a lit background), destinations 東京 and 高尾, and trains at the given times in file
// order, numbered from 101, each a 普通 to 東京 with its row as the platform.
CQLMDoc Board(std::initializer_list<int> times = {Hm(5, 0), Hm(7, 0), Hm(7, 10), Hm(7, 30),
                                                  Hm(23, 50), Hm(0, 45)});

// count trains with Japanese names, four types and five destinations, for the grid.
CQLMDoc Grid(int count);

// The timetable at the format's limits for measurements (qlmgen writes it): 65,535 trains unless
// told otherwise, 300 types, 400 destinations, 48 guide messages; the same bytes everywhere.
CQLMDoc Big(int trains = kMaxCollection);

// The documentation's timetable: 八王子, platform 3 of the 中央線, three types (特急 with its own
// colour and panel layout), five destinations, 30 trains from 05:21, guide messages, keys and a
// data block.
CQLMDoc Demo();

} // namespace Samples
