// What the front end calls each body.
#pragma once

#include <array>
#include <string_view>

#include "astro/astro.h"

namespace frontend {

// The report's names: seven characters each, trailing blanks included, in
// the order of astro::kBodies.
inline constexpr std::array<std::string_view, astro::kBodyCount> kReportNames = {
    "Soleil ", "Lune   ", "Mercure", "Venus  ", "Mars   ",
    "Jupiter", "Saturne", "Uranus ", "Neptune",
};

inline std::string_view reportName(astro::Body body) {
  return kReportNames[static_cast<std::size_t>(body)];
}

}  // namespace frontend
