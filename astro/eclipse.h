// The geometry of eclipses behind searchSolarEclipse, localSolarEclipse
// and searchLunarEclipse: private to the library and its tests.
#pragma once

#include "astro/astro.h"

namespace astro::eclipse {

// The fraction of a disc of radius `sun` hidden by a disc of radius `moon`
// whose centre lies `separation` away (any one unit of angle): the area of
// the lens the two discs share over the area of the first. 0 when apart, 1
// when the second covers the first, (moon / sun)^2 when it lies within it.
double obscuration(double sun, double moon, double separation);

// The mean new moon of lunation k (k = 0 the new moon of 6 January 2000,
// k + 0.5 the full moon after it), Julian Ephemeris Day, and the Moon's
// argument of latitude then, radians: Meeus, Astronomical Algorithms (2nd
// ed., 1998), chapter 49, formulas 49.1 and 49.5 without the periodic terms.
double meanPhase(double k);
double meanArgumentOfLatitude(double k);

}  // namespace astro::eclipse
