// horizontalPosition, observe, standardRefraction: where the bodies stand
// in the sky of a place on the Earth.
//
//   observer      geodetic latitude phi and longitude (radians, north and
//                 east positive), height H above sea level (metres)
//   position      geocentric right ascension, declination and distance, mean
//                 equator and equinox of date (BodyPosition)
//   siderealTime  Greenwich mean sidereal time of the same instant (radians,
//                 from the date as UT, Instant::siderealTime)
//
// The place on the Earth's ellipsoid (a = 6378.14 km, b/a = 0.99664719,
// IAU 1976), Meeus, Astronomical Algorithms, ch. 11:
//   u = atan((b/a) tan phi)
//   rho sin phi' = (b/a) sin u + (H / 6378140) sin phi
//   rho cos phi' = cos u + (H / 6378140) cos phi
// At the local sidereal time theta = siderealTime + longitude the observer
// stands at a (rho cos phi' cos theta, rho cos phi' sin theta, rho sin phi')
// from the Earth's centre, in the frame of the positions. The topocentric
// vector is the body's geocentric one minus that; it is exact for every
// distance, the Moon's parallax of up to a degree included. Its components
// along the zenith (cos phi cos theta, cos phi sin theta, sin phi), the
// north point (-sin phi cos theta, -sin phi sin theta, cos phi) and the east
// point (-sin theta, cos theta, 0) of the geodetic vertical give
//   altitude = atan2(up, sqrt(north^2 + east^2))
//   azimuth  = atan2(east, north), from north through east
// and its equatorial components the topocentric right ascension,
// declination and distance, whose hour angle is theta - alpha'.
//
// Refraction (Saemundsson 1986, as Meeus gives it in ch. 16), for a
// pressure of 1010 hPa and a temperature of 10 C:
//   R = 1.02' / tan(h + 10.3 / (h + 5.11)),  h the true altitude in degrees
// which agrees with Bennett's formula for the apparent altitude within
// 0.1'. It gives 29' at a true altitude of 0 (34.5' at the apparent horizon)
// and 1' at 45 degrees. The formula peaks at h = sqrt(10.3) - 5.11 =
// -1.90 degrees (44.7') and turns down below; a body that low is out of
// sight, and its refraction is held at that peak, so that the apparent
// altitude keeps growing with the true one. Near the zenith, where the
// formula turns negative (-0.1"), it is taken as 0.
//
// Frame and accuracy: the positions are geometric and of the mean equinox
// (no nutation, aberration or light-time) and the sidereal time is mean, so
// hour angles carry no equation of the equinoxes. observe() of a Precise
// Instant turns its apparent places (true equator and equinox of date:
// light-time, aberration, nutation) by the apparent sidereal time instead;
// the topocentric place is then the apparent geocentric one less the
// observer's vector, without the diurnal aberration (0.3" at most).
// Polar motion and the
// deflection of the vertical are left out. Altitudes and azimuths are as good
// as the positions (docs/accuracy.md), which is arcminutes.
#include "astro/observer.h"

#include <cmath>
#include <cstddef>

#include "astro/angles.h"

namespace astro {
namespace {

constexpr double kMetresPerRadius = 1000.0 * kEarthRadiusKm;

// The constants of the refraction formula, h in degrees, R in arcminutes.
constexpr double kRefractionCoefficient = 1.02;  // arcminutes
constexpr double kRefractionOffset = 10.3;       // degrees squared
constexpr double kRefractionPole = 5.11;         // degrees
constexpr double kRefractionFadeStart = -1.0;    // degrees: the formula down to here,
constexpr double kRefractionGone = -3.0;         // then faded to nothing at this true altitude

}  // namespace

Vector equatorialVector(double rightAscension, double declination, double distance) {
  const double projected = distance * std::cos(declination);
  return Vector{projected * std::cos(rightAscension), projected * std::sin(rightAscension),
                distance * std::sin(declination)};
}

Place placeOf(const Observer& observer) {
  const double s = std::sin(observer.latitude);
  const double c = std::cos(observer.latitude);
  const double u = std::atan2(kEarthAxisRatio * s, c);
  const double height = observer.heightMetres / kMetresPerRadius;
  return Place{s, c, kEarthAxisRatio * std::sin(u) + height * s, std::cos(u) + height * c,
               observer.longitude};
}

Horizon horizonAt(const Place& place, double localSiderealTime) {
  const double s = std::sin(localSiderealTime);
  const double c = std::cos(localSiderealTime);
  return Horizon{localSiderealTime,
                 {place.cosLatitude * c, place.cosLatitude * s, place.sinLatitude},
                 {-place.sinLatitude * c, -place.sinLatitude * s, place.cosLatitude},
                 {-s, c, 0.0},
                 {kEarthRadiusKm * place.rhoCosPhi * c, kEarthRadiusKm * place.rhoCosPhi * s,
                  kEarthRadiusKm * place.rhoSinPhi}};
}

double geocentricSinAltitude(const Horizon& horizon, const Vector& geocentric) {
  return dot(horizon.up, geocentric) / length(geocentric);
}

HorizontalPosition seenFrom(const Horizon& horizon, const Vector& geocentricKm,
                            Refraction refraction) {
  const Vector v = geocentricKm - horizon.observerKm;
  const double up = dot(v, horizon.up);
  const double north = dot(v, horizon.north);
  const double east = dot(v, horizon.east);
  double altitude = std::atan2(up, std::hypot(north, east));
  if (refraction == Refraction::Standard) {
    altitude += standardRefraction(altitude);
  }
  const double rightAscension = withinOneTurn(std::atan2(v.y, v.x));
  return HorizontalPosition{withinOneTurn(std::atan2(east, north)),
                            altitude,
                            withinOneTurn(horizon.localSiderealTime - rightAscension),
                            rightAscension,
                            std::atan2(v.z, std::hypot(v.x, v.y)),
                            length(v),
                            Status::Computed};
}

double standardRefraction(double trueAltitude) {
  const double h = degreesOf(trueAltitude);
  if (h <= kRefractionGone) {
    return 0.0;
  }
  const double held = std::fmax(h, kRefractionFadeStart);
  const double arcminutes =
      kRefractionCoefficient /
      std::tan(toRadians(held + kRefractionOffset / (held + kRefractionPole)));
  const double refraction = toRadians(std::fmax(arcminutes, 0.0) / 60.0);
  if (h >= kRefractionFadeStart) {
    return refraction;
  }
  // Below the horizon the formula's value fades to nothing: smoothstep
  // from 1 at kRefractionFadeStart to 0 at kRefractionGone.
  const double x = (h - kRefractionGone) / (kRefractionFadeStart - kRefractionGone);
  return refraction * x * x * (3.0 - 2.0 * x);
}

HorizontalPosition horizontalPosition(const BodyPosition& position, double siderealTime,
                                      const Observer& observer, Refraction refraction) {
  const Horizon horizon = horizonAt(placeOf(observer), siderealTime + observer.longitude);
  HorizontalPosition seen = seenFrom(
      horizon, equatorialVector(position.rightAscension, position.declination, position.distanceKm),
      refraction);
  seen.status = position.status;
  return seen;
}

SkyView observe(const Instant& instant, const Observer& observer, Refraction refraction) {
  const bool apparent = instant.theory == Theory::Precise;
  const double localSiderealTime =
      (apparent ? instant.apparentSiderealTime : instant.siderealTime) + observer.longitude;
  const Horizon horizon = horizonAt(placeOf(observer), localSiderealTime);
  SkyView view{};
  view.localSiderealTime = withinOneTurn(localSiderealTime);
  view.status = instant.status;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    const BodyPosition& p = instant.bodies[i];
    const Vector v =
        apparent
            ? equatorialVector(instant.apparent[i].rightAscension, instant.apparent[i].declination,
                               instant.apparent[i].distanceAu * kAstronomicalUnitKm)
            : equatorialVector(p.rightAscension, p.declination, p.distanceKm);
    view.bodies[i] = seenFrom(horizon, v, refraction);
    view.bodies[i].status = p.status;
  }
  return view;
}

}  // namespace astro
