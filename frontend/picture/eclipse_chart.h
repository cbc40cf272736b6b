// A picture of one eclipse: for the Sun, its disc with the Moon at first
// contact, at maximum and at last contact as a place sees them; for the
// Moon, the Earth's umbra and penumbra with the Moon's path across them
// and the Moon at each contact.
#pragma once

#include <optional>
#include <string>

#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// The eclipse of the Sun or the Moon whose greatest eclipse lies nearest
// an instant (UT), within a day and a half either way, with the request's
// place's circumstances; nothing when there is none.
std::optional<FoundEvent> eclipseNear(const Request& request, double jdUt);

// Appends one self-contained SVG 1.1 picture of the eclipse, north at the
// top and east on the left as in the sky, the times on the request's
// clock:
//  - the Sun (<circle id="sun">) with the Moon (<circle class="moon"
//    id="c1|maximum|c4">) at its first contact, maximum and last contact,
//    seen from the request's place, or without one from the point of
//    greatest eclipse;
//  - the umbra (<circle id="umbra">) and the penumbra (<circle
//    id="penumbra">) at the Moon's distance, seen from the Earth's centre,
//    the Moon's path (<polyline id="path">) and the Moon at each contact
//    (<circle class="moon" id="p1|u1|...">);
//  - a title with the kind, the magnitude and the day, and under the
//    picture the circumstances of the events list.
void appendEclipseChart(std::string& out, const FoundEvent& eclipse, const Request& request);

}  // namespace frontend
