// computeInstant, computeInstantUt, computeBody: the positions of one
// instant.
//
//   tt, ut  the instant, TT or UT, or a calendar date (through julianDay)
//           taken as one of them
//   scale   Delta T = TT - UT, for an instant in Universal Time
//   body    Sun, Moon, Mercury .. Neptune
//   theory  the theory of the positions: positionsAt chooses it
//
// A date is turned once into what its bodies share: the time base (Julian
// Day, sidereal time, T), the obliquity and the Sun's orbit, and for
// Jupiter to Neptune the auxiliary angles of their series. Each body's
// branch then works from these alone. The right ascension and the sidereal
// time are brought into [0, 2 PI) by whole turns; the status says whether
// the date lies in the measured span and whether each position could be
// computed at all.
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "astro/astro.h"
#include "astro/constants.h"
#include "astro/moon.h"
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

BodyPosition noPosition(Status status) {
  const double nan = std::nan("");
  return BodyPosition{nan, nan, nan, nan, nan, nan, nan, status};
}

// The Classic theory: every body from the quantities of the date computed
// once, or one body from those it needs.
void classicPositions(const TimeBase& tt, std::optional<Body> only, double& obliquity,
                      std::array<BodyPosition, kBodyCount>& bodies) {
  if (only) {
    const DateQuantities q = dateQuantities(tt, seriesAngles(*only));
    obliquity = q.prelude.obliquity;
    bodies[static_cast<std::size_t>(*only)] = bodyPosition(*only, q);
    return;
  }
  const DateQuantities q = dateQuantities(tt, kAllAngles);
  obliquity = q.prelude.obliquity;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    bodies[i] = bodyPosition(kBodies[i], q);
  }
}

// The positions by `theory` at the instant of TT whose time base is `tt`,
// of every body or of `only` (the others left as they are), and the
// obliquity of the ecliptic their equatorial coordinates use: the one
// place where the theory is chosen. False, with NaNs, for a value that is
// no Theory.
bool positionsAt(Theory theory, const TimeBase& tt, std::optional<Body> only, double& obliquity,
                 std::array<BodyPosition, kBodyCount>& bodies) {
  switch (theory) {
    case Theory::Classic:
      classicPositions(tt, only, obliquity, bodies);
      return true;
  }
  obliquity = std::nan("");
  bodies.fill(noPosition(Status::NotComputable));
  return false;
}

// The sidereal time at ut, the positions at tt (the same Julian Day, and
// time base, when deltaT is 0).
Instant instantAt(double ut, double deltaT, double tt, Theory theory) {
  const TimeBase given = timeBase(ut);
  const TimeBase positionsTime = tt == ut ? given : timeBase(tt);
  Instant instant{};
  const bool known =
      positionsAt(theory, positionsTime, std::nullopt, instant.obliquity, instant.bodies);
  instant.ut = UT{given.jd};
  instant.tt = TT{positionsTime.jd};
  instant.deltaT = deltaT;
  instant.theory = theory;
  instant.siderealTime = withinOneTurn(given.siderealTime);
  instant.status =
      known && resolvesASecond(ut) && std::isfinite(instant.siderealTime) && resolvesASecond(tt)
          ? spanStatus(tt)
          : Status::NotComputable;
  return instant;
}

BodyPosition bodyAt(Body body, double tt, Theory theory) {
  if (static_cast<std::size_t>(body) >= kBodyCount) {
    return noPosition(Status::UnknownBody);
  }
  // Only the body's own entry is written and read.
  double obliquity;
  std::array<BodyPosition, kBodyCount> bodies;
  positionsAt(theory, timeBase(tt), body, obliquity, bodies);
  return bodies[static_cast<std::size_t>(body)];
}

Instant instantUt(double ut, const TimeScale& scale, Theory theory) {
  return instantAt(ut, scale.deltaT(UT{ut}), scale.tt(UT{ut}).jd, theory);
}

}  // namespace

Instant computeInstant(const CalendarDate& tt, Theory theory) {
  const double jd = julianDay(tt);
  return instantAt(jd, 0.0, jd, theory);
}

Instant computeInstant(TT tt, Theory theory) {
  return instantAt(tt.jd, 0.0, tt.jd, theory);
}

Instant computeInstantUt(const CalendarDate& ut, const TimeScale& scale, Theory theory) {
  return instantUt(julianDay(ut), scale, theory);
}

Instant computeInstantUt(UT ut, const TimeScale& scale, Theory theory) {
  return instantUt(ut.jd, scale, theory);
}

BodyPosition computeBody(Body body, const CalendarDate& tt, Theory theory) {
  return bodyAt(body, julianDay(tt), theory);
}

BodyPosition computeBody(Body body, TT tt, Theory theory) {
  return bodyAt(body, tt.jd, theory);
}

}  // namespace astro
