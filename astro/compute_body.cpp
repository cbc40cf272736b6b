// computeBody: geocentric position of one body at one date.
//
//   index  0 Sun, 1 Moon, 2 Mercury, 3 Venus, 4 Mars, 5 Jupiter, 6 Saturn,
//          7 Uranus, 8 Neptune
//   year, month, day  the date as typed; day carries the time of day
//
// Every call starts from scratch: the time base (Julian Day, sidereal time,
// T), the obliquity and the Sun's orbit, then the body's own branch. The
// Sun is finished here:
//   alpha = atan2(sin lambda cos eps, cos lambda),  delta = asin(sin eps sin lambda)
// with lambda the Sun's true longitude, and its distance is the radius
// vector R in AU.
#include <cmath>
#include <limits>

#include "astro/body.h"
#include "astro/prelude.h"
#include "astro/time_base.h"

SkyPosition sunPosition(const Prelude& prelude) {
  const double lambda = prelude.sunLongitude;
  const double eps = prelude.obliquity;
  return SkyPosition{std::atan2(std::sin(lambda) * std::cos(eps), std::cos(lambda)),
                     std::asin(std::sin(eps) * std::sin(lambda)), prelude.sunRadius, 0.0};
}

BodyPosition computeBody(BodyIndex index, std::int32_t year, std::int32_t month, double day) {
  const TimeBase time = timeBase(year, month, day);
  const Prelude prelude = computePrelude(time.t);

  SkyPosition sky{};
  if (index == kSun) {
    sky = sunPosition(prelude);
  } else if (index == kMoon) {
    sky = moonPosition(prelude);
  } else if (index >= kMercury && index <= kNeptune) {
    sky = planetPosition(index, prelude);
  } else {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    sky = SkyPosition{nan, nan, nan, 0.0};
  }
  return BodyPosition{time.jd,         time.siderealTime, sky.rightAscension,
                      sky.declination, sky.distance,      sky.illumination};
}
