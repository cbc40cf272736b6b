// Reporter and reportEvents: the table of formats and the one path that
// every date and every event takes.
#include "frontend/app/reporter.h"

#include <array>

#include "frontend/picture/band_chart.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/event_list.h"
#include "frontend/write/icalendar.h"
#include "frontend/write/records.h"
#include "frontend/write/text_report.h"

namespace frontend {
namespace {

constexpr std::array<FormatWriters, 5> kFormats = {{
    {.format = Format::Text,
     .name = "text",
     .dates = {.begin = nullptr, .date = appendReport, .looks = false},
     .events = {.begin = appendEventHeading, .event = appendEventLine, .end = nullptr}},
    {.format = Format::Csv,
     .name = "csv",
     .dates = {.begin = appendCsvHeader, .date = appendCsv, .looks = true},
     .events = {.begin = appendEventCsvHeader, .event = appendEventCsv, .end = nullptr}},
    {.format = Format::Json,
     .name = "json",
     .dates = {.begin = nullptr, .date = appendJson, .looks = true},
     .events = {.begin = nullptr, .event = appendEventJson, .end = nullptr}},
    {.format = Format::Svg,
     .name = "svg",
     .dates = {.begin = nullptr, .date = appendSkyChart, .looks = true},
     .events = {.begin = nullptr, .event = nullptr, .end = nullptr}},
    {.format = Format::Ics,
     .name = "ics",
     .dates = {.begin = nullptr, .date = nullptr, .looks = false},
     .events = {.begin = appendCalendarStart,
                .event = appendCalendarEvent,
                .end = appendCalendarEnd}},
}};

}  // namespace

const FormatWriters& writersOf(Format format) {
  for (const FormatWriters& writers : kFormats) {
    if (writers.format == format) {
      return writers;
    }
  }
  return kFormats.front();
}

const FormatWriters* writersNamed(std::string_view name) {
  for (const FormatWriters& writers : kFormats) {
    if (writers.name == name) {
      return &writers;
    }
  }
  return nullptr;
}

Reporter::Reporter(Console& console, const Request& request)
    : console_(console), request_(request), writer_(writersOf(request.format).dates) {
  if (writer_.begin != nullptr) {
    writer_.begin(console_.output.pending(), request_);
    console_.output.sent();
  }
}

void Reporter::report(const DateEntry& given, bool skipForward) {
  const Parsed<ToReport> converted = toReport(request_, given, skipForward);
  if (const Refusal* r = std::get_if<Refusal>(&converted)) {
    complain(console_, *r);
    refused_ = true;
    return;
  }
  const ToReport& ready = std::get<ToReport>(converted);
  if (ready.ambiguous) {
    complain(console_, catalogue::ambiguousLocalTime(given.label, request_.zone.name));
  }
  const Observation seen = observe(request_, ready.entry, writer_.looks, days_);
  writer_.date(console_.output.pending(), seen, request_);
  console_.output.sent();
  check(seen);
}

void Reporter::check(const Observation& seen) {
  const astro::Instant& instant = seen.instant;
  const std::string& label = seen.entry.label;
  if (instant.status == astro::Status::NotComputable) {
    complain(console_, Refusal{Subject::Date, Reason::DateNotComputable, label, {}});
    notComputable_ = true;
    return;
  }
  std::string bodies;
  for (const BodyRow& row : kBodyRows) {
    if (instant[row.body].status == astro::Status::NotComputable) {
      bodies += bodies.empty() ? "" : ", ";
      bodies += row.name;
    }
  }
  if (!bodies.empty()) {
    complain(console_, Refusal{Subject::Date, Reason::BodiesNotComputable, label, bodies});
    notComputable_ = true;
  }
  if (instant.status == astro::Status::OutsideMeasuredSpan) {
    if (outsideNamed_.size() < kNamedOutside) {
      outsideNamed_.push_back(label);
    }
    ++outside_;
  }
  if (seen.place && seen.place->instant.theory == astro::Theory::Classic) {
    if (placeOnClassicNamed_.size() < kNamedOutside) {
      placeOnClassicNamed_.push_back(label);
    }
    ++placeOnClassic_;
  }
}

int Reporter::finish(Reading reading) {
  if (outside_ > 0) {
    complain(console_, request_.theory == astro::Theory::Precise
                           ? catalogue::precise::outsideSpan(outside_, outsideNamed_)
                           : catalogue::outsideMeasuredSpan(outside_, outsideNamed_));
  }
  if (placeOnClassic_ > 0) {
    complain(console_, catalogue::precise::placeOnClassic(placeOnClassic_, placeOnClassicNamed_));
  }
  if ((notComputable_ || (refused_ && !console_.interactive)) && reading == Reading::AllAccepted) {
    reading = Reading::SomeRefused;
  }
  return frontend::finish(console_, reading);
}

int reportEvents(Console& console, const Request& request) {
  const FormatWriters::Events& writer = writersOf(request.format).events;
  if (writer.begin != nullptr) {
    writer.begin(console.output.pending(), request);
    console.output.sent();
  }
  EventSearch search(request);
  std::vector<FoundEvent> found;
  Progress progress(console.errors, showsProgress(console), search.chunks(), Progress::Unit::Years);
  console.progress = &progress;
  for (std::int64_t done = 0; console.output.ok() && search.next(found);) {
    progress.advance(++done);
    for (const FoundEvent& e : found) {
      writer.event(console.output.pending(), e, request);
      console.output.sent();
    }
  }
  progress.clear();
  console.progress = nullptr;
  if (writer.end != nullptr) {
    writer.end(console.output.pending());
    console.output.sent();
  }
  Reading reading = console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed;
  if (search.notComputable() && reading == Reading::AllAccepted) {
    complain(console, catalogue::events::kNotComputable);
    reading = Reading::SomeRefused;
  } else if (search.outside()) {
    complain(console, request.theory == astro::Theory::Precise
                          ? catalogue::precise::kEventsOutsideSpan
                          : catalogue::events::kOutsideMeasuredSpan);
  }
  if (search.classicOutsidePreciseSpan()) {
    complain(console, catalogue::precise::kEventsOnClassic);
  }
  return finish(console, reading);
}

}  // namespace frontend
