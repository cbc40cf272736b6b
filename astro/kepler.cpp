// solveKepler: eccentric anomaly E from mean anomaly M and eccentricity e;
// trueAnomaly: the true anomaly from E.
//
//   M  mean anomaly, radians
//   e  eccentricity (below 0.21 for every orbit near the present)
//
// Newton's method on E - e sin E = M:
//   E = M; d = 1
//   while |d| > 1e-9:  d = (M + e sin E - E) / (1 - e cos E);  E = E + d
// The last correction is applied before the loop stops; a NaN correction
// stops it too. The loop is bounded by kKeplerMaxCorrections so that no
// argument can hang it; dates near the present need two to five
// corrections. A solution whose last correction is above the tolerance (or
// not a number) has not converged and gives no position.
//
// The true anomaly: nu = 2 atan(sqrt((1 + e) / (1 - e)) tan(E / 2)).
#include "astro/kepler.h"

#include <cmath>

namespace astro {
namespace {
constexpr double kKeplerTolerance = 1e-9;
}

bool KeplerSolution::converged() const {
  return std::fabs(lastCorrection) <= kKeplerTolerance;
}

KeplerSolution solveKepler(double meanAnomaly, double eccentricity) {
  double e = meanAnomaly;
  double d = 1.0;
  int corrections = 0;
  while (std::fabs(d) > kKeplerTolerance && corrections < kKeplerMaxCorrections) {
    d = (meanAnomaly + eccentricity * std::sin(e) - e) / (1.0 - eccentricity * std::cos(e));
    e = e + d;
    ++corrections;
  }
  return KeplerSolution{e, corrections, d};
}

double trueAnomaly(double eccentricAnomaly, double eccentricity) {
  return 2.0 * std::atan(std::sqrt((1.0 + eccentricity) / (1.0 - eccentricity)) *
                         std::tan(eccentricAnomaly / 2.0));
}

}  // namespace astro
