// The year's events as the program lists them, one a line in time order:
// in French (text), or with every value in full for scripts (CSV, JSON).
// Times are written on the program's calendar (Julian before 15 October
// 1582).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// "19:46": the time of day of an instant (UT) on the request's clock (the
// zone's with civil time, else UT), cut to the minute.
std::string hourMinute(double ut, const Request& request);

// text: a first line that names the clock (the zone's, or UT without
// one), then for each event its date and time on that clock, cut to the
// minute, and what it is in French with its value:
//   14/03/2025 07:54  Pleine Lune
// and under a transit or an occultation the lines of its contacts.
void appendEventHeading(std::string& out, const Request& request);
void appendEventLine(std::string& out, const FoundEvent& found, const Request& request);

// csv: a header line, then a line an event, json: an object a line, of
// the fields event,body,other_body,time_utc,time_tt,local_time,value,unit,
// status,eclipse_kind,p1,u1,u2,u3,u4,p4,c1,c2,c3,c4 (the time on the
// zone's clock with civil time only; the value in au, km, deg, or arcsec
// for a transit's least separation; the contacts ISO instants in UT, empty
// when they do not occur: c1 .. c4 of a transit or an occultation).
void appendEventCsvHeader(std::string& out, const Request& request);
void appendEventCsv(std::string& out, const FoundEvent& found, const Request& request);
void appendEventJson(std::string& out, const FoundEvent& found, const Request& request);

// What the event is, in French, with its value ("Vénus à sa plus grande
// élongation est (46,4°)").
std::string sentenceOf(const astro::Event& e);
// The same for an event found, an eclipse with its magnitude: "Éclipse
// totale de Soleil (magnitude 1,039)".
std::string sentenceOf(const FoundEvent& found);

// An eclipse's circumstances in French, a paragraph each (none for other
// events): where and how long the greatest eclipse, the phases on the
// Earth's clock of the request, and with a place what is seen from it.
std::vector<std::string> eclipseDetails(const FoundEvent& found, const Request& request);

// A paragraph on lines of at most `width` columns, each indented by
// `indent` spaces, broken between words.
void appendWrapped(std::string& out, std::string_view paragraph, std::size_t indent,
                   std::size_t width);

// YYYY-MM-DDTHH:MM:SS of a Julian Day on the program's calendar, to the
// second (rounded).
void appendIsoSeconds(std::string& out, double jd);

}  // namespace frontend
