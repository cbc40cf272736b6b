// TimeScale::compute: one instant, in the time scale of the request.
#include "frontend/request.h"

namespace frontend {

astro::Instant TimeScale::compute(const astro::CalendarDate& date) const {
  if (!universal) {
    return astro::computeInstant(date);
  }
  const astro::JulianDate ut{astro::julianDay(date)};
  return astro::computeInstantUt(ut, deltaT ? *deltaT : astro::deltaT(astro::decimalYear(ut)));
}

}  // namespace frontend
