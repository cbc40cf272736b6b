// What each body's branch of the computation hands back.
#pragma once

namespace astro {

struct SkyPosition {
  double rightAscension;     // radians, -PI..PI straight from atan2
  double declination;        // radians
  double eclipticLongitude;  // radians, as the branch leaves it (turns not removed)
  double eclipticLatitude;   // radians
  double distanceAu;         // astronomical units
  double distanceKm;         // kilometres
  double illumination;       // Moon only; 0.0 for every other body
  bool converged;            // Kepler's equation converged (Sun and planets)
};

}  // namespace astro
