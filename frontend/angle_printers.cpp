// printRightAscension, printDeclination: sexagesimal angles.
//
//   angle  radians; the report passes right ascensions and sidereal times
//          within two turns of zero and declinations within a quarter turn
//
// Every field is cut with floor and written as a double in a field of two
// columns; only the stream's precision (always enough for these whole
// numbers) could round. Angles are brought into range by whole turns of
// 2 PI, as many steps as it takes. Angles more than kLoopTurns turns away,
// for which stepping would be slow or would not change the value at all,
// are reduced with fmod first. Values that are not finite print dashes in
// place of the numbers, keeping the width.
#include "frontend/angle_printers.h"

#include <cmath>
#include <iomanip>
#include <iostream>

#include "astro/constants.h"

namespace {
constexpr double kTurn = 2 * PI;
constexpr double kLoopTurns = 64.0;

double withinLoopRange(double angle) {
  return std::fabs(angle) > kLoopTurns * kTurn ? std::fmod(angle, kTurn) : angle;
}
}  // namespace

void printRightAscension(double angle) {
  if (!std::isfinite(angle)) {
    std::cout << "--h --m --s" << std::flush;
    return;
  }
  angle = withinLoopRange(angle);
  while (angle < 0) {
    angle = angle + kTurn;
  }
  while (angle > kTurn) {
    angle = angle - kTurn;
  }
  const double hours = angle * 12 / PI;
  std::cout << std::setw(2) << std::floor(hours) << "h " << std::flush;
  const double minutes = std::fmod(hours, 1) * 60;
  std::cout << std::setw(2) << std::floor(minutes) << "m ";
  const double seconds = std::fmod(minutes, 1) * 60;
  std::cout << std::setw(2) << std::floor(seconds) << "s" << std::flush;
}

void printDeclination(double angle) {
  if (!std::isfinite(angle)) {
    std::cout << " -- deg --'" << std::flush;
    return;
  }
  angle = withinLoopRange(angle);
  while (angle < 0) {
    angle = angle + kTurn;
  }
  while (angle > PI) {
    angle = angle - kTurn;
  }
  const double degrees = angle * 180 / PI;
  std::cout << (degrees < 0 ? "-" : " ");
  std::cout << std::setw(2) << std::floor(std::fabs(degrees)) << " deg ";
  const double minutes = std::fmod(degrees, 1) * 60;
  std::cout << std::setw(2) << std::floor(std::fabs(minutes)) << "'" << std::flush;
}
