// solveKepler: eccentric anomaly E from mean anomaly M and eccentricity e.
//
//   M  mean anomaly, radians
//   e  eccentricity (below 0.21 for every orbit of this program)
//
// Newton's method on E - e sin E = M:
//   E = M; d = 1
//   while |d| > 1e-9:  d = (M + e sin E - E) / (1 - e cos E);  E = E + d
// The last correction is applied before the loop stops; a NaN correction
// stops it too. The loop is bounded by kKeplerMaxCorrections so that no
// argument can hang it; real dates need two to five corrections.
#include <cmath>

#include "astro/body.h"
#include "astro/prelude.h"

namespace {
constexpr double kKeplerTolerance = 1e-9;
}

KeplerSolution iterateKepler(double meanAnomaly, double eccentricity) {
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

double solveKepler(double meanAnomaly, double eccentricity) {
  return iterateKepler(meanAnomaly, eccentricity).eccentricAnomaly;
}
