// seriesArguments: the arguments of the outer-planet series.
//
//   t  Julian centuries from JD 2415020.0
//
// tau = 0.2 T + 0.1 (zero at T = -0.5). In degrees, never reduced before
// they are combined:
//   P = 237.475 + 3034.9061 T     Q = 265.916 + 1222.1139 T
//   S = 5 Q - 2 P                 V = Q - P
//   W = 284.02 + 8.51 T           Z = 200.25 - 209.98 T
//   G = 243.52 + 428.47 T         X = G - P          Y = G - Q
//   K = 153.71 + 2816.42 T        N = 182.15 + 1003.62 T
// Each is then reduced to radians with its sign kept. P is never an
// argument itself.
#include "astro/series.h"

#include <cmath>

#include "astro/angles.h"

namespace astro {

SeriesArguments seriesArguments(double t, AngleMask needed) {
  const double p = 237.475 + 3034.9061 * t;
  const double q = 265.916 + 1222.1139 * t;
  const double g = 243.52 + 428.47 * t;

  AngleSet angles{};
  const auto set = [&angles](Angle a, double degrees) {
    angles[static_cast<std::size_t>(a)] = reduceToRadians(degrees);
  };
  set(Angle::Q, q);
  set(Angle::S, 5.0 * q - 2.0 * p);
  set(Angle::V, q - p);
  set(Angle::W, 284.02 + 8.51 * t);
  set(Angle::X, g - p);
  set(Angle::Y, g - q);
  set(Angle::Z, 200.25 - 209.98 * t);
  set(Angle::G, g);
  set(Angle::K, 153.71 + 2816.42 * t);
  set(Angle::N, 182.15 + 1003.62 * t);
  return withMultiples(angles, 0.2 * t + 0.1, needed);
}

SeriesArguments withMultiples(const AngleSet& angles, double tau, AngleMask needed) {
  SeriesArguments arguments{angles, tau, {}, {}};
  for (std::size_t k = 0; k < kSeriesMultiples.size(); ++k) {
    const Multiple& m = kSeriesMultiples[k];
    const AngleMask uses = maskOf({m.a1, m.a2});
    if ((uses & needed) != uses) {
      continue;
    }
    double argument = m.m1 * angles[static_cast<std::size_t>(m.a1)];
    if (m.m2 != 0) {
      argument = argument + m.m2 * angles[static_cast<std::size_t>(m.a2)];
    }
    arguments.sine[k] = std::sin(argument);
    arguments.cosine[k] = std::cos(argument);
  }
  return arguments;
}

}  // namespace astro
