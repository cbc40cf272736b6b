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

// What a person at the request's place sees at the instant of a date.
struct PlaceView {
  astro::SkyView sky;     // topocentric, with standard refraction
  astro::DayAlmanac day;  // the local civil day that holds the instant
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

// The almanac of the last local day computed at a place, kept for the next
// instants of the same day: a range by the hour computes each day once. It
// is keyed by the day's start in UT and the Delta T it was computed with
// (that of the day's start, so that a day's almanac does not depend on
// which of its instants came first).
class DayAlmanacs {
 public:
  // The almanac of the day starting at `dayStart` (UT) at the request's
  // place, with Delta T `deltaT` seconds.
  const astro::DayAlmanac& of(const Request& request, double dayStart, double deltaT);

  // How many days were computed, not taken from the last.
  std::int64_t computed() const { return computed_; }

 private:
  std::optional<double> dayStart_;
  double deltaT_ = 0.0;
  astro::DayAlmanac day_{};
  std::int64_t computed_ = 0;
};

// The observation of a date in the request's time scale (a civil time
// already turned into UT, toReport). `looks`: with the bodies' looks even
// without a place. `days`: the almanacs of the place's days, kept from one
// date to the next.
Observation observe(const Request& request, const DateEntry& entry, bool looks, DayAlmanacs& days);
Observation observe(const Request& request, const DateEntry& entry, bool looks);

// An event of the request's interval, with its instant in UT.
struct FoundEvent {
  astro::Event event;  // its jd in TT, as the library gives it
  double jdUt;
  // A transit: geocentric, or seen from the request's place when there is
  // one and the planet crosses the Sun there.
  std::optional<astro::Transit> transit = std::nullopt;
  // An occultation seen from the request's place.
  std::optional<astro::Occultation> occultation = std::nullopt;
};

// The request's events, in time order, a year of its interval at a time:
// the library gives the same events for an interval cut in pieces, and a
// long interval keeps the memory of one year. The interval is in UT; the
// search runs in TT, its bounds moved by Delta T (the request's, or the
// model's at each bound), and each event is brought back to UT with Delta T
// at the event and kept if it falls within the interval.
class EventSearch {
 public:
  explicit EventSearch(const Request& request);

  // The events of the next year of the interval into `found` (emptied
  // first); false once the interval is done.
  bool next(std::vector<FoundEvent>& found);

  // Whether some positions of the interval could not be computed (their
  // events are missing), or some lie outside the measured years.
  bool notComputable() const { return notComputable_; }
  bool outside() const { return outside_; }

 private:
  const Request& request_;
  // The transits and occultations of [from, to) (TT) into `found`.
  void addTransits(double from, double to, std::vector<FoundEvent>& found);
  void addOccultations(double from, double to, std::vector<FoundEvent>& found);

  astro::TimeScale scale_;  // Delta T of the request
  double from_;             // TT
  double end_;              // TT
  // The next transit of Mercury and of Venus after the part of the
  // interval searched, kept until the search reaches it.
  std::optional<astro::Transit> nextTransit_[2];
  double searchedFrom_[2] = {0.0, 0.0};  // TT: where each was searched from
  bool notComputable_ = false;
  bool outside_ = false;
};

}  // namespace frontend
