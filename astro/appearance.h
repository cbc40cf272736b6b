// How a body looks: the triangle Sun-body-Earth, the poles of Saturn and
// Uranus of the date, and the visual magnitude laws, each kept apart for
// inspection.
#pragma once

#include "astro/astro.h"
#include "astro/numeric.h"

namespace astro {

// The triangle Sun-body-Earth, from the Sun's distance R and the body's
// Delta (AU) and the elongation psi (radians).
struct PhaseTriangle {
  double phaseAngle;              // radians, 0..pi, the angle at the body
  double heliocentricDistanceAu;  // r
};
PhaseTriangle phaseTriangle(double sunDistanceAu, double distanceAu, double elongation);

// The north pole of Saturn (Body::Saturn) or Uranus (Body::Uranus) of the
// IAU 2015 report, precessed from J2000 to the ecliptic and equinox of the
// date, a unit vector; t in Julian centuries of TT from J2000.
Vector poleOfDate(Body planet, double t);

// What a magnitude law reads besides the body.
struct MagnitudeGeometry {
  double heliocentricDistanceAu;  // r (the Moon: its own distance from the Sun)
  double distanceAu;              // Delta, from the Earth
  double phaseAngle;              // radians
  double subEarthLatitude;        // radians, planetocentric: Saturn, Uranus
  double subSunLatitude;          // radians, planetocentric: Saturn, Uranus
  double year;                    // decimal year: Neptune
};

struct Magnitude {
  double value;
  MagnitudeStatus status;
};

// The apparent visual magnitude of `body` (no validity of the position is
// judged here).
Magnitude visualMagnitude(Body body, const MagnitudeGeometry& g);

}  // namespace astro
