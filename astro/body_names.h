// The printed names of the bodies.
#pragma once

#include <string_view>

#include "astro/body.h"

// Seven characters each, trailing blanks included, in body order.
inline constexpr std::string_view kBodyNames[kBodyCount] = {
    "Soleil ", "Lune   ", "Mercure", "Venus  ", "Mars   ",
    "Jupiter", "Saturne", "Uranus ", "Neptune",
};

// Writes the body's name to standard output as one formatted item, so that
// a field width set just before applies to it. Nothing for an index outside
// 0..8.
void printBodyName(BodyIndex index);
