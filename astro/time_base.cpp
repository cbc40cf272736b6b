// timeBase: mean sidereal time and time argument of a Julian Day.
//
//   JD0  = floor(JD + 0.5) - 0.5               (0h of the same date)
//   f    = JD - JD0                            (fraction of the day)
//   T0   = (JD0 - 2415020.0) / 36525
//   s    = 100.0021359 T0 + 0.276919398 + 0.000001075 T0^2   (revolutions)
//   s    = fmod(f * 1.002737908 + s, 1)        (keeps its sign)
//   theta = s * 2 * PI                         (radians, -2 PI .. 2 PI)
//   T    = (JD - 2415020.0) / 36525            (time of day included)
//
// Centuries are counted from JD 2415020.0 (1899 December 31, 12h); the
// products with 1/36525 are rounded as in extended precision.
#include "astro/time_base.h"

#include <cmath>

#include "astro/constants.h"

namespace astro {
namespace {
constexpr double kEpoch = 2415020.0;
constexpr double kSiderealConstant = 0.276919398;
constexpr double kSiderealRate = 100.0021359;
constexpr double kSiderealQuadratic = 0.000001075;
constexpr double kSiderealDayRatio = 1.002737908;

double centuriesFromEpoch(double jd) {
  return extendedProduct(jd - kEpoch, kReciprocalCentury);
}
}  // namespace

TimeBase timeBase(double jd) {
  const double jd0 = std::floor(jd + 0.5) - 0.5;
  const double f = jd - jd0;
  const double t0 = centuriesFromEpoch(jd0);

  double s = kSiderealRate * t0 + kSiderealConstant + kSiderealQuadratic * t0 * t0;
  s = f * kSiderealDayRatio + s;
  s = std::fmod(s, 1.0);

  return TimeBase{jd, s * 2.0 * PI, centuriesFromEpoch(jd)};
}

}  // namespace astro
