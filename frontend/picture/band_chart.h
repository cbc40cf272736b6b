// A picture of the sky at one date: an SVG band along the ecliptic.
#pragma once

#include <string>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// Appends one self-contained SVG 1.1 picture (no scripts, no external
// files; the same bytes for the same date):
//  - a band of the sky, right ascension from 24h on the left to 0h on the
//    right (east on the left, as the sky is seen facing south), declination
//    from -35 to +35 degrees (wider if a body lies beyond), with hour and
//    10-degree grid lines, the celestial equator and the ecliptic of the
//    date;
//  - the stars down to magnitude 3.5 at their mean places of the date
//    (<g id="stars">), sized by brightness, the constellation figures as
//    faint lines (<g id="figures">), the brightest named in French where
//    French names them otherwise (<g id="star-names">); a named star is a
//    <circle class="star" data-hip="27989" data-name="Bételgeuse"
//    data-ra-h="..." data-dec-deg="...">;
//  - the Sun, the Moon as a disc lit on the side that faces the Sun, and the
//    planets, each labelled with its French name; each body is a group
//    <g class="body" id="sun" data-ra-h="..." data-dec-deg="..."> whose
//    circle sits at the position its right ascension and declination give;
//  - a title with the report's header (the date, its Julian Day, the
//    sidereal time) and a legend with each body's constellation in French,
//    its elongation from the Sun,
//    east or west, and when it can be seen: "le soir" east of the Sun, "le
//    matin" west of it, "invisible" within 15 degrees of it.
// With a place, the picture is instead the sky above it (appendHorizonChart,
// horizon_chart.h).
void appendSkyChart(std::string& out, const Observation& seen, const Request& request);

}  // namespace frontend
