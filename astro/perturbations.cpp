// elementCorrections, heliocentricCorrections: the perturbation series of
// Jupiter, Saturn, Uranus and Neptune, summed at one date.
//
//   body       bodies without series get zeros
//   arguments  the auxiliary angles and tau of the date (seriesArguments)
#include "astro/perturbations.h"

#include "astro/jupiter_saturn.h"
#include "astro/uranus_neptune.h"

namespace astro {
namespace {

constexpr auto kJupiterElementShape = shapeOf(kJupiterElementSeries);
constexpr auto kSaturnElementShape = shapeOf(kSaturnElementSeries);
constexpr auto kUranusElementShape = shapeOf(kUranusElementSeries);
constexpr auto kNeptuneElementShape = shapeOf(kNeptuneElementSeries);
constexpr auto kUranusHeliocentricShape = shapeOf(kUranusHeliocentricSeries);
constexpr auto kNeptuneHeliocentricShape = shapeOf(kNeptuneHeliocentricSeries);

struct PlanetSeries {
  Series<4> elements;
  Series<2> heliocentric;
  AngleMask angles;
};

using enum Angle;

// The one place that ties a body to its tables.
PlanetSeries seriesOf(Body body) {
  switch (body) {
    case Body::Jupiter:
      return {{kJupiterElementSeries, kJupiterElementShape}, {}, maskOf({Q, S, V})};
    case Body::Saturn:
      return {{kSaturnElementSeries, kSaturnElementShape}, {}, maskOf({Q, S, V})};
    case Body::Uranus:
      return {{kUranusElementSeries, kUranusElementShape},
              {kUranusHeliocentricSeries, kUranusHeliocentricShape},
              maskOf({W, X, Y, Z, G})};
    case Body::Neptune:
      return {{kNeptuneElementSeries, kNeptuneElementShape},
              {kNeptuneHeliocentricSeries, kNeptuneHeliocentricShape},
              maskOf({W, Z, K, N})};
    default:
      return {};
  }
}

}  // namespace

bool hasElementCorrections(Body body) {
  return !seriesOf(body).elements.rows.empty();
}

bool hasHeliocentricCorrections(Body body) {
  return !seriesOf(body).heliocentric.rows.empty();
}

AngleMask seriesAngles(Body body) {
  return seriesOf(body).angles;
}

ElementCorrections elementCorrections(Body body, const SeriesArguments& arguments) {
  const Series<4> series = seriesOf(body).elements;
  if (series.rows.empty()) {
    return ElementCorrections{0.0, 0.0, 0.0, 0.0};
  }
  const auto sum = sumSeries(series, arguments);
  return ElementCorrections{sum[0], sum[1], sum[2], sum[3]};
}

HeliocentricCorrections heliocentricCorrections(Body body, const SeriesArguments& arguments) {
  const Series<2> series = seriesOf(body).heliocentric;
  if (series.rows.empty()) {
    return HeliocentricCorrections{0.0, 0.0};
  }
  const auto sum = sumSeries(series, arguments);
  return HeliocentricCorrections{sum[0], sum[1]};
}

}  // namespace astro
