// The night's view (--nuit): from the end of the evening's civil twilight
// to the next morning's, at the request's place, what the naked eye sees of
// the Moon and the planets, and when.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "astro/astro.h"
#include "frontend/app/console.h"
#include "frontend/app/dates.h"
#include "frontend/app/request.h"
#include "frontend/place/zone.h"

namespace frontend {

// One night as it is to be written.
struct NightView {
  astro::Night night;
  astro::MoonAge moon;         // at the middle of the night
  astro::CalendarDay evening;  // the local day whose evening begins the night
  astro::CalendarDay morning;  // the next
  // The instant asked (UT), when the date had a time or was "maintenant".
  std::optional<double> asked;
  // The constellation of each body at the middle of the night, its number
  // in astro::constellationAt (kConstellationCount where none is known).
  std::array<std::size_t, astro::kBodyCount> constellations;
};

// The night of a date of the request's place: the evening of a date
// without a time of day; the night that holds an instant (a date with a
// time, "maintenant"), or, in the day, the coming one; without a date, the
// current or coming night. A civil time the clock skips is refused.
Parsed<NightView> nightViewOf(const Request& request, const std::optional<DateEntry>& given);

// The moment of the picture: the instant asked, else the best time of a
// visible body at which the most bodies are seen together (the earliest of
// equals), else the middle of the night.
double pictureMoment(const NightView& view);

// Writes the night of the request's date (request.words: none or one) in
// its format; returns the exit status.
int reportNight(Console& console, const Request& request);

}  // namespace frontend
