// What the program computes of a date, or of the request's events, before
// anything is written: the reporter computes it once, the writers of every
// format read it and only write.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "astro/astro.h"
#include "frontend/app/dates.h"
#include "frontend/place/zone.h"

namespace frontend {

struct Request;

// What a person at the request's place sees at the instant of a date, by
// the almanac's theory (almanacTheory): the precise one within its span,
// where its apparent places and sidereal time give what is seen.
struct PlaceView {
  astro::Instant instant;    // the instant in UT, by the almanac's theory
  astro::Appearances looks;  // how the bodies look at that instant
  astro::SkyView sky;        // topocentric, with standard refraction
  astro::DayAlmanac day;     // the local civil day that holds the instant
  astro::MoonAge moon;       // the Moon's phase by name and age at the instant
};

// One date as it is to be written.
struct Observation {
  const DateEntry& entry;  // the date as given (a civil time already in UT)
  astro::Instant instant;  // in the request's time scale
  // How the bodies look, when the format writes it or there is a place.
  std::optional<astro::Appearances> looks = std::nullopt;
  // With civil time: the instant on the zone's clock.
  std::optional<LocalTime> local = std::nullopt;
  // With a place: what is seen from there.
  std::optional<PlaceView> place = std::nullopt;
};

// The Moon's phase by name and age at instants of TT, from the phases of
// a search of two months kept for the next instants: a range or a year of
// events names many instants of a month from one search (the same names
// and ages as astro::moonAge of each).
class MoonPhases {
 public:
  astro::MoonAge at(double jdTt, astro::Theory theory);

 private:
  astro::EventList phases_{};
  double from_ = 0.0;  // the phases searched cover [from_, to_)
  double to_ = 0.0;
  astro::Theory theory_ = astro::Theory::Classic;
};

// The almanac of the last local day computed at a place, kept for the next
// instants of the same day: a range by the hour computes each day once. It
// is keyed by the day's start in UT and the Delta T it was computed with
// (that of the day's start, so that a day's almanac does not depend on
// which of its instants came first), and the theory.
class DayAlmanacs {
 public:
  // The almanac of the day starting at `dayStart` (UT) at the request's
  // place, with Delta T `deltaT` seconds, by `theory`.
  const astro::DayAlmanac& of(const Request& request, double dayStart, double deltaT,
                              astro::Theory theory);

  // How many days were computed, not taken from the last.
  std::int64_t computed() const { return computed_; }

  // The Moon's phase by name and age at an instant of TT, by a theory.
  astro::MoonAge moonAge(double jdTt, astro::Theory theory) { return moon_.at(jdTt, theory); }

 private:
  MoonPhases moon_;
  std::optional<double> dayStart_;
  double deltaT_ = 0.0;
  astro::Theory theory_ = astro::Theory::Classic;
  astro::DayAlmanac day_{};
  std::int64_t computed_ = 0;
};

// The observation of a date in the request's time scale (a civil time
// already turned into UT, toReport). `looks`: with the bodies' looks even
// without a place. `days`: the almanacs of the place's days, kept from one
// date to the next.
Observation observe(const Request& request, const DateEntry& entry, bool looks, DayAlmanacs& days);
Observation observe(const Request& request, const DateEntry& entry, bool looks);

// An eclipse's circumstances: the whole Earth's, and the request's
// place's when it has one.
struct EclipseFound {
  std::optional<astro::SolarEclipse> solar = std::nullopt;
  std::optional<astro::LocalSolarEclipse> solarHere = std::nullopt;
  std::optional<astro::LunarEclipse> lunar = std::nullopt;
  std::optional<astro::LocalLunarEclipse> lunarHere = std::nullopt;
  double deltaT = 0.0;  // seconds, TT - UT of the request at the eclipse
};

// An event of the request's interval, with its instant in UT.
struct FoundEvent {
  astro::Event event;  // its jd in TT, as the library gives it
  double jdUt;
  // The Moon's phase by name and age, for its close approaches, perigees
  // and apogees.
  std::optional<astro::MoonAge> moon = std::nullopt;
  std::optional<EclipseFound> eclipse = std::nullopt;  // solar_eclipse, lunar_eclipse
  // A transit: geocentric, or seen from the request's place when there is
  // one and the planet crosses the Sun there.
  std::optional<astro::Transit> transit = std::nullopt;
  // An occultation seen from the request's place.
  std::optional<astro::Occultation> occultation = std::nullopt;
};

// The eclipses (of the kinds asked) whose greatest eclipse lies in [from,
// to) of TT, with the place's circumstances when the request has a place,
// in time order.
std::vector<FoundEvent> eclipsesBetween(const Request& request, const astro::TimeScale& scale,
                                        double from, double to);

// The request's events, in time order, a year of its interval at a time:
// the library gives the same events for an interval cut in pieces, and a
// long interval keeps the memory of one year. The interval is in UT; the
// search runs in TT, its bounds moved by Delta T (the request's, or the
// model's at each bound), and each event is brought back to UT with Delta T
// at the event and kept if it falls within the interval. The search runs on
// the almanac's theory (almanacTheory): its pieces end at the precise
// theory's span, so that each is searched by one theory.
class EventSearch {
 public:
  explicit EventSearch(const Request& request);

  // The events of the next year of the interval into `found` (emptied
  // first); false once the interval is done.
  bool next(std::vector<FoundEvent>& found);

  // Whether some positions of the interval could not be computed (their
  // events are missing), or some lie outside the measured years (of the
  // theory that searched them); whether some were searched by the classic
  // theory for want of the precise one's span.
  bool notComputable() const { return notComputable_; }
  bool outside() const { return outside_; }
  bool classicOutsidePreciseSpan() const { return classic_; }
  // About how many times next() gives events: the interval's years, rounded
  // up (a piece more on each side of the precise theory's span it crosses).
  std::int64_t chunks() const { return chunks_; }

 private:
  static constexpr double kChunk = 365.25;  // days, searched at a time
  const Request& request_;
  // The transits and occultations of [from, to) (TT) into `found`.
  void addTransits(double from, double to, std::vector<FoundEvent>& found);
  void addOccultations(double from, double to, std::vector<FoundEvent>& found);

  astro::TimeScale scale_;  // Delta T of the request
  double from_;             // TT
  double end_;              // TT
  std::int64_t chunks_ = 0;
  // The next transit of Mercury and of Venus after the part of the
  // interval searched, kept until the search reaches it.
  std::optional<astro::Transit> nextTransit_[2];
  double searchedFrom_[2] = {0.0, 0.0};  // TT: where each was searched from
  bool notComputable_ = false;
  bool outside_ = false;
  bool classic_ = false;
  MoonPhases moon_;
};

}  // namespace frontend
