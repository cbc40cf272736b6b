// The IAU constellation of a direction, and the catalogue of the bright
// stars and the constellation figures placed at a date.

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "astro/astro.h"
#include "astro/numeric.h"
#include "astro/sky/sky_data.h"

namespace astro {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// B1875.0, the epoch of the boundaries, as a Julian Day of TT (ERFA's
// eraEpb2jd(1875.0): 1900 + (jd - 2415020.31352) / 365.242198781 years).
constexpr double kB1875 = 2405889.258550475;

constexpr std::size_t kZoneCount = std::size(sky_data::kBoundaryZones);
constexpr std::size_t kStarCount = std::size(sky_data::kStars);
constexpr std::size_t kSegmentCount = std::size(sky_data::kFigureSegments);

Matrix biasPrecession(double tt) {
  double r[3][3];
  eraPmat06(tt, 0.0, r);
  Matrix m{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      m[i][j] = r[i][j];
    }
  }
  return m;
}

// From the ICRS to the mean equator and equinox of B1875: a constant,
// computed once.
const Matrix& toB1875() {
  static const Matrix kMatrix = biasPrecession(kB1875);
  return kMatrix;
}

Vector directionOf(const EquatorialPoint& p) {
  const double c = std::cos(p.declination);
  return {c * std::cos(p.rightAscension), c * std::sin(p.rightAscension), std::sin(p.declination)};
}

Vector times(const Matrix& m, const Vector& v) {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
          m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

// The transpose of m times v: the inverse rotation.
Vector timesTransposed(const Matrix& m, const Vector& v) {
  return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z,
          m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
          m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
}

EquatorialPoint pointOf(const Vector& v) {
  double ra = std::atan2(v.y, v.x);
  if (ra < 0.0) {
    ra += 2.0 * std::numbers::pi;
  }
  return {ra, std::atan2(v.z, std::hypot(v.x, v.y))};
}

bool usable(const EquatorialPoint& p) {
  return std::isfinite(p.rightAscension) && std::isfinite(p.declination) &&
         std::abs(p.declination) <= kPi / 2;
}

Constellation none() {
  return {static_cast<std::uint8_t>(kConstellationCount), {}, {}};
}

// The zone that holds a direction of B1875: the first, from the north,
// whose band of right ascension holds it and whose lower declination lies
// at or below it. Both compared in the table's units.
Constellation lookUp(const Vector& b1875) {
  const EquatorialPoint p = pointOf(b1875);
  // Right ascension in units of 10 s of time (8640 to the turn),
  // declination in units of 2.5'.
  double ra = p.rightAscension / (2.0 * std::numbers::pi) * 8640.0;
  if (ra >= 8640.0) {
    ra = 0.0;
  }
  const double dec = p.declination / kRadiansPerDegree * 24.0;
  // The zones come from the north: those whose lower declination lies
  // above the direction's, none of which holds it, are skipped at once.
  const sky_data::BoundaryZone* const first =
      std::partition_point(std::begin(sky_data::kBoundaryZones), std::end(sky_data::kBoundaryZones),
                           [dec](const sky_data::BoundaryZone& zone) { return zone.dec > dec; });
  for (const sky_data::BoundaryZone* zone = first; zone != std::end(sky_data::kBoundaryZones);
       ++zone) {
    if (zone->lo <= ra && ra < zone->hi) {
      return constellationAt(static_cast<std::size_t>(zone->constellation));
    }
  }
  // The last zone, Octans north of -90 degrees, holds every direction.
  return constellationAt(
      static_cast<std::size_t>(sky_data::kBoundaryZones[kZoneCount - 1].constellation));
}

EquatorialPoint radiansOf(double raDegrees, double decDegrees) {
  return {raDegrees * kRadiansPerDegree, decDegrees * kRadiansPerDegree};
}

}  // namespace

Constellation constellationAt(std::size_t index) {
  if (index >= kConstellationCount) {
    return none();
  }
  const sky_data::ConstellationName& name = sky_data::kConstellationNames[index];
  return {static_cast<std::uint8_t>(index), name.abbreviation, name.latin};
}

Constellation constellationJ2000(const EquatorialPoint& icrs) {
  if (!usable(icrs)) {
    return none();
  }
  return lookUp(times(toB1875(), directionOf(icrs)));
}

Constellation constellation(const EquatorialPoint& meanOfDate, TT tt) {
  if (!usable(meanOfDate) || !std::isfinite(tt.jd)) {
    return none();
  }
  const Vector icrs = timesTransposed(biasPrecession(tt.jd), directionOf(meanOfDate));
  return lookUp(times(toB1875(), icrs));
}

Precession precessionFromJ2000(TT tt) {
  return {biasPrecession(tt.jd)};
}

EquatorialPoint precess(const Precession& precession, const EquatorialPoint& icrs) {
  return pointOf(times(precession.matrix, directionOf(icrs)));
}

std::size_t catalogueStarCount() {
  return kStarCount;
}

CatalogueStar catalogueStar(std::size_t index) {
  const sky_data::StarRow& row = sky_data::kStars[index < kStarCount ? index : kStarCount - 1];
  const EquatorialPoint icrs = radiansOf(row.ra, row.dec);
  return {row.hip, icrs, row.magnitude, row.name, constellationJ2000(icrs).index};
}

EquatorialPoint starPlace(const CatalogueStar& star, const Precession& precession) {
  return precess(precession, star.icrs);
}

std::size_t figureSegmentCount() {
  return kSegmentCount;
}

FigureSegment figureSegment(std::size_t index) {
  const sky_data::FigureSegment& s =
      sky_data::kFigureSegments[index < kSegmentCount ? index : kSegmentCount - 1];
  return {static_cast<std::uint8_t>(s.constellation), radiansOf(s.ra1, s.dec1),
          radiansOf(s.ra2, s.dec2)};
}

}  // namespace astro
