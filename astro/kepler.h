// Kepler's equation and the true anomaly, for the Sun's orbit and every
// planet's.
#pragma once

namespace astro {

struct KeplerSolution {
  double eccentricAnomaly;  // radians
  int corrections;          // Newton corrections applied
  double lastCorrection;    // radians; at most 1e-9 in magnitude when converged

  bool converged() const;
};

// Newton's method on E - e sin E = M, starting from E = M. Stops after the
// first correction of magnitude 1e-9 or less (applied), after a NaN
// correction, or after kKeplerMaxCorrections corrections.
inline constexpr int kKeplerMaxCorrections = 64;
KeplerSolution solveKepler(double meanAnomaly, double eccentricity);

// The true anomaly of eccentric anomaly E (radians) and eccentricity e:
//   nu = 2 atan(sqrt((1 + e) / (1 - e)) tan(E / 2)), radians.
double trueAnomaly(double eccentricAnomaly, double eccentricity);

}  // namespace astro
