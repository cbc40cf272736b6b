// The outer planets' perturbation series against the worked values at
// T = 0 and T = 1.
#include "astro/perturbations.h"

#include <cmath>

#include "astro/series.h"
#include "units.h"

namespace {
using namespace astro;

double angleOf(const AngleSet& angles, Angle a) {
  return angles[static_cast<std::size_t>(a)];
}

struct AngleCase {
  double t;
  Angle angle;
  double degrees;  // reduced, sign kept
};

TEST(AuxiliaryAngles, ReducedWithTheirSign) {
  const AngleCase cases[] = {
      {0.0, Angle::Q, 265.916},  {0.0, Angle::S, 134.63},   {0.0, Angle::V, 28.441},
      {1.0, Angle::Q, 48.0299},  {1.0, Angle::S, 175.3873}, {1.0, Angle::V, -344.3512},
      {1.0, Angle::W, 292.53},   {1.0, Angle::Z, -9.73},    {1.0, Angle::G, 311.99},
      {1.0, Angle::X, -80.3911}, {1.0, Angle::Y, -96.0399}, {1.0, Angle::K, 90.13},
      {1.0, Angle::N, 105.77},
  };
  for (const AngleCase& c : cases) {
    EXPECT_NEAR(angleOf(seriesArguments(c.t).angles, c.angle), c.degrees * kDegree, 0.01 * kArcsec)
        << "T = " << c.t << ", angle " << static_cast<int>(c.angle);
  }
}

TEST(AuxiliaryAngles, TauVanishesHalfACenturyBeforeTheEpoch) {
  EXPECT_EQ(seriesArguments(-0.5).tau, 0.0);
  EXPECT_NEAR(seriesArguments(1.0).tau, 0.3, 1e-15);
}

struct ElementCase {
  Body planet;
  double t;
  ElementCorrections expected;
};

// The worked values carry six significant digits.
void expectSixDigits(double actual, double expected, const char* what, const ElementCase& c) {
  EXPECT_NEAR(actual, expected, 6e-6 * std::fabs(expected))
      << what << " of body " << static_cast<int>(c.planet) << " at T = " << c.t;
}

TEST(ElementCorrections, WorkedValues) {
  const ElementCase cases[] = {
      {Body::Jupiter, 0.0, {0.288685, -0.0234965, 369.094, 635.991}},
      {Body::Saturn, 0.0, {-0.775989, 0.0937667, -4648.13, 24538.5}},
      {Body::Jupiter, 1.0, {0.0258347, 0.0529165, 144.397, 1178.52}},
      {Body::Saturn, 1.0, {-0.0667779, -0.182416, 306.914, 27946.9}},
      {Body::Uranus, 0.0, {-0.835728, -0.114907, 717.66, -926.647}},
      {Body::Neptune, 0.0, {0.570063, -0.0294143, -472.045, 2087.21}},
      {Body::Uranus, 1.0, {-0.793104, -0.108035, 1020.78, -1465.61}},
      {Body::Neptune, 1.0, {0.540491, -0.0318624, -399.246, 3340.73}},
  };
  for (const ElementCase& c : cases) {
    const ElementCorrections k = elementCorrections(c.planet, seriesArguments(c.t));
    expectSixDigits(k.dL, c.expected.dL, "dL", c);
    expectSixDigits(k.dH, c.expected.dH, "dH", c);
    expectSixDigits(k.de, c.expected.de, "de", c);
    expectSixDigits(k.da, c.expected.da, "da", c);
  }
}

struct HeliocentricCase {
  Body planet;
  double t;
  HeliocentricCorrections expected;
};

TEST(HeliocentricCorrections, WorkedValues) {
  const HeliocentricCase cases[] = {
      {Body::Uranus, 0.0, {0.0142562, -0.0204085}},
      {Body::Neptune, 0.0, {0.0040569, -0.0489274}},
      {Body::Uranus, 1.0, {0.00106203, -0.0294135}},
      {Body::Neptune, 1.0, {0.0146042, -0.0383553}},
  };
  for (const HeliocentricCase& c : cases) {
    const HeliocentricCorrections k = heliocentricCorrections(c.planet, seriesArguments(c.t));
    const int body = static_cast<int>(c.planet);
    EXPECT_NEAR(k.dl, c.expected.dl, 6e-6 * std::fabs(c.expected.dl))
        << "dl of body " << body << " at T = " << c.t;
    EXPECT_NEAR(k.dr, c.expected.dr, 6e-6 * std::fabs(c.expected.dr))
        << "dr of body " << body << " at T = " << c.t;
  }
}

TEST(Corrections, NoneForTheInnerBodies) {
  const SeriesArguments arguments = seriesArguments(1.0);
  for (const Body body : kBodies) {
    const int i = static_cast<int>(body);
    const ElementCorrections e = elementCorrections(body, arguments);
    const HeliocentricCorrections h = heliocentricCorrections(body, arguments);
    if (body < Body::Jupiter) {
      EXPECT_TRUE(e.dL == 0.0 && e.dH == 0.0 && e.de == 0.0 && e.da == 0.0) << i;
    }
    if (body < Body::Uranus) {
      EXPECT_TRUE(h.dl == 0.0 && h.dr == 0.0) << i;
    }
  }
}

TEST(Series, RowsSharingAFactorAreGroupedOnce) {
  // Two rows under sin Q and one under 1: the sum is
  // sin Q (2 sin V + 3 cos V) + 5 sin S, whatever order the terms take.
  static constexpr SeriesRow<1> rows[] = {
      {sinOf(Angle::Q), sinOf(Angle::V), {{2.0}}},
      {sinOf(Angle::Q), cosOf(Angle::V), {{3.0}}},
      {one, sinOf(Angle::S), {{5.0, 1.0, 1.0}}},
  };
  AngleSet angles{};
  angles[static_cast<std::size_t>(Angle::Q)] = 0.3;
  angles[static_cast<std::size_t>(Angle::V)] = 1.1;
  angles[static_cast<std::size_t>(Angle::S)] = -2.0;
  const SeriesArguments arguments = withMultiples(angles, 0.5);
  const double expected = std::sin(0.3) * (2.0 * std::sin(1.1) + 3.0 * std::cos(1.1)) +
                          (5.0 + 0.5 + 0.25) * std::sin(-2.0);
  constexpr auto shapes = shapeOf(rows);
  EXPECT_NEAR(sumSeries(Series<1>{rows, shapes}, arguments)[0], expected, 1e-15);
}

}  // namespace
