#pragma once

// The columns of the train grid, left to right. Column 0 holds the row numbers.
namespace GridColumn {
enum : int
{
    RowNumber = 0,
    TrainNo = 1, // number and suffix, "123A"
    Type = 2,    // the train type's name
    Name = 3,    // train name
    NameEn = 4,  // train name, English
    Time = 5,    // departure time
    Destination = 6,
    Platform = 7,
    Guide = 8,
    Service = 9, // running or not: always "---"
    Note = 10,
    Count = 11,
};
} // namespace GridColumn
