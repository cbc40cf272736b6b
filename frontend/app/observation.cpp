// observe, EventSearch: everything the writers read, computed by the
// library here and nowhere else in the front end (with TimeScale, which
// gives the instant of a date).
#include "frontend/app/observation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <variant>

#include "frontend/app/request.h"

namespace frontend {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// The view from the request's place at the instant of a date in UT, whose
// local time is `local`.
PlaceView viewFrom(const Request& request, const astro::Instant& instant, const LocalTime& local,
                   DayAlmanacs& days) {
  PlaceView view;
  const astro::Theory theory = almanacTheory(request, instant.tt.jd);
  // The report's instant when it is already of that theory (--precis).
  view.instant = instant.theory == theory
                     ? instant
                     : astro::computeInstantUt(instant.ut, request.scale.astroScale(), theory);
  view.looks = astro::appearances(view.instant);
  const astro::Observer& observer = request.place->observer;
  view.sky = astro::observe(view.instant, observer, astro::Refraction::Standard);
  // The local day from its midnight on the zone's clock; a midnight the
  // clock skips is taken with the offset of the date's own instant.
  const astro::CalendarDate midnight{local.day.year, local.day.month,
                                     static_cast<double>(local.day.day)};
  const Parsed<ZonedTime> start = universalOf(request.zone, midnight);
  const double dayStart = std::holds_alternative<ZonedTime>(start)
                              ? std::get<ZonedTime>(start).jdUt
                              : astro::julianDay(midnight) - local.offsetSeconds / kSecondsPerDay;
  // The day's positions with Delta T at its start, whichever of the day's
  // instants is observed (the instant's own until each day was computed
  // once: the same for the dates at midnight, a day by day range).
  view.day = days.of(request, dayStart, request.scale.deltaTAt(dayStart), theory);
  view.moon = days.moonAge(view.instant.tt.jd, theory);
  return view;
}

}  // namespace

const astro::DayAlmanac& DayAlmanacs::of(const Request& request, double dayStart, double deltaT,
                                         astro::Theory theory) {
  if (!(dayStart_ == dayStart && deltaT_ == deltaT && theory_ == theory)) {
    day_ = astro::dayAlmanac(astro::UT{dayStart}, astro::TimeScale::fixed(deltaT),
                             request.place->observer, astro::Refraction::Standard, theory);
    dayStart_ = dayStart;
    deltaT_ = deltaT;
    theory_ = theory;
    ++computed_;
  }
  return day_;
}

astro::MoonAge MoonPhases::at(double jdTt, astro::Theory theory) {
  // The month before the instant and the day after it, within what was
  // searched; else a search from that month on, for the next instants.
  constexpr double kMonthBefore = 31.0;
  constexpr double kDayAfter = astro::kPrincipalPhaseDays + 1.0 / kSecondsPerDay;
  constexpr double kSpan = 61.0;
  if (!(jdTt - kMonthBefore >= from_ && jdTt + kDayAfter <= to_ && theory == theory_)) {
    from_ = jdTt - kMonthBefore;
    to_ = from_ + kSpan;
    theory_ = theory;
    constexpr astro::EventKindSet kPhases = astro::eventKindBit(astro::EventKind::NewMoon) |
                                            astro::eventKindBit(astro::EventKind::FirstQuarter) |
                                            astro::eventKindBit(astro::EventKind::FullMoon) |
                                            astro::eventKindBit(astro::EventKind::LastQuarter);
    phases_ = astro::findEvents(astro::TT{from_}, astro::TT{to_}, kPhases, theory);
  }
  return astro::moonAge(astro::TT{jdTt}, phases_);
}

Observation observe(const Request& request, const DateEntry& entry, bool looks) {
  DayAlmanacs days;
  return observe(request, entry, looks, days);
}

Observation observe(const Request& request, const DateEntry& entry, bool looks, DayAlmanacs& days) {
  Observation seen{.entry = entry, .instant = request.scale.compute(entry, request.theory)};
  if (looks || request.place) {
    seen.looks = astro::appearances(seen.instant);
  }
  if (request.civil) {
    seen.local = localTimeOf(request.zone, seen.instant.ut.jd);
  }
  if (request.place) {
    seen.place = viewFrom(request, seen.instant, *seen.local, days);
  }
  return seen;
}

EventSearch::EventSearch(const Request& request)
    : request_(request),
      scale_(request.scale.astroScale()),
      from_(scale_.tt(astro::UT{request.eventsStart}).jd),
      end_(scale_.tt(astro::UT{request.eventsEnd}).jd),
      chunks_(from_ < end_ ? static_cast<std::int64_t>(std::ceil((end_ - from_) / kChunk)) : 0) {}

bool EventSearch::next(std::vector<FoundEvent>& found) {
  found.clear();
  if (!(from_ < end_)) {
    return false;
  }
  // A piece ends at the precise theory's span, on either side.
  double to = std::min(from_ + kChunk, end_);
  for (const double edge : {astro::kPreciseSpanStart, astro::kPreciseSpanEnd}) {
    if (from_ < edge && edge < to) {
      to = edge;
    }
  }
  const double from = from_;
  const astro::Theory theory = almanacTheory(request_, from);
  classic_ = classic_ || theory == astro::Theory::Classic;
  const astro::EventList list =
      astro::findEvents(astro::TT{from}, astro::TT{to}, request_.kinds, theory);
  addTransits(from, to, found);
  addOccultations(from, to, found);
  from_ = to;
  notComputable_ = notComputable_ || list.status == astro::Status::NotComputable;
  // On the precise theory, the events' own statuses: its search reaches a
  // few days past the piece's ends, which at the edge of its span says
  // nothing of the events found within it.
  outside_ = outside_ || (theory == astro::Theory::Classic &&
                          list.status == astro::Status::OutsideMeasuredSpan);
  for (const astro::Event& e : list.events) {
    // Back to UT; the events of the interval in UT only.
    const double ut = scale_.ut(e.tt).jd;
    if (ut >= request_.eventsStart && ut < request_.eventsEnd) {
      outside_ = outside_ || e.status == astro::Status::OutsideMeasuredSpan;
      FoundEvent& event = found.emplace_back(FoundEvent{e, ut});
      const bool moon = e.body == astro::Body::Moon || e.other == astro::Body::Moon;
      if (moon && (e.kind == astro::EventKind::CloseApproach ||
                   e.kind == astro::EventKind::Perigee || e.kind == astro::EventKind::Apogee)) {
        event.moon = moon_.at(e.tt.jd, theory);
      }
    }
  }
  // The eclipses of the same piece.
  for (FoundEvent& e : eclipsesBetween(request_, scale_, from, to)) {
    if (e.jdUt >= request_.eventsStart && e.jdUt < request_.eventsEnd) {
      // An eclipse outside the Precise theory's years says so in its status
      // column; the note on the years 1000 to 3000 is the other events'.
      notComputable_ = notComputable_ || e.event.status == astro::Status::NotComputable;
      found.push_back(std::move(e));
    }
  }
  // In time order, the eclipses, transits and occultations among the others.
  std::stable_sort(found.begin(), found.end(), [](const FoundEvent& a, const FoundEvent& b) {
    return a.event.tt.jd < b.event.tt.jd;
  });
  return true;
}

void EventSearch::addTransits(double from, double to, std::vector<FoundEvent>& found) {
  if ((request_.kinds & astro::eventKindBit(astro::EventKind::Transit)) == 0) {
    return;
  }
  const astro::Body planets[] = {astro::Body::Mercury, astro::Body::Venus};
  for (std::size_t i = 0; i < 2; ++i) {
    std::optional<astro::Transit>& next = nextTransit_[i];
    // A transit of Venus comes once a century: the one found is kept until
    // the search reaches it, and searched again only then.
    while (true) {
      // A search that found nothing (none within its years, or positions
      // not computable) is made again once the interval has moved a year on.
      if (!next || next->greatest.tt.jd < from ||
          (next->outcome != astro::SearchOutcome::Found && searchedFrom_[i] + 365.0 < from)) {
        next = astro::searchTransit(planets[i], astro::TT{from}, scale_);
        searchedFrom_[i] = from;
        notComputable_ = notComputable_ || next->outcome == astro::SearchOutcome::NotComputable;
      }
      if (next->outcome != astro::SearchOutcome::Found || next->greatest.tt.jd >= to) {
        break;
      }
      const astro::Transit& geocentric = *next;
      astro::Transit shown = geocentric;
      if (request_.place) {
        const astro::Transit local =
            astro::localTransit(geocentric, request_.place->observer, scale_);
        if (local.outcome == astro::SearchOutcome::Found) {
          shown = local;
        }
      }
      // The least separation seen from the place, or from the Earth's centre.
      const astro::Event e{shown.greatest.tt,
                           astro::EventKind::Transit,
                           planets[i],
                           astro::Body::Sun,
                           shown.leastSeparation,
                           std::nan(""),
                           std::nan(""),
                           shown.status};
      notComputable_ = notComputable_ || shown.status == astro::Status::NotComputable;
      outside_ = outside_ || shown.status == astro::Status::OutsideMeasuredSpan;
      const double ut = shown.greatest.ut.jd;
      if (ut >= request_.eventsStart && ut < request_.eventsEnd) {
        found.push_back(FoundEvent{.event = e, .jdUt = ut, .transit = shown});
      }
      // The next one after this: a day past its greatest instant.
      next = astro::searchTransit(planets[i], astro::TT{geocentric.greatest.tt.jd + 1.0}, scale_);
    }
  }
}

void EventSearch::addOccultations(double from, double to, std::vector<FoundEvent>& found) {
  if (!request_.place ||
      (request_.kinds & astro::eventKindBit(astro::EventKind::Occultation)) == 0) {
    return;
  }
  const astro::OccultationList list = astro::searchOccultations(
      request_.place->observer, scale_.ut(astro::TT{from}), scale_.ut(astro::TT{to}), scale_);
  notComputable_ = notComputable_ || list.status == astro::Status::NotComputable;
  outside_ = outside_ || list.status == astro::Status::OutsideMeasuredSpan;
  for (const astro::Occultation& o : list.occultations) {
    // Seen: the Moon above the horizon at the planet's disappearance or
    // reappearance (at the least separation for a graze).
    const auto up = [](const astro::TransitContact& c) {
      return astro::limbAboveHorizon(c.moonAltitude, astro::kMoonSemiDiameterUp);
    };
    const bool central = !std::isnan(o.disappearance.ut.jd);
    if (!(central ? up(o.disappearance) || up(o.reappearance) : up(o.greatest))) {
      continue;
    }
    const astro::TransitContact& when = central ? o.disappearance : o.greatest;
    const astro::Event e{when.tt,           astro::EventKind::Occultation,
                         astro::Body::Moon, o.body,
                         o.leastSeparation, std::nan(""),
                         std::nan(""),      o.status};
    if (when.ut.jd >= request_.eventsStart && when.ut.jd < request_.eventsEnd) {
      found.push_back(FoundEvent{.event = e, .jdUt = when.ut.jd, .occultation = o});
    }
  }
}

std::vector<FoundEvent> eclipsesBetween(const Request& request, const astro::TimeScale& scale,
                                        double from, double to) {
  std::vector<FoundEvent> found;
  const bool solar = (request.kinds & astro::eventKindBit(astro::EventKind::SolarEclipse)) != 0;
  const bool lunar = (request.kinds & astro::eventKindBit(astro::EventKind::LunarEclipse)) != 0;
  // Just before `from`, so that an eclipse at `from` itself is kept.
  const astro::TT start{from - 1e-9};
  for (astro::TT after = start; solar;) {
    const astro::SolarEclipse e = astro::searchSolarEclipse(after, scale);
    if (!(e.greatest.jd < to) || e.status == astro::Status::NotComputable) {
      break;
    }
    after = e.greatest;
    FoundEvent event{astro::Event{e.greatest, astro::EventKind::SolarEclipse, astro::Body::Sun,
                                  astro::Body::Moon, 0.0, std::nan(""), std::nan(""), e.status},
                     scale.ut(e.greatest).jd};
    EclipseFound circumstances{.solar = e, .deltaT = e.deltaT};
    if (request.place) {
      circumstances.solarHere = astro::localSolarEclipse(e, request.place->observer, scale);
    }
    event.eclipse = circumstances;
    found.push_back(event);
  }
  for (astro::TT after = start; lunar;) {
    const astro::LunarEclipse e = astro::searchLunarEclipse(after, scale);
    if (!(e.greatest.jd < to) || e.status == astro::Status::NotComputable) {
      break;
    }
    after = e.greatest;
    FoundEvent event{astro::Event{e.greatest, astro::EventKind::LunarEclipse, astro::Body::Moon,
                                  astro::Body::Sun, 0.0, std::nan(""), std::nan(""), e.status},
                     scale.ut(e.greatest).jd};
    EclipseFound circumstances{.lunar = e, .deltaT = e.deltaT};
    if (request.place) {
      circumstances.lunarHere = astro::localLunarEclipse(e, request.place->observer, scale);
    }
    event.eclipse = circumstances;
    found.push_back(event);
  }
  std::stable_sort(found.begin(), found.end(), [](const FoundEvent& a, const FoundEvent& b) {
    return a.event.tt.jd < b.event.tt.jd;
  });
  return found;
}

}  // namespace frontend
