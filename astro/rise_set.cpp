// dayAlmanac, searchRiseSet, moonHorizon: rising, upper transit and
// setting of each body, and the Sun's twilights, within a day at a place;
// a body's next rise, transit or set after an instant.
//
//   dayStart  the day [dayStart, dayStart + 1), UT
//   scale     Delta T = TT - UT, read once for the day at its middle: the
//             positions are those of TT = UT + Delta T, the sidereal time
//             that of UT
//   observer  geodetic latitude phi, longitude (radians, east positive),
//             height (metres)
//   theory    the theory of the positions
//
// searchRiseSet searches the days [after + k, after + k + 1), k = 0, 1 ...,
// each as dayAlmanac would, with the tracks of its one body, until the
// event occurs or the limit is passed.
//
// Positions. kTrackNodes = 6 Instants (computeInstantUt) at the Chebyshev
// nodes of the span from half an hour before the day to half an hour after
// it give, for each body, the Chebyshev interpolating polynomials of degree
// 5 of its geocentric x, y and z (kilometres, equatorial of date); the
// nodes are cos(pi (k + 1/2) / 6) with the library's decimal pi. Over those
// 25 hours the Moon's polynomials stay within 0.001" and 1 m of its
// computed positions, the other bodies' closer still. The sidereal time
// comes from its own formula at every moment, as Instant::siderealTime.
//
// Altitude. Rising and setting are defined on the geocentric altitude,
//   sin h = up . r / |r|,  up = (cos phi cos theta, cos phi sin theta, sin phi)
// with theta the local mean sidereal time, against the conventional
// altitude h0 of the body's centre: -50' for the Sun, -34' for the planets,
// 0.7275 p - 34' for the Moon (p its horizontal parallax, asin(6378.14 km /
// distance)), -6, -12 and -18 degrees for the twilights. The function
// searched is sin h - sin h0.
//
// Search. The function is sampled every half hour from half an hour before
// the day to half an hour after it (kStepsPerDay). Wherever three samples
// in a row turn (a maximum or minimum between the outer two), a
// golden-section search finds the extreme to a second. The day's ends and
// the extremes within it cut the day into pieces on each of which the
// function is monotonic, so that each piece holds one crossing at most, and
// one exactly when its ends lie on either side; the Illinois variant of
// regula falsi, with a bisection whenever two steps have not halved the
// bracket, narrows it to one second, and the event is its middle (the
// searches of numeric.h, rules GoldenSection and Safeguarded). The upper
// transit is where the component of r toward the east point, -|r| cos delta
// sin H, goes from positive to negative (H from negative to positive); the
// lower transit crosses the other way.
//
// Why nothing is missed: within the polar circles a body's altitude has one
// maximum and one minimum in a day (the turning sky outruns the changes of
// declination), half a day apart, each found; between them it is
// monotonic. Beyond, where the Moon's change of declination can outrun the
// small diurnal swing, a maximum and a minimum less than an hour apart can
// hide between two samples; what such a pair could hide is a swing of a few
// arcseconds.
//
// Outcomes: the first two crossings of each direction are kept; none in a
// direction is NotThisDay when the other direction has one, else
// AlwaysAbove or AlwaysBelow as the altitude lies all day. The altitude
// and azimuth of an event are the topocentric ones of observe, refracted if
// asked.
//
// Accuracy: the times carry the positions' errors over the rate at which
// a body climbs: against ERFA, 1900-2100 at latitudes up to 60 degrees,
// within 3 s for the Sun and the Moon and 40 s for Mars near a close
// opposition (docs/accuracy.md). Any date whose Instants are computable.
//
// Cost: six Instants and about a thousand evaluations of a polynomial
// position with a sidereal time, the time of about 22 computeInstant calls
// (bench/observer_bench.cpp).
#include "astro/rise_set.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "astro/angles.h"
#include "astro/numeric.h"
#include "astro/time_base.h"

namespace astro {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Samples of the search, kTrackFirst to kTrackLast by half hours: index 1
// is the day's start, index kStepsPerDay + 1 its end.
constexpr int kSamples = kStepsPerDay + 3;
constexpr int kDayStartSample = 1;
constexpr int kDayEndSample = kStepsPerDay + 1;
// The day's two ends and at most one extreme per sample.
constexpr int kMaxBreaks = kSamples + 2;
// The Moon's conventional altitude: 0.7275 p - 34'.
constexpr double kMoonParallaxFactor = 0.7275;
constexpr double kMoonHorizonOffset = -34.0 / 60.0;  // degrees

double sampleFraction(int i) {
  return static_cast<double>(i - kDayStartSample) / kStepsPerDay;
}

Status worse(Status a, Status b) {
  return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

double chebyshevArgument(double fraction) {
  return (2.0 * fraction - (kTrackFirst + kTrackLast)) / (kTrackLast - kTrackFirst);
}

double clenshaw(const std::array<double, kTrackNodes>& c, double x) {
  double b1 = 0.0;
  double b2 = 0.0;
  for (int j = kTrackNodes - 1; j >= 1; --j) {
    const double b = 2.0 * x * b1 - b2 + c[static_cast<std::size_t>(j)];
    b2 = b1;
    b1 = b;
  }
  return x * b1 - b2 + c[0];
}

// ---------------------------------------------------------------- searches

// The day's ends and the extremes within it, in order, with the function's
// values there.
struct Profile {
  int count;
  std::array<double, kMaxBreaks> fraction;
  std::array<double, kMaxBreaks> value;
};

template <class F>
Profile profileOf(const F& f, const std::array<double, kSamples>& samples) {
  Profile p{};
  const auto add = [&p](double fraction, double value) {
    int i = p.count++;
    for (; i > 0 && p.fraction[static_cast<std::size_t>(i - 1)] > fraction; --i) {
      p.fraction[static_cast<std::size_t>(i)] = p.fraction[static_cast<std::size_t>(i - 1)];
      p.value[static_cast<std::size_t>(i)] = p.value[static_cast<std::size_t>(i - 1)];
    }
    p.fraction[static_cast<std::size_t>(i)] = fraction;
    p.value[static_cast<std::size_t>(i)] = value;
  };
  add(0.0, samples[kDayStartSample]);
  add(1.0, samples[kDayEndSample]);
  for (int i = 1; i + 1 < kSamples; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double before = samples[k] - samples[k - 1];
    const double after = samples[k + 1] - samples[k];
    const bool maximum = before > 0 && after <= 0;
    const bool minimum = before < 0 && after >= 0;
    if (maximum || minimum) {
      const Extremum e =
          extremumOf(f, sampleFraction(i - 1), sampleFraction(i + 1), maximum, kDaysPerSecond);
      if (e.x > 0.0 && e.x < 1.0) {
        add(e.x, e.value);
      }
    }
  }
  return p;
}

// The crossings of f through `level` in the day, the first two each way.
struct Crossings {
  int ups;
  int downs;
  std::array<double, 2> up;
  std::array<double, 2> down;
  bool above;  // f above the level somewhere in the day
  bool below;  // f at or below it somewhere
};

template <class F>
Crossings crossingsOf(const F& f, const Profile& p, double level) {
  Crossings c{};
  for (int k = 0; k < p.count; ++k) {
    const bool above = p.value[static_cast<std::size_t>(k)] > level;
    c.above = c.above || above;
    c.below = c.below || !above;
  }
  const auto shifted = [&f, level](double fraction) { return f(fraction) - level; };
  for (int k = 0; k + 1 < p.count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const double fa = p.value[i] - level;
    const double fb = p.value[i + 1] - level;
    if ((fa > 0) == (fb > 0)) {
      continue;
    }
    const double t = rootOf(shifted, p.fraction[i], p.fraction[i + 1], fa, fb, kDaysPerSecond);
    if (fb > 0 && c.ups < 2) {
      c.up[static_cast<std::size_t>(c.ups++)] = t;
    } else if (fb <= 0 && c.downs < 2) {
      c.down[static_cast<std::size_t>(c.downs++)] = t;
    }
  }
  return c;
}

// ---------------------------------------------------------------- the day

// What the searches of one day share: the tracks, the place, and at each
// sample the local horizon.
struct Day {
  const DayTracks& tracks;
  Place place;
  Refraction refraction;
  std::array<Horizon, kSamples> horizons;
};

Horizon horizonOf(const Day& day, double fraction) {
  return horizonAt(day.place, trackSiderealTime(day.tracks, fraction) + day.place.longitude);
}

// The day of the tracks at the place, with its horizon at every sample.
Day dayOf(const DayTracks& tracks, const Observer& observer, Refraction refraction) {
  Day day{tracks, placeOf(observer), refraction, {}};
  for (std::size_t i = 0; i < kSamples; ++i) {
    day.horizons[i] = horizonOf(day, sampleFraction(static_cast<int>(i)));
  }
  return day;
}

bool computable(const Observer& observer) {
  return std::isfinite(observer.latitude) && std::isfinite(observer.longitude) &&
         std::isfinite(observer.heightMetres);
}

DayEvent notOccurring(EventOutcome outcome) {
  return DayEvent{outcome, UT{kNaN}, UT{kNaN}, kNaN, kNaN};
}

DayEvent eventOf(const Day& day, const Track& track, const std::array<double, 2>& times, int count,
                 EventOutcome otherwise) {
  if (count == 0) {
    return notOccurring(otherwise);
  }
  const HorizontalPosition seen =
      seenFrom(horizonOf(day, times[0]), trackPosition(track, times[0]), day.refraction);
  return DayEvent{EventOutcome::Occurs, UT{day.tracks.start.jd + times[0]},
                  UT{count > 1 ? day.tracks.start.jd + times[1] : kNaN}, seen.altitude,
                  seen.azimuth};
}

EventOutcome withoutCrossing(const Crossings& c) {
  if (!c.below) {
    return EventOutcome::AlwaysAbove;
  }
  return c.above ? EventOutcome::NotThisDay : EventOutcome::AlwaysBelow;
}

// The function whose crossings are sought: sin h - sin h0 for the Moon,
// whose h0 follows its distance; sin h for the others, whose h0 is fixed.
struct AltitudeFunction {
  const Day& day;
  const Track& track;
  bool moon;

  double operator()(double fraction) const {
    const Vector r = trackPosition(track, fraction);
    const double s = geocentricSinAltitude(horizonOf(day, fraction), r);
    return moon ? s - std::sin(moonHorizon(length(r))) : s;
  }
};

// The component of the direction toward the east point: its crossing from
// positive to negative is the upper transit.
struct EastFunction {
  const Day& day;
  const Track& track;

  double operator()(double fraction) const {
    const Vector r = trackPosition(track, fraction);
    const Horizon h = horizonOf(day, fraction);
    return (h.east.x * r.x + h.east.y * r.y) / length(r);
  }
};

BodyDay bodyDay(const Day& day, std::size_t index, Twilight* twilights) {
  const Body body = kBodies[index];
  const Track& track = day.tracks.bodies[index];
  const AltitudeFunction altitude{day, track, body == Body::Moon};
  const EastFunction east{day, track};
  std::array<double, kSamples> heights{};
  std::array<double, kSamples> easts{};
  for (std::size_t i = 0; i < kSamples; ++i) {
    const Vector r = trackPosition(track, sampleFraction(static_cast<int>(i)));
    const Horizon& h = day.horizons[i];
    heights[i] = geocentricSinAltitude(h, r);
    if (altitude.moon) {
      heights[i] -= std::sin(moonHorizon(length(r)));
    }
    easts[i] = (h.east.x * r.x + h.east.y * r.y) / length(r);
  }

  std::array<double, 2> transits{};
  int transitCount = 0;
  for (int i = kDayStartSample; i < kDayEndSample && transitCount < 2; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (easts[k] > 0 && easts[k + 1] <= 0) {
      transits[static_cast<std::size_t>(transitCount++)] = rootOf(
          east, sampleFraction(i), sampleFraction(i + 1), easts[k], easts[k + 1], kDaysPerSecond);
    }
  }

  const Profile profile = profileOf(altitude, heights);
  const double level = body == Body::Sun    ? std::sin(kSunHorizon)
                       : body == Body::Moon ? 0.0
                                            : std::sin(kPlanetHorizon);
  const Crossings c = crossingsOf(altitude, profile, level);
  const EventOutcome none = withoutCrossing(c);
  if (twilights != nullptr) {
    const double levels[3] = {std::sin(kCivilTwilight), std::sin(kNauticalTwilight),
                              std::sin(kAstronomicalTwilight)};
    for (std::size_t t = 0; t < 3; ++t) {
      const Crossings d = crossingsOf(altitude, profile, levels[t]);
      const EventOutcome dNone = withoutCrossing(d);
      twilights[t] = Twilight{eventOf(day, track, d.up, d.ups, dNone),
                              eventOf(day, track, d.down, d.downs, dNone)};
    }
  }
  return BodyDay{eventOf(day, track, c.up, c.ups, none),
                 eventOf(day, track, transits, transitCount, EventOutcome::NotThisDay),
                 eventOf(day, track, c.down, c.downs, none)};
}

}  // namespace

DayTracks dayTracks(UT start, double deltaT, Theory theory, std::optional<Body> only) {
  DayTracks tracks{};
  tracks.start = start;
  tracks.deltaT = deltaT;
  tracks.theory = theory;
  const bool apparent = theory == Theory::Precise;
  tracks.status = Status::Computed;
  tracks.statuses.fill(Status::Computed);
  const TimeScale scale = TimeScale::fixed(deltaT);
  // T_j(x_k), the polynomials at the nodes.
  std::array<std::array<double, kTrackNodes>, kTrackNodes> t{};
  for (std::size_t k = 0; k < kTrackNodes; ++k) {
    const double x = std::cos(kPi * (static_cast<double>(k) + 0.5) / kTrackNodes);
    t[0][k] = 1.0;
    t[1][k] = x;
    for (std::size_t j = 2; j < kTrackNodes; ++j) {
      t[j][k] = 2.0 * x * t[j - 1][k] - t[j - 2][k];
    }
    const double fraction = ((kTrackLast - kTrackFirst) * x + (kTrackFirst + kTrackLast)) / 2.0;
    const UT ut{start.jd + fraction};
    std::array<BodyPosition, kBodyCount> positions{};
    std::array<ApparentPlace, kBodyCount> places{};
    double apparentSidereal = 0.0;
    if (only && apparent) {
      const std::size_t b = static_cast<std::size_t>(*only);
      const PreciseSight sight = preciseSight(*only, ut, scale.tt(ut));
      places[b] = sight.place;
      positions[b].status = sight.status;
      apparentSidereal = sight.apparentSiderealTime;
      tracks.status = worse(tracks.status, sight.status);
    } else if (only) {
      const std::size_t b = static_cast<std::size_t>(*only);
      positions[b] = computeBody(*only, scale.tt(ut), theory);
      tracks.status = worse(tracks.status, positions[b].status);
    } else {
      const Instant instant = computeInstantUt(ut, scale, theory);
      tracks.status = worse(tracks.status, instant.status);
      positions = instant.bodies;
      places = instant.apparent;
      apparentSidereal = instant.apparentSiderealTime;
    }
    if (apparent) {
      // Into (-kPi, kPi]: a small angle, whichever turn each time is in.
      const double correction = wrapAngle(apparentSidereal - greenwichSiderealTime(ut.jd), kPi);
      for (std::size_t j = 0; j < kTrackNodes; ++j) {
        tracks.siderealCorrection[j] += correction * t[j][k];
      }
    }
    for (std::size_t b = 0; b < kBodyCount; ++b) {
      if (only && b != static_cast<std::size_t>(*only)) {
        continue;
      }
      const BodyPosition& p = positions[b];
      tracks.statuses[b] = worse(tracks.statuses[b], p.status);
      const Vector v = apparent ? equatorialVector(places[b].rightAscension, places[b].declination,
                                                   places[b].distanceAu * kAstronomicalUnitKm)
                                : equatorialVector(p.rightAscension, p.declination, p.distanceKm);
      const double components[3] = {v.x, v.y, v.z};
      for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t j = 0; j < kTrackNodes; ++j) {
          tracks.bodies[b].coefficients[c][j] += components[c] * t[j][k];
        }
      }
    }
  }
  for (Track& track : tracks.bodies) {
    for (auto& coefficients : track.coefficients) {
      for (std::size_t j = 0; j < kTrackNodes; ++j) {
        coefficients[j] *= (j == 0 ? 1.0 : 2.0) / kTrackNodes;
      }
    }
  }
  for (std::size_t j = 0; j < kTrackNodes; ++j) {
    tracks.siderealCorrection[j] *= (j == 0 ? 1.0 : 2.0) / kTrackNodes;
  }
  return tracks;
}

double trackSiderealTime(const DayTracks& tracks, double fraction) {
  const double mean = greenwichSiderealTime(tracks.start.jd + fraction);
  if (tracks.theory != Theory::Precise) {
    return mean;
  }
  return mean + clenshaw(tracks.siderealCorrection, chebyshevArgument(fraction));
}

Vector trackPosition(const Track& track, double fraction) {
  const double x = chebyshevArgument(fraction);
  return Vector{clenshaw(track.coefficients[0], x), clenshaw(track.coefficients[1], x),
                clenshaw(track.coefficients[2], x)};
}

double greenwichSiderealTime(double jdUt) {
  return timeBase(jdUt).siderealTime;
}

double moonHorizon(double distanceKm) {
  return kMoonParallaxFactor * std::asin(kEarthRadiusKm / distanceKm) +
         toRadians(kMoonHorizonOffset);
}

DayAlmanac dayAlmanac(UT dayStart, const TimeScale& scale, const Observer& observer,
                      Refraction refraction, Theory theory) {
  const double deltaT = scale.deltaT(UT{dayStart.jd + 0.5});
  return almanacOf(dayTracks(dayStart, deltaT, theory), observer, refraction);
}

DayAlmanac almanacOf(const DayTracks& tracks, const Observer& observer, Refraction refraction) {
  DayAlmanac almanac{};
  almanac.start = tracks.start;
  almanac.deltaT = tracks.deltaT;
  const bool placeComputable = computable(observer);
  almanac.status = placeComputable ? tracks.status : Status::NotComputable;
  const Day day = dayOf(tracks, observer, refraction);
  std::array<Twilight, 3> twilights{};
  for (std::size_t b = 0; b < kBodyCount; ++b) {
    if (!placeComputable || tracks.statuses[b] == Status::NotComputable) {
      const DayEvent none = notOccurring(EventOutcome::NotComputable);
      almanac.bodies[b] = BodyDay{none, none, none};
      if (b == 0) {
        twilights.fill(Twilight{none, none});
      }
      continue;
    }
    almanac.bodies[b] = bodyDay(day, b, b == 0 ? twilights.data() : nullptr);
  }
  almanac.civil = twilights[0];
  almanac.nautical = twilights[1];
  almanac.astronomical = twilights[2];
  return almanac;
}

RiseSetTime searchRiseSet(Body body, const Observer& observer, UT after, RiseSet event,
                          double limitDays, const TimeScale& scale, Refraction refraction,
                          Theory theory) {
  RiseSetTime result{SearchOutcome::NotComputable, UT{kNaN}, kNaN, kNaN, Status::NotComputable};
  const auto index = static_cast<std::size_t>(body);
  if (index >= kBodyCount) {
    result.status = Status::UnknownBody;
    return result;
  }
  if (!computable(observer) || !std::isfinite(after.jd) || !std::isfinite(limitDays) ||
      static_cast<std::size_t>(event) > static_cast<std::size_t>(RiseSet::Set)) {
    return result;
  }
  result.outcome = SearchOutcome::NotFound;
  result.status = Status::Computed;
  const double end = after.jd + limitDays;
  // Day after day, as dayAlmanac would give each, until the event occurs.
  for (double k = 0.0; after.jd + k < end; k += 1.0) {
    const UT start{after.jd + k};
    const DayTracks tracks = dayTracks(start, scale.deltaT(UT{start.jd + 0.5}), theory, body);
    result.status = worse(result.status, tracks.statuses[index]);
    if (result.status == Status::NotComputable) {
      result.outcome = SearchOutcome::NotComputable;
      return result;
    }
    const BodyDay day = bodyDay(dayOf(tracks, observer, refraction), index, nullptr);
    const DayEvent& e = event == RiseSet::Rise      ? day.rise
                        : event == RiseSet::Transit ? day.transit
                                                    : day.set;
    if (e.outcome == EventOutcome::Occurs) {
      if (e.ut.jd < end) {
        result.outcome = SearchOutcome::Found;
        result.ut = e.ut;
        result.altitude = e.altitude;
        result.azimuth = e.azimuth;
      }
      return result;
    }
  }
  return result;
}

}  // namespace astro
