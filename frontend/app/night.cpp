// nightViewOf, reportNight: which night a date stands for at the request's
// place, the library's search of it, and its writing in each format.
#include "frontend/app/night.h"

#include <cmath>
#include <variant>

#include "frontend/app/observation.h"
#include "frontend/picture/horizon_chart.h"
#include "frontend/read/date_words.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/night_text.h"

namespace frontend {
namespace {

// Whether a date word carries a time of day (or is an instant).
bool hasTime(const DateEntry& entry) {
  return entry.universal || entry.label.find('T') != std::string::npos ||
         entry.date.day != std::floor(entry.date.day);
}

astro::CalendarDay dayAfter(const astro::CalendarDay& day, std::int64_t days) {
  const double jd = astro::julianDay({day.year, day.month, static_cast<double>(day.day)});
  return astro::calendarDay(static_cast<std::int64_t>(std::floor(jd + 0.5)) + days);
}

// The night that begins on the evening of a local day: the day of UT from
// the place's mean noon, whose evening and next morning it holds.
NightView nightOf(const Request& request, const astro::CalendarDay& evening) {
  const astro::Observer& observer = request.place->observer;
  const double noon = astro::julianDay({evening.year, evening.month, evening.day + 0.5}) -
                      observer.longitude / astro::kTurn;
  const astro::TimeScale scale = request.scale.astroScale();
  const double tt = scale.tt(astro::UT{noon + 0.5}).jd;
  const astro::Theory theory = almanacTheory(request, tt);
  NightView view{};
  view.night =
      astro::nightAt(astro::UT{noon}, scale, observer, astro::Refraction::Standard, theory);
  view.moon = astro::moonAge(view.night.middleTt, theory);
  view.evening = evening;
  view.morning = dayAfter(evening, 1);
  for (std::size_t i = 0; i < astro::kBodyCount; ++i) {
    const astro::BodyPosition& p = view.night.positions[i];
    view.constellations[i] =
        view.night.status == astro::Status::NotComputable ||
                p.status == astro::Status::NotComputable
            ? astro::kConstellationCount
            : astro::constellation({p.rightAscension, p.declination}, view.night.middleTt).index;
  }
  return view;
}

}  // namespace

Parsed<NightView> nightViewOf(const Request& request, const std::optional<DateEntry>& given) {
  DateEntry entry;
  if (given) {
    entry = *given;
  } else {
    entry = std::get<DateEntry>(parseDateWord(kNow));
  }
  if (!hasTime(entry)) {
    const astro::CalendarDay day{entry.date.year, entry.date.month,
                                 static_cast<std::int32_t>(entry.date.day)};
    return nightOf(request, day);
  }
  const Parsed<ToReport> converted = toReport(request, entry, false);
  if (const Refusal* r = std::get_if<Refusal>(&converted)) {
    return *r;
  }
  const double jdUt = astro::julianDay(std::get<ToReport>(converted).entry.date);
  const LocalTime local = localTimeOf(request.zone, jdUt);
  // Before noon, the night that began the evening before, unless its dawn
  // has come: then the coming one.
  const bool morning = local.local.millisecond < kMillisecondsPerDay / 2;
  NightView view = nightOf(request, morning ? dayAfter(local.day, -1) : local.day);
  const double dawn = view.night.darkEnd.jd;
  if (morning && !(jdUt < (std::isfinite(dawn) ? dawn : view.night.start.jd + 1.0))) {
    view = nightOf(request, local.day);
  }
  view.asked = jdUt;
  return view;
}

double pictureMoment(const NightView& view) {
  if (view.asked) {
    return *view.asked;
  }
  const astro::Night& night = view.night;
  const auto seenTogether = [&night](double jd) {
    int count = 0;
    for (const astro::NightBody& body : night.bodies) {
      for (int w = 0; w < body.windowCount; ++w) {
        const astro::NightWindow& window = body.windows[static_cast<std::size_t>(w)];
        count += jd >= window.start.jd && jd <= window.end.jd ? 1 : 0;
      }
    }
    return count;
  };
  double best = night.middle.jd;
  int most = 0;
  for (const astro::NightBody& body : night.bodies) {
    if (body.sighting != astro::Sighting::Visible) {
      continue;
    }
    const int count = seenTogether(body.best.jd);
    if (count > most || (count == most && body.best.jd < best)) {
      most = count;
      best = body.best.jd;
    }
  }
  return best;
}

int reportNight(Console& console, const Request& request) {
  std::optional<DateEntry> given;
  if (!request.words.empty()) {
    const Parsed<DateEntry> entry = parseDateWord(request.words.front());
    if (const Refusal* r = std::get_if<Refusal>(&entry)) {
      complain(console, *r);
      return finish(console, Reading::SomeRefused);
    }
    given = std::get<DateEntry>(entry);
  }
  const Parsed<NightView> parsed = nightViewOf(request, given);
  if (const Refusal* r = std::get_if<Refusal>(&parsed)) {
    complain(console, *r);
    return finish(console, Reading::SomeRefused);
  }
  const NightView& view = std::get<NightView>(parsed);
  std::string& out = console.output.pending();
  switch (request.format) {
    case Format::Csv:
      appendNightCsvHeader(out);
      appendNightCsv(out, request, view);
      break;
    case Format::Json:
      appendNightJson(out, request, view);
      break;
    case Format::Svg: {
      const double jd = pictureMoment(view);
      const DateEntry at{astro::calendarDate(astro::JulianDate{jd}),
                         given ? given->label : std::string(kNow), true};
      appendHorizonChart(out, observe(request, at, true), request);
      break;
    }
    default:
      appendNightText(out, request, view);
      break;
  }
  console.output.sent();
  const std::string label = given ? given->label : std::string(kNow);
  Reading reading = console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed;
  if (view.night.status == astro::Status::NotComputable) {
    complain(console, Refusal{Subject::Date, Reason::DateNotComputable, label, {}});
    reading = reading == Reading::AllAccepted ? Reading::SomeRefused : reading;
  } else if (view.night.status == astro::Status::OutsideMeasuredSpan) {
    complain(console, catalogue::outsideMeasuredSpan(1, {label}));
  }
  return finish(console, reading);
}

}  // namespace frontend
