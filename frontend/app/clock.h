// The system clock, for the date word "maintenant".
#pragma once

namespace frontend {

// The current instant as a Julian Day in UT, from std::chrono::system_clock
// (which counts UTC, within a second of UT1), to the millisecond.
double currentJulianDayUt();

}  // namespace frontend
