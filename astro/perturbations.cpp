// elementCorrections, heliocentricCorrections: the perturbation series of
// Jupiter, Saturn, Uranus and Neptune, summed at one date.
//
//   body       bodies without series get zeros
//   arguments  the auxiliary angles and tau of the date (seriesArguments)
#include "astro/perturbations.h"

#include <span>

namespace astro {
namespace {

struct PlanetSeries {
  std::span<const SeriesRow<4>> elements;
  std::span<const SeriesRow<2>> heliocentric;
  AngleMask angles;
};

using enum Angle;

// The one place that ties a body to its tables.
PlanetSeries seriesOf(Body body) {
  switch (body) {
    case Body::Jupiter:
      return {kJupiterElementSeries, {}, maskOf({Q, S, V})};
    case Body::Saturn:
      return {kSaturnElementSeries, {}, maskOf({Q, S, V})};
    case Body::Uranus:
      return {kUranusElementSeries, kUranusHeliocentricSeries, maskOf({W, X, Y, Z, G})};
    case Body::Neptune:
      return {kNeptuneElementSeries, kNeptuneHeliocentricSeries, maskOf({W, Z, K, N})};
    default:
      return {};
  }
}

}  // namespace

bool hasElementCorrections(Body body) {
  return !seriesOf(body).elements.empty();
}

bool hasHeliocentricCorrections(Body body) {
  return !seriesOf(body).heliocentric.empty();
}

AngleMask seriesAngles(Body body) {
  return seriesOf(body).angles;
}

ElementCorrections elementCorrections(Body body, const SeriesArguments& arguments) {
  const auto rows = seriesOf(body).elements;
  if (rows.empty()) {
    return ElementCorrections{0.0, 0.0, 0.0, 0.0};
  }
  const auto sum = sumSeries(rows, arguments);
  return ElementCorrections{sum[0], sum[1], sum[2], sum[3]};
}

HeliocentricCorrections heliocentricCorrections(Body body, const SeriesArguments& arguments) {
  const auto rows = seriesOf(body).heliocentric;
  if (rows.empty()) {
    return HeliocentricCorrections{0.0, 0.0};
  }
  const auto sum = sumSeries(rows, arguments);
  return HeliocentricCorrections{sum[0], sum[1]};
}

}  // namespace astro
