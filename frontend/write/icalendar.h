// The events as an iCalendar file (RFC 5545), for a calendar program: one
// VEVENT a moment, in UTC, with a UID made of the kind, the bodies and the
// day, so that the same event keeps its UID from one run to the next.
#pragma once

#include <string>

#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// BEGIN:VCALENDAR and the calendar's properties.
void appendCalendarStart(std::string& out, const Request& request);
// One VEVENT.
void appendCalendarEvent(std::string& out, const FoundEvent& found, const Request& request);
// END:VCALENDAR.
void appendCalendarEnd(std::string& out);

}  // namespace frontend
