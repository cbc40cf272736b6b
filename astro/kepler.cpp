// solveKepler: eccentric anomaly E from mean anomaly M and eccentricity e.
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
#include <cmath>

#include "astro/prelude.h"

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

}  // namespace astro
