// elementCorrections, heliocentricCorrections: the perturbation series of
// Jupiter, Saturn, Uranus and Neptune, summed at T.
//
//   planet  body index; bodies without series get zeros
//   t       Julian centuries from JD 2415020.0
#include "astro/perturbations.h"

#include <span>

#include "astro/series.h"

ElementCorrections elementCorrections(BodyIndex planet, double t) {
  std::span<const SeriesRow<4>> rows;
  switch (planet) {
    case kJupiter:
      rows = kJupiterElementSeries;
      break;
    case kSaturn:
      rows = kSaturnElementSeries;
      break;
    case kUranus:
      rows = kUranusElementSeries;
      break;
    case kNeptune:
      rows = kNeptuneElementSeries;
      break;
    default:
      return ElementCorrections{0.0, 0.0, 0.0, 0.0};
  }
  const auto sum = sumSeries(rows, auxiliaryAngles(t), seriesTau(t));
  return ElementCorrections{sum[0], sum[1], sum[2], sum[3]};
}

HeliocentricCorrections heliocentricCorrections(BodyIndex planet, double t) {
  std::span<const SeriesRow<2>> rows;
  switch (planet) {
    case kUranus:
      rows = kUranusHeliocentricSeries;
      break;
    case kNeptune:
      rows = kNeptuneHeliocentricSeries;
      break;
    default:
      return HeliocentricCorrections{0.0, 0.0};
  }
  const auto sum = sumSeries(rows, auxiliaryAngles(t), seriesTau(t));
  return HeliocentricCorrections{sum[0], sum[1]};
}
