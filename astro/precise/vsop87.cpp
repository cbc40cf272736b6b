// VSOP87B series evaluation: sums by power of time, then the spherical
// coordinates and their rates turned into rectangular ones.
#include "astro/precise/vsop87.h"

#include <cmath>

#include "astro/precise/sincos.h"

namespace astro::precise {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerMillennium = 365250.0;

// The value of one variable, sum over k of t^k S_k(t) with
// S_k = sum A cos(B + C t), and its rate per millennium,
// sum over k of (k t^(k-1) S_k + t^k S_k'), from the terms with
// |A| 0.2^k >= smallest. term advances past the variable's terms.
struct Variable {
  double value;
  double rate;
};

Variable sumVariable(const VsopTerm*& term, const int (&counts)[6], double t, double smallest) {
  double value = 0.0;
  double rate = 0.0;
  double power = 1.0;     // t^k
  double previous = 0.0;  // t^(k-1)
  double span = 1.0;      // 0.2^k
  for (int k = 0; k < 6; ++k) {
    const VsopTerm* end = term + counts[k];
    const VsopTerm* last = end;
    if (smallest > 0.0) {
      last = term;
      while (last != end && std::fabs(last->a) * span >= smallest) ++last;
    }
    // Two terms at a time, then the odd one.
    Pair s2 = {0.0, 0.0};
    Pair ds2 = {0.0, 0.0};
    for (; last - term >= 2; term += 2) {
      const Pair a = {term[0].a, term[1].a};
      const Pair c = {term[0].c, term[1].c};
      const Pair b = {term[0].b, term[1].b};
      const SinCosOf<Pair> sc = sinCosOf(b + c * t);
      s2 += a * sc.cos;
      ds2 -= (a * c) * sc.sin;
    }
    double s = s2[0] + s2[1];
    double ds = ds2[0] + ds2[1];
    if (term != last) {
      const SinCos sc = sinCos(term->b + term->c * t);
      s += term->a * sc.cos;
      ds -= term->a * term->c * sc.sin;
    }
    term = end;
    value += power * s;
    rate += power * ds + k * previous * s;
    previous = power;
    power *= t;
    span *= 0.2;
  }
  return {value, rate};
}

}  // namespace

State vsop87Heliocentric(const VsopSeries& series, double tdb, double smallest) {
  const double t = (tdb - kJ2000) / kDaysPerMillennium;
  const VsopTerm* term = series.terms;
  const Variable l = sumVariable(term, series.counts[0], t, smallest);
  const Variable b = sumVariable(term, series.counts[1], t, smallest);
  const Variable r = sumVariable(term, series.counts[2], t, smallest);

  const double cl = std::cos(l.value), sl = std::sin(l.value);
  const double cb = std::cos(b.value), sb = std::sin(b.value);
  const Vec3 position{r.value * cb * cl, r.value * cb * sl, r.value * sb};
  // d/dt of (r cos b cos l, r cos b sin l, r sin b), per day.
  const double dl = l.rate / kDaysPerMillennium;
  const double db = b.rate / kDaysPerMillennium;
  const double dr = r.rate / kDaysPerMillennium;
  const Vec3 velocity{dr * cb * cl - r.value * (sb * cl * db + cb * sl * dl),
                      dr * cb * sl - r.value * (sb * sl * db - cb * cl * dl),
                      dr * sb + r.value * cb * db};
  return {position, velocity};
}

}  // namespace astro::precise
