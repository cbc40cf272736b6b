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
//
// The Precise theory (astro/precise) gives, from one epoch of the instant
// (the Earth, the frames, the nutation), each body's geometric place of
// date and its apparent place, the body's series evaluated once for both;
// the sidereal times are ERFA's (IAU 2006 mean, IAU 2006/2000B apparent).
// The Moon's illuminated fraction is (1 + cos i) / 2, i the angle at the
// Moon between the Sun and the Earth, from the geometric vectors.
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "astro/astro.h"
#include "astro/constants.h"
#include "astro/moon.h"
#include "astro/perturbations.h"
#include "astro/planets.h"
#include "astro/precise/precise.h"
#include "astro/prelude.h"
#include "astro/rise_set.h"
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

Status spanStatus(double jd, Theory theory = Theory::Classic) {
  if (theory == Theory::Precise) {
    return jd >= kPreciseSpanStart && jd < kPreciseSpanEnd ? Status::Computed
                                                           : Status::OutsideMeasuredSpan;
  }
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

// A geometric place of the precise theory as a BodyPosition; for the
// Moon, its illuminated fraction from the Sun's place of the same instant.
BodyPosition precisePosition(Body body, const precise::Place& place, const precise::Place* sun,
                             double jd) {
  double illumination = 0.0;
  if (body == Body::Moon && sun != nullptr) {
    const precise::Vec3 m = place.vector;
    const precise::Vec3 toSun = sun->vector - m;
    const double cosPhase = -dot(toSun, m) / (length(toSun) * length(m));
    illumination = (1.0 + cosPhase) / 2.0;
  }
  const bool computable = resolvesASecond(jd) && std::isfinite(place.rightAscension) &&
                          std::isfinite(place.declination) &&
                          std::isfinite(place.eclipticLongitude) &&
                          std::isfinite(place.eclipticLatitude) &&
                          std::isfinite(place.distanceAu) && std::isfinite(illumination);
  return BodyPosition{withinOneTurn(place.rightAscension),
                      place.declination,
                      withinOneTurn(place.eclipticLongitude),
                      place.eclipticLatitude,
                      place.distanceAu,
                      place.distanceAu * kAstronomicalUnitKm,
                      illumination,
                      computable ? spanStatus(jd, Theory::Precise) : Status::NotComputable};
}

// The Precise theory: every body, geometric and apparent, from the epoch
// of the instant; or one body, geometric (and the Sun's for the Moon's
// phase), from the mean epoch alone.
// With `whole`, the instant's apparent places and sidereal times at
// whole->ut too.
void precisePositions(double tt, std::optional<Body> only, double& obliquity,
                      std::array<BodyPosition, kBodyCount>& bodies, Instant* whole) {
  if (only) {
    const precise::Epoch epoch = precise::meanEpochAt(tt);
    obliquity = epoch.meanObliquity;
    const precise::Place place = precise::geometricPosition(*only, epoch);
    if (*only == Body::Moon) {
      const precise::Place sun = precise::geometricPosition(Body::Sun, epoch);
      bodies[static_cast<std::size_t>(*only)] = precisePosition(*only, place, &sun, tt);
    } else {
      bodies[static_cast<std::size_t>(*only)] = precisePosition(*only, place, nullptr, tt);
    }
    return;
  }
  const precise::Epoch epoch = precise::epochAt(tt);
  obliquity = epoch.meanObliquity;
  std::array<precise::Places, kBodyCount> places;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    places[i] = precise::bothPositions(kBodies[i], epoch);
  }
  const precise::Place& sun = places[static_cast<std::size_t>(Body::Sun)].geometric;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    bodies[i] = precisePosition(kBodies[i], places[i].geometric, &sun, tt);
    if (whole != nullptr) {
      const precise::Place& a = places[i].apparent;
      whole->apparent[i] =
          ApparentPlace{withinOneTurn(a.rightAscension), a.declination, a.distanceAu};
    }
  }
  if (whole != nullptr) {
    whole->siderealTime = withinOneTurn(precise::meanSiderealTime(whole->ut.jd, tt));
    whole->apparentSiderealTime = withinOneTurn(precise::apparentSiderealTime(whole->ut.jd, epoch));
  }
}

ApparentPlace noApparentPlace() {
  const double nan = std::nan("");
  return ApparentPlace{nan, nan, nan};
}

// The positions by `theory` at the instant of TT whose time base is `tt`,
// of every body or of `only` (the others left as they are), and the
// obliquity of the ecliptic their equatorial coordinates use: the one
// place where the theory is chosen. False, with NaNs, for a value that is
// no Theory.
// With `whole` (an Instant whose ut is set), the theory writes there the
// sidereal times and the apparent places: Classic its mean sidereal time
// at ut (of the time base `ut`) and NaN for the others.
bool positionsAt(Theory theory, const TimeBase& tt, std::optional<Body> only, double& obliquity,
                 std::array<BodyPosition, kBodyCount>& bodies, Instant* whole = nullptr,
                 const TimeBase* ut = nullptr) {
  if (whole != nullptr) {
    whole->apparent.fill(noApparentPlace());
    whole->apparentSiderealTime = std::nan("");
  }
  switch (theory) {
    case Theory::Classic:
      classicPositions(tt, only, obliquity, bodies);
      if (whole != nullptr && ut != nullptr) whole->siderealTime = withinOneTurn(ut->siderealTime);
      return true;
    case Theory::Precise:
      precisePositions(tt.jd, only, obliquity, bodies, whole);
      return true;
  }
  if (whole != nullptr && ut != nullptr) whole->siderealTime = withinOneTurn(ut->siderealTime);
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
  instant.ut = UT{given.jd};
  const bool known = positionsAt(theory, positionsTime, std::nullopt, instant.obliquity,
                                 instant.bodies, &instant, &given);
  instant.tt = TT{positionsTime.jd};
  instant.deltaT = deltaT;
  instant.theory = theory;
  instant.status =
      known && resolvesASecond(ut) && std::isfinite(instant.siderealTime) && resolvesASecond(tt)
          ? spanStatus(tt, theory)
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

PreciseSight preciseSight(Body body, UT ut, TT tt) {
  const precise::Epoch epoch = precise::epochAt(tt.jd);
  const precise::Place a = precise::apparentPosition(body, epoch);
  const double gast = withinOneTurn(precise::apparentSiderealTime(ut.jd, epoch));
  const bool computable = resolvesASecond(tt.jd) && resolvesASecond(ut.jd) &&
                          std::isfinite(a.rightAscension) && std::isfinite(a.declination) &&
                          std::isfinite(a.distanceAu) && std::isfinite(gast);
  return PreciseSight{ApparentPlace{withinOneTurn(a.rightAscension), a.declination, a.distanceAu},
                      gast,
                      computable ? spanStatus(tt.jd, Theory::Precise) : Status::NotComputable};
}

}  // namespace astro
