// Corrections of the outer planets' mean elements and heliocentric
// coordinates by trigonometric series in slowly turning auxiliary angles.
#pragma once

#include "astro/body.h"

// Added to the mean elements before Kepler's equation (Jupiter to Neptune):
//   L += dL;  M += dL - dH / e (e uncorrected);  e += 1e-6 de;  a += 1e-6 da
struct ElementCorrections {
  double dL;  // mean longitude, degrees
  double dH;  // perihelion term, degrees
  double de;  // eccentricity, millionths
  double da;  // semi-major axis, millionths of an AU
};

// Added to the heliocentric position after Kepler's equation (Uranus and
// Neptune): l += dl (degrees, turned into radians), r += dr.
struct HeliocentricCorrections {
  double dl;  // heliocentric longitude, degrees
  double dr;  // radius vector, AU
};

// Pure functions of T (Julian centuries from JD 2415020.0). Bodies without
// corrections get zeros.
ElementCorrections elementCorrections(BodyIndex planet, double t);
HeliocentricCorrections heliocentricCorrections(BodyIndex planet, double t);
