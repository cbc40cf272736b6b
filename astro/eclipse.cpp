// Eclipses of the Sun and the Moon: the searches, and what a place sees.
//
// Every computation follows one lunation on a track: the places of the Sun
// and the Moon (kilometres, from the Earth's centre, on the true equator and
// equinox of date) and the apparent sidereal time, computed exactly at the
// Chebyshev nodes of two days around the mean syzygy and interpolated in
// between. Over two days the places are smooth enough that the eleven nodes
// leave them within a metre; a track costs eleven places of the Sun and the
// Moon, and every root and extremum after that is nearly free.
//
// The places are the apparent ones of the Precise theory with the annual
// aberration taken off again (to first order in v/c, within 0.002"): the
// directions in which the light that reaches the Earth now left the Sun and
// the Moon, which is where their shadows are.
//
// The Earth is the WGS84 ellipsoid. For the shadow of the Moon its polar
// axis is stretched by 1 / (1 - f), which makes it a sphere of radius a and
// keeps straight lines straight: where the shadow's axis meets it is exact,
// the cones' tangency with it good to f times the cones' own tilt, a few
// kilometres.
#include "astro/eclipse.h"

#include <erfa.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "astro/numeric.h"
#include "astro/precise/precise.h"

namespace astro {

namespace eclipse {

double obscuration(double sun, double moon, double separation) {
  if (separation >= sun + moon) return 0.0;
  if (separation <= moon - sun) return 1.0;
  if (separation <= sun - moon) return (moon * moon) / (sun * sun);
  const double d = separation;
  const double a1 = std::acos((d * d + sun * sun - moon * moon) / (2.0 * d * sun));
  const double a2 = std::acos((d * d + moon * moon - sun * sun) / (2.0 * d * moon));
  const double lens =
      sun * sun * (a1 - std::sin(2.0 * a1) / 2.0) + moon * moon * (a2 - std::sin(2.0 * a2) / 2.0);
  return lens / (std::numbers::pi * sun * sun);
}

double meanPhase(double k) {
  const double t = k / 1236.85;
  return 2451550.09766 + 29.530588861 * k + 0.00015437 * t * t - 0.000000150 * t * t * t +
         0.00000000073 * t * t * t * t;
}

double meanArgumentOfLatitude(double k) {
  const double t = k / 1236.85;
  const double f = 160.7108 + 390.67050284 * k - 0.0016118 * t * t - 0.00000227 * t * t * t +
                   0.000000011 * t * t * t * t;
  return f * kRadiansPerDegree;
}

}  // namespace eclipse

namespace {

constexpr double kEarthRadius = 6378.137;  // km, WGS84 equatorial radius
constexpr double kEarthFlattening = 1.0 / 298.257223563;
constexpr double kPolarStretch = 1.0 / (1.0 - kEarthFlattening);
constexpr double kSunRadius = 696000.0;  // km
// The Moon's radius in eclipse work, k = 0.2725076 equatorial radii of the
// Earth (1738.09 km, the IAU's 1982 value, fitted to the lunar limb in
// occultations), a little more than its mean radius, 1737.4 km.
constexpr double kMoonRadius = 0.2725076 * kEarthRadius;  // km
// For the second and third contacts, which begin and end the total or the
// annular phase, the smaller k = 0.2722810 (1736.65 km), which stands for
// the valleys of the limb through which the last light passes: the value
// of NASA's eclipse canon for the central phases, and swetest's durations.
// The kinds, the magnitudes and the other contacts take kMoonRadius.
constexpr double kMoonInnerRadius = 0.2722810 * kEarthRadius;  // km
constexpr double kLightAuPerDay = 86400.0 / 499.004783836;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// The Earth's rotation, radians per day of UT (IERS).
constexpr double kRotation = kTwoPi * 1.00273781191135448;
// Roots and extrema to a millisecond.
constexpr double kTolerance = 1e-8;
// The Moon's argument of latitude at a mean syzygy beyond which no eclipse
// happens: |sin F| above 0.36 (Meeus, chapter 54), with a margin.
constexpr double kNodeScreen = 0.40;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Vector unit(const Vector& v) {
  return (1.0 / length(v)) * v;
}

double angleBetween(const Vector& a, const Vector& b) {
  const Vector c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  return std::atan2(length(c), dot(a, b));
}

double wrapPi(double x) {
  return x - kTwoPi * std::floor((x + std::numbers::pi) / kTwoPi);
}

// The Sun and the Moon at one instant.
struct Sky {
  Vector sun;   // km, the light-time place without aberration
  Vector moon;  // km, the same
  double gast;  // radians, the apparent sidereal time (unwound on a track)
  Vector beta;  // the Earth's barycentric velocity, in units of c
};

// A direction (of a place without aberration) as the Earth sees it: the
// aberration of velocity beta (units of c) to first order.
Vector aberrated(const Vector& v, const Vector& beta) {
  const Vector n = unit(v);
  return n + beta - dot(beta, n) * n;
}

// Light's direction without the aberration of velocity beta (in units of
// c): n = n' - beta + (beta . n') n' to first order.
Vector withoutAberration(const Vector& apparent, const Vector& beta) {
  const double r = length(apparent);
  const Vector n = (1.0 / r) * apparent;
  const Vector m = n - beta + dot(beta, n) * n;
  return r * unit(m);
}

Sky skyAt(double tt, double deltaT) {
  const precise::Epoch epoch = precise::epochAt(tt);
  const Vector beta = (1.0 / kLightAuPerDay) * (epoch.trueOfDate * epoch.earthVelocity);
  const precise::Place sun = precise::apparentPosition(Body::Sun, epoch);
  const precise::Place moon = precise::apparentPosition(Body::Moon, epoch);
  return {withoutAberration(kAstronomicalUnitKm * sun.vector, beta),
          withoutAberration(kAstronomicalUnitKm * moon.vector, beta),
          precise::apparentSiderealTime(tt - deltaT / kSecondsPerDay, epoch), beta};
}

// Two days of the Sun and the Moon around an instant.
class Track {
 public:
  static constexpr int kNodes = 11;
  static constexpr double kHalf = 1.0;  // days

  Track(double middle, double deltaT) : middle_(middle) {
    bool finite = std::isfinite(middle) && std::isfinite(deltaT);
    bool inside = true;
    for (int k = 0; k < kNodes && finite; ++k) {
      const double angle = (2 * k + 1) * std::numbers::pi / (2 * kNodes);
      x_[k] = std::cos(angle);
      weight_[k] = (k % 2 == 0 ? 1.0 : -1.0) * std::sin(angle);
      const double tt = middle + kHalf * x_[k];
      Sky sky = skyAt(tt, deltaT);
      // The sidereal time less the Earth's turning since the middle, kept
      // within half a turn of the first node's.
      const double turned = kRotation * (tt - middle);
      double rest = sky.gast - turned;
      if (k > 0) rest = node_[0].gast + wrapPi(rest - node_[0].gast);
      sky.gast = rest;
      node_[k] = sky;
      finite = std::isfinite(sky.sun.x + sky.sun.y + sky.sun.z + sky.moon.x + sky.moon.y +
                             sky.moon.z + sky.gast);
      inside = inside && tt >= kPreciseSpanStart && tt < kPreciseSpanEnd;
    }
    status_ = !finite  ? Status::NotComputable
              : inside ? Status::Computed
                       : Status::OutsideMeasuredSpan;
  }

  Status status() const { return status_; }
  double start() const { return middle_ - kHalf; }
  double end() const { return middle_ + kHalf; }

  Sky at(double tt) const {
    const double s = (tt - middle_) / kHalf;
    double total = 0.0;
    Sky sum{{0, 0, 0}, {0, 0, 0}, 0.0, {0, 0, 0}};
    for (int k = 0; k < kNodes; ++k) {
      if (s == x_[k]) {
        Sky exact = node_[k];
        exact.gast += kRotation * (tt - middle_);
        return exact;
      }
      const double c = weight_[k] / (s - x_[k]);
      total += c;
      sum.sun = sum.sun + c * node_[k].sun;
      sum.moon = sum.moon + c * node_[k].moon;
      sum.gast += c * node_[k].gast;
      sum.beta = sum.beta + c * node_[k].beta;
    }
    const double r = 1.0 / total;
    return {r * sum.sun, r * sum.moon, r * sum.gast + kRotation * (tt - middle_), r * sum.beta};
  }

 private:
  double middle_;
  std::array<double, kNodes> x_{};
  std::array<double, kNodes> weight_{};
  std::array<Sky, kNodes> node_{};
  Status status_ = Status::NotComputable;
};

Vector stretched(const Vector& v) {
  return {v.x, v.y, v.z * kPolarStretch};
}

// The Moon's shadow at an instant: its axis in the stretched frame, where
// the Earth is a sphere of radius kEarthRadius, and the radii of its cones
// on the plane through the Earth's centre perpendicular to the axis.
struct Shadow {
  Vector axis;      // unit, from the Sun towards the Moon (stretched frame)
  Vector nearest;   // the axis' point nearest the Earth's centre (stretched)
  double distance;  // its distance from the centre, km (stretched)
  double gammaKm;   // the same in the true frame, signed north
  double penumbra;  // km, radius of the penumbra on that plane
  double umbra;     // km, of the umbra: negative where total, positive annular
};

Shadow shadowOf(const Sky& sky) {
  Shadow s{};
  const Vector sun = stretched(sky.sun);
  const Vector moon = stretched(sky.moon);
  s.axis = unit(moon - sun);
  s.nearest = moon - dot(moon, s.axis) * s.axis;
  s.distance = length(s.nearest);
  const Vector trueAxis = unit(sky.moon - sky.sun);
  const Vector trueNearest = sky.moon - dot(sky.moon, trueAxis) * trueAxis;
  s.gammaKm = std::copysign(length(trueNearest), trueNearest.z);
  const double between = length(sky.moon - sky.sun);
  const double zMoon = -dot(sky.moon, trueAxis);
  const double f1 = std::asin((kSunRadius + kMoonRadius) / between);
  const double f2 = std::asin((kSunRadius - kMoonRadius) / between);
  // The cones' radii where they reach toward the Earth's centre, as the
  // stretch makes them: a circle of radius l becomes an ellipse, l / |n|
  // across in the direction whose shrunk image is n (up to 0.34 % longer,
  // 12 km of the penumbra, toward the poles).
  const Vector toward = s.distance > 0 ? (1.0 / s.distance) * s.nearest : Vector{1, 0, 0};
  const double across = 1.0 / length(Vector{toward.x, toward.y, toward.z / kPolarStretch});
  s.penumbra = across * (zMoon * std::tan(f1) + kMoonRadius / std::cos(f1));
  s.umbra = across * (zMoon * std::tan(f2) - kMoonRadius / std::cos(f2));
  return s;
}

// The Sun and the Moon seen from a point (km, true equator of date).
struct Discs {
  double inner;       // the Moon's by kMoonInnerRadius, for the total and annular phases
  double separation;  // radians between the centres
  double sun;         // the Sun's apparent radius, radians
  double moon;        // the Moon's
};

Discs discsFrom(const Sky& sky, const Vector& point) {
  const Vector sun = sky.sun - point;
  const Vector moon = sky.moon - point;
  return {std::asin(kMoonInnerRadius / length(moon)), angleBetween(sun, moon),
          std::asin(kSunRadius / length(sun)), std::asin(kMoonRadius / length(moon))};
}

// Earth-fixed (km) to the true equator of date at sidereal time gast, and back.
Vector turned(const Vector& v, double gast) {
  const double c = std::cos(gast), s = std::sin(gast);
  return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
}

struct Geodetic {
  double latitude;
  double longitude;
};

Geodetic geodeticOf(const Vector& ofDate, double gast) {
  const Vector fixed = turned(ofDate, -gast);
  double xyz[3] = {fixed.x * 1000.0, fixed.y * 1000.0, fixed.z * 1000.0};
  double longitude = 0.0, latitude = 0.0, height = 0.0;
  if (eraGc2gd(1, xyz, &longitude, &latitude, &height) != 0) return {kNaN, kNaN};
  return {latitude, longitude};
}

// A place as the library's Observer, Earth-fixed kilometres.
Vector siteOf(const Observer& observer) {
  double xyz[3];
  eraGd2gc(1, observer.longitude, observer.latitude, observer.heightMetres, xyz);
  return {xyz[0] / 1000.0, xyz[1] / 1000.0, xyz[2] / 1000.0};
}

// Altitude (without refraction) and azimuth of a direction of date seen
// from a place.
struct Horizontal {
  double altitude;
  double azimuth;
};

Horizontal horizontalOf(const Vector& ofDate, double gast, const Observer& observer) {
  const Vector v = turned(ofDate, -gast);
  const double cl = std::cos(observer.longitude), sl = std::sin(observer.longitude);
  const double cp = std::cos(observer.latitude), sp = std::sin(observer.latitude);
  const double up = cp * cl * v.x + cp * sl * v.y + sp * v.z;
  const double east = -sl * v.x + cl * v.y;
  const double north = -sp * cl * v.x - sp * sl * v.y + cp * v.z;
  double azimuth = std::atan2(east, north);
  if (azimuth < 0) azimuth += kTwoPi;
  return {std::atan2(up, std::hypot(east, north)), azimuth};
}

EclipseContact noContact() {
  return {false, TT{kNaN}, kNaN, kNaN};
}

// The least of f over [a, b] and the roots of f - level on either side.
template <class F>
double earliestRoot(const F& f, double a, double b) {
  const double fa = f(a), fb = f(b);
  if (!(fa > 0) || fb > 0) return (fa > 0) ? b : a;
  return rootOf(f, a, b, fa, fb, kTolerance);
}

template <class F>
double latestRoot(const F& f, double a, double b) {
  const double fa = f(a), fb = f(b);
  if (fa > 0 || !(fb > 0)) return (fb > 0) ? a : b;
  return rootOf(f, a, b, fa, fb, kTolerance);
}

// ---- Local circumstances of an eclipse of the Sun ----

LocalSolarEclipse localOn(const Track& track, const SolarEclipse& global,
                          const Observer& observer) {
  LocalSolarEclipse local{};
  local.status = track.status();
  local.c1 = local.c2 = local.maximum = local.c3 = local.c4 = noContact();
  local.magnitude = local.obscuration = kNaN;
  local.sunrise = local.sunset = TT{kNaN};
  local.kind = SolarEclipseKind::Partial;
  const Vector site = siteOf(observer);
  auto discs = [&](double t) {
    const Sky sky = track.at(t);
    return discsFrom(sky, turned(site, sky.gast));
  };
  const double lo = std::max(track.start(), global.partialBegin.jd - 0.02);
  const double hi = std::min(track.end(), global.partialEnd.jd + 0.02);
  if (!(lo < hi)) return local;
  auto separation = [&](double t) { return discs(t).separation; };
  const Extremum least = extremumOf(separation, lo, hi, false, kTolerance, ExtremumRule::Brent);
  const Discs atMax = discs(least.x);
  if (!(atMax.separation < atMax.sun + atMax.moon)) return local;
  local.eclipsed = true;

  auto outer = [&](double t) {
    const Discs d = discs(t);
    return d.separation - (d.sun + d.moon);
  };
  auto inner = [&](double t) {
    const Discs d = discs(t);
    return d.separation - std::fabs(d.inner - d.sun);
  };
  auto contact = [&](double t) {
    const Sky sky = track.at(t);
    const Horizontal h = horizontalOf(sky.sun - turned(site, sky.gast), sky.gast, observer);
    return EclipseContact{true, TT{t}, h.altitude, h.azimuth};
  };
  const double c1 = earliestRoot(outer, lo, least.x);
  const double c4 = latestRoot(outer, least.x, hi);
  local.c1 = contact(c1);
  local.c4 = contact(c4);
  local.maximum = contact(least.x);
  if (atMax.separation < std::fabs(atMax.inner - atMax.sun)) {
    local.kind = atMax.moon > atMax.sun ? SolarEclipseKind::Total : SolarEclipseKind::Annular;
    local.c2 = contact(earliestRoot(inner, c1, least.x));
    local.c3 = contact(latestRoot(inner, least.x, c4));
    local.magnitude = atMax.moon / atMax.sun;
  } else {
    local.magnitude = (atMax.sun + atMax.moon - atMax.separation) / (2.0 * atMax.sun);
  }
  local.obscuration = eclipse::obscuration(atMax.sun, atMax.moon, atMax.separation);

  // The Sun up: its centre above kSunHorizon (the upper limb, refracted).
  auto up = [&](double t) {
    const Sky sky = track.at(t);
    return horizontalOf(sky.sun - turned(site, sky.gast), sky.gast, observer).altitude -
           kSunHorizon;
  };
  constexpr int kSteps = 24;
  double previous = up(c1);
  bool seen = previous > 0;
  for (int i = 1; i <= kSteps; ++i) {
    const double a = c1 + (c4 - c1) * (i - 1) / kSteps;
    const double b = c1 + (c4 - c1) * i / kSteps;
    const double now = up(b);
    if ((previous > 0) != (now > 0)) {
      const double t = rootOf(up, a, b, previous, now, kTolerance);
      if (now > 0 && !local.atSunrise) {
        local.atSunrise = true;
        local.sunrise = TT{t};
      } else if (!(now > 0) && !local.atSunset) {
        local.atSunset = true;
        local.sunset = TT{t};
      }
    }
    seen = seen || now > 0;
    previous = now;
  }
  local.seen = seen;
  return local;
}

// ---- The global circumstances ----

bool nearNode(double k) {
  return std::fabs(std::sin(eclipse::meanArgumentOfLatitude(k))) < kNodeScreen;
}

double lunationAt(double tt) {
  return std::floor((tt - 2451550.09766) / 29.530588861);
}

// The eclipse of the Sun of one track, if there is one.
bool solarOn(const Track& track, const TimeScale& scale, SolarEclipse& out) {
  auto apart = [&](double t) {
    const Sky sky = track.at(t);
    return angleBetween(sky.sun, sky.moon);
  };
  const Extremum least =
      extremumOf(apart, track.start(), track.end(), false, kTolerance, ExtremumRule::Brent);
  const double t0 = least.x;
  const Sky sky = track.at(t0);
  const Shadow shadow = shadowOf(sky);
  if (!(shadow.distance < kEarthRadius + shadow.penumbra)) return false;
  SolarEclipse e{};
  e.status = track.status();
  e.greatest = TT{t0};
  e.deltaT = scale.deltaT(TT{t0});
  e.gamma = shadow.gammaKm / kEarthRadius;
  e.central = shadow.distance < kEarthRadius;

  auto penumbral = [&](double t) {
    const Shadow s = shadowOf(track.at(t));
    return s.distance - (kEarthRadius + s.penumbra);
  };
  e.partialBegin = TT{earliestRoot(penumbral, track.start(), t0)};
  e.partialEnd = TT{latestRoot(penumbral, t0, track.end())};

  // The point of greatest eclipse, in the stretched frame and then the true.
  Vector point{};
  if (e.central) {
    const double depth = std::sqrt(kEarthRadius * kEarthRadius - shadow.distance * shadow.distance);
    point = shadow.nearest - depth * shadow.axis;
  } else {
    point = (kEarthRadius / shadow.distance) * shadow.nearest;
  }
  point.z /= kPolarStretch;
  const Geodetic place = geodeticOf(point, sky.gast);
  e.latitude = place.latitude;
  e.longitude = place.longitude;
  const Discs discs = discsFrom(sky, point);

  if (e.central) {
    e.magnitude = discs.moon / discs.sun;
    e.kind = discs.moon > discs.sun ? SolarEclipseKind::Total : SolarEclipseKind::Annular;
    if (e.kind == SolarEclipseKind::Total) {
      // Annular where the axis grazes the Earth at either end: hybrid.
      auto inside = [&](double t) { return shadowOf(track.at(t)).distance - kEarthRadius; };
      for (const double t :
           {earliestRoot(inside, track.start(), t0), latestRoot(inside, t0, track.end())}) {
        const Sky end = track.at(t);
        const Shadow s = shadowOf(end);
        Vector limb = (kEarthRadius / s.distance) * s.nearest;
        limb.z /= kPolarStretch;
        const Discs d = discsFrom(end, limb);
        if (d.moon < d.sun) e.kind = SolarEclipseKind::Hybrid;
      }
    }
  } else {
    if (shadow.distance < kEarthRadius + std::fabs(shadow.umbra)) {
      // The edge of the umbra or antumbra on the Earth: the ratio of the
      // diameters, as where the axis meets it.
      e.kind = shadow.umbra < 0 ? SolarEclipseKind::Total : SolarEclipseKind::Annular;
      e.magnitude = discs.moon / discs.sun;
    } else {
      e.kind = SolarEclipseKind::Partial;
      e.magnitude = (discs.sun + discs.moon - discs.separation) / (2.0 * discs.sun);
    }
  }
  e.centralDuration = 0.0;
  if (e.central) {
    const Observer there{e.latitude, e.longitude, 0.0};
    const LocalSolarEclipse local = localOn(track, e, there);
    if (local.c2.occurs && local.c3.occurs) {
      e.centralDuration = (local.c3.tt.jd - local.c2.tt.jd) * kSecondsPerDay;
    }
  }
  out = e;
  return true;
}

SolarEclipse noSolarEclipse() {
  return {SolarEclipseKind::Partial,
          false,
          TT{kNaN},
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          TT{kNaN},
          TT{kNaN},
          kNaN,
          Status::NotComputable};
}

// Delta T for a track: the time scale's at its middle.
double deltaTAt(const TimeScale& scale, double tt) {
  return scale.deltaT(TT{tt});
}

// ---- Eclipses of the Moon ----

struct Umbra {
  double separation;  // radians, the Moon's centre from the shadow's axis
  double umbra;       // radians, the umbra's radius at the Moon's distance
  double penumbra;    // radians
  double moon;        // radians, the Moon's apparent radius
  double gammaKm;     // signed distance of the Moon's centre from the axis, km
};

Umbra umbraOf(const Sky& sky, LunarShadow convention) {
  // The apparent Moon against the point opposite the apparent Sun: the
  // aberration of both stands for the Earth's motion while the light goes
  // out to the Moon and back (2 v / c, 41").
  const Vector axis = -1.0 * aberrated(sky.sun, sky.beta);
  const Vector moonSeen = aberrated(sky.moon, sky.beta);
  const double moonDistance = length(sky.moon);
  const double sunDistance = length(sky.sun);
  Umbra u{};
  u.separation = angleBetween(moonSeen, axis);
  const double parallax = 0.998340 * std::asin(kEarthRadius / moonDistance);
  const double sunParallax = std::asin(kEarthRadius / sunDistance);
  const double sunRadius = std::asin(kSunRadius / sunDistance);
  if (convention == LunarShadow::Chauvenet) {
    u.umbra = 1.02 * (parallax + sunParallax - sunRadius);
    u.penumbra = 1.02 * (parallax + sunParallax + sunRadius);
  } else {
    u.umbra = (1.0 + 1.0 / 85.0) * parallax + sunParallax - sunRadius;
    u.penumbra = (1.0 + 1.0 / 85.0) * parallax + sunParallax + sunRadius;
  }
  u.moon = std::asin(kMoonRadius / moonDistance);
  const Vector offset = moonSeen - dot(moonSeen, unit(axis)) * unit(axis);
  u.gammaKm = std::copysign(moonDistance * length(offset), offset.z);
  return u;
}

bool lunarOn(const Track& track, const TimeScale& scale, LunarShadow convention,
             LunarEclipse& out) {
  auto separation = [&](double t) { return umbraOf(track.at(t), convention).separation; };
  const Extremum least =
      extremumOf(separation, track.start(), track.end(), false, kTolerance, ExtremumRule::Brent);
  const double t0 = least.x;
  const Sky sky = track.at(t0);
  const Umbra u = umbraOf(sky, convention);
  if (!(u.separation < u.penumbra + u.moon)) return false;
  LunarEclipse e{};
  e.status = track.status();
  e.greatest = TT{t0};
  e.deltaT = scale.deltaT(TT{t0});
  e.umbralMagnitude = (u.umbra + u.moon - u.separation) / (2.0 * u.moon);
  e.penumbralMagnitude = (u.penumbra + u.moon - u.separation) / (2.0 * u.moon);
  e.gamma = u.gammaKm / kEarthRadius;
  e.kind = u.separation < u.umbra - u.moon   ? LunarEclipseKind::Total
           : u.separation < u.umbra + u.moon ? LunarEclipseKind::Partial
                                             : LunarEclipseKind::Penumbral;
  auto contactPair = [&](auto level, TT& before, TT& after) {
    auto f = [&](double t) {
      const Umbra w = umbraOf(track.at(t), convention);
      return w.separation - level(w);
    };
    before = TT{earliestRoot(f, track.start(), t0)};
    after = TT{latestRoot(f, t0, track.end())};
  };
  e.u1 = e.u2 = e.u3 = e.u4 = TT{kNaN};
  contactPair([](const Umbra& w) { return w.penumbra + w.moon; }, e.p1, e.p4);
  if (e.kind != LunarEclipseKind::Penumbral) {
    contactPair([](const Umbra& w) { return w.umbra + w.moon; }, e.u1, e.u4);
  }
  if (e.kind == LunarEclipseKind::Total) {
    contactPair([](const Umbra& w) { return w.umbra - w.moon; }, e.u2, e.u3);
  }
  // The Moon at the zenith: its direction on the Earth.
  const Vector fixed = turned(unit(sky.moon), -sky.gast);
  e.latitude = std::asin(fixed.z);
  e.longitude = std::atan2(fixed.y, fixed.x);
  out = e;
  return true;
}

}  // namespace

SolarEclipse searchSolarEclipse(TT after, const TimeScale& scale) {
  if (!std::isfinite(after.jd)) return noSolarEclipse();
  // Every lunation from the one before; an eclipse of the Sun comes at
  // least every six lunations.
  const double first = lunationAt(after.jd) - 1;
  for (double k = first; k < first + 16; k += 1) {
    const double mean = eclipse::meanPhase(k);
    if (mean + Track::kHalf <= after.jd || !nearNode(k)) continue;
    const Track track(mean, deltaTAt(scale, mean));
    if (track.status() == Status::NotComputable) return noSolarEclipse();
    SolarEclipse e{};
    if (solarOn(track, scale, e) && e.greatest.jd > after.jd) return e;
  }
  return noSolarEclipse();
}

LocalSolarEclipse localSolarEclipse(const SolarEclipse& eclipse, const Observer& observer,
                                    const TimeScale& scale) {
  const Track track(eclipse.greatest.jd, deltaTAt(scale, eclipse.greatest.jd));
  if (track.status() == Status::NotComputable || !std::isfinite(observer.latitude) ||
      !std::isfinite(observer.longitude) || !std::isfinite(observer.heightMetres)) {
    LocalSolarEclipse none{};
    none.c1 = none.c2 = none.maximum = none.c3 = none.c4 = noContact();
    none.magnitude = none.obscuration = kNaN;
    none.sunrise = none.sunset = TT{kNaN};
    none.status = Status::NotComputable;
    return none;
  }
  return localOn(track, eclipse, observer);
}

LocalSolarSearch searchLocalSolarEclipse(TT after, const Observer& observer, const TimeScale& scale,
                                         double limitYears) {
  LocalSolarSearch found{};
  TT from = after;
  while (std::isfinite(from.jd) && from.jd < after.jd + limitYears * 365.25) {
    found.global = searchSolarEclipse(from, scale);
    if (found.global.status == Status::NotComputable) break;
    found.local = localSolarEclipse(found.global, observer, scale);
    if (found.local.seen || found.local.status == Status::NotComputable) return found;
    from = found.global.greatest;
  }
  found.local = localSolarEclipse(noSolarEclipse(), observer, scale);
  found.local.status = Status::NotComputable;
  return found;
}

LunarEclipse searchLunarEclipse(TT after, const TimeScale& scale, LunarShadow shadow) {
  LunarEclipse none{LunarEclipseKind::Penumbral,
                    TT{kNaN},
                    TT{kNaN},
                    TT{kNaN},
                    TT{kNaN},
                    TT{kNaN},
                    TT{kNaN},
                    TT{kNaN},
                    kNaN,
                    kNaN,
                    kNaN,
                    kNaN,
                    kNaN,
                    kNaN,
                    Status::NotComputable};
  if (!std::isfinite(after.jd)) return none;
  const double first = lunationAt(after.jd) - 1;
  for (double k = first + 0.5; k < first + 16; k += 1) {
    const double mean = eclipse::meanPhase(k);
    if (mean + Track::kHalf <= after.jd || !nearNode(k)) continue;
    const Track track(mean, deltaTAt(scale, mean));
    if (track.status() == Status::NotComputable) return none;
    LunarEclipse e{};
    if (lunarOn(track, scale, shadow, e) && e.greatest.jd > after.jd) return e;
  }
  return none;
}

LocalLunarEclipse localLunarEclipse(const LunarEclipse& eclipse, const Observer& observer,
                                    const TimeScale& scale) {
  LocalLunarEclipse local{};
  const Track track(eclipse.greatest.jd, deltaTAt(scale, eclipse.greatest.jd));
  local.status = track.status();
  const Vector site = siteOf(observer);
  const std::array<TT, 7> at = {eclipse.p1, eclipse.u1, eclipse.u2, eclipse.greatest,
                                eclipse.u3, eclipse.u4, eclipse.p4};
  auto moonSeen = [&](double t) {
    const Sky sky = track.at(t);
    return horizontalOf(sky.moon - turned(site, sky.gast), sky.gast, observer);
  };
  for (std::size_t i = 0; i < at.size(); ++i) {
    const double t = at[i].jd;
    if (!std::isfinite(t) || track.status() == Status::NotComputable) {
      local.contacts[i] = noContact();
      continue;
    }
    const Horizontal h = moonSeen(t);
    local.contacts[i] = {true, at[i], h.altitude, h.azimuth};
  }
  if (track.status() == Status::NotComputable) return local;
  // Up: the upper limb, refracted by 34', above the horizon.
  const bool umbral = std::isfinite(eclipse.u1.jd);
  const double from = umbral ? eclipse.u1.jd : eclipse.p1.jd;
  const double to = umbral ? eclipse.u4.jd : eclipse.p4.jd;
  constexpr int kSteps = 48;
  for (int i = 0; i <= kSteps && std::isfinite(from) && std::isfinite(to); ++i) {
    const double t = from + (to - from) * i / kSteps;
    const Sky sky = track.at(t);
    const double radius = std::asin(kMoonRadius / length(sky.moon));
    if (moonSeen(t).altitude > kPlanetHorizon - radius) {
      local.seen = true;
      break;
    }
  }
  return local;
}

}  // namespace astro
