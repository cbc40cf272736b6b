// The date of the report being asked for, written by the dialogue and read
// by the report. All three start at zero.
#pragma once

#include <cstdint>

extern double day;          // day of the month, fraction = time of day from 0h
extern std::int32_t month;  // 1 for January
extern std::int32_t year;
