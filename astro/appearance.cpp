// appearances, appearance, elongation: how each body looks from the
// Earth's centre at one instant: its phase, its apparent size, its side of
// the Sun and its brightness.
//
//   instant    the nine positions of computeInstant or computeInstantUt
//   position   one body's BodyPosition, with the Sun's of the same instant
//   tt         that instant as a Julian Day in Terrestrial Time
//
// Every position is geocentric and geometric, in the mean ecliptic and
// equinox of the date (longitude lambda, latitude beta, distance Delta in
// AU); the Sun's are lambda0, beta0 and R. Angles are radians; the
// constants given in degrees or arcseconds below are turned into radians,
// and the phase angle into degrees for the magnitude laws, with the full
// precision pi (std::numbers::pi), not the decimal kPi of the positions:
// these are new quantities with no printed digits to keep.
//
// Elongation. psi is the great circle between the body and the Sun from
// their ecliptic coordinates (angularSeparation's atan2 form, which keeps
// its precision near 0 and pi). The side is the sign of lambda - lambda0
// brought into (-pi, pi]: East when positive, West when negative, None at
// zero, the Sun itself.
//
// Phase. In the triangle Sun-body-Earth, with psi the angle at the Earth:
//   r = hypot(R sin psi, Delta - R cos psi)   the body's distance from the Sun
//   i = atan2(R sin psi, Delta - R cos psi)   the angle at the body, 0..pi
//   k = (1 + cos i) / 2                       the illuminated fraction
// (Meeus, Astronomical Algorithms, 2nd ed., eqs. 41.1 and 48.2-48.3). The
// Moon's BodyPosition::illumination comes from Meeus' approximation (48.4),
// i = 180 - D - 0.1468 sin D (1 - 0.0549 sin M') / (1 - 0.0167 sin M)
// degrees, which stands in for R and Delta with the mean anomalies; the two
// fractions differ by less than 0.00015 (docs/accuracy.md).
//
// Apparent diameter: 2 asin(a / Delta), a the equatorial radius of the
// IAU Working Group on Cartographic Coordinates and Rotational Elements
// 2015 (Archinal et al. 2018, Celestial Mechanics and Dynamical Astronomy
// 130:22); the Moon's mean radius 1737.4 km from the same report; the
// Sun's nominal radius 695,700 km (IAU 2015 Resolution B3). Saturn's is
// the globe's, without the rings.
//
// Poles. Saturn's north pole, alpha0 = 40.589 - 0.036 T, delta0 = 83.537 -
// 0.004 T degrees (T centuries from J2000), and Uranus', alpha0 = 257.311,
// delta0 = -15.175, on the J2000 equator (IAU 2015), turned to the J2000
// ecliptic with the obliquity 23 deg 26' 21.448" and precessed to the
// ecliptic and equinox of the date rigorously (Meeus, eqs. 21.5 and 21.7,
// Lieske's angles eta, Pi and p): within 4" of the IAU 2006 precession
// from 1000 to 3000. Meeus' own ring elements (ch. 45, i = 28.075216,
// Omega = 169.508470 degrees at J2000) lie 0.02 degrees from this pole. The
// sub-Earth and sub-Sun latitudes B and B' are planetocentric:
//   sin B  = -pole . e_body                 (from the body toward the Earth)
//   sin B' = -pole . (Delta e_body - R e_sun) / r   (toward the Sun)
//
// Visual magnitude, V = 5 log10(r Delta) + V(1, alpha), alpha the phase
// angle in degrees. Mercury to Neptune from Mallama and Hilton (2018),
// "Computing apparent planetary magnitudes for The Astronomical Almanac",
// Astronomy and Computing 25, 10-24:
//   Mercury  -0.613 + 6.3280e-2 a - 1.6336e-3 a^2 + 3.3644e-5 a^3
//            - 3.4265e-7 a^4 + 1.6893e-9 a^5 - 3.0334e-12 a^6,  2 <= a <= 170
//   Venus    -4.384 - 1.044e-3 a + 3.687e-4 a^2 - 2.814e-6 a^3 + 8.938e-9 a^4
//            for a <= 163.7; 236.05828 - 2.81914 a + 8.39034e-3 a^2 above,
//            2 <= a <= 179
//   Mars     -1.601 + 0.02267 a - 0.0001302 a^2, a <= 50; without the
//            terms of Mars' rotation and season (up to about 0.1 mag)
//   Jupiter  -9.395 - 3.7e-4 a + 6.16e-4 a^2, a <= 12
//   Saturn   globe and rings, a <= 6.5 and tilt beta <= 27 degrees:
//            -8.914 - 1.825 sin beta + 0.026 a - 0.378 sin beta e^(-2.25 a),
//            with sin beta = sqrt(sin B sin B'), the rings' lit face as seen
//            from the Earth. When the Earth and the Sun are on opposite
//            sides of the ring plane (B B' < 0) the Earth sees the unlit
//            face, which the law does not cover: the globe alone,
//            -8.95 - 3.7e-4 a + 6.16e-4 a^2, flagged OutsideModelRange.
//   Uranus   -7.110 - 8.4e-4 phi' + 6.587e-3 a + 1.045e-4 a^2, a <= 3.1, phi'
//            the mean of |B| and |B'| made planetographic (degrees, with
//            the flattening of the radii 25559 and 24973 km)
//   Neptune  V(1, 0) = -7.00 from 2000 on, -6.89 - 0.0054 (year - 1980)
//            from 1980 to 2000, -6.89 before (its brightening), a <= 1.9
// The Moon: V(1, 0) = +0.21 (Allen's Astrophysical Quantities, 4th ed.,
// which makes the mean full moon -12.74) with the lunar phase law
// 0.026 a + 4.0e-9 a^4, r and Delta its own; flagged beyond a = 150, thin
// crescents the law is not meant for. The Sun: -26.74 + 5 log10(Delta).
// Beyond a law's range of phase angle the formula is still evaluated and
// the magnitude is flagged OutsideModelRange; a position that could not be
// computed leaves NaN everywhere.
//
// Accuracy: that of the positions (docs/accuracy.md). Against the same laws
// on ERFA's vectors from 1900 to 2100: phase angles to 40" (the Moon), 1.6'
// (Mercury, Venus), 4' (Mars near close oppositions), 25" (the outer
// planets); illuminated fractions to 0.0003; magnitudes to 0.01 where both
// sides flag alike (at a ring-plane crossing a tilt of a hundredth of a
// degree may switch Saturn between its two laws, 0.17 mag apart).
#include "astro/appearance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/polynomial.h"

namespace astro {
namespace {

// Equatorial radii, km, in the order of kBodies (the Moon's mean radius).
constexpr std::array<double, kBodyCount> kRadiusKm = {
    695700.0, 1737.4, 2440.53, 6051.8, 3396.19, 71492.0, 60268.0, 25559.0, 24764.0,
};
constexpr double kUranusPolarRadiusKm = 24973.0;

// A magnitude law: V(1, a) = c0 + c1 a + ... + c6 a^6, a the phase angle in
// degrees, fitted to phase angles from minPhase to maxPhase (degrees).
struct MagnitudeLaw {
  double minPhase;
  double maxPhase;
  std::array<double, 7> c;
};

// In the order of kBodies. The Sun's is at unit distance from the Earth;
// Venus' covers 0..163.7 (kVenusFar beyond); Saturn's is the globe alone
// (kRings with the rings); Uranus' and Neptune's constants are adjusted
// below for the sub-latitude and the year.
// clang-format off
constexpr std::array<MagnitudeLaw, kBodyCount> kLaws = {{
    {0.0, 180.0, {-26.74}},                                           // Sun
    {0.0, 150.0, {0.21, 0.026, 0.0, 0.0, 4.0e-9}},                    // Moon
    {2.0, 170.0, {-0.613, 6.3280e-2, -1.6336e-3, 3.3644e-5,
                  -3.4265e-7, 1.6893e-9, -3.0334e-12}},               // Mercury
    {2.0, 179.0, {-4.384, -1.044e-3, 3.687e-4, -2.814e-6, 8.938e-9}}, // Venus
    {0.0, 50.0,  {-1.601, 0.02267, -0.0001302}},                      // Mars
    {0.0, 12.0,  {-9.395, -3.7e-4, 6.16e-4}},                         // Jupiter
    {0.0, 6.5,   {-8.95, -3.7e-4, 6.16e-4}},                          // Saturn
    {0.0, 3.1,   {-7.110, 6.587e-3, 1.045e-4}},                       // Uranus
    {0.0, 1.9,   {-7.00}},                                            // Neptune
}};
// clang-format on
constexpr double kVenusBranch = 163.7;
constexpr std::array<double, 3> kVenusFar = {236.05828, -2.81914, 8.39034e-3};

// Saturn's globe and rings: -8.914 - 1.825 sin beta + 0.026 a - 0.378 sin
// beta exp(-2.25 a), for a tilt beta up to 27 degrees.
struct RingsLaw {
  double constant;
  double tilt;
  double phase;
  double surge;
  double surgeDecay;
  double maxTilt;  // degrees
};
constexpr RingsLaw kRings = {-8.914, -1.825, 0.026, -0.378, -2.25, 27.0};

constexpr double kUranusLatitudeTerm = -8.4e-4;  // magnitudes per degree

// Neptune's V(1, 0) before 1980 and from 2000, the yearly change between.
constexpr double kNeptuneBefore1980 = -6.89;
constexpr double kNeptuneFrom2000 = -7.00;
constexpr double kNeptunePerYear = -0.0054;

// A pole on the J2000 equator, degrees, and its drift per Julian century.
struct PoleElements {
  double rightAscension;
  double rightAscensionRate;
  double declination;
  double declinationRate;
};
constexpr PoleElements kSaturnPole = {40.589, -0.036, 83.537, -0.004};
constexpr PoleElements kUranusPole = {257.311, 0.0, -15.175, 0.0};
constexpr double kJ2000Obliquity = 84381.448 * kRadiansPerArcsecond;

Vector directionOf(double longitude, double latitude) {
  return Vector{std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
                std::sin(latitude)};
}

double latitudeOf(double sine) {
  return std::asin(std::clamp(sine, -1.0, 1.0));
}

bool isPlanetWithPole(Body body) {
  return body == Body::Saturn || body == Body::Uranus;
}

// A status that covers both the body's position and the Sun's.
Status combined(Status body, Status sun) {
  if (body == Status::NotComputable || body == Status::UnknownBody) {
    return body;
  }
  if (sun == Status::NotComputable || sun == Status::UnknownBody) {
    return Status::NotComputable;
  }
  return body == Status::Computed && sun == Status::Computed ? Status::Computed
                                                             : Status::OutsideMeasuredSpan;
}

Appearance unknown(Status status) {
  const double nan = std::nan("");
  return Appearance{nan,
                    nan,
                    nan,
                    nan,
                    Elongation{nan, nan, SunSide::None},
                    nan,
                    MagnitudeStatus::NotComputable,
                    status};
}

// One body, with its planet's pole of the date where it has one (else
// unread) and the decimal year of the instant.
Appearance look(Body body, const BodyPosition& position, const BodyPosition& sun,
                const Vector& pole, double year) {
  const Status status = combined(position.status, sun.status);
  if (status == Status::NotComputable || status == Status::UnknownBody) {
    return unknown(status);
  }
  const std::size_t index = static_cast<std::size_t>(body);
  Appearance a{};
  a.status = status;
  a.angularDiameter = 2.0 * std::asin(kRadiusKm[index] / position.distanceKm);
  MagnitudeGeometry g{0.0, position.distanceAu, 0.0, 0.0, 0.0, year};
  if (body == Body::Sun) {
    a.elongation = Elongation{0.0, 0.0, SunSide::None};
    a.phaseAngle = 0.0;
    a.illuminatedFraction = 1.0;
    a.heliocentricDistanceAu = 0.0;
  } else {
    a.elongation = elongation(position, sun);
    const PhaseTriangle t = phaseTriangle(sun.distanceAu, position.distanceAu, a.elongation.angle);
    a.phaseAngle = t.phaseAngle;
    a.illuminatedFraction = (1.0 + std::cos(t.phaseAngle)) / 2.0;
    a.heliocentricDistanceAu = t.heliocentricDistanceAu;
    g.heliocentricDistanceAu = t.heliocentricDistanceAu;
    g.phaseAngle = t.phaseAngle;
    if (isPlanetWithPole(body)) {
      const Vector e = directionOf(position.eclipticLongitude, position.eclipticLatitude);
      const Vector s = directionOf(sun.eclipticLongitude, sun.eclipticLatitude);
      const double delta = position.distanceAu;
      const double r = sun.distanceAu;
      const Vector fromSun = delta * e - r * s;
      g.subEarthLatitude = latitudeOf(-dot(pole, e));
      g.subSunLatitude = latitudeOf(-dot(pole, fromSun) / length(fromSun));
    }
  }
  const Magnitude m = visualMagnitude(body, g);
  a.magnitude = m.value;
  a.magnitudeStatus = m.status;
  return a;
}

double centuriesFromJ2000(double jd) {
  return (jd - kJ2000) / kDaysPerCentury;
}

}  // namespace

PhaseTriangle phaseTriangle(double sunDistanceAu, double distanceAu, double elongation) {
  const double y = sunDistanceAu * std::sin(elongation);
  const double x = distanceAu - sunDistanceAu * std::cos(elongation);
  return PhaseTriangle{std::atan2(y, x), std::hypot(x, y)};
}

Vector poleOfDate(Body planet, double t) {
  const PoleElements& pole = planet == Body::Saturn ? kSaturnPole : kUranusPole;
  const double alpha = (pole.rightAscension + pole.rightAscensionRate * t) * kRadiansPerDegree;
  const double delta = (pole.declination + pole.declinationRate * t) * kRadiansPerDegree;
  // On the J2000 ecliptic: the equatorial vector turned about x by eps0.
  const double x = std::cos(delta) * std::cos(alpha);
  const double y0 = std::cos(delta) * std::sin(alpha);
  const double z0 = std::sin(delta);
  const double y = y0 * std::cos(kJ2000Obliquity) + z0 * std::sin(kJ2000Obliquity);
  const double z = z0 * std::cos(kJ2000Obliquity) - y0 * std::sin(kJ2000Obliquity);
  const double lambda0 = std::atan2(y, x);
  const double beta0 = std::atan2(z, std::hypot(x, y));
  // Meeus 21.5 from J2000 (arcseconds) and 21.7.
  const double eta = ((0.000060 * t - 0.03302) * t + 47.0029) * t * kRadiansPerArcsecond;
  const double node =
      174.876384 * kRadiansPerDegree + (0.03536 * t - 869.8089) * t * kRadiansPerArcsecond;
  const double p = ((-0.000006 * t + 1.11113) * t + 5029.0966) * t * kRadiansPerArcsecond;
  const double a =
      std::cos(eta) * std::cos(beta0) * std::sin(node - lambda0) - std::sin(eta) * std::sin(beta0);
  const double b = std::cos(beta0) * std::cos(node - lambda0);
  const double c =
      std::cos(eta) * std::sin(beta0) + std::sin(eta) * std::cos(beta0) * std::sin(node - lambda0);
  return directionOf(p + node - std::atan2(a, b), std::atan2(c, std::hypot(a, b)));
}

Magnitude visualMagnitude(Body body, const MagnitudeGeometry& g) {
  const std::size_t index = static_cast<std::size_t>(body);
  const MagnitudeLaw& law = kLaws[index];
  const double alpha = g.phaseAngle / kRadiansPerDegree;
  bool inRange = alpha >= law.minPhase && alpha <= law.maxPhase;
  double v1 = polynomial<Powers::Accumulated>(law.c, alpha);
  switch (body) {
    case Body::Sun:
      return Magnitude{v1 + 5.0 * std::log10(g.distanceAu), MagnitudeStatus::Computed};
    case Body::Venus:
      if (alpha > kVenusBranch) {
        v1 = polynomial<Powers::Accumulated>(kVenusFar, alpha);
      }
      break;
    case Body::Saturn: {
      const double product = std::sin(g.subEarthLatitude) * std::sin(g.subSunLatitude);
      if (product >= 0.0) {
        const double sinTilt = std::sqrt(product);
        v1 = kRings.constant + kRings.tilt * sinTilt + kRings.phase * alpha +
             kRings.surge * sinTilt * std::exp(kRings.surgeDecay * alpha);
        inRange = inRange && sinTilt <= std::sin(kRings.maxTilt * kRadiansPerDegree);
      } else {
        inRange = false;
      }
      break;
    }
    case Body::Uranus: {
      const double squash = kUranusPolarRadiusKm / kRadiusKm[index];
      const auto planetographic = [squash](double latitude) {
        return std::atan2(std::abs(std::sin(latitude)), std::cos(latitude) * squash * squash);
      };
      const double mean =
          (planetographic(g.subEarthLatitude) + planetographic(g.subSunLatitude)) / 2.0;
      v1 = v1 + kUranusLatitudeTerm * (mean / kRadiansPerDegree);
      break;
    }
    case Body::Neptune:
      v1 = g.year >= 2000.0   ? kNeptuneFrom2000
           : g.year >= 1980.0 ? kNeptuneBefore1980 + kNeptunePerYear * (g.year - 1980.0)
                              : kNeptuneBefore1980;
      break;
    default:
      break;
  }
  const double value = 5.0 * std::log10(g.heliocentricDistanceAu * g.distanceAu) + v1;
  if (!std::isfinite(value)) {
    return Magnitude{std::nan(""), MagnitudeStatus::NotComputable};
  }
  return Magnitude{value, inRange ? MagnitudeStatus::Computed : MagnitudeStatus::OutsideModelRange};
}

Elongation elongation(const BodyPosition& body, const BodyPosition& sun) {
  // angularSeparation's formula holds in any pair of spherical coordinates.
  const double angle = angularSeparation({body.eclipticLongitude, body.eclipticLatitude},
                                         {sun.eclipticLongitude, sun.eclipticLatitude});
  const double difference = wrapAngle(body.eclipticLongitude - sun.eclipticLongitude, kPi);
  const SunSide side = difference > 0.0   ? SunSide::East
                       : difference < 0.0 ? SunSide::West
                                          : SunSide::None;
  return Elongation{angle, difference, side};
}

Appearance appearance(Body body, const BodyPosition& position, const BodyPosition& sun, TT tt) {
  if (static_cast<std::size_t>(body) >= kBodyCount) {
    return unknown(Status::UnknownBody);
  }
  const Vector pole =
      isPlanetWithPole(body) ? poleOfDate(body, centuriesFromJ2000(tt.jd)) : Vector{0.0, 0.0, 0.0};
  return look(body, position, sun, pole, decimalYear(JulianDate{tt.jd}));
}

Appearances appearances(const Instant& instant) {
  const double tt = instant.tt.jd;
  const double t = centuriesFromJ2000(tt);
  const Vector saturn = poleOfDate(Body::Saturn, t);
  const Vector uranus = poleOfDate(Body::Uranus, t);
  const double year = decimalYear(JulianDate{tt});
  const BodyPosition& sun = instant[Body::Sun];
  Appearances result{};
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    const Body body = kBodies[i];
    const Vector& pole = body == Body::Saturn ? saturn : uranus;
    result.bodies[i] = look(body, instant.bodies[i], sun, pole, year);
  }
  return result;
}

}  // namespace astro
