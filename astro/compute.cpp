// computeInstant, computeInstantUt, computeBody: the positions of one
// instant.
//
//   date    a calendar date (through julianDay) or a Julian Day
//   body    Sun, Moon, Mercury .. Neptune
//   deltaT  TT - UT, seconds, for a date in Universal Time
//
// A date is turned once into what its bodies share: the time base (Julian
// Day, sidereal time, T), the obliquity and the Sun's orbit, and for
// Jupiter to Neptune the auxiliary angles of their series. Each body's
// branch then works from these alone. The right ascension and the sidereal
// time are brought into [0, 2 PI) by whole turns; the status says whether
// the date lies in the measured span and whether each position could be
// computed at all.
#include <cmath>
#include <cstddef>

#include "astro/astro.h"
#include "astro/constants.h"
#include "astro/moon.h"
#include "astro/numeric.h"
#include "astro/perturbations.h"
#include "astro/planets.h"
#include "astro/prelude.h"
#include "astro/series.h"
#include "astro/sky_position.h"
#include "astro/sun.h"
#include "astro/time_base.h"

namespace astro {
namespace {

// What every body of one date starts from.
struct DateQuantities {
  TimeBase time;
  Prelude prelude;
  SeriesArguments series;
};

// `angles` chooses the series arguments worth computing: all of them for a
// whole instant, those of one planet's series for that planet alone.
// `time` is the time base of the positions' Julian Day.
DateQuantities dateQuantities(const TimeBase& time, AngleMask angles) {
  return DateQuantities{time, computePrelude(time.t),
                        angles != 0 ? seriesArguments(time.t, angles) : SeriesArguments{}};
}

// Whether a Julian Day still tells one second from the next: beyond 2^36
// days the doubles around it are more than a second apart, and neither the
// sidereal time nor a position means anything.
bool resolvesASecond(double jd) {
  constexpr double kLargestResolved = 68719476736.0;  // 2^36
  return std::fabs(jd) < kLargestResolved;
}

Status spanStatus(double jd) {
  return jd >= kMeasuredSpanStart && jd < kMeasuredSpanEnd ? Status::Computed
                                                           : Status::OutsideMeasuredSpan;
}

BodyPosition bodyPosition(Body body, const DateQuantities& q) {
  SkyPosition sky{};
  if (body == Body::Sun) {
    sky = sunPosition(q.prelude);
  } else if (body == Body::Moon) {
    sky = moonPosition(q.prelude);
  } else {
    sky = planetPosition(body, q.prelude, q.series);
  }
  // Every body leans on the Sun's orbit: the planets on its longitude and
  // radius vector, the Moon's phase on its longitude.
  const bool computable = resolvesASecond(q.time.jd) && sky.converged &&
                          q.prelude.sunKepler.converged() && std::isfinite(sky.rightAscension) &&
                          std::isfinite(sky.declination) && std::isfinite(sky.eclipticLongitude) &&
                          std::isfinite(sky.eclipticLatitude) && std::isfinite(sky.distanceAu) &&
                          std::isfinite(sky.distanceKm) && std::isfinite(sky.illumination);
  return BodyPosition{withinOneTurn(sky.rightAscension),
                      sky.declination,
                      withinOneTurn(sky.eclipticLongitude),
                      sky.eclipticLatitude,
                      sky.distanceAu,
                      sky.distanceKm,
                      sky.illumination,
                      computable ? spanStatus(q.time.jd) : Status::NotComputable};
}

// The sidereal time from `jd`, the positions from jd + deltaT / 86400 (the
// same Julian Day when deltaT is 0).
Instant instantAt(double jd, double deltaT) {
  const TimeBase given = timeBase(jd);
  const DateQuantities q =
      dateQuantities(deltaT == 0.0 ? given : timeBase(jd + deltaT / kSecondsPerDay), kAllAngles);
  Instant instant{};
  instant.jd = given.jd;
  instant.siderealTime = withinOneTurn(given.siderealTime);
  instant.deltaT = deltaT;
  instant.obliquity = q.prelude.obliquity;
  instant.status = resolvesASecond(instant.jd) && std::isfinite(instant.siderealTime) &&
                           resolvesASecond(q.time.jd)
                       ? spanStatus(q.time.jd)
                       : Status::NotComputable;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    instant.bodies[i] = bodyPosition(kBodies[i], q);
  }
  return instant;
}

BodyPosition bodyAt(Body body, double jd) {
  if (static_cast<std::size_t>(body) >= kBodyCount) {
    const double nan = std::nan("");
    return BodyPosition{nan, nan, nan, nan, nan, nan, nan, Status::UnknownBody};
  }
  return bodyPosition(body, dateQuantities(timeBase(jd), seriesAngles(body)));
}

}  // namespace

Instant computeInstant(const CalendarDate& date) {
  return instantAt(julianDay(date), 0.0);
}

Instant computeInstant(JulianDate date) {
  return instantAt(date.jd, 0.0);
}

Instant computeInstantUt(const CalendarDate& ut, double deltaTSeconds) {
  return instantAt(julianDay(ut), deltaTSeconds);
}

Instant computeInstantUt(JulianDate ut, double deltaTSeconds) {
  return instantAt(ut.jd, deltaTSeconds);
}

BodyPosition computeBody(Body body, const CalendarDate& date) {
  return bodyAt(body, julianDay(date));
}

BodyPosition computeBody(Body body, JulianDate date) {
  return bodyAt(body, date.jd);
}

}  // namespace astro
