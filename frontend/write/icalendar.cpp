// The events in iCalendar: content lines folded at 75 octets, text escaped.
#include "frontend/write/icalendar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "frontend/write/catalogue.h"
#include "frontend/write/event_list.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

// A content line, folded at 75 octets (not within a UTF-8 character), with
// CRLF.
void icsLine(std::string& out, std::string_view line) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t length =
        std::max<std::size_t>(1, utf8SequenceLength(static_cast<unsigned char>(line[i])));
    if (used + length > 75) {
      out += "\r\n ";
      used = 1;
    }
    out.append(line.substr(i, length));
    used += length;
    i += length;
  }
  out += "\r\n";
}

// Text escaped as RFC 5545 wants it: backslash, semicolon, comma.
std::string icsText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
    }
    out += c;
  }
  return out;
}

constexpr double kSecondsPerDay = 86400.0;
// The Julian Day Number of 1970-01-01.
constexpr std::int64_t kUnixEpochDayNumber = 2'440'588;

// 20250314T065436Z: the instant to the second in UTC, its date in the
// proleptic Gregorian calendar that RFC 5545 uses for every year (the
// program's own text is Julian before 15 October 1582). For the years 1 to
// 9999 (icsHolds).
std::string icsTime(double jdUt) {
  const double start = std::floor(jdUt + 0.5);
  auto dayNumber = static_cast<std::int64_t>(start);
  std::int64_t second = std::llround((jdUt + 0.5 - start) * kSecondsPerDay);
  if (second >= 86400) {
    ++dayNumber;
    second -= 86400;
  }
  // Days to a Gregorian date, by eras of 400 years from 1 March of year 0.
  const std::int64_t z = dayNumber - kUnixEpochDayNumber + 719'468;
  const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const std::int64_t dayOfEra = z - era * 146'097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;  // 0 for March
  const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[128];
  std::snprintf(text, sizeof text, "%04lld%02lld%02lldT%02lld%02lld%02lldZ",
                static_cast<long long>(year), static_cast<long long>(month),
                static_cast<long long>(day), static_cast<long long>(second / 3600),
                static_cast<long long>(second / 60 % 60), static_cast<long long>(second % 60));
  return text;
}

}  // namespace

bool icsHolds(double startUt, double endUt) {
  return startUt >= kIcsFirstJd && endUt <= kIcsEndJd;
}

void appendCalendarStart(std::string& out, const Request&) {
  icsLine(out, "BEGIN:VCALENDAR");
  icsLine(out, "VERSION:2.0");
  icsLine(out, "PRODID:-//Ephemerides//Ephemerides " + std::string(astro::kVersion) + "//FR");
  icsLine(out, "CALSCALE:GREGORIAN");
  icsLine(out, "METHOD:PUBLISH");
  icsLine(out, "X-WR-CALNAME:" + icsText(catalogue::events::kCalendarName));
}

void appendCalendarEvent(std::string& out, const FoundEvent& found, const Request& request) {
  const astro::Event& e = found.event;
  // A transit or an occultation lasts from its first contact to its last.
  const std::array<astro::TransitContact, 4>* contacts =
      found.transit ? &found.transit->contacts
                    : (found.occultation ? &found.occultation->contacts : nullptr);
  const double first = contacts ? (*contacts)[0].ut.jd : found.jdUt;
  const double last = contacts ? (*contacts)[3].ut.jd : found.jdUt;
  const std::string time = icsTime(std::isnan(first) ? found.jdUt : first);
  std::string uid(astro::eventKindId(e.kind));
  uid += '-';
  uid += astro::bodyId(e.body);
  if (e.other != e.body) {
    uid += '-';
    uid += astro::bodyId(e.other);
  }
  icsLine(out, "BEGIN:VEVENT");
  icsLine(out, "UID:" + uid + "-" + time.substr(0, time.find('T')) + "@ephemerides");
  icsLine(out, "DTSTAMP:" + time);
  if (found.eclipse) {
    // An eclipse lasts from its first contact to its last: at the place
    // when it is eclipsed there, else the partial (or penumbral) phase on
    // the Earth; its circumstances go in the description.
    const EclipseFound& eclipse = *found.eclipse;
    double firstTt = std::nan("");
    double lastTt = std::nan("");
    if (eclipse.lunar) {
      firstTt = eclipse.lunar->p1.jd;
      lastTt = eclipse.lunar->p4.jd;
    } else if (eclipse.solarHere && eclipse.solarHere->eclipsed) {
      firstTt = eclipse.solarHere->c1.tt.jd;
      lastTt = eclipse.solarHere->c4.tt.jd;
    } else if (eclipse.solar) {
      firstTt = eclipse.solar->partialBegin.jd;
      lastTt = eclipse.solar->partialEnd.jd;
    }
    const double shift = eclipse.deltaT / kSecondsPerDay;
    const bool held = std::isfinite(firstTt) && std::isfinite(lastTt) &&
                      icsHolds(firstTt - shift, lastTt - shift);
    icsLine(out, "DTSTART:" + (held ? icsTime(firstTt - shift) : time));
    if (held) {
      icsLine(out, "DTEND:" + icsTime(lastTt - shift));
    }
    std::string description;
    for (const std::string& paragraph : eclipseDetails(found, request)) {
      description += description.empty() ? "" : "\\n";
      description += icsText(paragraph);
    }
    icsLine(out, "SUMMARY:" + icsText(sentenceOf(found)));
    icsLine(out, "DESCRIPTION:" + description);
  } else if (contacts && !std::isnan(last)) {
    icsLine(out, "DTSTART:" + time);
    icsLine(out, "DTEND:" + icsTime(last));
    // The contacts as the text list gives them, under the line that names
    // their clock.
    std::string lines;
    appendEventLine(lines, found, request);
    // The first line is the summary; the others, the contacts.
    std::string description =
        icsText(catalogue::passages::clockLine(request.civil ? request.zone.name : ""));
    for (std::size_t at = lines.find('\n') + 1; at < lines.size();) {
      const std::size_t end = std::min(lines.find('\n', at), lines.size());
      std::string_view line = std::string_view(lines).substr(at, end - at);
      at = end + 1;
      line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
      description += "\\n";
      description += icsText(line);
    }
    icsLine(out, "SUMMARY:" + icsText(sentenceOf(found)));
    icsLine(out, "DESCRIPTION:" + description);
  } else {
    icsLine(out, "DTSTART:" + time);
    // An instant: it ends as it begins, which calendar programs draw as a
    // mark at its time rather than the hour-long block they give an event
    // without an end. It takes no time from the day (TRANSPARENT).
    icsLine(out, "DTEND:" + time);
    icsLine(out, "SUMMARY:" + icsText(sentenceOf(found)));
  }
  icsLine(out, "CATEGORIES:" + icsText(catalogue::events::category(e.kind)));
  icsLine(out, "TRANSP:TRANSPARENT");
  icsLine(out, "END:VEVENT");
}

void appendCalendarEnd(std::string& out) {
  icsLine(out, "END:VCALENDAR");
}

}  // namespace frontend
