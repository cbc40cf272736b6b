// findEvents, searchEvents: the year's events, from the apparent places of
// the Sun, the Moon and the planets.
//
//   start, end  instants of TT: the events whose instant lies in [start, end)
//   kinds       EventKindSet, one bit per EventKind
//   limit       close approaches: the largest least separation listed, radians
//   theory      the theory of the positions, which Track and Search pass on
//
// Each event is a root or an extremum of a measure of time:
//   phases          lambda Moon - lambda Sun through 0, 90, 180, 270 degrees
//   seasons         lambda Sun + Delta psi through 0, 90, 180, 270 degrees
//   conjunctions    lambda planet - lambda Sun through 0 (and 180) degrees
//   perihelion ..   the Sun's and the Moon's geometric distance, extrema
//   elongations     the squared chord between the apparent directions of
//                   Mercury or Venus and the Sun, 2 - 2 cos(angle), maxima
//   approaches      the squared chord between two bodies, minima
// with lambda the apparent longitude (apparent.h: the theory's place at t
// less the light-time tau = Delta / c, which takes in the annual
// aberration; the nutation in longitude, Delta psi, only where a longitude
// stands alone). Longitudes enter as the angle between two directions,
// atan2 of their cross and dot products, so no turn is added or removed.
//
// 1. Tracks. Each body's geometric place is computed (computeBody) as an
//    ecliptic vector in AU at the nodes of a grid, kGridOrigin + k step,
//    step from SearchSteps, and its apparent place at the same nodes; in
//    between, Lagrange's quintic through the six nearest nodes stands for
//    either. Its error, largest over 1900-2100: 0.004" for the Sun, 0.02"
//    to 0.2" for Venus and Mars to Neptune, 10" for Mercury (at inferior
//    conjunction, at 4-day nodes) and 30" and 90 km for the Moon (at 2-day
//    nodes, against terms of 15 and 10 days).
// 2. Scan. The measure is read on the tracks at instants of a grid of its
//    own (the finer node step of its bodies; pairScan for approaches). A
//    root shows as a change of the quarter-turn a longitude lies in, an
//    extremum as an instant whose two neighbours are both higher or both
//    lower. Nothing is missed while the scan step is at most half the
//    shortest time between two extrema, or than between two roots; on
//    ERFA's positions over 1900-2100 that is 11.7 days for the Moon's
//    distance, 15 days between Mercury's greatest elongation and its least
//    angle from the Sun, 40 days between two conjunctions of Mercury, 13
//    days between two minima of the Moon's separation from a planet; the
//    Moon's elongation gains at most 16 degrees a day, the Sun's longitude
//    1.02 degrees. Two planets can creep past each other through minima as
//    little as 0.75 days apart (Mercury and Venus in June 1923): around a
//    minimum of two planets the tracks are read kRescanStep apart over
//    kPassageWindow days on each side, and only the least separation there
//    is an event.
// 3. On the tracks, regula falsi finds the root between two scanned
//    instants, Brent's method (golden sections and parabolas) the extremum
//    between the neighbours of a scanned one (numeric.h, the rules Clamped
//    and Brent, with which these instants were first published). A close
//    approach is followed only if the quadratic through the three scanned
//    directions comes within kScanMargin of the limit (that quadratic is
//    off by 0.07 degrees at most for the Moon, 0.02 measured) and its
//    minimum on the tracks within kTrackMargin.
// 4. On the theory, Newton's method from there: for a root with the slope
//    of the tracks (the theory departs from them smoothly and by little),
//    for an extremum on the derivative by central differences; see
//    rootEvent and extremumEvent. A step under kTrustedStep is the last,
//    and the places are moved to its end along their tracks. The instants
//    are the theory's to well under a second: a search with four times
//    denser nodes and scans finds the same 31869 events over 1900-2100,
//    within 0.4 s, with angles within 0.06" and distances within 3e-7.
//
// Every grid counts its instants from kGridOrigin, and what is computed
// for an event depends only on those grids and the event, so a search
// gives the same events, to the bit, whatever interval it is asked for;
// each is kept in the interval that holds its instant. Long intervals are
// searched in chunks of kChunkDays, with kChunkMargin days more on each
// side.
//
// Cost, a year of every kind: the theory computes the Moon some 520 times,
// the Sun 190, Mercury 190, Venus 105, Mars 95 and the outer planets 60 to
// 70 times each; with the work on the tracks, about as long as 500
// computeInstant calls (bench/events_bench.cpp).
#include "astro/events.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "astro/apparent.h"
#include "astro/numeric.h"

namespace astro {
namespace {

// J2000.0: every grid counts its instants from it.
constexpr double kGridOrigin = kJ2000;
constexpr double kQuarterTurn = kPi / 2;
constexpr double kDegreeRadians = kPi / 180;

// Newton on the theory takes a step under this as its last, or stops after
// kPolishSteps steps.
constexpr double kTrustedStep = 30.0 * kDaysPerSecond;
constexpr int kPolishSteps = 8;
// Central differences on the tracks, days.
constexpr double kSlopeStep = 1e-4;
// Central differences on the theory, days. A Julian Day near 2.4 million
// is resolved to 40 microseconds, which shakes each body by its motion in
// that time: differences a few minutes apart keep it from any instant,
// except for a greatest elongation, where the chord is long and flat:
// there 22.5 minutes apart.
constexpr double kNarrowDifference = 1.0 / 256.0;
constexpr double kWideDifference = 1.0 / 64.0;
// The root and extremum searches on the tracks narrow their bracket to
// this, days (0.09 s).
constexpr double kTrackTolerance = 1e-6;

// A close approach is the least separation of the two bodies within this
// many days before and after.
constexpr double kPassageWindow = 5.0;
// Three times the largest error of the tracks in the direction from one
// body to another (the Moon's and Mercury's): a close approach whose
// minimum on the tracks exceeds the limit by more is not computed on the
// theory.
constexpr double kTrackMargin = 2.0 * kDegreeRadians / 60.0;
// A scanned minimum is followed on the tracks when the quadratic through
// the three scanned directions comes within this of the limit.
constexpr double kScanMargin = 0.25 * kDegreeRadians;
// Around a minimum of two planets' separation, the separation is read on
// the tracks this many days apart.
constexpr double kRescanStep = 0.125;

constexpr double kChunkDays = 4096.0;
// Days searched beyond the ends of a chunk: the passage window and a scan
// step or two.
constexpr double kChunkMargin = kPassageWindow + 3.0;
// Far enough for any calendar, near enough for the grid's integers.
constexpr double kFarthestDay = 1e9;

Vector fromEcliptic(double longitude, double latitude, double distance) {
  const double c = std::cos(latitude);
  return {distance * c * std::cos(longitude), distance * c * std::sin(longitude),
          distance * std::sin(latitude)};
}

// The ecliptic longitude of a minus that of b, (-kPi, kPi].
double longitudeDifference(Vector a, Vector b) {
  return std::atan2(a.y * b.x - a.x * b.y, a.x * b.x + a.y * b.y);
}

// The squared chord between the two directions, 2 - 2 cos(separation):
// smooth through a separation of 0, and exact for small ones.
double chordSquared(Vector a, Vector b) {
  const Vector d = (1.0 / length(a)) * a - (1.0 / length(b)) * b;
  return dot(d, d);
}

double separationOfChordSquared(double chord2) {
  return 2.0 * std::asin(std::min(1.0, std::sqrt(chord2) / 2.0));
}

double chordSquaredOfSeparation(double separation) {
  const double half = std::sin(std::min(separation, kPi) / 2.0);
  return 4.0 * half * half;
}

// An angle into [0, kTurn) and into (-kPi, kPi].
double fromZero(double angle) {
  return angle < 0 ? angle + kTurn : angle;
}
double nearZero(double angle) {
  if (angle > kPi) {
    return angle - kTurn;
  }
  return angle <= -kPi ? angle + kTurn : angle;
}

// The quarter of the turn an angle of [0, kTurn) lies in, 0 to 3 (0 for
// what is not a number).
int quarterOf(double angle) {
  return angle >= 0 ? std::min(3, static_cast<int>(angle / kQuarterTurn)) : 0;
}

Status worse(Status a, Status b) {
  return static_cast<int>(a) >= static_cast<int>(b) ? a : b;
}

std::size_t indexOf(Body body) {
  return static_cast<std::size_t>(body);
}

bool isPlanet(Body body) {
  return body != Body::Sun && body != Body::Moon;
}

bool isInner(Body body) {
  return body == Body::Mercury || body == Body::Venus;
}

// One body's geometric and apparent places at the nodes of its grid, and
// in between.
class Track {
 public:
  Track(Body body, Theory theory, double step, double first, double last, SearchCounts& counts)
      : body_(body), theory_(theory), step_(step) {
    first_ = static_cast<std::int64_t>(std::floor((first - kGridOrigin) / step)) - 3;
    const auto end = static_cast<std::int64_t>(std::ceil((last - kGridOrigin) / step)) + 4;
    geometric_.reserve(static_cast<std::size_t>(end - first_));
    for (std::int64_t k = first_; k < end; ++k) {
      const BodyPosition p = computeBody(body, TT{instant(k)}, theory);
      geometric_.push_back(fromEcliptic(p.eclipticLongitude, p.eclipticLatitude, p.distanceAu));
      status_ = worse(status_, p.status);
    }
    counts.computations[indexOf(body)] += end - first_;
    // The apparent places at the nodes, from the geometric ones: a second
    // quintic then gives them at any instant in one interpolation.
    apparent_.reserve(geometric_.size());
    for (std::int64_t k = first_; k < end; ++k) {
      const double t = instant(k);
      apparent_.push_back(geometric(t - lightTime(t)));
    }
  }

  Body body() const { return body_; }
  Theory theory() const { return theory_; }
  double step() const { return step_; }
  Status status() const { return status_; }

  Vector geometric(double jd) const { return interpolated(geometric_, jd); }

  // Days the light takes from the body to the Earth at jd.
  double lightTime(double jd) const { return length(geometric(jd)) * kLightDaysPerAu; }

  // The geometric place at jd less the light-time: the apparent place
  // without the nutation.
  Vector apparent(double jd) const { return interpolated(apparent_, jd); }

  double distance(double jd) const { return length(geometric(jd)); }

 private:
  double instant(std::int64_t k) const { return kGridOrigin + static_cast<double>(k) * step_; }

  // Lagrange's quintic through the six nearest nodes, three on each side.
  Vector interpolated(const std::vector<Vector>& nodes, double jd) const {
    const double s = (jd - kGridOrigin) / step_ - static_cast<double>(first_);
    if (!std::isfinite(s)) {
      const double nan = std::nan("");
      return Vector{nan, nan, nan};
    }
    const double last = static_cast<double>(nodes.size()) - 4.0;
    const double i = std::clamp(std::floor(s), 2.0, last);
    const double u = s - i;
    // Node i - 2 + n weighs prod_(m != n) (u - m + 2) / prod_(m != n) (n - m).
    const double d0 = u + 2.0;
    const double d1 = u + 1.0;
    const double d2 = u;
    const double d3 = u - 1.0;
    const double d4 = u - 2.0;
    const double d5 = u - 3.0;
    const double p01 = d0 * d1;
    const double p45 = d4 * d5;
    const double p012 = p01 * d2;
    const double p345 = d3 * p45;
    const Vector* n = &nodes[static_cast<std::size_t>(i) - 2];
    return (d1 * d2 * p345 * (-1.0 / 120.0)) * n[0] + (d0 * d2 * p345 * (1.0 / 24.0)) * n[1] +
           (p01 * p345 * (-1.0 / 12.0)) * n[2] + (p012 * p45 * (1.0 / 12.0)) * n[3] +
           (p012 * d3 * d5 * (-1.0 / 24.0)) * n[4] + (p012 * d3 * d4 * (1.0 / 120.0)) * n[5];
  }

  Body body_;
  Theory theory_;
  double step_;
  std::int64_t first_ = 0;
  std::vector<Vector> geometric_;
  std::vector<Vector> apparent_;
  Status status_ = Status::Computed;
};

// What a function of time measures, of one body or two.
enum class Measure : std::uint8_t {
  LongitudeDifference,  // the apparent longitude of a minus that of b, [0, kTurn)
  Longitude,            // the apparent longitude of a, nutation included, [0, kTurn)
  Chord,                // the squared chord between the apparent directions of a and b
  Distance,             // the geometric distance of a, AU
};

// A body as the theory gives it at one instant.
struct Place {
  Vector apparent;    // apparent direction (nutation included), AU
  double distanceAu;  // geometric distance at the instant
  double distanceKm;
  Status status;
};

// A measure on the theory, with the places it was taken from.
struct Sample {
  double value;
  Place a;
  Place b;
};

// The arguments of a search, for one chunk.
struct Request {
  double from;  // events in [from, to), Julian Days of TT
  double to;
  EventKindSet kinds;
  double limit;
  Theory theory;
  const SearchSteps& steps;
};

// The least value of f between a and b on the tracks.
template <class F>
Extremum leastOnTracks(const F& f, double a, double b) {
  return extremumOf(f, a, b, false, kTrackTolerance, ExtremumRule::Brent);
}

// The least squared length of the quadratic through three vectors at -1,
// 0 and 1, over [-1, 1]: a grid of nine, then golden sections around the
// best.
double leastOfQuadratic(Vector before, Vector at, Vector after) {
  const Vector b = 0.5 * (after - before);
  const Vector c = 0.5 * (after + before) - at;
  const auto squared = [&](double s) {
    const Vector d = at + s * b + (s * s) * c;
    return dot(d, d);
  };
  double best = -1.0;
  for (double s = -0.75; s <= 1.0; s += 0.25) {
    if (squared(s) < squared(best)) {
      best = s;
    }
  }
  return leastOnTracks(squared, std::max(-1.0, best - 0.25), std::min(1.0, best + 0.25)).value;
}

class Search {
 public:
  Search(const Request& request, SearchCounts& counts, std::vector<Event>& events)
      : request_(request), counts_(counts), events_(events) {}

  Status run() {
    using enum EventKind;
    if (wantsAny({NewMoon, FirstQuarter, FullMoon, LastQuarter})) {
      phases();
    }
    if (wantsAny({MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice})) {
      seasons();
    }
    if (wantsAny({Perihelion, Aphelion})) {
      distanceExtrema(Body::Sun, Perihelion, Aphelion);
    }
    if (wantsAny({Perigee, Apogee})) {
      distanceExtrema(Body::Moon, Perigee, Apogee);
    }
    for (const Body planet : kBodies) {
      if (!isPlanet(planet)) {
        continue;
      }
      if (isInner(planet) ? wantsAny({InferiorConjunction, SuperiorConjunction})
                          : wantsAny({Conjunction, Opposition})) {
        solarConjunctions(planet);
      }
      if (isInner(planet) && wantsAny({GreatestElongationEast, GreatestElongationWest})) {
        greatestElongations(planet);
      }
    }
    if (wants(CloseApproach)) {
      closeApproaches();
    }
    return status_;
  }

 private:
  bool wants(EventKind kind) const { return (request_.kinds & eventKindBit(kind)) != 0; }

  bool wantsAny(std::initializer_list<EventKind> kinds) const {
    return std::any_of(kinds.begin(), kinds.end(), [&](EventKind k) { return wants(k); });
  }

  // The largest scan step that reads a body's track: the Sun's is read at
  // every body's step, the others' at their own and pairScan.
  double scanStepOver(Body body) const {
    const SearchSteps& s = request_.steps;
    if (body == Body::Sun) {
      return *std::max_element(s.track.begin(), s.track.end());
    }
    return std::max(s.track[indexOf(body)], s.pairScan);
  }

  const Track& track(Body body) {
    std::optional<Track>& t = tracks_[indexOf(body)];
    if (!t) {
      const double margin = kChunkMargin + kPassageWindow + 2.0 * scanStepOver(body) + 1.0;
      t.emplace(body, request_.theory, request_.steps.track[indexOf(body)], request_.from - margin,
                request_.to + margin, counts_);
      status_ = worse(status_, t->status());
    }
    return *t;
  }

  // The scan instants kGridOrigin + j step covering the chunk and margin.
  struct Scan {
    std::int64_t first;
    std::int64_t last;
    double step;
    double at(std::int64_t j) const { return kGridOrigin + static_cast<double>(j) * step; }
  };
  Scan scanOf(double step) const {
    return Scan{
        static_cast<std::int64_t>(std::floor((request_.from - kChunkMargin - kGridOrigin) / step)),
        static_cast<std::int64_t>(std::ceil((request_.to + kChunkMargin - kGridOrigin) / step)),
        step};
  }

  // The body at jd on the theory: its apparent direction, and its
  // geometric distance at jd (the distance when the light left, plus the
  // track's change of it over the light-time).
  Place place(const Track& t, double jd) {
    const double tau = t.lightTime(jd);
    const ApparentPosition a = apparentPlaceAt(t.body(), jd, tau, t.theory());
    ++counts_.computations[indexOf(t.body())];
    const double change = t.distance(jd) - t.distance(jd - tau);
    const double scale = (a.distanceAu + change) / a.distanceAu;
    return Place{fromEcliptic(a.eclipticLongitude, a.eclipticLatitude, a.distanceAu),
                 a.distanceAu * scale, a.distanceKm * scale, a.status};
  }

  double onTrack(Measure m, const Track& a, const Track& b, double t) const {
    switch (m) {
      case Measure::LongitudeDifference:
        return fromZero(longitudeDifference(a.apparent(t), b.apparent(t)));
      case Measure::Longitude: {
        const Vector s = a.apparent(t);
        return fromZero(nearZero(std::atan2(s.y, s.x) + nutationInLongitude(t)));
      }
      case Measure::Chord:
        return chordSquared(a.apparent(t), b.apparent(t));
      case Measure::Distance:
        return a.distance(t);
    }
    return 0.0;
  }

  Sample onTheory(Measure m, const Track& a, const Track& b, double t) {
    Sample s{};
    if (m == Measure::Distance) {
      const BodyPosition p = distancePlaceAt(a.body(), t, a.theory());
      ++counts_.computations[indexOf(a.body())];
      s.a = Place{fromEcliptic(p.eclipticLongitude, p.eclipticLatitude, p.distanceAu), p.distanceAu,
                  p.distanceKm, p.status};
      s.b = s.a;
      s.value = p.distanceAu;
      return s;
    }
    s.a = place(a, t);
    s.b = m == Measure::Longitude ? s.a : place(b, t);
    switch (m) {
      case Measure::LongitudeDifference:
        s.value = fromZero(longitudeDifference(s.a.apparent, s.b.apparent));
        break;
      case Measure::Longitude:
        s.value = fromZero(nearZero(std::atan2(s.a.apparent.y, s.a.apparent.x)));
        break;
      default:
        s.value = chordSquared(s.a.apparent, s.b.apparent);
        break;
    }
    return s;
  }

  // A place computed at `from`, moved to `to` as its track moves.
  static Place moved(const Place& p, const Track& track, double from, double to) {
    const double change = track.distance(to) - track.distance(from);
    return Place{p.apparent + (track.apparent(to) - track.apparent(from)), p.distanceAu + change,
                 p.distanceKm * ((p.distanceAu + change) / p.distanceAu), p.status};
  }

  // The mean of two places of the same body.
  static Place meanOf(const Place& p, const Place& q) {
    return Place{0.5 * (p.apparent + q.apparent), 0.5 * (p.distanceAu + q.distanceAu),
                 0.5 * (p.distanceKm + q.distanceKm), worse(p.status, q.status)};
  }

  // Keeps an event of [from, to) computed from usable places.
  void add(const Event& event) {
    if (event.status == Status::NotComputable || !std::isfinite(event.tt.jd)) {
      status_ = Status::NotComputable;
      return;
    }
    if (event.tt.jd >= request_.from && event.tt.jd < request_.to) {
      events_.push_back(event);
    }
  }

  static Event eventOf(EventKind kind, const Track& a, const Track& b, double jd, const Place& pa,
                       const Place& pb) {
    const double angle =
        &a == &b ? 0.0 : separationOfChordSquared(chordSquared(pa.apparent, pb.apparent));
    return Event{TT{jd}, kind,          a.body(),      b.body(),
                 angle,  pa.distanceAu, pa.distanceKm, worse(pa.status, pb.status)};
  }

  // The root of the measure minus `target` (an angle) between t0 and t1:
  // regula falsi on the tracks, then Newton on the theory with the tracks'
  // slope. The theory differs from the tracks by a small, smooth amount, so
  // one step of under kTrustedStep leaves less than 0.01 s and is taken
  // without computing again at its end; the places are moved there along
  // their tracks.
  Event rootEvent(EventKind kind, Measure m, const Track& a, const Track& b, double target,
                  double t0, double t1) {
    const auto offTarget = [&](double t) { return nearZero(onTrack(m, a, b, t) - target); };
    double t =
        rootOf(offTarget, t0, t1, offTarget(t0), offTarget(t1), kTrackTolerance, RootRule::Clamped);
    const double slope =
        (offTarget(t + kSlopeStep) - offTarget(t - kSlopeStep)) / (2.0 * kSlopeStep);
    for (int k = 1;; ++k) {
      const Sample s = onTheory(m, a, b, t);
      const double step = -nearZero(s.value - target) / slope;
      if (std::fabs(step) < kTrustedStep || k == kPolishSteps) {
        const double jd = t + step;
        return eventOf(kind, a, b, jd, moved(s.a, a, t, jd), moved(s.b, b, t, jd));
      }
      t += std::clamp(step, -1.0, 1.0);
    }
  }

  // The extremum of the measure near the tracks' extremum t, by Newton's
  // method on the theory. The slope is the central difference of the
  // theory's values h apart, less its bias f''' h^2 / 6 (f''' from the
  // tracks); the curvature is the second difference of the theory's values
  // at the first step, the secant of the last two slopes after. h is
  // kNarrowDifference, or kWideDifference for the greatest elongations
  // (see there). A step under kTrustedStep is the last; the places are
  // those computed at t (the mean of those at t - h and t + h after the
  // first step), moved along their tracks.
  Event extremumEvent(EventKind kind, Measure m, const Track& a, const Track& b, double t,
                      bool maximum) {
    const bool elongation = m == Measure::Chord && kind != EventKind::CloseApproach;
    const double h = elongation ? kWideDifference : kNarrowDifference;
    const double q = std::min(a.step(), b.step()) / 4.0;
    const auto trackAt = [&](double x) { return onTrack(m, a, b, x); };
    const double third = (trackAt(t + 2.0 * q) - 2.0 * trackAt(t + q) + 2.0 * trackAt(t - q) -
                          trackAt(t - 2.0 * q)) /
                         (2.0 * q * q * q);
    double curvature = 0.0;
    double lastT = t;
    double lastSlope = 0.0;
    for (int k = 1;; ++k) {
      const Sample below = onTheory(m, a, b, t - h);
      const Sample above = onTheory(m, a, b, t + h);
      const double slope = (above.value - below.value) / (2.0 * h) - third * h * h / 6.0;
      Sample centre{};
      if (k == 1) {
        centre = onTheory(m, a, b, t);
        curvature = (above.value - 2.0 * centre.value + below.value) / (h * h);
      } else {
        curvature = (slope - lastSlope) / (t - lastT);
      }
      const bool curved = maximum ? curvature < 0 : curvature > 0;
      const double step = curved ? -slope / curvature : 0.0;
      if (std::fabs(step) < kTrustedStep || k == kPolishSteps) {
        const double jd = t + step;
        if (k == 1) {
          return eventOf(kind, a, b, jd, moved(centre.a, a, t, jd), moved(centre.b, b, t, jd));
        }
        return eventOf(kind, a, b, jd,
                       meanOf(moved(below.a, a, t - h, jd), moved(above.a, a, t + h, jd)),
                       meanOf(moved(below.b, b, t - h, jd), moved(above.b, b, t + h, jd)));
      }
      lastT = t;
      lastSlope = slope;
      t += std::clamp(step, -1.0, 1.0);
    }
  }

  // Roots of a longitude difference crossing whole quarter-turns, on the
  // scan of `step`: `found(t0, t1, quarter)` is told of each crossing of
  // the boundary `quarter` (quarter * 90 degrees) between two scanned
  // instants, upward or downward.
  template <class Found>
  void crossings(Measure m, const Track& a, const Track& b, double step, Found&& found) {
    const Scan scan = scanOf(step);
    double before = onTrack(m, a, b, scan.at(scan.first));
    for (std::int64_t j = scan.first; j < scan.last; ++j) {
      const double after = onTrack(m, a, b, scan.at(j + 1));
      const int q0 = quarterOf(before);
      const int q1 = quarterOf(after);
      if (q1 == (q0 + 1) % 4) {
        found(scan.at(j), scan.at(j + 1), q1);
      } else if (q0 == (q1 + 1) % 4) {
        found(scan.at(j), scan.at(j + 1), q0);
      }
      before = after;
    }
  }

  // Extrema of a measure on the scan of `step`: `found(t, maximum)` is
  // told of each, with its instant on the tracks.
  template <class Found>
  void extrema(Measure m, const Track& a, const Track& b, double step, Found&& found) {
    const Scan scan = scanOf(step);
    double previous = onTrack(m, a, b, scan.at(scan.first - 1));
    double current = onTrack(m, a, b, scan.at(scan.first));
    for (std::int64_t j = scan.first; j <= scan.last; ++j) {
      const double next = onTrack(m, a, b, scan.at(j + 1));
      const bool minimum = previous > current && current <= next;
      const bool maximum = previous < current && current >= next;
      if (minimum || maximum) {
        const double t = extremumOf([&](double x) { return onTrack(m, a, b, x); }, scan.at(j - 1),
                                    scan.at(j + 1), maximum, kTrackTolerance, ExtremumRule::Brent)
                             .x;
        found(t, maximum);
      }
      previous = current;
      current = next;
    }
  }

  // The phases: the Moon's elongation in longitude through 0, 90, 180, 270.
  void phases() {
    const Track& moon = track(Body::Moon);
    const Track& sun = track(Body::Sun);
    crossings(Measure::LongitudeDifference, moon, sun, moon.step(),
              [&](double t0, double t1, int quarter) {
                const auto kind = static_cast<EventKind>(quarter);
                if (wants(kind)) {
                  add(rootEvent(kind, Measure::LongitudeDifference, moon, sun,
                                quarter * kQuarterTurn, t0, t1));
                }
              });
  }

  // The seasons: the Sun's apparent longitude, nutation included.
  void seasons() {
    const Track& sun = track(Body::Sun);
    crossings(Measure::Longitude, sun, sun, sun.step(), [&](double t0, double t1, int quarter) {
      const auto kind = static_cast<EventKind>(static_cast<int>(EventKind::MarchEquinox) + quarter);
      if (wants(kind)) {
        add(rootEvent(kind, Measure::Longitude, sun, sun, quarter * kQuarterTurn, t0, t1));
      }
    });
  }

  // Perihelion and aphelion, perigee and apogee: extrema of the geometric
  // distance.
  void distanceExtrema(Body body, EventKind least, EventKind greatest) {
    const Track& t = track(body);
    extrema(Measure::Distance, t, t, t.step(), [&](double x, bool maximum) {
      const EventKind kind = maximum ? greatest : least;
      if (wants(kind)) {
        add(extremumEvent(kind, Measure::Distance, t, t, x, maximum));
      }
    });
  }

  // Conjunctions with the Sun, and oppositions: the planet's longitude
  // minus the Sun's through 0 and 180 degrees.
  void solarConjunctions(Body planet) {
    const Track& p = track(planet);
    const Track& sun = track(Body::Sun);
    crossings(Measure::LongitudeDifference, p, sun, p.step(),
              [&](double t0, double t1, int quarter) {
                if (quarter % 2 != 0) {
                  return;
                }
                EventKind kind = quarter == 0 ? EventKind::Conjunction : EventKind::Opposition;
                if (isInner(planet)) {
                  kind = p.distance(t0) < sun.distance(t0) ? EventKind::InferiorConjunction
                                                           : EventKind::SuperiorConjunction;
                }
                if (wants(kind)) {
                  add(rootEvent(kind, Measure::LongitudeDifference, p, sun, quarter * kQuarterTurn,
                                t0, t1));
                }
              });
  }

  // Greatest elongations: maxima of the chord between planet and Sun.
  void greatestElongations(Body planet) {
    const Track& p = track(planet);
    const Track& sun = track(Body::Sun);
    extrema(Measure::Chord, p, sun, p.step(), [&](double t, bool maximum) {
      const bool east = longitudeDifference(p.apparent(t), sun.apparent(t)) > 0;
      const EventKind kind =
          east ? EventKind::GreatestElongationEast : EventKind::GreatestElongationWest;
      if (maximum && wants(kind)) {
        add(extremumEvent(kind, Measure::Chord, p, sun, t, true));
      }
    });
  }

  // Close approaches: minima of the chord between two of the Moon and the
  // planets under the limit, the deepest within kPassageWindow days.
  void closeApproaches() {
    std::vector<std::pair<Body, Body>> pairs;
    for (const Body first : kBodies) {
      for (const Body second : kBodies) {
        if (first != Body::Sun && first < second) {
          pairs.emplace_back(first, second);
        }
      }
    }
    const double step = request_.steps.pairScan;
    const Scan scan = scanOf(step);
    const double scanLimit = chordSquaredOfSeparation(request_.limit + kScanMargin);
    const double trackLimit = chordSquaredOfSeparation(request_.limit + kTrackMargin);
    // Each body's apparent direction on the scan, one instant more at each
    // end, computed once for all its pairs.
    const auto count = static_cast<std::size_t>(scan.last - scan.first + 3);
    const auto instant = [&](std::size_t i) {
      return scan.at(scan.first - 1 + static_cast<std::int64_t>(i));
    };
    std::array<std::vector<Vector>, kBodyCount> directions;
    for (const Body body : kBodies) {
      if (body != Body::Sun) {
        const Track& t = track(body);
        std::vector<Vector>& d = directions[indexOf(body)];
        d.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
          const Vector v = t.apparent(instant(i));
          d[i] = (1.0 / length(v)) * v;
        }
      }
    }
    std::vector<Event> found;
    std::vector<double> chord(count);
    for (const auto& [first, second] : pairs) {
      const std::vector<Vector>& da = directions[indexOf(first)];
      const std::vector<Vector>& db = directions[indexOf(second)];
      for (std::size_t i = 0; i < count; ++i) {
        const Vector d = da[i] - db[i];
        chord[i] = dot(d, d);
      }
      const Track& a = track(first);
      const Track& b = track(second);
      const auto onTracks = [&](double x) { return onTrack(Measure::Chord, a, b, x); };
      for (std::size_t i = 1; i + 1 < count; ++i) {
        if (!(chord[i - 1] > chord[i] && chord[i] <= chord[i + 1]) ||
            leastOfQuadratic(da[i - 1] - db[i - 1], da[i] - db[i], da[i + 1] - db[i + 1]) >
                scanLimit) {
          continue;
        }
        auto [t, least] = leastOnTracks(onTracks, instant(i - 1), instant(i + 1));
        if (first != Body::Moon && least <= trackLimit) {
          const std::optional<double> passage = leastOfPassage(onTracks, t);
          if (!passage) {
            continue;
          }
          t = *passage;
          least = onTracks(t);
        }
        if (least <= trackLimit) {
          const Event e = extremumEvent(EventKind::CloseApproach, Measure::Chord, a, b, t, false);
          if (e.angle < request_.limit) {
            found.push_back(e);
          }
        }
      }
    }
    for (const Event& e : found) {
      const bool deeperNearby = std::any_of(found.begin(), found.end(), [&](const Event& o) {
        return o.body == e.body && o.other == e.other &&
               std::fabs(o.tt.jd - e.tt.jd) <= kPassageWindow &&
               (o.angle < e.angle || (o.angle == e.angle && o.tt.jd < e.tt.jd));
      });
      if (!deeperNearby) {
        add(e);
      }
    }
  }

  // The least separation of two planets in the passage whose scanned
  // minimum is at t: the least value on the tracks within kPassageWindow
  // days, kRescanStep apart, then Brent's method about it; none
  // when it lies at the edge of the window (the separation goes on falling) or
  // when a smaller one lies within kPassageWindow days of it. Two planets
  // turning near each other can pass through minima less than a scan step
  // apart, which the scan sees as one.
  template <class F>
  static std::optional<double> leastOfPassage(F&& f, double t) {
    constexpr int kCount = static_cast<int>(kPassageWindow / kRescanStep);
    const auto leastNear = [&](double centre) {
      int best = -kCount;
      double least = f(centre - kCount * kRescanStep);
      for (int k = -kCount + 1; k <= kCount; ++k) {
        const double value = f(centre + k * kRescanStep);
        if (value < least) {
          best = k;
          least = value;
        }
      }
      return std::pair{best, least};
    };
    const auto [best, least] = leastNear(t);
    if (best == -kCount || best == kCount) {
      return std::nullopt;
    }
    const double x = t + best * kRescanStep;
    const auto [m, value] = leastOnTracks(f, x - kRescanStep, x + kRescanStep);
    if (leastNear(m).second < value) {
      return std::nullopt;
    }
    return m;
  }

  const Request& request_;
  SearchCounts& counts_;
  std::vector<Event>& events_;
  std::array<std::optional<Track>, kBodyCount> tracks_;
  Status status_ = Status::Computed;
};

bool earlier(const Event& a, const Event& b) {
  if (a.tt.jd != b.tt.jd) {
    return a.tt.jd < b.tt.jd;
  }
  if (a.kind != b.kind) {
    return a.kind < b.kind;
  }
  if (a.body != b.body) {
    return a.body < b.body;
  }
  return a.other < b.other;
}

}  // namespace

EventList searchEvents(TT from, TT until, EventKindSet kinds, double closeApproachLimit,
                       Theory theory, const SearchSteps& steps, SearchCounts* counts) {
  const double start = from.jd;
  const double end = until.jd;
  EventList list{{}, Status::Computed};
  if (!std::isfinite(start) || !std::isfinite(end) || std::fabs(start) > kFarthestDay ||
      std::fabs(end) > kFarthestDay) {
    list.status = Status::NotComputable;
    return list;
  }
  if (!(start < end)) {
    return list;
  }
  SearchCounts ignored;
  SearchCounts& tally = counts != nullptr ? *counts : ignored;
  const double limit = closeApproachLimit > 0 ? std::min(closeApproachLimit, kPi) : 0.0;
  for (double chunk = start; chunk < end;) {
    const double to = std::min(end, chunk + kChunkDays);
    const Request request{chunk, to, kinds & kAllEventKinds, limit, theory, steps};
    list.status = worse(list.status, Search(request, tally, list.events).run());
    chunk = to;
  }
  std::sort(list.events.begin(), list.events.end(), earlier);
  return list;
}

EventList findEvents(TT start, TT end, EventKindSet kinds, Theory theory) {
  return searchEvents(start, end, kinds, kCloseApproachLimit, theory, kSearchSteps, nullptr);
}

EventList findEvents(TT start, TT end, EventKindSet kinds, double closeApproachLimit,
                     Theory theory) {
  return searchEvents(start, end, kinds, closeApproachLimit, theory, kSearchSteps, nullptr);
}

}  // namespace astro
