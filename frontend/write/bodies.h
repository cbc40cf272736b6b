// The front end's one table of bodies: one row per body, in the order of
// astro::kBodies. Adding a body to the program is adding its theory to the
// library and its row here.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "astro/astro.h"

namespace frontend {

struct BodyRow {
  astro::Body body;
  std::string_view reportName;  // the report's column: seven characters, blanks included
  std::string_view name;        // the French name, as the picture writes it
  std::string_view colour;      // the picture's disc (the lit part of a phase)
  double radius;                // of the disc, in pixels: the planets' follow their magnitude
  bool showsPhase;              // drawn lit on the side of the Sun, its phase in the legend
};

inline constexpr std::array<BodyRow, astro::kBodyCount> kBodyRows = {{
    {astro::Body::Sun, "Soleil ", "Soleil", "#ffd23f", 11, false},
    {astro::Body::Moon, "Lune   ", "Lune", "#f4f1e6", 9, true},
    {astro::Body::Mercury, "Mercure", "Mercure", "#c9c4bc", 5, true},
    {astro::Body::Venus, "Venus  ", "Vénus", "#fff3c4", 6, true},
    {astro::Body::Mars, "Mars   ", "Mars", "#ff6b4a", 5, false},
    {astro::Body::Jupiter, "Jupiter", "Jupiter", "#e8c89a", 6, false},
    {astro::Body::Saturn, "Saturne", "Saturne", "#e6d38a", 6, false},
    {astro::Body::Uranus, "Uranus ", "Uranus", "#9be7e7", 5, false},
    {astro::Body::Neptune, "Neptune", "Neptune", "#7f9cff", 5, false},
}};

constexpr bool rowsInBodyOrder() {
  for (std::size_t i = 0; i < kBodyRows.size(); ++i) {
    if (kBodyRows[i].body != astro::kBodies[i]) {
      return false;
    }
  }
  return true;
}
static_assert(rowsInBodyOrder(), "one row per body, in the order of astro::kBodies");

constexpr const BodyRow& rowOf(astro::Body body) {
  return kBodyRows[static_cast<std::size_t>(body)];
}

}  // namespace frontend
