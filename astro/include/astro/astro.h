// astro: where the Sun, the Moon and the planets Mercury to Neptune stand in
// the sky at a given instant.
//
//   computeInstant  everything about one instant: its Julian Day, the mean
//                   sidereal time at Greenwich and the nine positions, with
//                   what the bodies share (time base, obliquity, the Sun's
//                   orbit, the outer planets' series arguments) computed once
//   computeInstantUt  the same for an instant in Universal Time
//   computeBody     one body at one instant
//   UT, TT, TimeScale, deltaT, decimalYear, DeltaTModel, observedDeltaT
//                   instants with their time scale; Delta T = TT - UT, from
//                   a published model, from observation or fixed, and the
//                   conversions
//   Theory, theoryId
//                   the theory that computes the positions
//   julianDay, calendarDate, calendarDay, daysInMonth, floorDiv
//                   the calendar both ways, and its integer division
//   hoursOf, degreesOf, withinOneTurn, wrapAngle
//                   radians to hours and degrees, and angles within a turn
//   tenThousandths  a count of ten-thousandths as the program cuts distances
//   eclipticToEquatorial, angularSeparation, positionAngle
//                   the geometry a chart of these positions needs
//   appearances, appearance, elongation
//                   how each body looks: phase angle, illuminated fraction,
//                   apparent diameter, side of the Sun, visual magnitude
//   observe, horizontalPosition, standardRefraction
//                   the bodies in the sky of a place: azimuth, altitude,
//                   hour angle, topocentric
//   dayAlmanac, moonHorizon
//                   rising, transit and setting of each body and the Sun's
//                   twilights within a day at a place
//   searchRiseSet   one body's next rise, transit or set after an instant
//   apparentPosition
//                   a body as it is seen: light-time, aberration, nutation
//   findEvents      the year's events: phases, seasons, perihelion and
//                   perigee, conjunctions, oppositions, elongations and
//                   close approaches between two instants
//   eventKindBit    a choice of kinds of events
//   constellation, constellationJ2000, constellationAt
//                   the IAU constellation of a direction
//   catalogueStar, figureSegment, precessionFromJ2000, precess, starPlace
//                   the bright stars and the constellation figures, placed
//                   at a date
//   bodyId, statusId, theoryId, sunSideId, magnitudeStatusId,
//   eventOutcomeId, riseSetId, searchOutcomeId, eventKindId
//                   each enum's values as programs and files write them
//
// Given:
//   date      CalendarDate: year and month as integers (month 1 is January;
//             months above 12 carry into the following years), day with its
//             fraction as the time of day from 0h (15.75 is 18h on the 15th).
//             Julian calendar before 15 October 1582, Gregorian from then on,
//             decided on year * 10000 + month * 100 + day as given; year 0
//             exists (1 BC). Months below 1 are outside the calendar formula.
//   or an instant  UT{jd} or TT{jd}: the Julian Day itself, with its
//             fraction, in the time scale it is given in.
//   body      Body, in the order of the report: Sun, Moon, Mercury ... Neptune.
//   theory    Theory, Classic unless another is asked for.
//
// Time scales: every instant the library takes or gives is a UT or a TT,
// never a bare number (JulianDate serves the calendar alone), and Delta T
// is applied by TimeScale alone. computeInstant and computeBody take the
// date as Terrestrial Time (TT) for the positions and, computeInstant, the
// same number as Universal Time (UT1) for the sidereal time: the
// convention of the program's report. computeInstantUt takes it as UT:
// the sidereal time comes from the date as it is, the positions from TT =
// UT + Delta T. A clock time is UT; Delta T is about 64 s in 2000 and
// 1,570 s around 1000, which moves the Moon by 35" and 14' respectively.
// dayAlmanac and searchRiseSet take and give UT; findEvents and
// apparentPosition TT.
//
// Returned:
//   Instant::ut, tt        the instant of the sidereal time and of the
//                          positions (the same Julian Day for computeInstant)
//   Instant::deltaT        seconds from ut to tt: 0 for computeInstant, the
//                          time scale's for computeInstantUt
//   Instant::theory        the theory of the positions
//   Instant::siderealTime  Greenwich mean sidereal time, radians in [0, kTurn)
//   Instant::obliquity     obliquity of the ecliptic of the date, radians
//   Instant::status        Status of the date (see below)
//   BodyPosition, for each body, from the Earth's centre:
//     rightAscension     radians in [0, kTurn)    } geocentric, geometric (no
//     declination        radians, -kPi/2..kPi/2   } light-time, aberration or
//     eclipticLongitude  radians in [0, kTurn)    } nutation), mean equator,
//     eclipticLatitude   radians, -kPi/2..kPi/2   } ecliptic and equinox of
//                                                 } the date
//     distanceAu         astronomical units
//     distanceKm         kilometres (distanceAu * kAstronomicalUnitKm; for
//                        the Moon, whose theory gives kilometres, the other
//                        way round)
//     illumination       Moon: illuminated fraction of the disc, 0..1; else 0
//     status             Status of this body at this date
//
// Angles: every conversion between radians, degrees and hours uses kPi, the
// decimal value the theories were fitted with; hoursOf and degreesOf do it
// as the program prints its figures.
//
// Status, in the spirit of ERFA's status codes:
//   Computed             within the span where the accuracy is measured
//   OutsideMeasuredSpan  computed, but the date lies outside
//                        [kMeasuredSpanStart, kMeasuredSpanEnd): the errors
//                        grow with the distance from 2000 and are not known
//   NotComputable        no trustworthy value exists: a quantity is not a
//                        finite number, Kepler's equation did not converge
//                        (dates tens of thousands of years away), or the
//                        Julian Day is so large that a double no longer
//                        tells one second from the next (beyond 2^36 days),
//                        or the theory is no Theory; the values must not be
//                        used
//   UnknownBody          a value that is no Body was given (computeBody,
//                        appearance, searchRiseSet)
//
// Accuracy of the Classic theory (docs/accuracy.md, against ERFA's epv00,
// plan94 and moon98): largest angular error over 1800-2200 about 1' for the
// Sun, the Moon and Mercury, 2' for Venus, Jupiter, Uranus and Neptune, 4'
// for Saturn and 7' for Mars near close oppositions; relative distance
// errors of a few 1e-4 (Mars 1.4e-3); the Moon's illuminated fraction to
// 0.005, the sidereal time to about 1 s. From 1000 to 3000 the errors grow
// to 3.5' for the Moon and 9' for Mars. Thread-safe: no function keeps any
// state.
//
// What the digits depend on: the calculation is in double precision, but
// five products are rounded as x87 extended precision rounds them (a 64-bit
// mantissa) and only then to doubles: days to centuries (* 1/36525),
// degrees to radians (* 1/180), the millionths of the outer planets'
// eccentricity and semi-major axis corrections (* 0.000001), and the
// program's cut of a distance to four decimals (* 0.0001, tenThousandths).
// Each constant is the nearest value with a 64-bit mantissa, and the exact
// product is rounded to 64 bits, then to a double. Where long double is the
// x87 type (x86 with GCC or Clang) the library multiplies in long double;
// elsewhere (a 113-bit long double on arm64, a 53-bit one with MSVC), or
// when built with -DEPHEMERIDES_PORTABLE_FLOAT=ON, it forms the same two
// roundings with integers, so the printed digits are the same on every
// processor. The sources are compiled with -ffp-contract=off (no fused
// multiply-add, which arm64 compilers otherwise use) and without
// -ffast-math: with contracted or reassociated operations the last digits
// of the figures move.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "astro/version.h"

#if defined(__GNUC__)
#define ASTRO_PUBLIC __attribute__((visibility("default")))
#else
#define ASTRO_PUBLIC
#endif

namespace astro {

// pi as the theories use it: a decimal value, not the full precision one.
inline constexpr double kPi = 3.1415926535898;
// A whole turn, radians.
inline constexpr double kTurn = 2 * kPi;

// Kilometres in one astronomical unit (IAU 2012).
inline constexpr double kAstronomicalUnitKm = 149597870.7;

enum class Body : std::uint8_t {
  Sun,
  Moon,
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune
};
inline constexpr std::size_t kBodyCount = 9;
inline constexpr std::array<Body, kBodyCount> kBodies = {
    Body::Sun,     Body::Moon,   Body::Mercury, Body::Venus,   Body::Mars,
    Body::Jupiter, Body::Saturn, Body::Uranus,  Body::Neptune,
};

// The body's name as programs and files write it: "sun", "moon",
// "mercury" ... "neptune"; empty for a value that is no Body.
constexpr std::string_view bodyId(Body body) {
  constexpr std::array<std::string_view, kBodyCount> kIds = {
      "sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune"};
  const auto index = static_cast<std::size_t>(body);
  return index < kBodyCount ? kIds[index] : std::string_view{};
}

struct CalendarDate {
  std::int32_t year;
  std::int32_t month;  // 1 for January
  double day;          // day of the month; the fraction is the time from 0h
};

// A Julian Day with its fraction, of no time scale in particular: for the
// calendar (calendarDate, decimalYear).
struct JulianDate {
  double jd;
};

// An instant, as a Julian Day with its fraction in one of two time scales.
// Each scale is a type of its own, so that an instant of one cannot be
// passed where the other is meant:
//   UT  Universal Time (UT1), the time of the Earth's rotation, which
//       clocks keep (UTC within a second): the sidereal time, and so hour
//       angles, altitudes, rising and setting, come from it.
//   TT  Terrestrial Time, the uniform time of the theories: the positions
//       are computed at it.
// TT - UT is Delta T (TimeScale). A calendar date or a JulianDate becomes
// an instant once its scale is said: UT{julianDay(date)}. Two types rather
// than one time holding both scales: each signature says which scale it
// reads, and no Delta T is computed where none is needed (the report's
// convention, computeInstant, has none).
struct UT {
  double jd;
};
struct TT {
  double jd;
};

enum class Status : std::uint8_t { Computed, OutsideMeasuredSpan, NotComputable, UnknownBody };

// The status's name as programs and files write it: "computed",
// "outside_measured_span", "not_computable", "unknown_body".
constexpr std::string_view statusId(Status status) {
  switch (status) {
    case Status::Computed:
      return "computed";
    case Status::OutsideMeasuredSpan:
      return "outside_measured_span";
    case Status::NotComputable:
      return "not_computable";
    case Status::UnknownBody:
      break;
  }
  return "unknown_body";
}

// The theory that computes the positions. Each function that computes
// positions takes one, today's by default; a result computed by a theory
// is that theory's throughout.
//   Classic  mean orbital elements as polynomials in time from 1900,
//            Kepler's equation, perturbation series for Jupiter to
//            Neptune and a 125-term series for the Moon; geometric places
//            on the mean equator, ecliptic and equinox of the date; the
//            accuracy above. The theory of every figure the program prints
//            by default.
//   Precise  VSOP87B for the Earth and the planets (Bretagnon & Francou
//            1988), ELP/MPP02 fitted to DE405 for the Moon (Chapront &
//            Francou 2003), both truncated for 1800-2200; ERFA's IAU 2006
//            precession, IAU 2000B nutation, aberration and light
//            deflection for the apparent places. The same quantities as
//            Classic (geometric, mean equator, ecliptic and equinox of
//            date), within 0.1" of DE405 for the Sun and the Moon, 1" for
//            Mercury to Saturn and 4" for Uranus and Neptune over its
//            measured span, 1800-2200 (kPreciseSpanStart, kPreciseSpanEnd);
//            and, in the Instant, the apparent places (Instant::apparent)
//            and the apparent sidereal time. An Instant takes about ten
//            times as long as Classic's (bench/body_bench.cpp).
// A value that is no Theory gives NotComputable positions.
enum class Theory : std::uint8_t { Classic, Precise };

// The theory's name as programs and files write it: "classic", "precise";
// empty for a value that is no Theory.
constexpr std::string_view theoryId(Theory theory) {
  switch (theory) {
    case Theory::Classic:
      return "classic";
    case Theory::Precise:
      return "precise";
  }
  return {};
}

// The span of docs/accuracy.md: from 1000 January 1, 0h (Julian calendar)
// up to, not including, 3001 January 1, 0h (Gregorian), as Julian Days.
inline constexpr double kMeasuredSpanStart = 2086307.5;
inline constexpr double kMeasuredSpanEnd = 2817152.5;
// The Precise theory's span, where its tables were truncated and its
// accuracy measured: from 1800 January 1, 0h up to, not including, 2200
// January 1, 0h (Gregorian), as Julian Days of TT. Outside it, the Precise
// theory's positions are OutsideMeasuredSpan.
inline constexpr double kPreciseSpanStart = 2378496.5;
inline constexpr double kPreciseSpanEnd = 2524593.5;

struct BodyPosition {
  double rightAscension;     // radians, [0, kTurn)
  double declination;        // radians
  double eclipticLongitude;  // radians, [0, kTurn)
  double eclipticLatitude;   // radians
  double distanceAu;         // astronomical units
  double distanceKm;         // kilometres
  double illumination;       // Moon: illuminated fraction 0..1; others 0
  Status status;
};

// A body as it is seen from the Earth's centre on the true equator and
// equinox of date (Theory::Precise): light-time, light deflection by the
// Sun, annual aberration, precession and nutation.
struct ApparentPlace {
  double rightAscension;  // radians, [0, kTurn)
  double declination;     // radians
  double distanceAu;      // astronomical units: the distance the light travelled
};

struct Instant {
  UT ut;                // the instant of the sidereal time: the date as given
  TT tt;                // the instant of the positions: ut + deltaT / 86400
  double deltaT;        // seconds, TT - UT as applied (0 for computeInstant)
  Theory theory;        // the theory of the positions
  double siderealTime;  // radians, [0, kTurn): Greenwich mean sidereal time at ut
                        // (Classic: its own formula; Precise: IAU 2006, ERFA's
                        // gmst06, with tt)
  double obliquity;     // radians: the obliquity of the ecliptic the positions use
                        // (Precise: IAU 2006 mean obliquity of date)
  Status status;        // NotComputable when ut, tt or siderealTime is not
                        // finite or not resolved to a second, or the theory
                        // is no Theory
  std::array<BodyPosition, kBodyCount> bodies;  // in the order of kBodies
  // Precise only (NaN for Classic): the Greenwich apparent sidereal time
  // at ut (IAU 2006/2000B, ERFA's gst06 with the nutation of tt), radians
  // in [0, kTurn), and each body's apparent place at tt, in the order of
  // kBodies. observe() of a Precise Instant uses these two.
  double apparentSiderealTime;
  std::array<ApparentPlace, kBodyCount> apparent;

  const BodyPosition& operator[](Body body) const { return bodies[static_cast<std::size_t>(body)]; }
};

// Radians to hours (radians * 12 / kPi) and to degrees (radians * 180 /
// kPi), as the program converts every angle it prints or writes.
constexpr double hoursOf(double radians) {
  return radians * 12 / kPi;
}
constexpr double degreesOf(double radians) {
  return radians * 180 / kPi;
}

// An angle in radians with whole turns of kTurn added while it is below 0
// and removed while it is above `high`, one at a time (kTurn for [0, kTurn],
// kPi for (-kPi, kPi] as declinations are printed). An angle more than 64
// turns away, where single steps change little or nothing, is first reduced
// with fmod. A value that is not finite is returned as it is.
ASTRO_PUBLIC double wrapAngle(double radians, double high);
// The same into [0, kTurn), as right ascensions and sidereal times come.
ASTRO_PUBLIC double withinOneTurn(double radians);

// count * 0.0001 with the library's rounding of such products: the nearest
// value to 0.0001 with a 64-bit mantissa, the exact product rounded to 64
// bits and then to a double, as x87 extended precision gives it, on any
// processor. The program cuts a distance to four decimals as
// tenThousandths(floor(distance * 10000)); 5801 gives the double nearest
// 0.5801, where 5801 * 0.0001 in double precision is 0.5801000000000001.
ASTRO_PUBLIC double tenThousandths(double count);

ASTRO_PUBLIC double julianDay(const CalendarDate& date);

// a / b rounded down, toward minus infinity (b not 0), as the calendars
// divide counts of days and years that may be negative: floorDiv(-1, 4) is
// -1 where -1 / 4 is 0.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The first day of the Gregorian calendar, 15 October 1582, as a Julian Day
// Number (the number of the day that begins at Julian Day n - 0.5).
inline constexpr std::int64_t kFirstGregorianDayNumber = 2299161;

// A day of the calendar, without a time.
struct CalendarDay {
  std::int32_t year;
  std::int32_t month;  // 1 to 12
  std::int32_t day;    // 1 to daysInMonth(year, month)
};

// The calendar day of a Julian Day Number, in the calendar julianDay uses:
// Julian before kFirstGregorianDayNumber, Gregorian from it on, year 0
// existing. For day numbers whose year fits in 32 bits (within about
// 7.8e11 days of the origin).
ASTRO_PUBLIC CalendarDay calendarDay(std::int64_t dayNumber);

// The calendar date of a Julian Day: the day that contains it, and as the
// day's fraction the time since its 0h. julianDay(calendarDate(jd)) is jd
// up to the rounding of the fraction.
ASTRO_PUBLIC CalendarDate calendarDate(JulianDate date);

// Days in a month of that calendar (28 to 31; 0 for a month outside 1-12).
// October 1582 counts 31 days from 1 to 31, of which 5 to 14 do not exist.
ASTRO_PUBLIC int daysInMonth(std::int32_t year, std::int32_t month);

// ---- Time scales: UT, TT and Delta T ----

// TT - UT in seconds at a decimal year (2000.0 is the start of 2000), from
// the polynomial expressions of Espenak and Meeus (2006), fitted to Morrison
// and Stephenson (2004) and observations; valid from -1999 to +3000, with
// their parabola -20 + 32 u^2, u = (year - 1820) / 100, beyond. Against
// the observed values it is within half a second from 1900 to 2005; after
// 2005 its extrapolation runs ahead of the Earth, which has turned faster
// than foreseen: by 1.4 s in 2015, 2.2 s in 2020 and about 4.7 s in 2024
// (74.0 s against 69.2 s observed), more every year. Before 1900 it is a
// reconstruction from eclipses, uncertain by seconds around 1700, minutes
// before 1000 and hours at the ends of the span.
ASTRO_PUBLIC double deltaT(double decimalYear);

// The decimal year of a Julian Day: 2000.0 + (jd - 2451544.5) / 365.2425.
ASTRO_PUBLIC double decimalYear(JulianDate date);

// Where Delta T comes from.
//   EspenakMeeus  deltaT(decimalYear) above, at every date: the default
//   Observed      from the observations where there are some, the
//                 polynomials elsewhere (observedDeltaT)
enum class DeltaTModel : std::uint8_t { EspenakMeeus, Observed };

// The first and the last decimal year of the observed era of
// observedDeltaT, and the years over which it is blended into the
// polynomials on either side.
inline constexpr double kObservedDeltaTStart = 1972.0;
inline constexpr double kObservedDeltaTEnd = 2026.0;
inline constexpr double kDeltaTBlendBefore = 4.0;
inline constexpr double kDeltaTBlendAfter = 10.0;

// Delta T in seconds at a Julian Day (UT), from observation where there is
// some:
//   from 1972.0 to 2026.0  32.184 s + TAI - UTC, the leap seconds of ERFA's
//                          eraDat (ERFA 2.0.0, whose table it declares good
//                          to 2026), with UT1 taken as UTC: within the 0.9 s
//                          the IERS keeps UT1 - UTC under, and stepping by a
//                          second at each leap second, as UTC does
//   before                 deltaT(decimalYear) (Espenak and Meeus): no table
//                          of observed values with a provenance we can cite
//                          is at hand here. Over 1968-1972 the polynomial's
//                          value is moved linearly toward the observed one
//                          at 1972.0 (by 0.07 s), so there is no jump
//   after                  deltaT(decimalYear), the observed value at 2026.0
//                          blended into it linearly over 2026-2036 (the
//                          polynomial runs 5.9 s ahead there)
// Continuous at each joint, except the leap seconds.
ASTRO_PUBLIC double observedDeltaT(JulianDate ut);

// The time scales of one computation: Delta T = TT - UT, from the model
// above (TimeScale{}) or fixed, the same at every instant
// (TimeScale::fixed(seconds): an observed value, or a user's choice).
// Every conversion between UT and TT in the library goes through it.
//
//   deltaT(ut), deltaT(tt)  seconds: the fixed value, or the model at the
//                           decimal year of the instant's own Julian Day
//   tt(ut)                  ut.jd + deltaT(ut) / 86400
//   ut(tt)                  tt.jd - deltaT(tt) / 86400
//
// The model is read at the instant given, UT or TT alike: the two readings
// differ by Delta T's change over Delta T itself, so ut(tt(x)) is x within
// 0.1 ms from 1900 to 2100, 1.1 ms from 1000 to 3000 and 0.04 s at -2000
// (with a fixed Delta T, to the rounding of the Julian Day). With the
// Observed model the same, except within Delta T (about a minute) after a
// leap second, where the two readings fall on either side of it and
// ut(tt(x)) is x + 1 s.
//
// TimeScale{} keeps the Espenak-Meeus model alone; TimeScale::observed(),
// which the program takes for every instant in UT, is about 5 s closer to
// the Earth in 2025 (69.2 s against 74.5 s).
class ASTRO_PUBLIC TimeScale {
 public:
  // Delta T from the model, deltaT(decimalYear(...)).
  TimeScale() = default;
  // Delta T fixed, seconds.
  static TimeScale fixed(double deltaTSeconds);
  // Delta T from a model: DeltaTModel::EspenakMeeus is TimeScale{};
  // DeltaTModel::Observed reads observedDeltaT at the instant's Julian Day.
  static TimeScale model(DeltaTModel model);
  // The same as model(DeltaTModel::Observed).
  static TimeScale observed();

  double deltaT(UT ut) const;
  double deltaT(TT tt) const;
  TT tt(UT ut) const;
  UT ut(TT tt) const;

 private:
  bool fixed_ = false;
  DeltaTModel model_ = DeltaTModel::EspenakMeeus;
  double seconds_ = 0.0;
};

// ---- The positions of an instant ----

// computeInstant: the date as TT for the positions and, the same number,
// as UT for the sidereal time (Instant::ut.jd == Instant::tt.jd, deltaT
// 0): the convention of the program's report, which prints the date's
// sidereal time beside the positions of that date.
ASTRO_PUBLIC Instant computeInstant(const CalendarDate& tt, Theory theory = Theory::Classic);
ASTRO_PUBLIC Instant computeInstant(TT tt, Theory theory = Theory::Classic);

// computeInstantUt: the instant in Universal Time, as a clock gives it:
// the sidereal time from ut, the positions from scale.tt(ut). With a Delta
// T of 0 the same as computeInstant.
ASTRO_PUBLIC Instant computeInstantUt(const CalendarDate& ut, const TimeScale& scale = TimeScale{},
                                      Theory theory = Theory::Classic);
ASTRO_PUBLIC Instant computeInstantUt(UT ut, const TimeScale& scale = TimeScale{},
                                      Theory theory = Theory::Classic);

// A direction in equatorial coordinates, radians.
struct EquatorialPoint {
  double rightAscension;  // [0, kTurn)
  double declination;
};

// The equatorial direction of ecliptic longitude and latitude (radians),
// with the obliquity (Instant::obliquity for the ecliptic of a date). With
// latitude 0 it traces the ecliptic.
ASTRO_PUBLIC EquatorialPoint eclipticToEquatorial(double longitude, double latitude,
                                                  double obliquity);

// The angle between two directions, radians, 0 to kPi.
ASTRO_PUBLIC double angularSeparation(const EquatorialPoint& a, const EquatorialPoint& b);

// The position angle of `to` seen from `from`: the direction on the sky,
// from north through east, radians in [0, kTurn). It says where to look
// from one body for the other, not on which side of the Sun a body stands
// for the evening or the morning: near opposition a body east of the Sun
// along the ecliptic can have a position angle of more than kPi from it.
// elongation() tells the side.
ASTRO_PUBLIC double positionAngle(const EquatorialPoint& from, const EquatorialPoint& to);

// One body at an instant of TT (a calendar date taken as TT); the same
// bits as its row of computeInstant.
ASTRO_PUBLIC BodyPosition computeBody(Body body, const CalendarDate& tt,
                                      Theory theory = Theory::Classic);
ASTRO_PUBLIC BodyPosition computeBody(Body body, TT tt, Theory theory = Theory::Classic);

// ---- How each body looks: phase, apparent size, elongation, magnitude ----

// On which side of the Sun a body stands along the ecliptic: East when its
// ecliptic longitude minus the Sun's, brought into (-kPi, kPi], is
// positive (it follows the Sun across the sky: an evening object, seen all
// night near kPi), West when negative (it goes before the Sun: a morning
// object), None when zero (the Sun itself) or not a number.
enum class SunSide : std::uint8_t { East, West, None };

// The side's name as programs and files write it: "east", "west"; empty
// for None, which has no side.
constexpr std::string_view sunSideId(SunSide side) {
  switch (side) {
    case SunSide::East:
      return "east";
    case SunSide::West:
      return "west";
    case SunSide::None:
      break;
  }
  return "";
}

struct Elongation {
  double angle;                // radians, 0..kPi: the angle between the body and the Sun
  double longitudeDifference;  // radians, (-kPi, kPi]: ecliptic longitude minus the Sun's
  SunSide side;                // from the sign of longitudeDifference
};

// The elongation of `body` from the Sun, both BodyPositions of the same
// instant (mean ecliptic of date). The angle is the great circle between
// them from their ecliptic longitudes and latitudes; the side comes from
// the longitudes alone, never from the right ascension or the position
// angle, which take the wrong side near an opposition of a body away from
// the ecliptic. Exact for the given positions.
ASTRO_PUBLIC Elongation elongation(const BodyPosition& body, const BodyPosition& sun);

// Whether a visual magnitude lies within what its model was fitted to.
enum class MagnitudeStatus : std::uint8_t {
  Computed,           // within the model's range of phase angle
  OutsideModelRange,  // beyond it: a phase angle below 2 or above 170
                      // degrees for Mercury, below 2 or above 179 for
                      // Venus, above 150 for the Moon, 50 for Mars, 12 for
                      // Jupiter, 6.5 for Saturn, 3.1 for Uranus and 1.9 for
                      // Neptune (the last two reached from the Earth near
                      // quadrature), or Saturn's rings seen on the face the
                      // Sun does not light; the value is the formula
                      // carried on, not a fitted brightness
  NotComputable       // the position has no value: the magnitude is NaN
};

// The magnitude status's name as programs and files write it: "computed",
// "outside_model_range", "not_computable".
constexpr std::string_view magnitudeStatusId(MagnitudeStatus status) {
  switch (status) {
    case MagnitudeStatus::Computed:
      return "computed";
    case MagnitudeStatus::OutsideModelRange:
      return "outside_model_range";
    case MagnitudeStatus::NotComputable:
      break;
  }
  return "not_computable";
}

// How one body looks from the Earth's centre.
struct Appearance {
  double phaseAngle;              // radians, 0..kPi: the angle at the body
                                  // between the Sun and the Earth (Sun: 0)
  double illuminatedFraction;     // 0..1, (1 + cos phaseAngle) / 2 (Sun: 1)
  double angularDiameter;         // radians: apparent equatorial diameter
  double heliocentricDistanceAu;  // AU, the body's distance from the Sun (Sun: 0)
  Elongation elongation;          // from the Sun (Sun: 0, 0, None)
  double magnitude;               // apparent visual magnitude V
  MagnitudeStatus magnitudeStatus;
  Status status;  // the position's: NotComputable or UnknownBody leave NaNs
};

// The nine appearances of one instant, in the order of kBodies.
struct Appearances {
  std::array<Appearance, kBodyCount> bodies;

  const Appearance& operator[](Body body) const { return bodies[static_cast<std::size_t>(body)]; }
};

// appearances: the phase, apparent diameter, elongation and visual
// magnitude of the nine bodies of an instant of computeInstant or
// computeInstantUt. appearance: the same for one body, from its position,
// the Sun's of the same instant and that instant in TT (for an Instant,
// Instant::tt), which dates the planets' poles and Neptune's brightness.
//
// Frame and geometry: geocentric and geometric, as the positions (no
// light-time, aberration or topocentric parallax). The phase angle comes
// from the triangle Sun-body-Earth: the Sun's distance R, the body's
// distance Delta and their elongation psi give r = |R e_sun - Delta e_body|
// and the angle at the body. For the Moon this is the exact form of what
// BodyPosition::illumination approximates from the mean anomalies; the two
// illuminated fractions differ by at most 0.00015.
//
// Diameters: 2 asin(a / Delta) with a the equatorial radius of the IAU
// Working Group on Cartographic Coordinates and Rotational Elements 2015
// (Archinal et al. 2018): Mercury 2440.53 km, Venus 6051.8, Mars 3396.19,
// Jupiter 71492, Saturn 60268 (the globe, without the rings), Uranus 25559,
// Neptune 24764; the Moon's mean radius 1737.4 km; the Sun's nominal
// radius 695,700 km (IAU 2015 Resolution B3).
//
// Magnitudes: V = 5 log10(r Delta) + V(1, phase angle), Mercury to Neptune
// from Mallama and Hilton (2018), Astronomy and Computing 25, 10-24, with
// Saturn's rings from their tilt to the Earth and to the Sun (the IAU 2015
// pole) and Uranus' sub-latitude term; Mars without its rotational and
// seasonal terms (up to about 0.1 mag). The Moon: V(1, 0) = +0.21 with the
// phase law 0.026 alpha + 4.0e-9 alpha^4 (alpha in degrees) of Allen's
// Astrophysical Quantities. The Sun: -26.74 + 5 log10(Delta).
//
// Angles are radians; these computations use the full precision pi, not
// kPi. Span: that of the positions; the poles of Saturn and Uranus are
// precessed to the date within 4" from 1000 to 3000.
//
// Accuracy (docs/accuracy.md, against the same formulas on ERFA's vectors
// from 1900 to 2100): the positions' errors carried over. Phase angles
// within 40" for the Moon, 1.2' for Mercury, 1.6' for Venus, 4' for Mars
// near close oppositions and 25" for the outer planets; illuminated
// fractions within 0.0003; elongations as the directions (Mars 6');
// diameters as the distances (a few 1e-4, Mars 1.2e-3); magnitudes within
// 0.01 wherever both flag alike. The laws themselves follow their
// observations to a few hundredths of a magnitude for most planets; Mars
// without its rotation and season to about 0.1; the Moon's is a mean phase
// curve.
ASTRO_PUBLIC Appearances appearances(const Instant& instant);
ASTRO_PUBLIC Appearance appearance(Body body, const BodyPosition& position, const BodyPosition& sun,
                                   TT tt);

// ---- What an observer sees: altitude and azimuth, rising, transit, setting, twilight ----
//
// Time scales: the Instant of an observation comes from computeInstantUt
// (the sidereal time from UT, the positions from TT = UT + Delta T); a day
// of dayAlmanac and a search of searchRiseSet are intervals of UT, their
// positions taken at TT through the TimeScale given, and every time they
// give is UT.
// Frame: the positions of the Instant (geometric, mean equator and equinox
// of date) and the mean sidereal time for the Classic theory; for the
// Precise theory its apparent places (true equator and equinox of date:
// light-time, deflection, aberration, nutation) and the apparent sidereal
// time, as almanacs define rising and setting. See docs/accuracy.md for how
// far the altitudes, azimuths and times are from an independent
// computation.

// A place on the Earth: geodetic latitude and longitude, radians, north and
// east positive; height above sea level, metres (it moves the observer
// along the vertical and so the Moon's parallax, not the horizon).
struct Observer {
  double latitude;
  double longitude;
  double heightMetres;
};

// Whether altitudes include the atmosphere's refraction: None, the
// geometric altitude; Standard, that plus standardRefraction of it.
enum class Refraction : std::uint8_t { None, Standard };

// One body seen from a place: topocentric (from the observer, not from the
// Earth's centre: the Moon moves by up to a degree), azimuth and altitude on
// the horizon of the geodetic vertical.
struct HorizontalPosition {
  double azimuth;         // radians, [0, kTurn), from north through east
  double altitude;        // radians, -kPi/2..kPi/2, refracted if asked
  double hourAngle;       // radians, [0, kTurn), local, westward from the meridian:
                          //   local sidereal time - topocentric right ascension
  double rightAscension;  // radians, [0, kTurn), topocentric
  double declination;     // radians, topocentric
  double distanceKm;      // kilometres from the observer
  Status status;          // the status of the position it was computed from
};

// The nine bodies seen from a place at one instant.
struct SkyView {
  double localSiderealTime;  // radians, [0, kTurn): Greenwich mean sidereal time + longitude
  Status status;             // the Instant's status
  std::array<HorizontalPosition, kBodyCount> bodies;  // in the order of kBodies

  const HorizontalPosition& operator[](Body body) const {
    return bodies[static_cast<std::size_t>(body)];
  }
};

// Standard atmospheric refraction, radians to add to a true altitude
// (radians) to give the apparent one: Saemundsson's formula, for 1010 hPa
// and 10 C, R = 1.02' / tan(h + 10.3 / (h + 5.11)), h in degrees. 34.5' at
// the apparent horizon, 1' at 45 degrees, 0 at the zenith. Below the
// horizon no ray from the body reaches an observer at sea level, so the
// refraction fades to nothing, continuously: the formula down to a true
// altitude of -1 degree (38.8'), then that value times a smoothstep that
// falls from 1 at -1 degree to 0 at -3 degrees, and 0 below (a continuous
// form of the cut at -1 degree that NOVAS and Skyfield make; the apparent
// altitude still grows with the true one). So an altitude at or below -3
// degrees is geometric: the Sun's altitude at the twilights' -6, -12 and
// -18 degrees is those values. Real refraction near the horizon varies with
// the weather by several arcminutes.
ASTRO_PUBLIC double standardRefraction(double trueAltitude);

// A geocentric position (from computeInstantUt or computeBody at TT) seen
// from a place, with the Greenwich mean sidereal time of the same instant
// (Instant::siderealTime). Exact geometry: the error is the position's.
ASTRO_PUBLIC HorizontalPosition horizontalPosition(const BodyPosition& position,
                                                   double siderealTime, const Observer& observer,
                                                   Refraction refraction);

// The nine bodies of an Instant seen from a place (nine horizontalPosition
// calls, the place's geometry taken once), from the Instant's positions,
// of its theory, and its sidereal time. For what a clock shows, the
// Instant comes from computeInstantUt.
ASTRO_PUBLIC SkyView observe(const Instant& instant, const Observer& observer,
                             Refraction refraction);

// The conventional altitudes of rising and setting, radians, of the body's
// geocentric centre: the Sun's upper limb on the horizon (-50': 34' of
// refraction and 16' of semi-diameter), a planet's centre (-34'); the
// Moon's is 0.7275 times its horizontal parallax minus 34' (moonHorizon),
// which puts its upper limb on the horizon as seen from the place. The Sun's
// centre at the twilights' altitudes.
inline constexpr double kSunHorizon = -50.0 / 60.0 * kPi / 180.0;
inline constexpr double kPlanetHorizon = -34.0 / 60.0 * kPi / 180.0;
inline constexpr double kCivilTwilight = -6.0 * kPi / 180.0;
inline constexpr double kNauticalTwilight = -12.0 * kPi / 180.0;
inline constexpr double kAstronomicalTwilight = -18.0 * kPi / 180.0;
// The Moon's conventional altitude at a geocentric distance in kilometres,
// radians: 0.7275 asin(6378.14 / distanceKm) - 34' (about +8' at a mean
// distance).
ASTRO_PUBLIC double moonHorizon(double distanceKm);

// What became of an event within the day.
enum class EventOutcome : std::uint8_t {
  Occurs,         // at DayEvent::ut
  AlwaysAbove,    // rise, set or twilight: above the event's altitude all day
  AlwaysBelow,    // below it all day
  NotThisDay,     // it crosses that altitude this day, but not this way (the
                  // Moon's rise, transit or set falls on the next day about
                  // once a month); a transit: no meridian passage in the day
  NotComputable,  // the positions of the day are NotComputable
};

// The outcome's name as programs and files write it: "occurs",
// "always_above", "always_below", "not_this_day", "not_computable".
constexpr std::string_view eventOutcomeId(EventOutcome outcome) {
  switch (outcome) {
    case EventOutcome::Occurs:
      return "occurs";
    case EventOutcome::AlwaysAbove:
      return "always_above";
    case EventOutcome::AlwaysBelow:
      return "always_below";
    case EventOutcome::NotThisDay:
      return "not_this_day";
    case EventOutcome::NotComputable:
      break;
  }
  return "not_computable";
}

// One event of one day. ut, altitude and azimuth are NaN unless the outcome
// is Occurs; secondUt is NaN unless the event occurs twice in the day.
struct DayEvent {
  EventOutcome outcome;
  UT ut;            // the first occurrence, to one second
  UT secondUt;      // a second occurrence in the same day: near the poles a
                    // grazing body, and about once a year a planet whose
                    // rise, transit or set comes 4 minutes earlier each day
  double altitude;  // radians, at ut, as horizontalPosition gives it
  double azimuth;   // radians, at ut, from north through east
};

// A body's day: its rising, its upper transit (meridian passage, south of
// the zenith in the north and north of it in the south) and its setting.
struct BodyDay {
  DayEvent rise;
  DayEvent transit;
  DayEvent set;
};

// The Sun's centre rising (morning) and setting (evening) through the
// altitude of a twilight.
struct Twilight {
  DayEvent morning;
  DayEvent evening;
};

struct DayAlmanac {
  UT start;                                // where the day begins; it ends one day later
  double deltaT;                           // seconds, TT - UT of the positions
  Status status;                           // the worst status of the positions of the day
  std::array<BodyDay, kBodyCount> bodies;  // in the order of kBodies
  Twilight civil;
  Twilight nautical;
  Twilight astronomical;

  const BodyDay& operator[](Body body) const { return bodies[static_cast<std::size_t>(body)]; }
};

// Rising, transit and setting of the nine bodies and the Sun's three
// twilights within the day [dayStart, dayStart + 1) of Universal Time
// (local midnight of a time zone converted to UT, for example), seen from
// a place, by a theory. Delta T, which changes by milliseconds in a day,
// is read from the time scale once, at the middle of the day (fix it with
// TimeScale::fixed for another choice); DayAlmanac::deltaT says which
// value was applied. Rising and setting are the crossings of the conventional
// altitudes above by the geocentric altitude, on the sea-level horizon; a
// transit is the geocentric (and topocentric) hour angle passing 0. Each
// event is the first in the day in its direction, with a second one if
// there is; times to one second. The altitude and azimuth of each event are
// those seen from the place (topocentric, refracted if asked). Within the
// polar circles a transit is the culmination; the Moon, whose declination
// changes meanwhile, can stand up to a minute of arc higher some minutes
// before or after it.
// The positions come from six Instants spread over the day and
// interpolated (within 0.001" of them); every crossing is searched between
// the extremes of the altitude, so no event is missed at any latitude
// within the polar circles; beyond, a body that grazes the horizon for less
// than an hour can still be reported, and one that grazes it by less than a
// few arcseconds can be missed. Accuracy (docs/accuracy.md): against ERFA,
// 1900-2100 at latitudes up to 60 degrees, within 3 s of time for the Sun
// and the Moon and 40 s for Mars; more where a body rises slowly, at high
// latitudes or grazing the horizon. The Precise theory: its apparent places
// and apparent sidereal time (the latter interpolated over the day from
// the six Instants' as the positions are), within 2 s of DE405 with ERFA's
// frames under the same definitions (tests/precise_api_test.cpp, Paris
// 2025: within 0.3 s); it takes about four times as long as Classic.
ASTRO_PUBLIC DayAlmanac dayAlmanac(UT dayStart, const TimeScale& scale, const Observer& observer,
                                   Refraction refraction, Theory theory = Theory::Classic);

// One of a body's events of dayAlmanac, for searchRiseSet.
enum class RiseSet : std::uint8_t {
  Rise,     // the centre's geocentric altitude up through the conventional altitude
  Transit,  // the upper transit, the hour angle through 0
  Set,      // the altitude down through the conventional altitude
};

// The event's name as programs and files write it: "rise", "transit",
// "set"; empty for a value that is no RiseSet.
constexpr std::string_view riseSetId(RiseSet event) {
  switch (event) {
    case RiseSet::Rise:
      return "rise";
    case RiseSet::Transit:
      return "transit";
    case RiseSet::Set:
      return "set";
  }
  return {};
}

// What a search found.
enum class SearchOutcome : std::uint8_t {
  Found,          // at RiseSetTime::ut
  NotFound,       // not within the limit: a body that stays above or
                  // below the horizon, the Moon's rise skipping a day, or
                  // a limit too short
  NotComputable,  // a position on the way, the place, the instant or the
                  // limit is not computable, or the body is no Body
};

// The outcome's name as programs and files write it: "found",
// "not_found", "not_computable".
constexpr std::string_view searchOutcomeId(SearchOutcome outcome) {
  switch (outcome) {
    case SearchOutcome::Found:
      return "found";
    case SearchOutcome::NotFound:
      return "not_found";
    case SearchOutcome::NotComputable:
      break;
  }
  return "not_computable";
}

// The instant searchRiseSet found. ut, altitude and azimuth are NaN unless
// the outcome is Found.
struct RiseSetTime {
  SearchOutcome outcome;
  UT ut;            // to one second
  double altitude;  // radians, at ut, seen from the place as observe gives it
  double azimuth;   // radians, at ut, from north through east
  Status status;    // the worst status of the positions searched
};

// The body's first rise, upper transit or set at the place in [after,
// after + limitDays), as Astronomy Engine's SearchRiseSet: the same
// definitions, search and accuracy as dayAlmanac, one day after another
// from `after` (each day [after + k, after + k + 1) the almanac of a day
// starting there, Delta T read at its middle). A search from a day's
// start with a limit of one day finds the event of dayAlmanac for that
// day, to the bit. limitDays from 0 (nothing found) to any finite number
// of days; a rise that does not happen costs limitDays days of search.
// Cost: a day searched takes as long as about 4 computeInstant calls; the
// Moon's next rise from any instant, one day searched or two, about 6
// (bench/observer_bench.cpp).
ASTRO_PUBLIC RiseSetTime searchRiseSet(Body body, const Observer& observer, UT after, RiseSet event,
                                       double limitDays, const TimeScale& scale = TimeScale{},
                                       Refraction refraction = Refraction::Standard,
                                       Theory theory = Theory::Classic);

// ---- The apparent place of a body ----

// A body as it is seen from the Earth's centre, in ecliptic coordinates:
// on the mean ecliptic of the date, from the true equinox of the date.
struct ApparentPosition {
  double eclipticLongitude;  // radians, [0, kTurn): nutation in longitude included
  double eclipticLatitude;   // radians
  double distanceAu;         // the geometric distance when the light left the
                             // body, from where the Earth's centre was then
  double distanceKm;         // the same in kilometres
  double lightTime;          // days the light took, Delta * 499.004784 s / AU
  Status status;             // of the positions computed
};

// The apparent place of `body` at tt, by a theory: where the body was when
// the light now arriving left it, seen from where the Earth's centre was
// then, with the nutation in longitude of tt added to the longitude.
//
// The theory gives geometric places. The light seen at tt left the body at
// tt - tau, tau = Delta / c from the body's distance at tt, and the Earth
// has moved on since: to first order in v/c, light-time and the annual
// aberration together are the geometric place at tt - tau (planetary
// aberration). The Sun moves by -20.5", the planets by up to 1', the Moon
// by under 1". Left out: the Earth's acceleration over tau and terms in
// (v/c)^2, below 0.03"; tau taken from the distance at tt rather than at
// tt - tau, below 0.01"; the deflection of light by the Sun, under 0.5"
// from a degree of its centre. The nutation in longitude comes from its
// four largest terms, good to 0.5"; the nutation in obliquity, which does
// not move ecliptic places, is left out, so no equatorial place is given
// here. The Sun's apparent longitude is the one almanacs tabulate, with the
// positions' own errors (about 1' for the Classic theory). Two
// computations of the body by the theory.
//
// The Precise theory computes the apparent place in full instead: the
// light-time iterated from the barycentre, the deflection of light by the
// Sun, the aberration of the Earth's barycentric velocity, IAU 2006
// precession and IAU 2000B nutation; the longitude from the true equinox,
// the latitude from the true ecliptic of date; the distance is the one the
// light travelled. Its errors are the geometric places' and 0.1" more
// (against the same from DE405). Its right ascension and declination on
// the true equator of date are Instant::apparent.
ASTRO_PUBLIC ApparentPosition apparentPosition(Body body, TT tt, Theory theory = Theory::Classic);

// ---- The year's events: phases, seasons, conjunctions, elongations, close approaches ----
//
// The phases of the Moon, the seasons, perihelion and aphelion, perigee and
// apogee, the conjunctions, oppositions and greatest elongations of the
// planets, and the close approaches of the Moon and the planets to one
// another, between two Julian Days.
//
// Every angle is taken between APPARENT geocentric places (apparentPosition,
// above, whose computation the search follows on interpolated tracks): each body where
// it was when the light now arriving left it, seen from where the Earth's
// centre was then (light-time and annual aberration together, the Sun
// -20.5", the planets up to 1', the Moon under 1"), on the mean ecliptic
// of the date, with the nutation in longitude added to the longitudes
// (four terms, good to 0.5"). The nutation turns every longitude alike: it
// moves the seasons and cancels in every other event. Distances are the
// geometric distances from the Earth's centre at the instant.

enum class EventKind : std::uint8_t {
  NewMoon,                 // the Moon's apparent longitude minus the Sun's: 0
  FirstQuarter,            // 90 degrees
  FullMoon,                // 180 degrees
  LastQuarter,             // 270 degrees
  MarchEquinox,            // the Sun's apparent longitude: 0
  JuneSolstice,            // 90 degrees
  SeptemberEquinox,        // 180 degrees
  DecemberSolstice,        // 270 degrees
  Perihelion,              // the Sun's distance least (the Earth's perihelion)
  Aphelion,                // the Sun's distance greatest
  Perigee,                 // the Moon's distance least
  Apogee,                  // the Moon's distance greatest
  InferiorConjunction,     // Mercury, Venus: the Sun's longitude, nearer than the Sun
  SuperiorConjunction,     // Mercury, Venus: the Sun's longitude, beyond the Sun
  Conjunction,             // Mars to Neptune: the Sun's longitude
  Opposition,              // Mars to Neptune: the Sun's longitude plus 180 degrees
  GreatestElongationEast,  // Mercury, Venus: angle from the Sun greatest, evening sky
  GreatestElongationWest,  // the same in the morning sky
  CloseApproach,           // two of the Moon and the planets at their closest
  SolarEclipse,            // an eclipse of the Sun (searchSolarEclipse; not findEvents)
  LunarEclipse,            // an eclipse of the Moon (searchLunarEclipse; not findEvents)
  Transit,                 // Mercury or Venus across the Sun (searchTransit)
  Occultation,             // a planet behind the Moon seen from a place
                           // (searchOccultations)
};
inline constexpr std::size_t kEventKindCount = 23;
inline constexpr std::array<EventKind, kEventKindCount> kEventKinds = {
    EventKind::NewMoon,
    EventKind::FirstQuarter,
    EventKind::FullMoon,
    EventKind::LastQuarter,
    EventKind::MarchEquinox,
    EventKind::JuneSolstice,
    EventKind::SeptemberEquinox,
    EventKind::DecemberSolstice,
    EventKind::Perihelion,
    EventKind::Aphelion,
    EventKind::Perigee,
    EventKind::Apogee,
    EventKind::InferiorConjunction,
    EventKind::SuperiorConjunction,
    EventKind::Conjunction,
    EventKind::Opposition,
    EventKind::GreatestElongationEast,
    EventKind::GreatestElongationWest,
    EventKind::CloseApproach,
    EventKind::SolarEclipse,
    EventKind::LunarEclipse,
    EventKind::Transit,
    EventKind::Occultation,
};

// The kind's name as programs and files write it: "new_moon",
// "march_equinox", "greatest_elongation_east", "close_approach" ...; empty
// for a value that is no EventKind.
constexpr std::string_view eventKindId(EventKind kind) {
  constexpr std::array<std::string_view, kEventKindCount> kIds = {
      "new_moon",
      "first_quarter",
      "full_moon",
      "last_quarter",
      "march_equinox",
      "june_solstice",
      "september_equinox",
      "december_solstice",
      "perihelion",
      "aphelion",
      "perigee",
      "apogee",
      "inferior_conjunction",
      "superior_conjunction",
      "conjunction",
      "opposition",
      "greatest_elongation_east",
      "greatest_elongation_west",
      "close_approach",
      "solar_eclipse",
      "lunar_eclipse",
      "transit",
      "occultation",
  };
  const auto index = static_cast<std::size_t>(kind);
  return index < kEventKindCount ? kIds[index] : std::string_view{};
}

// A choice of kinds, one bit per kind: eventKindBit(EventKind::NewMoon) |
// eventKindBit(EventKind::FullMoon), or kAllEventKinds.
using EventKindSet = std::uint32_t;
constexpr EventKindSet eventKindBit(EventKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < kEventKindCount ? EventKindSet{1} << index : EventKindSet{0};
}
inline constexpr EventKindSet kAllEventKinds = (EventKindSet{1} << kEventKindCount) - 1;

// Close approaches closer than this are listed unless another limit is
// given: 3 degrees, in radians.
inline constexpr double kCloseApproachLimit = 3 * kPi / 180;

struct Event {
  TT tt;              // the instant, to a second
  EventKind kind;     // what happens
  Body body;          // the Moon for phases, perigee and apogee; the Sun for the
                      // seasons, perihelion and aphelion; the planet for its
                      // conjunctions, oppositions and elongations; of two bodies
                      // in a close approach, the one first in kBodies
  Body other;         // the Sun for phases, conjunctions, oppositions and
                      // elongations; the second body of a close approach; the
                      // body itself for the events of one body
  double angle;       // radians: the apparent angle between body and other
                      // (the elongation, the least separation); 0 when other
                      // is body
  double distanceAu;  // the body's distance from the Earth's centre, AU
  double distanceKm;  // the same in kilometres
  Status status;      // Computed, or OutsideMeasuredSpan
};

struct EventList {
  std::vector<Event> events;  // in time order; equal instants by kind, body, other
  // Computed when every position was; OutsideMeasuredSpan when the search
  // reached outside [kMeasuredSpanStart, kMeasuredSpanEnd) (the Precise
  // theory: [kPreciseSpanStart, kPreciseSpanEnd)); NotComputable
  // when start or end is not a finite number, or some positions could not
  // be computed (their events are left out).
  Status status;
};

// Every event of the chosen kinds whose instant lies in [start, end), by a
// theory, instants of TT (for a clock's UT, convert the bounds with
// TimeScale::tt and each instant with TimeScale::ut). The events of a search split at any
// instant are those of the whole, each on one side, with the same values.
// Intervals of any length are searched a few thousand days at a time.
//
//   new_moon .. last_quarter    the Moon's apparent longitude minus the Sun's
//                               is 0, 90, 180, 270 degrees
//   march_equinox .. december_solstice
//                               the Sun's apparent longitude is 0, 90, 180,
//                               270 degrees
//   perihelion, aphelion        the Sun's distance least and greatest (the
//                               Precise theory: from the Earth's centre)
//   perigee, apogee             the Moon's distance least and greatest
//   inferior_conjunction, superior_conjunction
//                               Mercury or Venus at the Sun's apparent
//                               longitude, nearer or farther than the Sun
//   conjunction, opposition     Mars to Neptune at the Sun's apparent
//                               longitude, or 180 degrees from it
//   greatest_elongation_east, greatest_elongation_west
//                               the angle of Mercury or Venus from the Sun at
//                               a maximum, the planet east of the Sun
//                               (apparent longitude greater, evening sky) or
//                               west of it
//   close_approach              the Moon and a planet, or two planets, at the
//                               least apparent separation they reach within
//                               5 days before and after, when it is under
//                               closeApproachLimit (radians, 0 to kPi); a
//                               planet turning near another can pass through
//                               two minima a day or two apart, of which the
//                               deeper counts
//   transit, occultation        not searched here (a bit for them is
//                               ignored): searchTransit and
//                               searchOccultations find them
//
// Accuracy (docs/accuracy.md, against the same events found from ERFA's
// apparent places, 1900-2100): the instants are those of the theory's own
// positions to well under a second, and their errors are the positions':
// the Moon's phases within 1.5 minutes (16 s typically); equinoxes and
// solstices within 13 minutes (the Sun's longitude, good to 0.5', moves
// 0.041" a second); perigee and apogee within 34 minutes (a flat turn of the
// distance); conjunctions within 21 minutes for Mercury and Venus, 2.2 hours
// for Mars and Saturn; greatest elongations within 10 minutes for Mercury
// and 2 hours for Venus (whose angle from the Sun stays within 0.1" of its
// greatest for four hours); close approaches within 12 minutes for the Moon
// and 22 hours for the slowest planets; perihelion and aphelion within 1.6
// days, for the theory's Sun is the Earth-Moon barycentre's, without the
// month's swing of the Earth about it.
//
// The Precise theory: the same search, each event refined on its full
// apparent places (apparentPosition), its perihelion and aphelion on the
// distance of the Earth's centre from ERFA's eraEpv00. Against the same
// events from DE405 with ERFA's IAU 2006/2000A frames, 2025
// (tests/precise_api_test.cpp; tools/accuracy/de405_events.py): the
// phases within 0.1 s, equinoxes and solstices within 0.5 s, perihelion
// and aphelion within 6 s, oppositions of Mars and Saturn within 6 s,
// of Uranus and Neptune within 45 s (VSOP87's 2-4" for them), in TT.
//
// Cost: a year of every kind takes as long as about 500 computeInstant calls
// (bench/events_bench.cpp); a year of the Moon's phases alone about 200. On
// the Precise theory a year of every kind takes about 30 ms, ten times as
// long.
ASTRO_PUBLIC EventList findEvents(TT start, TT end, EventKindSet kinds,
                                  Theory theory = Theory::Classic);
ASTRO_PUBLIC EventList findEvents(TT start, TT end, EventKindSet kinds, double closeApproachLimit,
                                  Theory theory = Theory::Classic);

// ---- Constellations and the bright stars ----

// The 88 constellations, numbered 0 to 87 in the alphabetical order of
// their IAU abbreviations, capitals aside: Andromeda (And) is 0, Aquila
// (Aql) 3 before Aquarius (Aqr) 4, Orion (Ori) 59, Vulpecula (Vul) 87.
inline constexpr std::size_t kConstellationCount = 88;

struct Constellation {
  std::uint8_t index;             // 0 to 87; kConstellationCount for none
  std::string_view abbreviation;  // the IAU's three letters: "Ori", "CMa"
  std::string_view latinName;     // "Orion", "Canis Major"
};

// The constellation of number `index` (0 to 87); for a larger index one
// whose index is kConstellationCount and whose names are empty.
ASTRO_PUBLIC Constellation constellationAt(std::size_t index);

// The IAU constellation that holds a direction, by the official boundaries
// (Delporte 1930), drawn along the hour circles and parallels of the mean
// equator and equinox of B1875 (Roman 1987, PASP 99, 695: 357 zones; the
// table as Astronomy Engine 2.1.19 ships it, MIT). The direction is
// precessed to B1875.0 (JD 2405889.25855 TT) with the IAU 2006 precession
// and frame bias (ERFA's eraPmat06), then looked up.
//
//   constellation       a direction on the mean equator and equinox of the
//                       date tt, as BodyPosition gives it; an apparent
//                       place (true equator, aberration) may be given too:
//                       it moves the answer only within 30" of a boundary
//   constellationJ2000  a direction on the ICRS (J2000 mean equator)
//
// A declination outside [-pi/2, pi/2] or a value that is not finite gives
// the empty Constellation (index kConstellationCount). Accuracy: the
// boundaries stand within about 1" of where the IAU drew them over
// 1000-3000 (the precession models differ by less). Against Astronomy
// Engine's Constellation, which precesses with nutation
// (tests/constellation_test.cpp): the same answer for all of 1000 random
// directions and 9000 places of the nine bodies over 1900-2100 (Precise
// theory) lying beyond an arcminute of a boundary; the Classic theory's
// places differ 7 times in 9000, each within 10' of a boundary, as its
// errors allow. Cost: about 0.35 microsecond (0.25 from the ICRS) on an
// the development machine of docs/performance.md (-O2).
ASTRO_PUBLIC Constellation constellation(const EquatorialPoint& meanOfDate, TT tt);
ASTRO_PUBLIC Constellation constellationJ2000(const EquatorialPoint& icrs);

// The rotation from the ICRS (J2000 mean equator, with the frame bias) to
// the mean equator and equinox of a date, IAU 2006 (ERFA's eraPmat06): for
// placing many catalogue directions at one date.
struct Precession {
  std::array<std::array<double, 3>, 3> matrix;  // v(date) = matrix * v(ICRS)
};
ASTRO_PUBLIC Precession precessionFromJ2000(TT tt);
// A direction of the ICRS on the mean equator and equinox of the date the
// precession was made for.
ASTRO_PUBLIC EquatorialPoint precess(const Precession& precession, const EquatorialPoint& icrs);

// A star of the catalogue: the 1627 stars of visual magnitude 5.0 or
// brighter of the Hipparcos catalogue, as the npm package d3-celestial
// 0.7.35 gives them (BSD-3), numbered from the brightest.
struct CatalogueStar {
  std::int32_t hipparcos;      // number in the Hipparcos catalogue
  EquatorialPoint icrs;        // radians, ICRS, epoch J2000 (to 0.0001 degree)
  double magnitude;            // visual
  std::string_view name;       // proper name ("Sirius", "Betelgeuse"), or empty
  std::uint8_t constellation;  // index of its constellation (constellationJ2000)
};
ASTRO_PUBLIC std::size_t catalogueStarCount();
// The star of number `index` (0, the brightest, Sirius, to
// catalogueStarCount() - 1); a larger index gives the last star.
ASTRO_PUBLIC CatalogueStar catalogueStar(std::size_t index);

// The star's mean place at the date of the precession: right ascension and
// declination on the mean equator and equinox of date, as BodyPosition's.
// The catalogue carries no proper motions: the place is the J2000 one
// precessed, off by the star's motion since 2000, under 2.3" a year for
// every star of the catalogue (Arcturus), so within 1' from 1975 to 2025
// for all and far less for most; no aberration or nutation (up to 40").
ASTRO_PUBLIC EquatorialPoint starPlace(const CatalogueStar& star, const Precession& precession);

// The constellation figures, as lines between their stars: 743 segments
// (d3-celestial's figures, BSD-3), each with the constellation it draws and
// its two ends on the ICRS (precess them as the stars).
struct FigureSegment {
  std::uint8_t constellation;
  EquatorialPoint from;
  EquatorialPoint to;
};
ASTRO_PUBLIC std::size_t figureSegmentCount();
// The segment of number `index`; a larger index gives the last one.
ASTRO_PUBLIC FigureSegment figureSegment(std::size_t index);

// ---- The Moon's phase by name, and the night at a place ----

// The Moon's phase by name, through the lunation:
//   NewMoon, FirstQuarter, FullMoon, LastQuarter
//                   within kPrincipalPhaseDays of the instant of that phase
//                   (findEvents: the apparent longitude of the Moon less the
//                   Sun's at 0, 90, 180 and 270 degrees)
//   WaxingCrescent  between a new moon and the next first quarter
//   WaxingGibbous   between a first quarter and the next full moon
//   WaningGibbous   between a full moon and the next last quarter
//   WaningCrescent  between a last quarter and the next new moon
// the four in between outside those windows.
enum class MoonPhase : std::uint8_t {
  NewMoon,
  WaxingCrescent,
  FirstQuarter,
  WaxingGibbous,
  FullMoon,
  WaningGibbous,
  LastQuarter,
  WaningCrescent,
};
inline constexpr std::size_t kMoonPhaseCount = 8;

// Half the width of the window that gives a principal phase its name:
// one day either side of its instant.
inline constexpr double kPrincipalPhaseDays = 1.0;

// The phase's name as programs and files write it: "new_moon",
// "waxing_crescent", "first_quarter", "waxing_gibbous", "full_moon",
// "waning_gibbous", "last_quarter", "waning_crescent"; empty for a value
// that is no MoonPhase.
constexpr std::string_view moonPhaseId(MoonPhase phase) {
  constexpr std::array<std::string_view, kMoonPhaseCount> kIds = {
      "new_moon",  "waxing_crescent", "first_quarter", "waxing_gibbous",
      "full_moon", "waning_gibbous",  "last_quarter",  "waning_crescent"};
  const auto index = static_cast<std::size_t>(phase);
  return index < kMoonPhaseCount ? kIds[index] : std::string_view{};
}

struct MoonAge {
  MoonPhase phase;
  double ageDays;   // days from the last new moon at or before the instant
  TT lastNewMoon;   // that new moon
  TT phaseInstant;  // the principal phase that names it (NaN between them)
  Status status;    // findEvents' over the month before the instant; the
                    // other fields are NaN or NewMoon when NotComputable
};

// The Moon's phase by name and its age at an instant of TT, by a theory,
// from the phases findEvents finds over [tt - 31 days, tt + 1 day + 1 s):
// a lunation lasts 29.3 to 29.9 days, so the last new moon is always among
// them. The age is counted from that new moon's instant (0 at it, about
// 29.5 days just before the next); the instants, and so the ages, are
// those of findEvents (the Moon's phases within 1.5 minutes for Classic).
// Cost: findEvents of a month's phases, about as long as 1.7 dayAlmanac
// (Classic) or 3 (Precise) (bench/observer_bench.cpp).
ASTRO_PUBLIC MoonAge moonAge(TT tt, Theory theory = Theory::Classic);
// The same from the phases of a search already made (findEvents with the
// four phase kinds, other kinds ignored) over an interval that holds [tt -
// 31 days, tt + kPrincipalPhaseDays]: a program naming many instants of a
// month searches its phases once. Its status is the list's; an interval
// that does not hold the month gives NotComputable or a wrong name.
ASTRO_PUBLIC MoonAge moonAge(TT tt, const EventList& phases);

// Whether a body can be seen by the naked eye during a night (nightAt).
//
// The rule: a planet is seen at an instant when
//   - the sky is dark: the Sun's centre below kDarkSunAltitude (-6
//     degrees, the end of civil twilight; geometric altitude);
//   - the planet stands at least kLowestSightAltitude (5 degrees) above the
//     horizon (topocentric, refracted as asked);
//   - its magnitude (appearances, at the middle of the night), dimmed by
//     the air it shines through (skyExtinction), is no fainter than the
//     faintest magnitude the sky shows (skyLimitingMagnitude).
// The Moon is seen whenever it is above the horizon (its rise and set of
// dayAlmanac) while the sky is dark.
enum class Sighting : std::uint8_t {
  Visible,        // at some time of the night: see NightBody::windows
  TooFaint,       // fainter than skyLimitingMagnitude at the zenith of a dark sky
  TooCloseToSun,  // not seen, and within kNearSunElongation of the Sun
  BelowHorizon,   // under the horizon all through the dark
  TooLow,         // above the horizon, but too low for its brightness
  NoDarkness,     // the Sun does not go below kDarkSunAltitude
  NotComputable,  // the positions, the place or the instant are not computable
};

// The sighting's name as programs and files write it: "visible",
// "too_faint", "too_close_to_sun", "below_horizon", "too_low",
// "no_darkness", "not_computable".
constexpr std::string_view sightingId(Sighting sighting) {
  switch (sighting) {
    case Sighting::Visible:
      return "visible";
    case Sighting::TooFaint:
      return "too_faint";
    case Sighting::TooCloseToSun:
      return "too_close_to_sun";
    case Sighting::BelowHorizon:
      return "below_horizon";
    case Sighting::TooLow:
      return "too_low";
    case Sighting::NoDarkness:
      return "no_darkness";
    case Sighting::NotComputable:
      break;
  }
  return "not_computable";
}

inline constexpr double kDarkSunAltitude = kCivilTwilight;
inline constexpr double kLowestSightAltitude = 5.0 * kPi / 180.0;
// A body not seen this close to the Sun (30 degrees, radians) is TooCloseToSun.
inline constexpr double kNearSunElongation = 30.0 * kPi / 180.0;
// A window that begins within this many days of the dusk begins "at
// dusk", one that ends within it of the dawn ends "at dawn" (45 minutes).
inline constexpr double kDuskDawnSlackDays = 45.0 / 1440.0;

// The faintest magnitude the naked eye sees in a sky whose Sun stands at
// `sunAltitude` (radians): 1 at the end of civil twilight (-6 degrees),
// 6 from the end of astronomical twilight (-18 degrees), linear between;
// -infinity (nothing) above -6 degrees. A rule of thumb for a clear sky
// away from city lights, not a photometric model.
ASTRO_PUBLIC double skyLimitingMagnitude(double sunAltitude);

// The magnitudes a body loses to the air at an apparent altitude
// (radians) over what it loses at the zenith: 0.25 (X - 1), with X the
// relative air mass of Rozenberg (1966), 1 / (sin h + 0.025 exp(-11 sin
// h)): 0 at the zenith, 0.1 at 45 degrees, 2.3 at 5 degrees, 9.7 on the
// horizon. 0.25 magnitude per air mass is a clear sky's extinction in the
// visible (V band) at a low site.
ASTRO_PUBLIC double skyExtinction(double altitude);

// Where a window lies in the night.
enum class NightPart : std::uint8_t {
  AllNight,   // from dusk to dawn (within kDuskDawnSlackDays of each)
  FromDusk,   // from dusk, ending before dawn: the evening
  UntilDawn,  // beginning after dusk, until dawn: the morning
  Within,     // beginning after dusk and ending before dawn
};

// The part's name as programs and files write it: "all_night",
// "from_dusk", "until_dawn", "within".
constexpr std::string_view nightPartId(NightPart part) {
  switch (part) {
    case NightPart::AllNight:
      return "all_night";
    case NightPart::FromDusk:
      return "from_dusk";
    case NightPart::UntilDawn:
      return "until_dawn";
    case NightPart::Within:
      break;
  }
  return "within";
}

// An interval of the night during which a body is seen.
struct NightWindow {
  UT start;
  UT end;
  NightPart part;
};

// One body's night. The Sun's entry is NotComputable: the Night holds its
// set, rise and twilights.
struct NightBody {
  Sighting sighting;
  int windowCount;                     // 0 to 2 windows, in time order
  std::array<NightWindow, 2> windows;  // the first windowCount are set
  // The best time: the highest the body stands while it is seen; NaN
  // unless Visible.
  UT best;
  double bestAltitude;  // radians, topocentric, refracted as asked
  double bestAzimuth;   // radians, from north through east
  // The highest the body stands during the dark, radians (NaN without a dark).
  double highestInDark;
};

struct Night {
  UT start;        // the span searched is [start, start + 1)
  double deltaT;   // seconds, TT - UT of the positions
  Status status;   // the worst status of the positions
  DayAlmanac day;  // the almanac of [start, start + 1): the Sun's set and
                   // rise, its evening (dusk) and morning (dawn)
                   // twilights, each body's rise, transit and set
  // The dark: the Sun's centre below kDarkSunAltitude, from the end of the
  // civil twilight to its beginning the next morning; [start, start + 1)
  // when the Sun stays so low, NaN both when it never gets so low.
  UT darkStart;
  UT darkEnd;
  // The middle of the dark (of the span without one), the bodies'
  // positions then (geocentric, by the theory, as computeInstantUt gives
  // them) and how they look.
  UT middle;
  TT middleTt;
  std::array<BodyPosition, kBodyCount> positions;
  Appearances looks;
  std::array<NightBody, kBodyCount> bodies;  // in the order of kBodies

  const NightBody& operator[](Body body) const { return bodies[static_cast<std::size_t>(body)]; }
};

// The night at a place: the day [start, start + 1) of UT from `start`, an
// instant of the afternoon (the place's mean noon, start = noon of the
// day at Greenwich less longitude / kTurn days, puts the whole night in
// it), its dark, and for the Moon and each planet whether it is seen
// (Sighting, rule above), when and at its best. Delta T is read once at
// the middle of the span, as dayAlmanac does.
//
// Method: the positions of dayAlmanac (six Instants interpolated), which
// also gives the almanac; each body's margin to the rule (the least of the
// Sun's depth below -6 degrees, the altitude above 5 degrees, and the
// limiting magnitude less the dimmed one) sampled every 10 minutes across
// the dark, its changes of sign found to a second (rootOf) and the best
// time to a second (extremumOf). A glimpse shorter than 10 minutes between
// two samples can be missed. The windows are searched within the dark
// only: a body seen before the dark ends begins at darkStart.
// Cost: about 2.4 dayAlmanac for Classic, 1.4 for Precise, whose
// positions weigh more (bench/observer_bench.cpp).
ASTRO_PUBLIC Night nightAt(UT start, const TimeScale& scale, const Observer& observer,
                           Refraction refraction = Refraction::Standard,
                           Theory theory = Theory::Classic);

// ---- Eclipses of the Sun and the Moon ----
//
// The searches for the next eclipse after an instant, and what one sees of
// an eclipse of the Sun from a place, on the Precise theory: the apparent
// places of the Sun and the Moon (light-time, IAU 2006/2000B frames, ERFA's
// sidereal time) with the aberration taken off, so that the shadows are
// where the light that casts them left the Sun and the Moon; the Earth as
// the WGS84 ellipsoid (a = 6378.137 km, f = 1/298.257223563), polar motion
// neglected. Instants are TT; the places on the Earth and the
// contacts at a place depend on Delta T, read from the TimeScale given at
// each eclipse's instant.
//
// Radii: the Sun's 696,000 km; the Moon's k = 0.2725076 equatorial radii of
// the Earth (1738.09 km), the value of eclipse predictions, a little more
// than its mean radius, and for the second and third contacts of the Sun
// (the central phase) k = 0.2722810, for the valleys of its limb; those
// valleys and peaks (a kilometre or two) move the contacts seen in a
// telescope by a second or two.
//
// Span: the Precise theory's, 1800-2200, where the accuracy is measured;
// outside it the same computation is made and its results are
// OutsideMeasuredSpan; NotComputable when an instant or a position is not
// a finite number (tens of thousands of years away).

enum class SolarEclipseKind : std::uint8_t {
  Partial,  // only the penumbra touches the Earth
  Annular,  // the antumbra touches it: a ring of the Sun is seen around the Moon
  Total,    // the umbra touches it: the Sun hidden
  Hybrid,   // total at greatest eclipse, annular at one end or both of the central path
};

// The kind's name as programs and files write it: "partial", "annular",
// "total", "hybrid"; empty for a value that is no SolarEclipseKind.
constexpr std::string_view solarEclipseKindId(SolarEclipseKind kind) {
  switch (kind) {
    case SolarEclipseKind::Partial:
      return "partial";
    case SolarEclipseKind::Annular:
      return "annular";
    case SolarEclipseKind::Total:
      return "total";
    case SolarEclipseKind::Hybrid:
      return "hybrid";
  }
  return {};
}

// An eclipse of the Sun as the whole Earth sees it.
struct SolarEclipse {
  SolarEclipseKind kind;
  bool central;            // the shadow's axis meets the Earth (otherwise only the
                           // edge of the umbra or antumbra may touch it)
  TT greatest;             // greatest eclipse: the Sun and the Moon nearest, seen
                           // from the Earth's centre
  double latitude;         // radians, geodetic, of the point of greatest eclipse: where
                           // the axis meets the Earth, or the point of the Earth nearest it
  double longitude;        // radians, east positive, of the same point
  double gamma;            // least distance of the axis from the Earth's centre, in
                           // equatorial radii of the Earth, positive north of it
  double magnitude;        // at the point of greatest eclipse: the Moon's apparent
                           // diameter over the Sun's for a total, annular or
                           // hybrid eclipse, else the fraction of the Sun's
                           // diameter hidden
  double centralDuration;  // seconds the Sun stays hidden (total) or ringed
                           // (annular) at the point of greatest eclipse; 0 when
                           // not central there
  TT partialBegin;         // P1, the penumbra first touches the Earth: the partial
                           // phase begins somewhere
  TT partialEnd;           // P4, the penumbra leaves the Earth
  double deltaT;           // seconds, TT - UT of the TimeScale at greatest eclipse
  Status status;
};

// The first eclipse of the Sun whose greatest eclipse comes after `after`
// (TT). Each new moon near enough to the Moon's node is followed on the
// Sun's and the Moon's places interpolated over two days (within a metre
// of them). Greatest eclipse: the least angle between the Sun's and the
// Moon's centres seen from the Earth's centre (within seconds of the
// axis' least distance from it, which gives gamma). P1 and P4: the
// penumbra's cone tangent to the Earth (the ellipsoid made a sphere by
// stretching its polar axis, the cone stretched with it). Kind: total or
// annular as the Moon's disc is larger or smaller than the Sun's where the
// axis meets the Earth (or, for a non-central eclipse, at the edge of the
// umbra or antumbra that touches it); hybrid when total there and annular
// where the axis grazes the Earth's limb at either end of its path.
//
// Accuracy against swetest (the Swiss Ephemeris' tool; 1900-2100, 452
// eclipses, tools/accuracy/eclipses.py, docs/accuracy.md): every eclipse
// found, every kind the same; greatest eclipse within 2.1 s; magnitude
// within 0.0005 (0.0027 for the grazing hybrid of 3 October 1986); P1 and
// P4 within 20 s but for partial eclipses that graze the Earth, up to 5
// minutes. Cost: about 1 ms a search, a century of them (226) in 0.22 s of
// CPU where Astronomy Engine 2.1.19 takes 0.22-0.32 s
// (bench/eclipse_peer.sh).
ASTRO_PUBLIC SolarEclipse searchSolarEclipse(TT after, const TimeScale& scale = TimeScale{});

// One contact of a local eclipse, with the Sun's (or the Moon's) place in
// the sky of the observer then.
struct EclipseContact {
  bool occurs;  // false for a contact that does not happen (C2, C3 of a
                // partial eclipse); the other fields are then NaN
  TT tt;
  double altitude;  // radians, of the body's centre, topocentric, without refraction
  double azimuth;   // radians, from north through east
};

// An eclipse of the Sun seen from a place.
struct LocalSolarEclipse {
  bool eclipsed;           // the Moon covers some of the Sun as seen from here, Sun
                           // above the horizon or not; every field below is NaN or
                           // false otherwise
  bool seen;               // and some of that while the Sun is up (its upper limb,
                           // refracted, above the horizon: kSunHorizon)
  SolarEclipseKind kind;   // Partial, Annular or Total as seen here
  EclipseContact c1;       // first contact: the partial phase begins
  EclipseContact c2;       // second: the total or annular phase begins
  EclipseContact maximum;  // the centres nearest
  EclipseContact c3;       // third: the total or annular phase ends
  EclipseContact c4;       // last: the partial phase ends
  double magnitude;        // at maximum: fraction of the Sun's diameter hidden, or
                           // the ratio of the diameters when total or annular here
  double obscuration;      // fraction of the Sun's disc hidden at maximum
  bool atSunrise;          // the Sun rises during the eclipse
  bool atSunset;           // the Sun sets during the eclipse
  TT sunrise;              // then (NaN otherwise)
  TT sunset;
  Status status;
};

// What the observer sees of `eclipse` (of searchSolarEclipse): the contacts
// of the Moon's and the Sun's discs seen from the place (topocentric, the
// WGS84 ellipsoid, the observer's height), whether before sunrise or after
// sunset, with the Sun's altitude at each. Against swetest at twelve places,
// 1900-2100 (951 eclipses seen): contacts within 2.5 s, magnitudes within
// 0.0002 and obscurations within 0.0002, but where the discs barely touch
// (a magnitude under 0.02, or a place at the edge of the central path),
// whose contacts move by a minute or more for 0.0003 of magnitude, and whose
// kind (partial or annular at the edge) can differ.
ASTRO_PUBLIC LocalSolarEclipse localSolarEclipse(const SolarEclipse& eclipse,
                                                 const Observer& observer,
                                                 const TimeScale& scale = TimeScale{});

// The first eclipse of the Sun after `after` whose greatest eclipse comes
// after it and that is seen from the place (LocalSolarEclipse::seen), with
// its global circumstances; searches up to `limitYears` years ahead (the
// result is not eclipsed if none).
struct LocalSolarSearch {
  SolarEclipse global;
  LocalSolarEclipse local;
};
ASTRO_PUBLIC LocalSolarSearch searchLocalSolarEclipse(TT after, const Observer& observer,
                                                      const TimeScale& scale = TimeScale{},
                                                      double limitYears = 50);

enum class LunarEclipseKind : std::uint8_t {
  Penumbral,  // the Moon enters the penumbra only
  Partial,    // part of it enters the umbra
  Total,      // all of it enters the umbra
};

// The kind's name as programs and files write it: "penumbral", "partial",
// "total"; empty for a value that is no LunarEclipseKind.
constexpr std::string_view lunarEclipseKindId(LunarEclipseKind kind) {
  switch (kind) {
    case LunarEclipseKind::Penumbral:
      return "penumbral";
    case LunarEclipseKind::Partial:
      return "partial";
    case LunarEclipseKind::Total:
      return "total";
  }
  return {};
}

// How much the Earth's atmosphere enlarges its shadow.
//   Danjon     the Earth's radius (at latitude 45 degrees) made 1/85 larger:
//              the umbra's radius is 1.0118 pi' + pi_sun - s_sun and the
//              penumbra's 1.0118 pi' + pi_sun + s_sun, pi' = 0.99834 times
//              the Moon's horizontal parallax; the convention of the French
//              almanacs and of the reference the searches were measured
//              against
//   Chauvenet  both radii 1.02 times the geometric ones (the American and
//              British almanacs): the umbra about 0.8' larger than Danjon's,
//              the penumbra 1.3'; contacts of the umbra some 20 s to 1 min
//              earlier and later, magnitudes some 0.006 larger
enum class LunarShadow : std::uint8_t { Danjon, Chauvenet };

// An eclipse of the Moon. Contacts that do not happen are NaN.
struct LunarEclipse {
  LunarEclipseKind kind;
  TT greatest;                // the Moon's centre nearest the shadow's axis
  TT p1;                      // the Moon's limb touches the penumbra
  TT u1;                      // ... the umbra: the partial phase begins
  TT u2;                      // the Moon wholly in the umbra: totality begins
  TT u3;                      // totality ends
  TT u4;                      // the partial phase ends
  TT p4;                      // the Moon leaves the penumbra
  double umbralMagnitude;     // at greatest eclipse: the fraction of the Moon's
                              // diameter within the umbra (negative when none)
  double penumbralMagnitude;  // the same for the penumbra
  double gamma;               // least distance of the Moon's centre from the
                              // shadow's axis, equatorial radii of the Earth,
                              // positive when the Moon passes north of it
  double latitude;            // radians: where the Moon stands at the zenith at greatest eclipse
  double longitude;           // radians, east positive
  double deltaT;              // seconds, TT - UT of the TimeScale at greatest eclipse
  Status status;
};

// The first eclipse of the Moon whose greatest eclipse comes after `after`
// (TT), penumbral ones included, under a convention for the shadow. The
// shadow's axis points away from where the Sun's light left it (the
// aberration off, as for the Moon's place). Against the reference
// (tools/accuracy/eclipses.py, 1900-2100, 457 eclipses; docs/accuracy.md):
// under the Danjon convention every eclipse found with its kind; greatest
// eclipse within 8.2 s; contacts within 8.1 s, but for grazing ones (an
// umbral magnitude within 0.02 of 0 or 1, a penumbral eclipse of magnitude
// under 0.02) up to 41 s; umbral and penumbral magnitudes within 0.0007.
// Under Chauvenet's, three penumbral eclipses more and three penumbral ones
// partial. Cost: about 1 ms a search, a century (228) in 0.21 s of CPU
// where Astronomy Engine takes 0.33 s.
ASTRO_PUBLIC LunarEclipse searchLunarEclipse(TT after, const TimeScale& scale = TimeScale{},
                                             LunarShadow shadow = LunarShadow::Danjon);

// The Moon in the sky of a place at each contact of a lunar eclipse, in the
// order P1, U1, U2, greatest, U3, U4, P4 (occurs false for contacts that
// do not happen): topocentric altitude and azimuth of its centre without
// refraction. seen: the Moon up (its upper limb, refracted, above the
// horizon) at some instant between P1 and P4 (a penumbral eclipse) or U1
// and U4.
struct LocalLunarEclipse {
  std::array<EclipseContact, 7> contacts;
  bool seen;
  Status status;
};
ASTRO_PUBLIC LocalLunarEclipse localLunarEclipse(const LunarEclipse& eclipse,
                                                 const Observer& observer,
                                                 const TimeScale& scale = TimeScale{});

// ---- Transits of Mercury and Venus, occultations of the planets by the Moon ----
//
// Discs: the Sun's radius is 959.63" at one astronomical unit (Auwers,
// 696,000 km: the radius of the published transit and eclipse
// predictions); the Moon's 0.2725076 equatorial radii of the Earth (IAU,
// 1738.1 km: that of occultation predictions); the planets' the
// equatorial radii of appearance(). Every place is apparent (light-time,
// deflection, aberration, true equator and equinox of date) by the
// Precise theory, whatever the theory of the rest of a computation.

// One contact, or another instant of a transit or an occultation. Every
// field is NaN when the contact does not occur.
struct TransitContact {
  UT ut;                 // the instant, UT, to a tenth of a second
  TT tt;                 // the same instant, TT
  double positionAngle;  // radians, [0, kTurn): the planet's centre seen from
                         // the centre of the Sun (transit) or of the Moon
                         // (occultation), from north through east, on the
                         // true equator of date
  double sunAltitude;    // radians: the Sun's centre seen from the place,
                         // refracted (NaN for the geocentric contacts)
  double moonAltitude;   // radians: the Moon's centre seen from the place,
                         // refracted (occultations; NaN otherwise)
};

// Whether a body stands above the horizon at a contact: its upper limb
// above the apparent horizon, from the refracted altitude of its centre
// and its semi-diameter (Sun: 16', Moon: 15.5'; a planet's centre).
constexpr bool limbAboveHorizon(double refractedAltitude, double semiDiameter) {
  return refractedAltitude + semiDiameter > 0.0;
}
inline constexpr double kSunSemiDiameterUp = 16.0 / 60.0 * kPi / 180.0;
inline constexpr double kMoonSemiDiameterUp = 15.5 / 60.0 * kPi / 180.0;

// A transit of Mercury or Venus across the Sun, or the same seen from a
// place.
//   contacts[0]  C1, external ingress: the planet's disc touches the Sun's
//   contacts[1]  C2, internal ingress: the planet wholly on the Sun
//   contacts[2]  C3, internal egress
//   contacts[3]  C4, external egress
// A grazing transit, the planet never wholly on the Sun, has no C2 and C3
// (NaN). greatest is the least separation of the two centres.
struct Transit {
  SearchOutcome outcome;  // Found; NotFound: none within kTransitSearchYears
                          // (or, seen from a place, not there); NotComputable
  Body body;              // Mercury or Venus
  std::array<TransitContact, 4> contacts;
  TransitContact greatest;    // the least separation
  double leastSeparation;     // radians, between the centres, at greatest
  double sunSemiDiameter;     // radians, at greatest
  double planetSemiDiameter;  // radians, at greatest
  Status status;              // Computed within the Precise theory's span,
                              // OutsideMeasuredSpan beyond it, UnknownBody for
                              // a body other than Mercury and Venus
};

// A search for the next transit gives up after this many years: the
// longest wait between transits of Venus is 121.5 years.
inline constexpr double kTransitSearchYears = 130.0;

// searchTransit: the first transit of Mercury or Venus whose greatest
// instant comes after `after` (TT), geocentric: the apparent places from
// the Earth's centre. Candidates are the inferior conjunctions of the
// Classic theory (findEvents) closer than 0.4 degree to the Sun's centre;
// each is refined on the Precise theory's apparent places: the least
// separation by Brent's method, the contacts by the root finder, to 0.01
// s. UT from TT by the time scale given.
// Accuracy (docs/accuracy.md, tools/accuracy/transits.py): against the
// same contacts from DE405 with ERFA's IAU 2006/2000A frames, the nine
// transits of 1999-2039, within 0.60 s for the contacts, 0.34 s for the
// greatest instant and 0.02" for the least separation (TT).
// Cost (bench/transit_bench.cpp, processor time on a loaded machine): the
// 14 transits of Mercury of 2000-2100, one search after another, about 95
// ms; the 2 of Venus about 35 ms.
ASTRO_PUBLIC Transit searchTransit(Body body, TT after, const TimeScale& scale = TimeScale{});

// localTransit: the transit seen from a place, topocentric (the
// observer's position on the WGS84 ellipsoid, from the apparent sidereal
// time, and its diurnal aberration), the contacts searched near the
// geocentric ones (they differ by up to a few minutes), with the Sun's
// altitude at each. The outcome is NotFound when the transit given was not
// found. The contacts happen whether or not the Sun is up: limbAboveHorizon tells.
// Accuracy: against DE405 with ERFA's sidereal time and the WGS84 place,
// four transits at Paris, New York and Sydney, within 0.44 s (TT); in UT
// Delta T's own error adds to it. Cost: about 1 ms.
ASTRO_PUBLIC Transit localTransit(const Transit& transit, const Observer& observer,
                                  const TimeScale& scale = TimeScale{});

// An occultation of a planet by the Moon seen from a place: the planet's
// disc behind the Moon's limb.
//   contacts[0]  C1: the planet's disc touches the Moon's limb (disappearance
//                begins)
//   contacts[1]  C2: the planet wholly hidden
//   contacts[2]  C3: the planet begins to reappear
//   contacts[3]  C4: the planet wholly reappeared
//   disappearance, reappearance: the planet's centre at the Moon's limb,
//                the instants an occultation is usually given at, with the
//                position angle on the limb (from the Moon's centre)
// A grazing occultation, part of the disc hidden, has no C2 and C3, and
// none of the centre's instants when the centre stays clear (NaN).
struct Occultation {
  Body body;  // the planet
  std::array<TransitContact, 4> contacts;
  TransitContact disappearance;
  TransitContact reappearance;
  TransitContact greatest;  // the least separation of the centres
  double leastSeparation;   // radians, at greatest
  double moonSemiDiameter;  // radians, topocentric, at greatest
  double planetSemiDiameter;
  Status status;
};

struct OccultationList {
  std::vector<Occultation> occultations;  // in time order
  Status status;                          // the worst status of the positions; NotComputable when
                                          // a bound or the place is not a finite number
};

// searchOccultations: the occultations of `planet` (Mercury to Neptune) by
// the Moon seen from the place whose greatest instant lies in [start, end)
// (UT), whether or not the Moon is up there (the altitudes tell: limbAboveHorizon).
// Candidates are the Moon's close approaches to the planet within 1.5
// degrees (findEvents, Classic theory), the global test: no occultation is
// seen anywhere on the Earth farther out; each is followed from the place
// on the Precise theory's topocentric places, parallax on the WGS84
// ellipsoid. Contacts to 0.01 s.
// Accuracy (docs/accuracy.md, tools/accuracy/transits.py): against the
// same from DE405 with ERFA, the occultations of 2025 at five places
// (13 of Mars, Venus and Saturn), the contacts within 0.48 s (TT) and the
// position angles within 0.005 degree; none missed and none extra.
// Uranus and Neptune keep VSOP87's 2-4": Neptune's occultations of 5
// January 2025 are 3.8 s off.
// Cost: a year of the seven planets at one place about 40 ms of processor
// time, most of it the search of the close approaches, the same for one
// planet (bench/transit_bench.cpp).
ASTRO_PUBLIC OccultationList searchOccultations(Body planet, const Observer& observer, UT start,
                                                UT end, const TimeScale& scale = TimeScale{});
// The same for the seven planets at once, in time order: one search of
// the close approaches for all.
ASTRO_PUBLIC OccultationList searchOccultations(const Observer& observer, UT start, UT end,
                                                const TimeScale& scale = TimeScale{});

}  // namespace astro

#undef ASTRO_PUBLIC
