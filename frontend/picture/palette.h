// The colours of the two pictures of the sky, each named once. The bodies'
// own colours are in their rows (write/bodies.h).
#pragma once

#include <string_view>

namespace frontend::palette {

// The page and its words.
inline constexpr std::string_view kPage = "#050b17";     // behind everything
inline constexpr std::string_view kTitle = "#ffffff";    // titles, labels, cardinal points
inline constexpr std::string_view kInk = "#e8ecf4";      // the legends
inline constexpr std::string_view kMuted = "#9fb0cf";    // subtitles, grid labels, leaders
inline constexpr std::string_view kWarning = "#ffb347";  // what makes a picture less than it seems

// The sky: night, and on the dome the nautical and civil twilights and day.
inline constexpr std::string_view kNight = "#0b1a33";
inline constexpr std::string_view kNauticalTwilight = "#12284d";
inline constexpr std::string_view kCivilTwilight = "#1a3a6a";
inline constexpr std::string_view kDay = "#24508a";

// Lines of the sky.
inline constexpr std::string_view kBandGrid = "#3d5278";  // hours and declinations of the band
inline constexpr std::string_view kDomeGrid = "#8fa3c8";  // altitudes and azimuths of the dome
inline constexpr std::string_view kHorizon = "#c8d2e6";
inline constexpr std::string_view kEquator = "#7fa7d9";
inline constexpr std::string_view kEcliptic = "#e0b040";

// The stars, their names and the constellation figures.
inline constexpr std::string_view kStar = "#f6f3e8";
inline constexpr std::string_view kStarName = "#c9d3ea";
inline constexpr std::string_view kFigure = "#7d93bf";

// The unlit part of a body that shows a phase, and its rim.
inline constexpr std::string_view kUnlit = "#3a3f4b";
inline constexpr std::string_view kUnlitRim = "#8a8f9b";

}  // namespace frontend::palette
