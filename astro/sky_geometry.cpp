// eclipticToEquatorial, angularSeparation, positionAngle: directions on the
// sky, for charts and for what a user derives from the positions.
//
//   ecliptic to equatorial (longitude l, latitude b, obliquity e):
//     alpha = atan2(sin l cos e - tan b sin e, cos l)
//     delta = asin(sin b cos e + cos b sin e sin l)
//   between two directions, with d = alpha2 - alpha1:
//     x = cos delta1 sin delta2 - sin delta1 cos delta2 cos d
//     y = cos delta2 sin d
//     separation     = atan2(sqrt(x^2 + y^2),
//                            sin delta1 sin delta2 + cos delta1 cos delta2 cos d)
//     position angle = atan2(y, x), from north through east
// The arc tangent forms keep full precision at small and large angles.
#include <cmath>

#include "astro/astro.h"
#include "astro/equatorial.h"
#include "astro/numeric.h"

namespace astro {
namespace {
// x, y and z of the header above, from `a` toward `b`.
Vector offsetOf(const EquatorialPoint& a, const EquatorialPoint& b) {
  const double d = b.rightAscension - a.rightAscension;
  return Vector{std::cos(a.declination) * std::sin(b.declination) -
                    std::sin(a.declination) * std::cos(b.declination) * std::cos(d),
                std::cos(b.declination) * std::sin(d),
                std::sin(a.declination) * std::sin(b.declination) +
                    std::cos(a.declination) * std::cos(b.declination) * std::cos(d)};
}
}  // namespace

EquatorialPoint eclipticToEquatorial(double longitude, double latitude, double obliquity) {
  const Equatorial e =
      toEquatorial(longitude, latitude, Obliquity{std::sin(obliquity), std::cos(obliquity)});
  return EquatorialPoint{withinOneTurn(e.rightAscension), e.declination};
}

double angularSeparation(const EquatorialPoint& a, const EquatorialPoint& b) {
  const Vector o = offsetOf(a, b);
  return std::atan2(std::sqrt(o.x * o.x + o.y * o.y), o.z);
}

double positionAngle(const EquatorialPoint& from, const EquatorialPoint& to) {
  const Vector o = offsetOf(from, to);
  return withinOneTurn(std::atan2(o.y, o.x));
}

}  // namespace astro
