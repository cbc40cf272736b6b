// The precise theory's geocentric places: the series of vsop87.cpp and
// elp_mpp02.cpp turned to the ICRS, the frames and the corrections of the
// apparent place from ERFA.
#include "astro/precise/precise.h"

#include <erfa.h>

#include <cmath>

#include "astro/precise/elp_mpp02.h"
#include "astro/precise/vsop87.h"

namespace astro::precise {

namespace {

constexpr double kTwoPi = 6.283185307179586476925287;
// Kilometres in one astronomical unit (IAU 2012), as ERFA has it.
constexpr double kAuKm = 149597870.7;
// Speed of light, AU per day.
constexpr double kLightAuPerDay = 86400.0 / 499.004783836;
// The Sun's Gaussian constant squared, AU^3/day^2: the two-body
// acceleration that carries a planet's position back over the light-time.
constexpr double kSunGm = 0.01720209895 * 0.01720209895;

// VSOP87's dynamical ecliptic and equinox J2000 to the equator: the matrix
// Bretagnon & Francou publish with VSOP87 (to the FK5 equator J2000).
// Measured against DE405, it leaves the inner planets' heliocentric
// directions within 0.03" of DE405's ICRF axes.
constexpr Matrix3 kVsopToIcrs{{{1.0, 0.000000440360, -0.000000190919},
                               {-0.000000479966, 0.917482137087, -0.397776982902},
                               {0.0, 0.397776982902, 0.917482137087}}};

// ELP/MPP02's inertial ecliptic and equinox J2000 to the ICRS: R3(phi)
// R1(-eps), with eps = 23 26' 21.4082" and phi = 0.0459", fitted to DE405's
// geocentric Moon on 1500 dates of 1960-2060 (the remaining differences,
// under 0.07", are the theory's and its truncation's). The matrix written
// out, R1(-eps) = ((1, 0, 0), (0, cos eps, -sin eps), (0, sin eps, cos eps))
// and R3(phi) = ((cos phi, sin phi, 0), (-sin phi, cos phi, 0), (0, 0, 1)).
constexpr Matrix3 kElpToIcrs{{{0.9999999999999752, 2.0416682292134582e-07, -8.851710412276163e-08},
                              {-2.2252947962927521e-07, 0.9174821388225691, -0.3977769788983699},
                              {0.0, 0.3977769788983797, 0.9174821388225919}}};

const VsopSeries* seriesOf(Body body) {
  switch (body) {
    case Body::Mercury:
      return &vsop87_data::kMercury;
    case Body::Venus:
      return &vsop87_data::kVenus;
    case Body::Mars:
      return &vsop87_data::kMars;
    case Body::Jupiter:
      return &vsop87_data::kJupiter;
    case Body::Saturn:
      return &vsop87_data::kSaturn;
    case Body::Uranus:
      return &vsop87_data::kUranus;
    case Body::Neptune:
      return &vsop87_data::kNeptune;
    default:
      return nullptr;
  }
}

Vec3 fromArray(const double a[3]) {
  return {a[0], a[1], a[2]};
}

Matrix3 fromArray(const double a[3][3]) {
  Matrix3 m{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m.r[i][j] = a[i][j];
  }
  return m;
}

void toArray(const Vec3& v, double a[3]) {
  a[0] = v.x;
  a[1] = v.y;
  a[2] = v.z;
}

double positiveAngle(double a) {
  return a < 0.0 ? a + kTwoPi : a;
}

// The place of an equatorial vector of date, the ecliptic of date inclined
// on its equator by obliquity.
Place placeOf(const Vec3& v, double obliquity) {
  const double ce = std::cos(obliquity), se = std::sin(obliquity);
  const Vec3 ecliptic{v.x, ce * v.y + se * v.z, -se * v.y + ce * v.z};
  return {positiveAngle(std::atan2(v.y, v.x)),
          std::atan2(v.z, std::hypot(v.x, v.y)),
          length(v),
          v,
          positiveAngle(std::atan2(ecliptic.y, ecliptic.x)),
          std::atan2(ecliptic.z, std::hypot(ecliptic.x, ecliptic.y))};
}

// The planets' masses over the Sun's (those of DE405, with their
// satellites; the Earth's with the Moon), for the Sun's motion about the
// barycentre. Mercury and Mars, left out, move the Sun by under 0.01 m/s.
constexpr double kVenusMass = 1.0 / 408523.71;
constexpr double kEarthMass = 1.0 / 328900.56;
constexpr double kJupiterMass = 1.0 / 1047.3486;
constexpr double kSaturnMass = 1.0 / 3497.898;
constexpr double kUranusMass = 1.0 / 22902.98;
constexpr double kNeptuneMass = 1.0 / 19412.24;
// The series down to 1e-4 (radians, AU) carry the planets' velocities
// within a few parts in a thousand.
constexpr double kCoarse = 1e-4;

}  // namespace

State earthHeliocentric(double tt) {
  return rotate(kVsopToIcrs, vsop87Heliocentric(vsop87_data::kEarth, tt));
}

State earthHeliocentricEpv00(double tt) {
  double pvh[2][3];
  double pvb[2][3];
  eraEpv00(tt, 0.0, pvh, pvb);
  return {fromArray(pvh[0]), fromArray(pvh[1])};
}

Vec3 sunBarycentricVelocity(double tt) {
  // With every mass at its heliocentric place h_i, the barycentre stays put:
  // the Sun's place is -sum(mu_i h_i) / (1 + sum mu_i), and so its velocity.
  const Vec3 venus = vsop87Heliocentric(vsop87_data::kVenus, tt, kCoarse).velocity;
  const Vec3 earth = vsop87Heliocentric(vsop87_data::kEarth, tt, kCoarse).velocity;
  const Vec3 jupiter = vsop87Heliocentric(vsop87_data::kJupiter, tt, kCoarse).velocity;
  const Vec3 saturn = vsop87Heliocentric(vsop87_data::kSaturn, tt, kCoarse).velocity;
  const Vec3 uranus = vsop87Heliocentric(vsop87_data::kUranus, tt, kCoarse).velocity;
  const Vec3 neptune = vsop87Heliocentric(vsop87_data::kNeptune, tt, kCoarse).velocity;
  const Vec3 sum = kVenusMass * venus + kEarthMass * earth + kJupiterMass * jupiter +
                   kSaturnMass * saturn + kUranusMass * uranus + kNeptuneMass * neptune;
  const double total =
      1.0 + kVenusMass + kEarthMass + kJupiterMass + kSaturnMass + kUranusMass + kNeptuneMass;
  return kVsopToIcrs * ((-1.0 / total) * sum);
}

State planetHeliocentric(Body body, double tt) {
  const VsopSeries* series = seriesOf(body);
  if (series == nullptr) return {};
  return rotate(kVsopToIcrs, vsop87Heliocentric(*series, tt));
}

State moonGeocentric(double tt) {
  const State km = rotate(kElpToIcrs, elpMoonGeocentric(tt));
  return {(1.0 / kAuKm) * km.position, (1.0 / kAuKm) * km.velocity};
}

State geocentric(Body body, double tt) {
  if (body == Body::Moon) return moonGeocentric(tt);
  const State earth = earthHeliocentric(tt);
  if (body == Body::Sun) return {-1.0 * earth.position, -1.0 * earth.velocity};
  const State planet = planetHeliocentric(body, tt);
  return {planet.position - earth.position, planet.velocity - earth.velocity};
}

Epoch epochAt(double tt) {
  Epoch epoch{};
  epoch.tt = tt;
  epoch.earthHelio = earthHeliocentric(tt);
  epoch.sunVelocity = sunBarycentricVelocity(tt);
  epoch.earthVelocity = epoch.earthHelio.velocity + epoch.sunVelocity;
  double dpsi = 0.0, deps = 0.0, epsa = 0.0;
  eraNut00b(tt, 0.0, &dpsi, &deps);
  double rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
  eraPn06(tt, 0.0, dpsi, deps, &epsa, rb, rp, rbp, rn, rbpn);
  epoch.meanOfDate = fromArray(rbp);
  epoch.trueOfDate = fromArray(rbpn);
  epoch.meanObliquity = epsa;
  epoch.trueObliquity = epsa + deps;
  return epoch;
}

Epoch meanEpochAt(double tt) {
  Epoch epoch{};
  epoch.tt = tt;
  epoch.earthHelio = earthHeliocentric(tt);
  double rbp[3][3];
  eraPmat06(tt, 0.0, rbp);
  epoch.meanOfDate = fromArray(rbp);
  epoch.meanObliquity = eraObl06(tt, 0.0);
  return epoch;
}

Place geometricPosition(Body body, const Epoch& epoch) {
  Vec3 p{};
  if (body == Body::Moon) {
    p = moonGeocentric(epoch.tt).position;
  } else if (body == Body::Sun) {
    p = -1.0 * epoch.earthHelio.position;
  } else {
    p = planetHeliocentric(body, epoch.tt).position - epoch.earthHelio.position;
  }
  return placeOf(epoch.meanOfDate * p, epoch.meanObliquity);
}

Place geometricPosition(Body body, double tt) {
  return geometricPosition(body, epochAt(tt));
}

namespace {

// The apparent place seen from an observer at site (from the Earth's
// centre, ICRS axes; zero for the geocentric place).
// The body's state at tt: heliocentric for the Sun (zero) and the planets,
// geocentric for the Moon.
State ownState(Body body, double tt) {
  if (body == Body::Moon) return moonGeocentric(tt);
  if (body == Body::Sun) return {};
  return planetHeliocentric(body, tt);
}

// The geometric place of date from the body's own state at the epoch.
Place geometricFrom(Body body, const Epoch& epoch, const State& state) {
  const Vec3 p = body == Body::Moon ? state.position : state.position - epoch.earthHelio.position;
  return placeOf(epoch.meanOfDate * p, epoch.meanObliquity);
}

Place apparentFrom(Body body, const Epoch& epoch, const State& site, const State& state) {
  // The body's state at tt (ownState) is carried back over the light-time
  // tau by its velocity and, for the planets, the Sun's attraction; the
  // Sun's own barycentric motion over tau moves the heliocentric ones too.
  Vec3 acceleration{};
  Vec3 origin{};  // what the body's vector is measured from, relative to the Earth at tt
  Vec3 originVelocity{};
  if (body == Body::Moon) {
    originVelocity = epoch.earthVelocity;
  } else {
    if (body != Body::Sun) {
      const double r = length(state.position);
      acceleration = (-kSunGm / (r * r * r)) * state.position;
    }
    origin = -1.0 * epoch.earthHelio.position;
    originVelocity = epoch.sunVelocity;
  }
  // U(tau) = origin + p(tt - tau) - (origin's motion over tau), to the
  // second order in tau; the third iteration leaves the light-time within
  // a millisecond (the error shrinks by v/c, 1e-4, each time).
  Vec3 u{};
  Vec3 helio{};
  double tau = 0.0;
  for (int i = 0; i < 3; ++i) {
    helio = state.position - tau * state.velocity + (0.5 * tau * tau) * acceleration;
    u = origin + helio - tau * originVelocity - site.position;
    tau = length(u) / kLightAuPerDay;
  }
  const double distance = length(u);
  double p[3];
  toArray((1.0 / distance) * u, p);

  // Light deflection by the Sun, for the planets (the Sun's own light is
  // not bent, the Moon's by under a milliarcsecond).
  const double earthSun = length(epoch.earthHelio.position);
  double e[3];
  toArray((1.0 / earthSun) * epoch.earthHelio.position, e);
  if (body != Body::Sun && body != Body::Moon) {
    double q[3];
    toArray((1.0 / length(helio)) * helio, q);
    double bent[3];
    eraLd(1.0, p, q, e, earthSun, 1e-9, bent);
    for (int i = 0; i < 3; ++i) p[i] = bent[i];
  }

  // Stellar aberration of the observer's barycentric velocity.
  double v[3];
  toArray((1.0 / kLightAuPerDay) * (epoch.earthVelocity + site.velocity), v);
  const double bm1 = std::sqrt(1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
  double aberrated[3];
  eraAb(p, v, earthSun, bm1, aberrated);

  return placeOf(epoch.trueOfDate * (distance * fromArray(aberrated)), epoch.trueObliquity);
}

}  // namespace

Place apparentPosition(Body body, const Epoch& epoch) {
  return apparentFrom(body, epoch, {}, ownState(body, epoch.tt));
}

Places bothPositions(Body body, const Epoch& epoch) {
  const State state = ownState(body, epoch.tt);
  return {geometricFrom(body, epoch, state), apparentFrom(body, epoch, {}, state)};
}

Place topocentricPosition(Body body, const Epoch& epoch, const State& site) {
  return apparentFrom(body, epoch, site, ownState(body, epoch.tt));
}

Place apparentPosition(Body body, double tt) {
  return apparentPosition(body, epochAt(tt));
}

double apparentSiderealTime(double ut1, const Epoch& epoch) {
  double rbpn[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) rbpn[i][j] = epoch.trueOfDate.r[i][j];
  }
  return eraGst06(ut1, 0.0, epoch.tt, 0.0, rbpn);
}

double meanSiderealTime(double ut1, double tt) {
  return eraGmst06(ut1, 0.0, tt, 0.0);
}

State siteGeocentric(const Site& site, double ut1, const Epoch& epoch) {
  // The site on the ellipsoid, metres, Earth-fixed axes.
  double xyz[3];
  eraGd2gc(1, site.longitude, site.latitude, site.height, xyz);
  // Turned by the apparent sidereal time onto the true equator and equinox
  // of date, with the Earth's angular velocity (IERS, rad/s).
  constexpr double kEarthRotation = 7.292115e-5;
  const double gast = apparentSiderealTime(ut1, epoch);
  const double cg = std::cos(gast), sg = std::sin(gast);
  const double scale = 1.0 / (kAuKm * 1000.0);
  const Vec3 position{scale * (cg * xyz[0] - sg * xyz[1]), scale * (sg * xyz[0] + cg * xyz[1]),
                      scale * xyz[2]};
  const Vec3 velocity = (kEarthRotation * 86400.0) * Vec3{-position.y, position.x, 0.0};
  // Back to the ICRS by the transpose of the epoch's rotation.
  Matrix3 back{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) back.r[i][j] = epoch.trueOfDate.r[j][i];
  }
  return {back * position, back * velocity};
}

}  // namespace astro::precise
