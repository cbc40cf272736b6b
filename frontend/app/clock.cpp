// The system clock as a Julian Day.
#include "frontend/app/clock.h"

#include <chrono>

namespace frontend {

double currentJulianDayUt() {
  constexpr double kUnixEpoch = 2440587.5;  // 1970-01-01 0h UT
  constexpr double kMillisecondsPerDay = 86'400'000;
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return kUnixEpoch + static_cast<double>(since.count()) / kMillisecondsPerDay;
}

}  // namespace frontend
