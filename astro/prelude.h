// What every body computation shares: the conversion of degrees to radians,
// Kepler's equation, the obliquity and the Sun's orbit at the date, and the
// turn from ecliptic to equatorial coordinates. The branches for the Sun,
// the Moon and the planets meet here.
#pragma once

namespace astro {

// The remainder of degrees / 360 with the quotient truncated toward zero:
// the same double as std::fmod(degrees, 360.0), sign of zero included,
// for every argument.
double remainderOfTurns(double degrees);

// An angle brought into [0, 2 PI) by adding or removing whole turns, one at
// a time, as the printers of the report do it; values that are not finite
// are left as they are.
double withinOneTurn(double angle);

// Degrees to radians without removing whole turns: x * PI * (1/180), the
// product with 1/180 formed in extended precision.
double toRadians(double degrees);

// Degrees to radians after removing whole turns: fmod(x, 360) * PI * (1/180).
// The remainder keeps the sign of x, so the result lies in (-2 PI, 2 PI).
double reduceToRadians(double degrees);

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

// The obliquity of the ecliptic as every conversion to equatorial
// coordinates uses it.
struct Obliquity {
  double sine;
  double cosine;
};

// The prelude of every body computation: the obliquity and the Sun's orbit.
// Angles in radians; the Sun's mean longitude and mean anomaly reduced by
// whole turns with the sign kept; the true longitude is not reduced.
struct Prelude {
  double t;                  // Julian centuries from JD 2415020.0
  double obliquity;          // epsilon
  Obliquity obliquityTerms;  // sin epsilon, cos epsilon
  double sunMeanLongitude;   // L
  double sunMeanAnomaly;     // M
  double sunEccentricity;    // e
  KeplerSolution sunKepler;  // E
  double sunTrueAnomaly;     // nu
  double sunRadius;          // R, AU
  double sunLongitude;       // true longitude L + nu - M
};

Prelude computePrelude(double t);

// The part of a body's position that its branch computes.
struct SkyPosition {
  double rightAscension;  // radians, -PI..PI straight from atan2
  double declination;     // radians
  double distance;        // AU; thousands of km for the Moon
  double illumination;    // Moon only; 0.0 for every other body
  bool converged;         // Kepler's equation converged (planets)
};

struct Equatorial {
  double rightAscension;  // radians, -PI..PI
  double declination;     // radians
};

// Ecliptic longitude and latitude (radians) to right ascension and
// declination with the obliquity epsilon:
//   alpha = atan2(sin lambda cos eps - tan beta sin eps, cos lambda)
//   delta = asin(sin beta cos eps + cos beta sin eps sin lambda)
Equatorial toEquatorial(double longitude, double latitude, const Obliquity& obliquity);

// The Sun from the prelude alone:
//   alpha = atan2(sin lambda cos eps, cos lambda),  delta = asin(sin eps sin lambda)
// with lambda the Sun's true longitude; its distance is the radius vector R.
SkyPosition sunPosition(const Prelude& prelude);

}  // namespace astro
