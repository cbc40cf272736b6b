// Corrections of the outer planets' mean elements and heliocentric
// coordinates by trigonometric series in slowly turning auxiliary angles.
#pragma once

#include "astro/astro.h"
#include "astro/series.h"

namespace astro {

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

// Which corrections a body has, and the angles its series are in (none for
// the bodies without series).
bool hasElementCorrections(Body body);
bool hasHeliocentricCorrections(Body body);
AngleMask seriesAngles(Body body);

// The sums of the body's series with the arguments of one date. Bodies
// without corrections get zeros.
ElementCorrections elementCorrections(Body body, const SeriesArguments& arguments);
HeliocentricCorrections heliocentricCorrections(Body body, const SeriesArguments& arguments);

}  // namespace astro
