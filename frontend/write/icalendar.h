// The events as an iCalendar file (RFC 5545), for a calendar program: one
// VEVENT a moment, in UTC, with a UID made of the kind, the bodies and the
// day, so that the same event keeps its UID from one run to the next. Its
// dates are proleptic Gregorian, of the years 1 to 9999 alone.
#pragma once

#include <string>

#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// The instants the format can hold, Julian Days in UT: from
// 0001-01-01T00:00Z to 10000-01-01T00:00Z (Gregorian), excluded.
inline constexpr double kIcsFirstJd = 1'721'425.5;
inline constexpr double kIcsEndJd = 5'373'484.5;
// Whether an interval of events [startUt, endUt) is within them.
bool icsHolds(double startUt, double endUt);

// BEGIN:VCALENDAR and the calendar's properties.
void appendCalendarStart(std::string& out, const Request& request);
// One VEVENT.
void appendCalendarEvent(std::string& out, const FoundEvent& found, const Request& request);
// END:VCALENDAR.
void appendCalendarEnd(std::string& out);

}  // namespace frontend
