// The texts of the play list grid's cells.
#pragma once

#include "GridColumns.h"
#include "InputItemDB.h"

#include <cstdint>
#include <string>
#include <string_view>

// A genre number's name for 0 ... 146, "Unknown" for any other number.
std::string GenreLabel(int32_t genre);

// "%02d:%02d" of minutes and seconds, minutes not wrapped (125:07).
std::string PlayTimeText(int32_t seconds);

// The play lengths of every item, summed without overflow.
int64_t TotalPlayTime(const TInputItemDB& items);
// "%d:%02d:%02d" of hours, minutes and seconds and one space.
std::string TotalTimeText(int64_t seconds);

// Tag text as one cell line: line breaks and tabs become spaces, a lead byte
// cut off at the end is dropped.
std::string CellLine(std::string_view text);

// The text of `field` for an item; column 0 and the unite mode's proposed
// name are the grid's own.
std::string FieldCellText(const ItemRecord& item, CellField field);
