// The events in iCalendar: content lines folded at 75 octets, text escaped.
#include "frontend/write/icalendar.h"

#include <algorithm>
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

// 20250314T065436Z
std::string icsTime(double jdUt) {
  std::string iso;
  appendIsoSeconds(iso, jdUt);
  std::string out;
  for (const char c : iso) {
    if (c != '-' && c != ':') {
      out += c;
    }
  }
  return out + "Z";
}

}  // namespace

void appendCalendarStart(std::string& out, const Request&) {
  icsLine(out, "BEGIN:VCALENDAR");
  icsLine(out, "VERSION:2.0");
  icsLine(out, "PRODID:-//Ephemerides//Ephemerides " + std::string(astro::kVersion) + "//FR");
  icsLine(out, "CALSCALE:GREGORIAN");
  icsLine(out, "METHOD:PUBLISH");
  icsLine(out, "X-WR-CALNAME:" + icsText(catalogue::events::kCalendarName));
}

void appendCalendarEvent(std::string& out, const FoundEvent& found, const Request&) {
  const astro::Event& e = found.event;
  const std::string time = icsTime(found.jdUt);
  std::string uid(astro::eventKindId(e.kind));
  uid += '-';
  uid += astro::bodyId(e.body);
  if (e.other != e.body) {
    uid += '-';
    uid += astro::bodyId(e.other);
  }
  icsLine(out, "BEGIN:VEVENT");
  icsLine(out, "UID:" + uid + "-" + time.substr(0, 8) + "@ephemerides");
  icsLine(out, "DTSTAMP:" + time);
  icsLine(out, "DTSTART:" + time);
  icsLine(out, "SUMMARY:" + icsText(sentenceOf(e)));
  icsLine(out, "CATEGORIES:" + std::string(astro::eventKindId(e.kind)));
  icsLine(out, "TRANSP:TRANSPARENT");
  icsLine(out, "END:VEVENT");
}

void appendCalendarEnd(std::string& out) {
  icsLine(out, "END:VCALENDAR");
}

}  // namespace frontend
