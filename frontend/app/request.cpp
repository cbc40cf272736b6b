// TimeScale: the instant of a date and Delta T, in the request's time
// scale; toReport: civil times turned into UT.
#include "frontend/app/request.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "frontend/read/answers.h"

namespace frontend {

astro::Instant TimeScale::compute(const DateEntry& entry, astro::Theory theory) const {
  if (!universalFor(entry)) {
    return astro::computeInstant(entry.date, theory);
  }
  return astro::computeInstantUt(entry.date, astroScale(), theory);
}

astro::TimeScale TimeScale::astroScale() const {
  return deltaT ? astro::TimeScale::fixed(*deltaT) : astro::TimeScale::observed();
}

double TimeScale::deltaTAt(double jd) const {
  return astroScale().deltaT(astro::UT{jd});
}

double TimeScale::largestDeltaT() {
  constexpr auto kFarthest = static_cast<double>(kFarthestYear);
  return std::ceil(
      std::max(std::fabs(astro::deltaT(-kFarthest)), std::fabs(astro::deltaT(kFarthest))));
}

astro::Theory almanacTheory(const Request& request, double jdTt) {
  const bool inSpan = jdTt >= astro::kPreciseSpanStart && jdTt < astro::kPreciseSpanEnd;
  return request.theory == astro::Theory::Precise || inSpan ? astro::Theory::Precise
                                                            : astro::Theory::Classic;
}

Parsed<ToReport> toReport(const Request& request, const DateEntry& given, bool skipForward) {
  if (!request.civil || given.universal) {
    return ToReport{given, false};
  }
  const Parsed<ZonedTime> instant = universalOf(request.zone, given.date);
  double jdUt = 0.0;
  bool ambiguous = false;
  if (const auto* at = std::get_if<ZonedTime>(&instant)) {
    jdUt = at->jdUt;
    ambiguous = at->ambiguous;
  } else {
    Refusal refusal = std::get<Refusal>(instant);
    if (refusal.reason != Reason::LocalTimeInGap || !skipForward) {
      refusal.word = given.label;
      return refusal;
    }
    // The offset of the day before, which the clock kept until the change.
    const double clock = astro::julianDay(given.date);
    jdUt = clock - localOffsetSeconds(request.zone, clock - 1.0) / 86400.0;
  }
  DateEntry entry{astro::calendarDate(astro::JulianDate{jdUt}), given.label, true};
  return ToReport{std::move(entry), ambiguous};
}

}  // namespace frontend
