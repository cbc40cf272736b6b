// searchTransit, localTransit, searchOccultations: a planet passing before
// the Sun, or behind the Moon.
//
// Both are the same geometry: a small disc (the planet, semi-diameter r)
// and a large one (the Sun or the Moon, R) whose centres come within s of
// each other. Followed on the Precise theory's apparent places, s(t) has
// one minimum near the conjunction (the greatest instant), and
//   s = R + r   external contacts, C1 before it and C4 after
//   s = R - r   internal contacts, C2 and C3
//   s = R       the small disc's centre on the large one's limb
// each a root of s(t) - limit on one side of the minimum, where s at the
// minimum is below the limit. A window of 0.6 day either side holds them:
// the planet moves across the Sun at 2' to 4' an hour (a transit lasts at
// most 8 hours), the Moon across a planet at 30' an hour, its diurnal
// parallax adding at most 15' an hour, against discs under 33'.
//
// Seen from a place, the observer's position (WGS84, from the apparent
// sidereal time at UT) is taken from both bodies' light-time places and
// its velocity adds to the aberration (precise::topocentricPosition); the
// vertical is the geodetic one of that ellipsoid's latitude.
#include "astro/transit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "astro/angles.h"
#include "astro/numeric.h"
#include "astro/observer.h"
#include "astro/precise/precise.h"

namespace astro {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Radii, kilometres: the Sun's 959.63" at 1 AU, the Moon's 0.2725076
// equatorial radii of the Earth (6378.1366 km), the planets' as
// appearance() gives their diameters.
constexpr double kSunRadiusKm = kTransitSunRadiusKm;
constexpr double kMoonRadiusKm = kOccultationMoonRadiusKm;
constexpr std::array<double, kBodyCount> kPlanetRadiusKm = {
    0.0, 0.0, 2440.53, 6051.8, 3396.19, 71492.0, 60268.0, 25559.0, 24764.0};

constexpr double kWindowDays = 0.6;
constexpr double kToleranceDays = 0.01 * kDaysPerSecond;
// Inferior conjunctions of the Classic theory nearer the Sun's centre than
// this are refined: the Sun's 16.3' and Venus' 0.5', the Classic theory's
// 2' and the 12" by which the least separation falls below the one at
// conjunction, with room to spare.
constexpr double kCandidateSeparation = 0.4 * kRadiansPerDegree;
// The Moon's close approaches to a planet within this can hide it from
// some place: its parallax (61.5' at most), its semi-diameter (16.8'),
// the planet's (0.5') and the Classic theory's error, with room.
constexpr double kOccultationCandidate = 1.5 * kRadiansPerDegree;

double angleBetween(const Vector& a, const Vector& b) {
  const Vector c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  return std::atan2(length(c), dot(a, b));
}

EquatorialPoint pointOf(const precise::Place& place) {
  return EquatorialPoint{place.rightAscension, place.declination};
}

// The two discs at one instant (TT): the large body's (Sun or Moon) and
// the planet's places, apparent, from the Earth's centre or from a place.
struct Sight {
  precise::Place large;
  precise::Place small;
  double separation;
  double largeRadius;
  double smallRadius;
  double localSiderealTime;  // NaN for the geocentric sight
};

class Geometry {
 public:
  Geometry(Body large, Body small, const Observer* observer, const TimeScale& scale)
      : large_(large), small_(small), observer_(observer), scale_(scale) {}

  Sight at(double tt) const {
    const precise::Epoch epoch = precise::epochAt(tt);
    Sight sight{};
    sight.localSiderealTime = kNaN;
    if (observer_ == nullptr) {
      sight.large = precise::apparentPosition(large_, epoch);
      sight.small = precise::apparentPosition(small_, epoch);
    } else {
      const double ut = scale_.ut(TT{tt}).jd;
      const precise::Site site{observer_->longitude, observer_->latitude, observer_->heightMetres};
      const precise::State state = precise::siteGeocentric(site, ut, epoch);
      sight.large = precise::topocentricPosition(large_, epoch, state);
      sight.small = precise::topocentricPosition(small_, epoch, state);
      sight.localSiderealTime = precise::apparentSiderealTime(ut, epoch) + observer_->longitude;
    }
    sight.separation = angleBetween(sight.large.vector, sight.small.vector);
    const double largeKm = large_ == Body::Sun ? kSunRadiusKm : kMoonRadiusKm;
    sight.largeRadius = std::asin(largeKm / (sight.large.distanceAu * kAstronomicalUnitKm));
    sight.smallRadius = std::asin(kPlanetRadiusKm[static_cast<std::size_t>(small_)] /
                                  (sight.small.distanceAu * kAstronomicalUnitKm));
    return sight;
  }

  // The refracted altitude of a direction (true equator of date) at the
  // place's local apparent sidereal time.
  double altitude(const Vector& v, double localSiderealTime) const {
    const Horizon horizon = horizonAt(placeOf(*observer_), localSiderealTime);
    const double h = std::asin(dot(horizon.up, v) / length(v));
    return h + standardRefraction(h);
  }

  TransitContact contact(double tt) const {
    TransitContact c{UT{kNaN}, TT{kNaN}, kNaN, kNaN, kNaN};
    if (std::isnan(tt)) return c;
    const Sight sight = at(tt);
    c.tt = TT{tt};
    c.ut = scale_.ut(TT{tt});
    c.positionAngle = positionAngle(pointOf(sight.large), pointOf(sight.small));
    if (observer_ != nullptr) {
      if (large_ == Body::Sun) {
        c.sunAltitude = altitude(sight.large.vector, sight.localSiderealTime);
      } else {
        // The Sun's geocentric place: its parallax, 9", does not matter here.
        const Vector sun = precise::apparentPosition(Body::Sun, tt).vector;
        c.sunAltitude = altitude(sun, sight.localSiderealTime);
        c.moonAltitude = altitude(sight.large.vector, sight.localSiderealTime);
      }
    }
    return c;
  }

  const Observer* observer() const { return observer_; }

 private:
  Body large_;
  Body small_;
  const Observer* observer_;
  TimeScale scale_;
};

// What one pass of the discs gives: the least separation and the roots.
struct Pass {
  double greatest;  // TT
  Sight atGreatest;
  std::array<double, 4> contacts;  // TT, NaN where none
  double disappearance;            // the small disc's centre on the large one's limb
  double reappearance;
};

// The pass near `near` (TT): its minimum within kWindowDays, then each
// root where the minimum falls below its limit.
Pass passNear(const Geometry& geometry, double near) {
  Pass pass{};
  const Extremum least =
      extremumOf([&](double t) { return geometry.at(t).separation; }, near - kWindowDays,
                 near + kWindowDays, false, kToleranceDays, ExtremumRule::Brent);
  pass.greatest = least.x;
  pass.atGreatest = geometry.at(least.x);
  const Sight& g = pass.atGreatest;
  const double before = least.x - kWindowDays;
  const double after = least.x + kWindowDays;
  // The radii change by under 0.1% over the window; each root uses the
  // radii of the instant it is evaluated at.
  auto rootAt = [&](double a, double b, double sign) {
    auto f = [&](double t) {
      const Sight s = geometry.at(t);
      return s.separation - (s.largeRadius + sign * s.smallRadius);
    };
    const double fa = f(a);
    const double fb = f(b);
    if ((fa > 0) == (fb > 0)) return kNaN;
    return rootOf(f, a, b, fa, fb, kToleranceDays);
  };
  pass.contacts.fill(kNaN);
  pass.disappearance = kNaN;
  pass.reappearance = kNaN;
  if (g.separation < g.largeRadius + g.smallRadius) {
    pass.contacts[0] = rootAt(before, least.x, 1.0);
    pass.contacts[3] = rootAt(least.x, after, 1.0);
  }
  if (g.separation < g.largeRadius - g.smallRadius) {
    pass.contacts[1] = rootAt(before, least.x, -1.0);
    pass.contacts[2] = rootAt(least.x, after, -1.0);
  }
  if (g.separation < g.largeRadius) {
    pass.disappearance = rootAt(before, least.x, 0.0);
    pass.reappearance = rootAt(least.x, after, 0.0);
  }
  return pass;
}

Status spanStatus(double tt) {
  if (!std::isfinite(tt)) return Status::NotComputable;
  return tt >= kPreciseSpanStart && tt < kPreciseSpanEnd ? Status::Computed
                                                         : Status::OutsideMeasuredSpan;
}

Status worse(Status a, Status b) {
  return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

Transit emptyTransit(Body body, SearchOutcome outcome, Status status) {
  const TransitContact none{UT{kNaN}, TT{kNaN}, kNaN, kNaN, kNaN};
  return Transit{outcome, body, {none, none, none, none}, none, kNaN, kNaN, kNaN, status};
}

Transit transitOf(const Geometry& geometry, Body body, const Pass& pass) {
  Transit transit = emptyTransit(body, SearchOutcome::Found, spanStatus(pass.greatest));
  for (std::size_t i = 0; i < 4; ++i) transit.contacts[i] = geometry.contact(pass.contacts[i]);
  transit.greatest = geometry.contact(pass.greatest);
  transit.leastSeparation = pass.atGreatest.separation;
  transit.sunSemiDiameter = pass.atGreatest.largeRadius;
  transit.planetSemiDiameter = pass.atGreatest.smallRadius;
  if (!std::isfinite(transit.leastSeparation)) {
    transit.outcome = SearchOutcome::NotComputable;
    transit.status = Status::NotComputable;
  }
  return transit;
}

}  // namespace

Transit searchTransit(Body body, TT after, const TimeScale& scale) {
  if (body != Body::Mercury && body != Body::Venus) {
    return emptyTransit(body, SearchOutcome::NotComputable, Status::UnknownBody);
  }
  if (!std::isfinite(after.jd) || std::fabs(after.jd) > 1e8) {
    return emptyTransit(body, SearchOutcome::NotComputable, Status::NotComputable);
  }
  const Geometry geometry(Body::Sun, body, nullptr, scale);
  // A conjunction up to a window before `after` can still have its
  // greatest instant after it.
  constexpr double kChunkDays = 20 * 365.25;
  const double limit = after.jd + kTransitSearchYears * 365.25;
  for (double start = after.jd - 1.0; start < limit; start += kChunkDays) {
    const EventList list =
        findEvents(TT{start}, TT{std::min(start + kChunkDays, limit)},
                   eventKindBit(EventKind::InferiorConjunction), Theory::Classic);
    for (const Event& event : list.events) {
      if (event.body != body || event.angle > kCandidateSeparation) continue;
      const Pass pass = passNear(geometry, event.tt.jd);
      if (std::isnan(pass.atGreatest.separation)) {
        // The Precise theory has no places here (tens of thousands of
        // years away).
        return emptyTransit(body, SearchOutcome::NotComputable, Status::NotComputable);
      }
      if (pass.greatest <= after.jd || std::isnan(pass.contacts[0])) continue;
      return transitOf(geometry, body, pass);
    }
    if (list.status == Status::NotComputable) {
      return emptyTransit(body, SearchOutcome::NotComputable, Status::NotComputable);
    }
  }
  return emptyTransit(body, SearchOutcome::NotFound, spanStatus(limit));
}

Transit localTransit(const Transit& transit, const Observer& observer, const TimeScale& scale) {
  if (transit.outcome != SearchOutcome::Found) {
    return emptyTransit(transit.body, SearchOutcome::NotFound, transit.status);
  }
  if (!std::isfinite(observer.latitude) || !std::isfinite(observer.longitude) ||
      !std::isfinite(observer.heightMetres)) {
    return emptyTransit(transit.body, SearchOutcome::NotComputable, Status::NotComputable);
  }
  const Geometry geometry(Body::Sun, transit.body, &observer, scale);
  const Pass pass = passNear(geometry, transit.greatest.tt.jd);
  if (std::isnan(pass.contacts[0])) {
    // Seen from the place the planet misses the Sun: a graze of the
    // geocentric transit that parallax carries off the disc.
    return emptyTransit(transit.body, SearchOutcome::NotFound, transit.status);
  }
  Transit local = transitOf(geometry, transit.body, pass);
  local.status = worse(local.status, transit.status);
  return local;
}

namespace {

// The occultations of the planets of `planets` (a bit for each Body).
OccultationList occultationsOf(unsigned planets, const Observer& observer, UT start, UT end,
                               const TimeScale& scale) {
  OccultationList list{{}, Status::Computed};
  if (!std::isfinite(start.jd) || !std::isfinite(end.jd) || std::fabs(start.jd) > 1e8 ||
      std::fabs(end.jd) > 1e8 || !std::isfinite(observer.latitude) ||
      !std::isfinite(observer.longitude) || !std::isfinite(observer.heightMetres)) {
    list.status = Status::NotComputable;
    return list;
  }
  if (!(start.jd < end.jd)) return list;
  // The close approach of the Moon's and the planet's centres and the
  // least separation seen from the place are hours apart at most; a day's
  // margin at either end finds every greatest instant in [start, end).
  const EventList approaches =
      findEvents(TT{scale.tt(start).jd - 1.0}, TT{scale.tt(end).jd + 1.0},
                 eventKindBit(EventKind::CloseApproach), kOccultationCandidate, Theory::Classic);
  list.status = approaches.status;
  for (const Event& event : approaches.events) {
    if (event.body != Body::Moon || (planets & (1u << static_cast<unsigned>(event.other))) == 0) {
      continue;
    }
    const Geometry geometry(Body::Moon, event.other, &observer, scale);
    const Pass pass = passNear(geometry, event.tt.jd);
    if (std::isnan(pass.contacts[0])) continue;
    const double greatestUt = scale.ut(TT{pass.greatest}).jd;
    if (greatestUt < start.jd || greatestUt >= end.jd) continue;
    Occultation occultation{};
    occultation.body = event.other;
    for (std::size_t i = 0; i < 4; ++i) {
      occultation.contacts[i] = geometry.contact(pass.contacts[i]);
    }
    occultation.disappearance = geometry.contact(pass.disappearance);
    occultation.reappearance = geometry.contact(pass.reappearance);
    occultation.greatest = geometry.contact(pass.greatest);
    occultation.leastSeparation = pass.atGreatest.separation;
    occultation.moonSemiDiameter = pass.atGreatest.largeRadius;
    occultation.planetSemiDiameter = pass.atGreatest.smallRadius;
    occultation.status = spanStatus(pass.greatest);
    list.status = worse(list.status, occultation.status);
    list.occultations.push_back(occultation);
  }
  std::sort(list.occultations.begin(), list.occultations.end(),
            [](const Occultation& a, const Occultation& b) {
              return a.greatest.tt.jd < b.greatest.tt.jd;
            });
  return list;
}

}  // namespace

OccultationList searchOccultations(Body planet, const Observer& observer, UT start, UT end,
                                   const TimeScale& scale) {
  const auto index = static_cast<unsigned>(planet);
  if (index < static_cast<unsigned>(Body::Mercury) || index >= kBodyCount) {
    return OccultationList{{}, Status::UnknownBody};
  }
  return occultationsOf(1u << index, observer, start, end, scale);
}

OccultationList searchOccultations(const Observer& observer, UT start, UT end,
                                   const TimeScale& scale) {
  unsigned planets = 0;
  for (const Body body : kBodies) {
    if (body != Body::Sun && body != Body::Moon) planets |= 1u << static_cast<unsigned>(body);
  }
  return occultationsOf(planets, observer, start, end, scale);
}

}  // namespace astro
