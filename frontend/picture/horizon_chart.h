// A picture of the sky above a place at one date: an SVG disc of the half
// of the sky a person there sees.
#pragma once

#include <string>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// Appends one self-contained SVG 1.1 picture (no scripts, no external
// files; the same bytes for the same date) of the sky above the request's
// place at the instant of a date already in UT (`seen` has the place's
// view):
//  - a disc with the zenith at its centre and the horizon at its rim
//    (<circle id="horizon">), north at the top and east on the left, as the
//    sky is seen lying on one's back with the head to the north; the
//    distance from the centre is proportional to 90 degrees minus the
//    altitude (azimuthal equidistant). Circles of altitude every 30
//    degrees, lines of azimuth every 30 degrees, the cardinal points
//    around the rim;
//  - the celestial equator (<path id="equator">) and the ecliptic of the
//    date (<path id="ecliptic">) where they stand above the horizon,
//    refracted as the bodies are;
//  - the stars down to magnitude 4.5 above the horizon at their mean
//    places of the date, seen as the equator is, sized by brightness, the
//    constellation figures down to the horizon as faint lines, the
//    brightest stars and Polaris named in French where French names them
//    otherwise; a named star is a <circle class="star" data-hip="..."
//    data-name="..." data-alt-deg="..." data-az-deg="...">;
//  - each body above the horizon (topocentric, refracted: the place
//    block's altitude and azimuth), drawn as the band chart draws it, the
//    Moon, Mercury and Venus lit on the side of the Sun, labelled with its
//    French name; each is a <g class="body" id="sun" data-alt-deg="..."
//    data-az-deg="..."> whose first circle sits at its projected place;
//  - a title with the place, the local date and time and the zone, and a
//    legend (<g id="legend">) with a row per body (<g id="legend-sun">...):
//    its altitude and azimuth or "sous l'horizon", its magnitude, its rise,
//    transit and set on the zone's clock and its constellation, and the
//    Sun's twilights, in the words of the place block.
void appendHorizonChart(std::string& out, const Observation& seen, const Request& request);

}  // namespace frontend
