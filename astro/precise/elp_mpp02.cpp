// ELP/MPP02 evaluation: the series by power of time, the spherical
// coordinates of the mean ecliptic of date, then Laskar's precession to the
// inertial ecliptic and equinox of J2000.
#include "astro/precise/elp_mpp02.h"

#include <cmath>

#include "astro/precise/sincos.h"

namespace astro::precise {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kArcsecond = 3.14159265358979323846 / 648000.0;

struct Variable {
  double value;
  double rate;  // per century
};

// Sum over k of T^k S_k(T), S_k = sum A sin(phi(T)), and its rate.
Variable sumVariable(const ElpTerm*& term, const int (&counts)[4], double t) {
  double value = 0.0;
  double rate = 0.0;
  double power = 1.0;
  double previous = 0.0;
  for (int k = 0; k < 4; ++k) {
    const ElpTerm* end = term + counts[k];
    // Two terms at a time, then the odd one.
    Pair s2 = {0.0, 0.0};
    Pair ds2 = {0.0, 0.0};
    for (; end - term >= 2; term += 2) {
      const double* p = term[0].p;
      const double* q = term[1].p;
      const Pair p1 = {p[1], q[1]}, p2 = {p[2], q[2]}, p3 = {p[3], q[3]}, p4 = {p[4], q[4]};
      const Pair p0 = {p[0], q[0]};
      const Pair phi = p0 + t * (p1 + t * (p2 + t * (p3 + t * p4)));
      const Pair dphi = p1 + t * (2.0 * p2 + t * (3.0 * p3 + t * 4.0 * p4));
      const Pair a = {term[0].a, term[1].a};
      const SinCosOf<Pair> sc = sinCosOf(phi);
      s2 += a * sc.sin;
      ds2 += (a * dphi) * sc.cos;
    }
    double s = s2[0] + s2[1];
    double ds = ds2[0] + ds2[1];
    if (term != end) {
      const double* p = term->p;
      const double phi = p[0] + t * (p[1] + t * (p[2] + t * (p[3] + t * p[4])));
      const double dphi = p[1] + t * (2.0 * p[2] + t * (3.0 * p[3] + t * 4.0 * p[4]));
      const SinCos sc = sinCos(phi);
      s += term->a * sc.sin;
      ds += term->a * dphi * sc.cos;
      ++term;
    }
    value += power * s;
    rate += power * ds + k * previous * s;
    previous = power;
    power *= t;
  }
  return {value, rate};
}

}  // namespace

State elpMoonGeocentric(double tdb) {
  const ElpSeries& series = elp_data::kMoon;
  const double t = (tdb - kJ2000) / kDaysPerCentury;
  const ElpTerm* term = series.terms;
  const Variable v = sumVariable(term, series.counts[0], t);
  const Variable u = sumVariable(term, series.counts[1], t);
  const Variable r = sumVariable(term, series.counts[2], t);

  const double* w = series.w1;
  const double longitude =
      w[0] + t * (w[1] + t * (w[2] + t * (w[3] + t * w[4]))) + v.value * kArcsecond;
  const double dLongitude =
      (w[1] + t * (2.0 * w[2] + t * (3.0 * w[3] + t * 4.0 * w[4])) + v.rate * kArcsecond) /
      kDaysPerCentury;
  const double latitude = u.value * kArcsecond;
  const double dLatitude = u.rate * kArcsecond / kDaysPerCentury;
  const double distance = r.value;
  const double dDistance = r.rate / kDaysPerCentury;

  const double cl = std::cos(longitude), sl = std::sin(longitude);
  const double cb = std::cos(latitude), sb = std::sin(latitude);
  const Vec3 position{distance * cb * cl, distance * cb * sl, distance * sb};
  const Vec3 velocity{dDistance * cb * cl - distance * (sb * cl * dLatitude + cb * sl * dLongitude),
                      dDistance * cb * sl - distance * (sb * sl * dLatitude - cb * cl * dLongitude),
                      dDistance * sb + distance * cb * dLatitude};

  // Laskar's precession of the ecliptic as ELP/MPP02 uses it: P and Q, the
  // ecliptic of date's pole components, in powers of T (Chapront & Francou
  // 2003), and the rotation from the mean ecliptic of date and the theory's
  // departure point to the inertial ecliptic and equinox of J2000.
  const double p =
      t * (0.10180391e-4 +
           t * (0.47020439e-6 + t * (-0.5417367e-9 + t * (-0.2507948e-11 + t * 0.463486e-14))));
  const double q =
      t * (-0.113469002e-3 +
           t * (0.12372674e-6 + t * (0.1265417e-8 + t * (-0.1371808e-11 + t * -0.320334e-14))));
  const double root = std::sqrt(1.0 - p * p - q * q);
  const Matrix3 precession{{{1.0 - 2.0 * p * p, 2.0 * p * q, 2.0 * p * root},
                            {2.0 * p * q, 1.0 - 2.0 * q * q, -2.0 * q * root},
                            {-2.0 * p * root, 2.0 * q * root, 1.0 - 2.0 * p * p - 2.0 * q * q}}};
  return {precession * position, precession * velocity};
}

}  // namespace astro::precise
