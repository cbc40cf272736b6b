// moonAge, nightAt, skyLimitingMagnitude, skyExtinction: the Moon's phase
// by name and its age, and what the naked eye sees of the Moon and the
// planets from a place through one night.
//
// The phase: the principal phases of findEvents over the month before the
// instant and the day after it name the instant; the last new moon dates
// it.
//
// The night: the tracks of dayAlmanac (rise_set.h) over the day from the
// afternoon give the almanac and, at any moment, each body's topocentric
// altitude. The rule of visibility is a margin that is positive where the
// body is seen: the least of
//   -6 - h_sun                       degrees (the Sun's geometric altitude)
//   h - 5                            degrees (the body's apparent altitude)
//   m_lim(h_sun) - (m + ext(h))      magnitudes
// (for the Moon, its geocentric altitude above its conventional rising
// altitude, in degrees, in place of the last two). The margin is sampled
// every 10 minutes over the dark; between two samples of either sign its
// zero is found to a second, and the best time is the greatest altitude
// within the windows, to a second.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "astro/astro.h"
#include "astro/numeric.h"
#include "astro/observer.h"
#include "astro/rise_set.h"

namespace astro {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// The sampling step over the dark, days.
constexpr double kSampleDays = 10.0 / 1440.0;
// The magnitudes the sky shows at the end of civil and of astronomical
// twilight.
constexpr double kCivilLimit = 1.0;
constexpr double kDarkLimit = 6.0;
// Extinction, magnitudes per air mass.
constexpr double kExtinctionPerAirMass = 0.25;

Status worse(Status a, Status b) {
  return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

// The phases findEvents names.
constexpr EventKindSet kPhaseKinds =
    eventKindBit(EventKind::NewMoon) | eventKindBit(EventKind::FirstQuarter) |
    eventKindBit(EventKind::FullMoon) | eventKindBit(EventKind::LastQuarter);

MoonPhase principalOf(EventKind kind) {
  switch (kind) {
    case EventKind::FirstQuarter:
      return MoonPhase::FirstQuarter;
    case EventKind::FullMoon:
      return MoonPhase::FullMoon;
    case EventKind::LastQuarter:
      return MoonPhase::LastQuarter;
    default:
      return MoonPhase::NewMoon;
  }
}

// The phase between a principal one and the next.
MoonPhase followingOf(EventKind kind) {
  switch (kind) {
    case EventKind::FirstQuarter:
      return MoonPhase::WaxingGibbous;
    case EventKind::FullMoon:
      return MoonPhase::WaningGibbous;
    case EventKind::LastQuarter:
      return MoonPhase::WaningCrescent;
    default:
      return MoonPhase::WaxingCrescent;
  }
}

// What the margin of one body reads at a moment of the span.
struct Sky {
  const DayTracks& tracks;
  Place place;
  Refraction refraction;

  Horizon horizon(double fraction) const {
    return horizonAt(place, trackSiderealTime(tracks, fraction) + place.longitude);
  }
  // The Sun's geometric altitude, degrees.
  double sunAltitude(const Horizon& h, double fraction) const {
    const Vector sun = trackPosition(tracks.bodies[0], fraction);
    return std::asin(std::clamp(geocentricSinAltitude(h, sun), -1.0, 1.0)) * kDegreesPerRadian;
  }
};

struct Margin {
  const Sky& sky;
  std::size_t body;
  double magnitude;

  // The margin to the rule from the horizon and the Sun's altitude
  // (degrees) of the moment; the body's apparent altitude into *altitude.
  double at(const Horizon& h, double sunAltitude, double fraction, double* altitude) const {
    const double sunMargin = kDarkSunAltitude * kDegreesPerRadian - sunAltitude;
    const Vector r = trackPosition(sky.tracks.bodies[body], fraction);
    const double seen = seenFrom(h, r, sky.refraction).altitude;
    if (altitude != nullptr) {
      *altitude = seen;
    }
    if (kBodies[body] == Body::Moon) {
      const double s = std::clamp(geocentricSinAltitude(h, r), -1.0, 1.0);
      return std::min(sunMargin, (std::asin(s) - moonHorizon(length(r))) * kDegreesPerRadian);
    }
    const double limit = skyLimitingMagnitude(sunAltitude / kDegreesPerRadian);
    const double brightness = limit - (magnitude + skyExtinction(seen));
    return std::min({sunMargin, (seen - kLowestSightAltitude) * kDegreesPerRadian, brightness});
  }
  double operator()(double fraction) const {
    const Horizon h = sky.horizon(fraction);
    return at(h, sky.sunAltitude(h, fraction), fraction, nullptr);
  }
};

// The moments sampled across the dark, with the horizon and the Sun's
// altitude (degrees) at each: the same for every body.
struct Samples {
  std::vector<double> at;
  std::vector<Horizon> horizons;
  std::vector<double> sunAltitudes;
  double step;
};

Samples samplesOf(const Sky& sky, double a, double b) {
  Samples s;
  const int steps = std::max(1, static_cast<int>(std::ceil((b - a) / kSampleDays)));
  s.step = (b - a) / steps;
  const auto count = static_cast<std::size_t>(steps) + 1;
  s.at.resize(count);
  s.horizons.resize(count);
  s.sunAltitudes.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    s.at[i] = i + 1 == count ? b : a + static_cast<double>(i) * s.step;
    s.horizons[i] = sky.horizon(s.at[i]);
    s.sunAltitudes[i] = sky.sunAltitude(s.horizons[i], s.at[i]);
  }
  return s;
}

struct Altitude {
  const Sky& sky;
  std::size_t body;

  double operator()(double fraction) const {
    return seenFrom(sky.horizon(fraction), trackPosition(sky.tracks.bodies[body], fraction),
                    sky.refraction)
        .altitude;
  }
};

NightPart partOf(double start, double end, double darkStart, double darkEnd) {
  const bool fromDusk = start <= darkStart + kDuskDawnSlackDays;
  const bool untilDawn = end >= darkEnd - kDuskDawnSlackDays;
  if (fromDusk && untilDawn) {
    return NightPart::AllNight;
  }
  if (fromDusk) {
    return NightPart::FromDusk;
  }
  return untilDawn ? NightPart::UntilDawn : NightPart::Within;
}

NightBody noSight(Sighting sighting) {
  NightBody b{};
  b.sighting = sighting;
  b.windowCount = 0;
  b.best = UT{kNaN};
  b.bestAltitude = kNaN;
  b.bestAzimuth = kNaN;
  b.highestInDark = kNaN;
  return b;
}

// One body's night over the dark [a, b] (fractions of the span).
NightBody bodyNight(const Sky& sky, const Samples& samples, std::size_t body,
                    const Appearance& look, double a, double b) {
  NightBody night = noSight(Sighting::Visible);
  const Margin margin{sky, body, look.magnitude};
  const Altitude altitude{sky, body};
  const std::vector<double>& at = samples.at;
  const double step = samples.step;
  std::vector<double> margins(at.size());
  std::vector<double> heights(at.size());
  for (std::size_t i = 0; i < at.size(); ++i) {
    margins[i] = margin.at(samples.horizons[i], samples.sunAltitudes[i], at[i], &heights[i]);
  }
  night.highestInDark = *std::max_element(heights.begin(), heights.end());
  const double start = sky.tracks.start.jd;
  // The windows: runs of positive margin, their ends found between samples.
  for (std::size_t i = 0; i < at.size() && night.windowCount < 2;) {
    if (!(margins[i] > 0)) {
      ++i;
      continue;
    }
    double from =
        i == 0 ? a : rootOf(margin, at[i - 1], at[i], margins[i - 1], margins[i], kDaysPerSecond);
    std::size_t j = i;
    while (j + 1 < at.size() && margins[j + 1] > 0) {
      ++j;
    }
    double to = j + 1 == at.size()
                    ? b
                    : rootOf(margin, at[j], at[j + 1], margins[j], margins[j + 1], kDaysPerSecond);
    // The best time of the window: the highest sample, refined beside it.
    std::size_t top = i;
    for (std::size_t k = i; k <= j; ++k) {
      if (heights[k] > heights[top]) {
        top = k;
      }
    }
    // The dark's ends are the almanac's twilights, found to a second: a
    // window that begins or ends with them takes them as they are.
    from = from - a < 2.0 * kDaysPerSecond ? a : from;
    to = b - to < 2.0 * kDaysPerSecond ? b : to;
    const double lo = std::max(from, at[top] - step);
    const double hi = std::min(to, at[top] + step);
    const Extremum e = hi > lo ? extremumOf(altitude, lo, hi, true, kDaysPerSecond)
                               : Extremum{from, altitude(from)};
    if (!(night.bestAltitude >= e.value)) {
      night.bestAltitude = e.value;
      night.best = UT{start + e.x};
    }
    night.windows[static_cast<std::size_t>(night.windowCount++)] =
        NightWindow{UT{start + from}, UT{start + to}, partOf(from, to, a, b)};
    i = j + 1;
  }
  if (night.windowCount > 0) {
    const double f = night.best.jd - start;
    night.bestAzimuth =
        seenFrom(sky.horizon(f), trackPosition(sky.tracks.bodies[body], f), sky.refraction).azimuth;
    return night;
  }
  const double highest = night.highestInDark;
  night = noSight(Sighting::Visible);
  night.highestInDark = highest;
  const bool moon = kBodies[body] == Body::Moon;
  if (!moon && !(look.magnitude <= kDarkLimit)) {
    night.sighting = Sighting::TooFaint;
  } else if (look.elongation.angle < kNearSunElongation) {
    night.sighting = Sighting::TooCloseToSun;
  } else if (!(highest > (moon ? 0.0 : kLowestSightAltitude))) {
    night.sighting = Sighting::BelowHorizon;
  } else {
    night.sighting = Sighting::TooLow;
  }
  return night;
}

}  // namespace

MoonAge moonAge(TT tt, Theory theory) {
  MoonAge age{MoonPhase::NewMoon, kNaN, TT{kNaN}, TT{kNaN}, Status::NotComputable};
  if (!std::isfinite(tt.jd)) {
    return age;
  }
  return moonAge(tt, findEvents(TT{tt.jd - 31.0}, TT{tt.jd + kPrincipalPhaseDays + kDaysPerSecond},
                                kPhaseKinds, theory));
}

MoonAge moonAge(TT tt, const EventList& list) {
  MoonAge age{MoonPhase::NewMoon, kNaN, TT{kNaN}, TT{kNaN}, Status::NotComputable};
  if (!std::isfinite(tt.jd)) {
    return age;
  }
  age.status = list.status;
  if (list.status == Status::NotComputable) {
    return age;
  }
  const Event* last = nullptr;     // the last phase at or before tt
  const Event* nearest = nullptr;  // the nearest within the window
  const Event* newMoon = nullptr;  // the last new moon at or before tt
  for (const Event& e : list.events) {
    if ((eventKindBit(e.kind) & kPhaseKinds) == 0) {
      continue;
    }
    const double d = std::fabs(e.tt.jd - tt.jd);
    if (d <= kPrincipalPhaseDays && (nearest == nullptr || d < std::fabs(nearest->tt.jd - tt.jd))) {
      nearest = &e;
    }
    if (e.tt.jd <= tt.jd) {
      last = &e;
      if (e.kind == EventKind::NewMoon) {
        newMoon = &e;
      }
    }
  }
  if (newMoon == nullptr || last == nullptr) {
    age.status = Status::NotComputable;
    return age;
  }
  age.lastNewMoon = newMoon->tt;
  age.ageDays = tt.jd - newMoon->tt.jd;
  if (nearest != nullptr) {
    age.phase = principalOf(nearest->kind);
    age.phaseInstant = nearest->tt;
  } else {
    age.phase = followingOf(last->kind);
  }
  return age;
}

double skyLimitingMagnitude(double sunAltitude) {
  const double degrees = sunAltitude * kDegreesPerRadian;
  const double civil = kCivilTwilight * kDegreesPerRadian;
  const double astronomical = kAstronomicalTwilight * kDegreesPerRadian;
  if (!(degrees <= civil)) {
    return -std::numeric_limits<double>::infinity();
  }
  const double t = std::min(1.0, (civil - degrees) / (civil - astronomical));
  return kCivilLimit + t * (kDarkLimit - kCivilLimit);
}

double skyExtinction(double altitude) {
  const double s = std::sin(std::max(altitude, 0.0));
  const double airMass = 1.0 / (s + 0.025 * std::exp(-11.0 * s));
  return kExtinctionPerAirMass * (airMass - 1.0);
}

Night nightAt(UT start, const TimeScale& scale, const Observer& observer, Refraction refraction,
              Theory theory) {
  Night night{};
  night.start = start;
  night.darkStart = UT{kNaN};
  night.darkEnd = UT{kNaN};
  night.middle = UT{kNaN};
  night.middleTt = TT{kNaN};
  night.bodies.fill(noSight(Sighting::NotComputable));
  night.deltaT = scale.deltaT(UT{start.jd + 0.5});
  night.status = Status::NotComputable;
  if (!std::isfinite(start.jd) || !std::isfinite(night.deltaT)) {
    return night;
  }
  const DayTracks tracks = dayTracks(start, night.deltaT, theory);
  night.day = almanacOf(tracks, observer, refraction);
  night.status = night.day.status;
  if (night.status == Status::NotComputable) {
    return night;
  }
  const Sky sky{tracks, placeOf(observer), refraction};
  // The dark, as fractions of the span.
  const DayEvent& dusk = night.day.civil.evening;
  const DayEvent& dawn = night.day.civil.morning;
  const bool darkAtStart =
      sky.sunAltitude(sky.horizon(0.0), 0.0) < kDarkSunAltitude * kDegreesPerRadian;
  double a = kNaN;
  if (dusk.outcome == EventOutcome::Occurs && !darkAtStart) {
    a = dusk.ut.jd - start.jd;
  } else if (darkAtStart) {
    a = 0.0;
  }
  double b = 1.0;
  if (dawn.outcome == EventOutcome::Occurs && dawn.ut.jd - start.jd > a) {
    b = dawn.ut.jd - start.jd;
  }
  const bool dark = std::isfinite(a);
  if (dark) {
    night.darkStart = UT{start.jd + a};
    night.darkEnd = UT{start.jd + b};
  }
  night.middle = UT{start.jd + (dark ? 0.5 * (a + b) : 0.5)};
  const Instant middle = computeInstantUt(night.middle, TimeScale::fixed(night.deltaT), theory);
  night.status = worse(night.status, middle.status);
  night.middleTt = middle.tt;
  night.positions = middle.bodies;
  night.looks = appearances(middle);
  const Samples samples = dark ? samplesOf(sky, a, b) : Samples{};
  for (std::size_t i = 1; i < kBodyCount; ++i) {
    if (tracks.statuses[i] == Status::NotComputable ||
        middle.bodies[i].status == Status::NotComputable) {
      continue;
    }
    night.bodies[i] = dark ? bodyNight(sky, samples, i, night.looks.bodies[i], a, b)
                           : noSight(Sighting::NoDarkness);
  }
  return night;
}

}  // namespace astro
