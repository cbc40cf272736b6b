// Reporter: the table of formats and the one path every date takes.
#include "frontend/reporter.h"

#include <array>

#include "frontend/formats.h"
#include "frontend/report.h"
#include "frontend/sky_chart.h"

namespace frontend {
namespace {

constexpr std::array<FormatWriter, 4> kFormats = {{
    {Format::Text, "text", nullptr, appendReport},
    {Format::Csv, "csv", appendCsvHeader, appendCsv},
    {Format::Json, "json", nullptr, appendJson},
    {Format::Svg, "svg", nullptr, appendSkyChart},
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

void Reporter::report(const DateEntry& entry) {
  const astro::Instant instant = request_.scale.compute(entry.date);
  writer_.date(console_.output.pending(), entry, instant, request_);
  console_.output.sent();
}

}  // namespace frontend
