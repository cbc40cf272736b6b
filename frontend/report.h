// The report of one date.
#pragma once

// Writes the header line (date, Julian Day, sidereal time), the framed
// title and one row per body for the current date to standard output.
void printReport();

// The distance as the report shows it: cut to four decimals,
// floor(distance * 10000) * 0.0001 with the last product in extended
// precision.
double cutDistance(double distance);

// The Moon's illuminated percentage as the report shows it: floor(100 k),
// never rounded up.
double illuminatedPercent(double illumination);
