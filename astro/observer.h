// The observer's place and local horizon, as vectors in the frame of the
// mean equator and equinox of date.
#pragma once

#include "astro/astro.h"
#include "astro/numeric.h"

namespace astro {

// Equatorial radius of the Earth (IAU 1976), kilometres: the radius of the
// Moon's horizontal parallax and of the observer's geocentric distance.
inline constexpr double kEarthRadiusKm = 6378.14;
// The polar over the equatorial radius, 1 - 1/298.257.
inline constexpr double kEarthAxisRatio = 0.99664719;

// Vectors here are equatorial of date: x toward the equinox, z toward the
// north pole.

// The position of right ascension, declination (radians) and distance.
Vector equatorialVector(double rightAscension, double declination, double distance);

// What a place on the Earth contributes, whatever the time: its geodetic
// latitude's sine and cosine, its geocentric rho sin phi' and rho cos phi'
// in equatorial radii, and its longitude.
struct Place {
  double sinLatitude;
  double cosLatitude;
  double rhoSinPhi;
  double rhoCosPhi;
  double longitude;
};
Place placeOf(const Observer& observer);

// The local horizon at one local sidereal time: the unit vectors toward the
// zenith, the north point and the east point, and the observer's geocentric
// position in kilometres.
struct Horizon {
  double localSiderealTime;  // radians, as given
  Vector up;
  Vector north;
  Vector east;
  Vector observerKm;
};
Horizon horizonAt(const Place& place, double localSiderealTime);

// The sine of the geocentric altitude of a geocentric vector: the altitude
// the conventional rising and setting altitudes refer to.
double geocentricSinAltitude(const Horizon& horizon, const Vector& geocentric);

// The body at a geocentric position (kilometres) as seen from the place:
// topocentric, with the refraction if asked. The status is Computed.
HorizontalPosition seenFrom(const Horizon& horizon, const Vector& geocentricKm,
                            Refraction refraction);

}  // namespace astro
