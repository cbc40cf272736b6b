// Reporter: the table of formats and the one path every date takes.
#include "frontend/app/reporter.h"

#include <array>

#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/records.h"
#include "frontend/write/text_report.h"
#include "frontend/picture/band_chart.h"

namespace frontend {
namespace {

// ics writes the events only (write/event_list.cpp); here it is but a name.
void noDate(std::string&, const DateEntry&, const astro::Instant&, const Request&) {}

constexpr std::array<FormatWriter, 5> kFormats = {{
    {Format::Text, "text", nullptr, appendReport},
    {Format::Csv, "csv", appendCsvHeader, appendCsv},
    {Format::Json, "json", nullptr, appendJson},
    {Format::Svg, "svg", nullptr, appendSkyChart},
    {Format::Ics, "ics", nullptr, noDate},
}};

const FormatWriter& writerOf(Format format) {
  for (const FormatWriter& writer : kFormats) {
    if (writer.format == format) {
      return writer;
    }
  }
  return kFormats.front();
}

}  // namespace

std::optional<Format> formatNamed(std::string_view name) {
  for (const FormatWriter& writer : kFormats) {
    if (writer.name == name) {
      return writer.format;
    }
  }
  return std::nullopt;
}

Reporter::Reporter(Console& console, const Request& request)
    : console_(console), request_(request), writer_(writerOf(request.format)) {
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
  const DateEntry& entry = ready.entry;
  const astro::Instant instant = request_.scale.compute(entry);
  writer_.date(console_.output.pending(), entry, instant, request_);
  console_.output.sent();

  if (instant.status == astro::Status::NotComputable) {
    complain(console_, Refusal{Subject::Date, Reason::DateNotComputable, entry.label, {}});
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
    complain(console_, Refusal{Subject::Date, Reason::BodiesNotComputable, entry.label, bodies});
    notComputable_ = true;
  }
  if (instant.status == astro::Status::OutsideMeasuredSpan) {
    if (outsideNamed_.size() < kNamedOutside) {
      outsideNamed_.push_back(entry.label);
    }
    ++outside_;
  }
}

int Reporter::finish(Reading reading) {
  if (outside_ > 0) {
    complain(console_, catalogue::outsideMeasuredSpan(outside_, outsideNamed_));
  }
  if ((notComputable_ || (refused_ && !console_.interactive)) && reading == Reading::AllAccepted) {
    reading = Reading::SomeRefused;
  }
  return frontend::finish(console_, reading);
}

}  // namespace frontend
