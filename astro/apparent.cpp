// apparentPosition, apparentPlaceAt, nutationInLongitude: where a body is
// seen from the Earth's centre, as the events of the year are defined.
//
//   body       Sun, Moon, Mercury .. Neptune
//   jd, tt     Julian Day, TT
//   lightTime  days; apparentPosition takes it from the body's distance,
//              Delta * 499.004784 s / AU
//   theory     the theory of the geometric places
//
// The theory gives geometric geocentric places: where the body is at jd,
// from where the Earth's centre is at jd, on the mean ecliptic and equinox
// of the date. Two effects separate them from what is seen:
//
//  1. Light-time and annual aberration. The light seen at jd left the body
//     at jd - tau, tau = Delta / c, and the Earth has moved on since. To
//     first order in v/c the two together are the geometric place of the
//     body at jd - tau as seen from the Earth at jd - tau ("planetary
//     aberration"): the Earth's displacement during tau, -v tau, cancels
//     its aberration +v/c. What is left out is the Earth's acceleration
//     over tau and terms in (v/c)^2, below 0.03" for every body here.
//     Size in longitude, largest over 2000-2003: the Sun 21" (-20.4898" / R,
//     Meeus ch. 25, is the Sun's motion in 499 s R), Mercury 60", Venus
//     45", Mars 36", Jupiter to Neptune 25" to 30" (largest near
//     conjunction, where the planet's own motion adds to the Sun's), the
//     Moon 0.9" (its geocentric motion in 1.3 s: the Earth's velocity
//     shifts the Moon and its light alike).
//  2. Nutation in longitude Delta psi (Meeus, Astronomical Algorithms,
//     ch. 22, the four largest terms; T in Julian centuries of TT from
//     J2000.0, angles in degrees):
//       Omega = 125.04452 - 1934.136261 T      (the Moon's node)
//       L     = 280.4665 + 36000.7698 T        (the Sun's mean longitude)
//       L'    = 218.3165 + 481267.8813 T       (the Moon's)
//       Delta psi = -17.20" sin Omega - 1.32" sin 2L - 0.23" sin 2L'
//                   + 0.21" sin 2 Omega,
//     good to 0.5". It turns the equinox and every longitude alike, so it
//     cancels in differences of longitude and in separations; it moves the
//     Sun's longitude, hence the equinoxes and solstices (0.5" is 12 s of
//     the Sun's motion). The nutation in obliquity does not move ecliptic
//     places and is left out.
// Not included: the deflection of light by the Sun (under 0.5" from one
// degree of the Sun's centre) and the difference between the geocentric
// and the barycentric velocity of the Earth (0.01"). The constants here use
// full-precision pi, which the theories' kPi differs from by 7e-15.
#include "astro/apparent.h"

#include <cmath>
#include <cstddef>

#include "astro/astro.h"
#include "astro/numeric.h"
#include "astro/precise/precise.h"

namespace astro {
double nutationInLongitude(double jd) {
  const double t = (jd - kJ2000) / kDaysPerCentury;
  const double node = (125.04452 - 1934.136261 * t) * kRadiansPerDegree;
  const double sun = (280.4665 + 36000.7698 * t) * kRadiansPerDegree;
  const double moon = (218.3165 + 481267.8813 * t) * kRadiansPerDegree;
  return (-17.20 * std::sin(node) - 1.32 * std::sin(2 * sun) - 0.23 * std::sin(2 * moon) +
          0.21 * std::sin(2 * node)) *
         kRadiansPerArcsecond;
}

ApparentPosition apparentPlaceAt(Body body, double jd, double lightTime, Theory theory) {
  if (theory == Theory::Precise) {
    const double nan = std::nan("");
    if (static_cast<std::size_t>(body) >= kBodyCount) {
      return ApparentPosition{nan, nan, nan, nan, lightTime, Status::UnknownBody};
    }
    // As computeInstant: a Julian Day that no longer tells the seconds apart
    // (2^36 days) or a place that is not a number is not computable.
    const precise::Place a = precise::apparentPosition(body, precise::epochAt(jd));
    const bool finite = std::fabs(jd) < 68719476736.0 && std::isfinite(a.eclipticLongitude) &&
                        std::isfinite(a.eclipticLatitude) && std::isfinite(a.distanceAu);
    const Status status = !finite ? Status::NotComputable
                          : jd >= kPreciseSpanStart && jd < kPreciseSpanEnd
                              ? Status::Computed
                              : Status::OutsideMeasuredSpan;
    return ApparentPosition{withinOneTurn(a.eclipticLongitude), a.eclipticLatitude, a.distanceAu,
                            a.distanceAu * kAstronomicalUnitKm, lightTime,          status};
  }
  const BodyPosition p = computeBody(body, TT{jd - lightTime}, theory);
  return ApparentPosition{withinOneTurn(p.eclipticLongitude + nutationInLongitude(jd)),
                          p.eclipticLatitude,
                          p.distanceAu,
                          p.distanceKm,
                          lightTime,
                          p.status};
}

BodyPosition distancePlaceAt(Body body, double jd, Theory theory) {
  BodyPosition p = computeBody(body, TT{jd}, theory);
  if (theory == Theory::Precise && body == Body::Sun && p.status != Status::NotComputable) {
    const double r = length(precise::earthHeliocentricEpv00(jd).position);
    p.distanceAu = r;
    p.distanceKm = r * kAstronomicalUnitKm;
  }
  return p;
}

ApparentPosition apparentPosition(Body body, TT tt, Theory theory) {
  const BodyPosition now = computeBody(body, tt, theory);
  return apparentPlaceAt(body, tt.jd, now.distanceAu * kLightDaysPerAu, theory);
}

}  // namespace astro
