// deltaT: TT - UT in seconds, from the polynomial expressions of Espenak and
// Meeus (NASA's Five Millennium Canon of Solar Eclipses, 2006), fitted to
// the values of Morrison and Stephenson (2004) and to observations since
// 1620. y is the decimal year; each expression holds over its own span.
//
//   before -500, after 2150   -20 + 32 u^2, u = (y - 1820) / 100
//   -500 .. 500               u = y / 100
//   500 .. 1600               u = (y - 1000) / 100
//   1600 .. 2150              t = y - (start of the span)
//
// Their validity is -1999 to +3000; beyond it the parabola goes on, and the
// real value is not known to within hours. The polynomials are summed term
// by term, in the order of the published expressions.
//
// TimeScale: the one place where Delta T turns UT into TT and back,
//   TT = UT + Delta T / 86400,  Delta T fixed, or deltaT(decimalYear(jd))
// at the Julian Day of the instant given, in whichever scale it is.
#include <erfa.h>

#include <array>
#include <cmath>

#include "astro/astro.h"
#include "astro/numeric.h"
#include "astro/polynomial.h"

namespace astro {
namespace {

// c0 + c1 x + c2 x^2 + ..., each power of x formed once.
template <std::size_t N>
double series(const std::array<double, N>& c, double x) {
  return polynomial<Powers::Accumulated>(c, x);
}

double parabola(double y) {
  const double u = (y - 1820.0) / 100.0;
  return -20.0 + 32.0 * u * u;
}

}  // namespace

double deltaT(double y) {
  if (y < -500.0) {
    return parabola(y);
  }
  if (y < 500.0) {
    static constexpr std::array c = {10583.6,    -1014.41,    33.78311,    -5.952053,
                                     -0.1798452, 0.022174192, 0.0090316521};
    return series(c, y / 100.0);
  }
  if (y < 1600.0) {
    static constexpr std::array c = {1574.2,     -556.01,      71.23472,    0.319781,
                                     -0.8503463, -0.005050998, 0.0083572073};
    return series(c, (y - 1000.0) / 100.0);
  }
  if (y < 1700.0) {
    static constexpr std::array c = {120.0, -0.9808, -0.01532, 1.0 / 7129.0};
    return series(c, y - 1600.0);
  }
  if (y < 1800.0) {
    static constexpr std::array c = {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0};
    return series(c, y - 1700.0);
  }
  if (y < 1860.0) {
    static constexpr std::array c = {13.72,       -0.332447,    0.0068612,     0.0041116,
                                     -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875};
    return series(c, y - 1800.0);
  }
  if (y < 1900.0) {
    static constexpr std::array c = {7.62,       0.5737,        -0.251754,
                                     0.01680668, -0.0004473624, 1.0 / 233174.0};
    return series(c, y - 1860.0);
  }
  if (y < 1920.0) {
    static constexpr std::array c = {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197};
    return series(c, y - 1900.0);
  }
  if (y < 1941.0) {
    static constexpr std::array c = {21.20, 0.84493, -0.076100, 0.0020936};
    return series(c, y - 1920.0);
  }
  if (y < 1961.0) {
    static constexpr std::array c = {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0};
    return series(c, y - 1950.0);
  }
  if (y < 1986.0) {
    static constexpr std::array c = {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0};
    return series(c, y - 1975.0);
  }
  if (y < 2005.0) {
    static constexpr std::array c = {63.86,     0.3345,      -0.060374,
                                     0.0017275, 0.000651814, 0.00002373599};
    return series(c, y - 2000.0);
  }
  if (y < 2050.0) {
    static constexpr std::array c = {62.92, 0.32217, 0.005589};
    return series(c, y - 2000.0);
  }
  if (y < 2150.0) {
    return parabola(y) - 0.5628 * (2150.0 - y);
  }
  return parabola(y);
}

double decimalYear(JulianDate date) {
  return 2000.0 + (date.jd - 2451544.5) / 365.2425;
}

namespace {

// The Julian Day of a decimal year, as decimalYear counts it.
double dayOfYear(double year) {
  return 2451544.5 + (year - 2000.0) * 365.2425;
}

// 32.184 s + TAI - UTC at the Julian Day, from ERFA's leap seconds; NaN
// where eraDat gives none.
double fromLeapSeconds(double jd) {
  const CalendarDate date = calendarDate(JulianDate{jd});
  const double day = std::floor(date.day);
  double taiMinusUtc = 0.0;
  const int status =
      eraDat(date.year, date.month, static_cast<int>(day), date.day - day, &taiMinusUtc);
  return status < 0 ? std::nan("") : 32.184 + taiMinusUtc;
}

}  // namespace

double observedDeltaT(JulianDate ut) {
  if (!std::isfinite(ut.jd)) {
    return std::nan("");
  }
  const double year = decimalYear(ut);
  if (year < kObservedDeltaTStart) {
    const double polynomial = deltaT(year);
    const double from = kObservedDeltaTStart - kDeltaTBlendBefore;
    if (year < from) {
      return polynomial;
    }
    const double start = dayOfYear(kObservedDeltaTStart);
    const double offset = fromLeapSeconds(start) - deltaT(kObservedDeltaTStart);
    return polynomial + offset * (year - from) / kDeltaTBlendBefore;
  }
  if (year < kObservedDeltaTEnd) {
    return fromLeapSeconds(ut.jd);
  }
  const double polynomial = deltaT(year);
  const double until = kObservedDeltaTEnd + kDeltaTBlendAfter;
  if (year >= until) {
    return polynomial;
  }
  // The last observed value, that of the day before the era's end.
  const double last = fromLeapSeconds(dayOfYear(kObservedDeltaTEnd) - 1.0);
  const double offset = last - deltaT(kObservedDeltaTEnd);
  return polynomial + offset * (until - year) / kDeltaTBlendAfter;
}

TimeScale TimeScale::model(DeltaTModel model) {
  TimeScale scale;
  scale.model_ = model;
  return scale;
}

TimeScale TimeScale::observed() {
  return model(DeltaTModel::Observed);
}

TimeScale TimeScale::fixed(double deltaTSeconds) {
  TimeScale scale;
  scale.fixed_ = true;
  scale.seconds_ = deltaTSeconds;
  return scale;
}

double TimeScale::deltaT(UT ut) const {
  if (fixed_) {
    return seconds_;
  }
  return model_ == DeltaTModel::Observed ? observedDeltaT(JulianDate{ut.jd})
                                         : astro::deltaT(decimalYear(JulianDate{ut.jd}));
}

double TimeScale::deltaT(TT tt) const {
  if (fixed_) {
    return seconds_;
  }
  return model_ == DeltaTModel::Observed ? observedDeltaT(JulianDate{tt.jd})
                                         : astro::deltaT(decimalYear(JulianDate{tt.jd}));
}

TT TimeScale::tt(UT ut) const {
  return TT{ut.jd + deltaT(ut) / kSecondsPerDay};
}

UT TimeScale::ut(TT tt) const {
  return UT{tt.jd - deltaT(tt) / kSecondsPerDay};
}

}  // namespace astro
