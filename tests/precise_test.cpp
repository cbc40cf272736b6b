// The precise theory against independent references: JPL's DE405 for the
// geometric geocentric vectors (1960-2060), Debian's swetest with
// swe-basic-data, a JPL-grade ephemeris, for the places of date (1805-2190).
// tools/accuracy/precise_reference.py prints the rows of both tables.
#include "astro/precise/precise.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "astro/astro.h"
#include "astro/precise/sincos.h"
#include "units.h"

namespace {
using namespace astro;
using precise::Vec3;

// What the precise theory promises, geometric, against a JPL ephemeris over
// 1800-2200: Sun, Moon, Mercury, Venus within 0.3"; Mars, Jupiter, Saturn
// within 1"; Uranus, Neptune within 4". Apparent places 0.1" more.
constexpr std::array<double, kBodyCount> kAngle = {0.3 * kArcsec, 0.3 * kArcsec, 0.3 * kArcsec,
                                                   0.3 * kArcsec, 1.0 * kArcsec, 1.0 * kArcsec,
                                                   1.0 * kArcsec, 4.0 * kArcsec, 4.0 * kArcsec};
constexpr double kApparentMargin = 0.1 * kArcsec;
// Distances: the same angles times the distance, for the Moon 0.5 km.
constexpr double kMoonDistanceAu = 0.5 / kAstronomicalUnitKm;
// Velocities, relative: the light-time carries a body back by its velocity,
// and 1e-5 of it is under 0.001" there.
constexpr double kVelocity = 1e-5;

double toleranceOf(Body body) {
  return kAngle[static_cast<std::size_t>(body)];
}

double separation(const Vec3& a, const Vec3& b) {
  const Vec3 c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  return std::atan2(length(c), astro::dot(a, b));
}

// The unit vector of a longitude and a latitude (degrees unless said).
Vec3 direction(double raDegrees, double decDegrees, double unit = kDegree) {
  const double ra = raDegrees * unit, dec = decDegrees * unit;
  return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

Vec3 direction(const precise::Place& place) {
  return {std::cos(place.declination) * std::cos(place.rightAscension),
          std::cos(place.declination) * std::sin(place.rightAscension),
          std::sin(place.declination)};
}

// Geocentric geometric position (AU) and velocity (AU/day), ICRF axes, from
// DE405 (TDB dates, taken as TT).
struct De405Row {
  double jd;
  Body body;
  double pv[6];
};

constexpr De405Row kDe405[] = {
    {2438000.50,
     Body::Sun,
     {-3.3962381585687e-01, -8.4918188850504e-01, -3.6825263517461e-01, 1.6437221211023e-02,
      -5.3741830625678e-03, -2.3310797355143e-03}},
    {2438000.50,
     Body::Moon,
     {1.4914684167885e-03, -1.8896705016049e-03, -8.3908445259438e-04, 4.6644652372662e-04,
      3.5591088725558e-04, 9.6789329100740e-05}},
    {2438000.50,
     Body::Mercury,
     {-4.0955186952236e-01, -1.2588846913013e+00, -5.7981447287655e-01, 3.8610156794582e-02,
      -7.0332304456522e-03, -5.5191310148674e-03}},
    {2438000.50,
     Body::Venus,
     {-2.3089230712143e-01, -1.9735357406214e-01, -8.1968760317566e-02, -3.6259043886098e-03,
      -3.1427903676621e-03, -5.7113091061984e-05}},
    {2438000.50,
     Body::Mars,
     {-7.8803874158154e-01, 5.4936232596999e-01, 2.8535694492702e-01, 3.5345587160865e-03,
      -7.9734471805522e-03, -3.1732888509769e-03}},
    {2438000.50,
     Body::Jupiter,
     {4.5004176287995e+00, -1.8668468404933e+00, -9.2247679505592e-01, 1.8100423459706e-02,
      1.7201958718613e-03, 6.6959365128176e-04}},
    {2438000.50,
     Body::Saturn,
     {6.3556451204334e+00, -7.5257933234063e+00, -3.4128549082461e+00, 2.0250792937521e-02,
      -1.8418259501863e-03, -1.0362949051760e-03}},
    {2438000.50,
     Body::Uranus,
     {-1.6618400025406e+01, 6.7598766723834e+00, 3.1950034087237e+00, 1.4606792107016e-02,
      -8.7460593011502e-03, -3.7820878664032e-03}},
    {2438000.50,
     Body::Neptune,
     {-2.2179408710206e+01, -2.0506638019498e+01, -7.8707300307814e+00, 1.8597003732438e-02,
      -7.4235943226893e-03, -3.2235580586480e-03}},
    {2442778.25,
     Body::Sun,
     {1.6692011732901e-01, -8.8909013296973e-01, -3.8552134430991e-01, 1.7242293876006e-02,
      2.7377075923747e-03, 1.1877535395843e-03}},
    {2442778.25,
     Body::Moon,
     {-4.2342275968194e-05, -2.3780818456355e-03, -8.7938501248174e-04, 5.9897304726852e-04,
      -4.5510305174225e-05, 2.7790388319662e-05}},
    {2442778.25,
     Body::Mercury,
     {5.2609883894440e-01, -9.1511756174523e-01, -4.3669985188080e-01, 1.5241561712249e-02,
      2.8497323729968e-02, 1.5154157535690e-02}},
    {2442778.25,
     Body::Venus,
     {-5.5077826439274e-01, -8.7203945637055e-01, -3.3241767283733e-01, 1.6093162002632e-02,
      -1.5794372142922e-02, -7.0753566728516e-03}},
    {2442778.25,
     Body::Mars,
     {1.3083567970454e-01, 5.4029550726566e-01, 2.7105674920813e-01, 3.7864968575389e-03,
      3.3927488653992e-03, 1.8527428296489e-03}},
    {2442778.25,
     Body::Jupiter,
     {4.5748867434522e+00, 1.2347059274692e+00, 4.1746604704219e-01, 1.3697515081098e-02,
      9.2032163182201e-03, 4.0457587092559e-03}},
    {2442778.25,
     Body::Saturn,
     {-4.2447998709461e+00, 6.3640429815465e+00, 2.7992375949363e+00, 1.2063032131055e-02,
      1.3721219657437e-04, 3.3660704560585e-04}},
    {2442778.25,
     Body::Uranus,
     {-1.5175227764530e+01, -1.0444876647026e+01, -4.3533817579997e+00, 1.9407476169016e-02,
      -4.0119674813470e-04, -2.1765145245218e-04}},
    {2442778.25,
     Body::Neptune,
     {-9.1850536052659e+00, -2.7639770722162e+01, -1.1101985529613e+01, 2.0203334775642e-02,
      1.8890262110872e-03, 7.6682550836984e-04}},
    {2447892.50,
     Body::Sun,
     {1.7828792627710e-01, -8.8723182389946e-01, -3.8468551576251e-01, 1.7203402366492e-02,
      2.9257017153023e-03, 1.2693040894717e-03}},
    {2447892.50,
     Body::Moon,
     {2.1265042091840e-03, -1.2977826309318e-03, -5.2026924723967e-04, 3.0845547824681e-04,
      4.4496062468554e-04, 2.5055746335006e-04}},
    {2447892.50,
     Body::Mercury,
     {3.4200136665701e-01, -6.4789285888989e-01, -2.7382839770850e-01, -1.2305085015175e-02,
      1.5982801147458e-02, 1.1304926974490e-02}},
    {2447892.50,
     Body::Venus,
     {1.8254632119226e-01, -2.3081508432859e-01, -8.9667008443826e-02, -3.0915470809406e-03,
      2.4713063778712e-03, 2.3495317207882e-03}},
    {2447892.50,
     Body::Mars,
     {-7.9805315855893e-01, -1.9889108820968e+00, -8.6356616225772e-01, 2.8592755686589e-02,
      -3.8983928166359e-03, -2.1688097670164e-03}},
    {2447892.50,
     Body::Jupiter,
     {-3.8881420507798e-01, 3.8131468243832e+00, 1.6439293122394e+00, 9.5990630819843e-03,
      2.4162579276647e-03, 1.2362226895181e-03}},
    {2447892.50,
     Body::Saturn,
     {2.9859504775520e+00, -9.7411695104474e+00, -4.1620487786326e+00, 2.2252295637711e-02,
      4.4352225272974e-03, 1.6754440910017e-03}},
    {2447892.50,
     Body::Uranus,
     {2.0924461004023e+00, -1.8542564385012e+01, -8.1442637621274e+00, 2.1082176324274e-02,
      3.1340434778930e-03, 1.3056944774490e-03}},
    {2447892.50,
     Body::Neptune,
     {6.5711127539394e+00, -2.8157037810503e+01, -1.1705511835299e+01, 2.0245617257959e-02,
      3.5845954678786e-03, 1.4632348627771e-03}},
    {2451545.00,
     Body::Sun,
     {1.7713510296946e-01, -8.8742852456036e-01, -3.8474289227547e-01, 1.7207625057017e-02,
      2.8981678053118e-03, 1.2563950093907e-03}},
    {2451545.00,
     Body::Moon,
     {-1.9492816783437e-03, -1.7828918821200e-03, -5.0871366665635e-04, 3.7167046845589e-04,
      -3.8469783447516e-04, -1.7403015785365e-04}},
    {2451545.00,
     Body::Mercury,
     {4.7041499954692e-02, -1.2880222457809e+00, -5.8523219763580e-01, 3.8574020709193e-02,
      -2.0281314225685e-03, -3.5910384935106e-03}},
    {2451545.00,
     Body::Venus,
     {-5.4116719293211e-01, -9.3370277516675e-01, -3.6010224955040e-01, 1.8005742623834e-02,
      -1.5593669726970e-02, -7.1133402140956e-03}},
    {2451545.00,
     Body::Mars,
     {1.5678510248019e+00, -8.8602730219824e-01, -4.2170306008917e-01, 1.7879124531383e-02,
      1.6712205367737e-02, 7.5742953432031e-03}},
    {2451545.00,
     Body::Jupiter,
     {4.1783119841393e+00, 1.8491504044551e+00, 6.9076948616143e-01, 1.2639311075503e-02,
      8.7796296935702e-03, 3.8886980866557e-03}},
    {2451545.00,
     Body::Saturn,
     {6.5835464419235e+00, 5.2872288461450e+00, 1.8900296608199e+00, 1.2915274854195e-02,
      6.4265124636316e-03, 2.8983266967519e-03}},
    {2451545.00,
     Body::Uranus,
     {1.4608994701178e+01, -1.3393688277495e+01, -6.0664251368461e+00, 1.9885729874234e-02,
      5.3601732090825e-03, 2.2968050274077e-03}},
    {2451545.00,
     Body::Neptune,
     {1.6989191086069e+01, -2.3867538209172e+01, -1.0209167693366e+01, 1.9786900652400e-02,
      4.5665910299846e-03, 1.8752101043395e-03}},
    {2460680.50,
     Body::Sun,
     {2.4699170909248e-01, -8.7328267803732e-01, -3.7855788830009e-01, 1.6934491823962e-02,
      4.0299143549695e-03, 1.7475070654091e-03}},
    {2460680.50,
     Body::Moon,
     {2.4382946182407e-03, -4.3533070015614e-04, -2.3661316554524e-04, 1.1230841787614e-04,
      5.2564925544816e-04, 2.8520053796069e-04}},
    {2460680.50,
     Body::Mercury,
     {-1.0863740735263e-01, -1.1117460857053e+00, -4.6908690218071e-01, 2.7554755566629e-02,
      -1.4718466724310e-02, -9.3686298308013e-03}},
    {2460680.50,
     Body::Venus,
     {6.3447262403637e-01, -3.0894854843343e-01, -1.4914156855627e-01, -1.9411147228373e-04,
      1.3457590665604e-02, 7.0733179737969e-03}},
    {2460680.50,
     Body::Mars,
     {-3.2523813666867e-01, 4.9487634129224e-01, 2.6441895385413e-01, 4.3765253421040e-03,
      4.8369807678697e-04, 4.5969089973092e-04}},
    {2460680.50,
     Body::Jupiter,
     {1.2731012709406e+00, 3.7122755468145e+00, 1.5619598363427e+00, 9.4491465968748e-03,
      5.6909586268171e-03, 2.6416815121460e-03}},
    {2460680.50,
     Body::Saturn,
     {9.7108728538274e+00, -2.3344060816326e+00, -1.3895541239762e+00, 1.7631040284448e-02,
      9.1048946784579e-03, 3.8136126425297e-03}},
    {2460680.50,
     Body::Uranus,
     {1.1337511449639e+01, 1.3934070326676e+01, 5.9496620006379e+00, 1.3658987197542e-02,
      5.8916809836429e-03, 2.6092449143162e-03}},
    {2460680.50,
     Body::Neptune,
     {3.0127109127864e+01, -1.1747698204920e+00, -1.2458001287552e+00, 1.6972422322088e-02,
      6.9560035912525e-03, 2.9442565928935e-03}},
    {2471000.75,
     Body::Sun,
     {9.5147125167031e-01, 2.8589040321831e-01, 1.2389953909641e-01, -5.0687109497089e-03,
      1.5059190134794e-02, 6.5269704049101e-03}},
    {2471000.75,
     Body::Moon,
     {-6.8044622339227e-04, -2.4784672370213e-03, -8.0989814960016e-04, 5.4031231214897e-04,
      -1.4399850516153e-04, -5.2030460917890e-05}},
    {2471000.75,
     Body::Mercury,
     {1.1389007862607e+00, -5.9378840758036e-02, -7.9971330175722e-02, 1.4751054411390e-02,
      2.7632900360866e-02, 1.1191883354020e-02}},
    {2471000.75,
     Body::Venus,
     {1.5655951236438e+00, 6.4882829802884e-01, 2.4840353055731e-01, -1.5824806903350e-02,
      3.0390089769747e-02, 1.4107114999347e-02}},
    {2471000.75,
     Body::Mars,
     {1.8860679432267e-01, 1.5870426888725e+00, 7.4125602803154e-01, -1.6907623101359e-02,
      1.0070992454167e-02, 4.5574919554992e-03}},
    {2471000.75,
     Body::Jupiter,
     {-3.7873751201820e+00, -2.2195279875767e+00, -8.3460821204497e-01, -1.4497521332276e-03,
      9.3691216803993e-03, 4.0001955180704e-03}},
    {2471000.75,
     Body::Saturn,
     {9.8204768409967e+00, -3.2820493209912e+00, -1.7324833730733e+00, -3.0717391497251e-03,
      1.9778252997835e-02, 8.3904688473244e-03}},
    {2471000.75,
     Body::Uranus,
     {-1.7328491585310e+01, -5.5467100209690e-01, 1.4128594506205e-02, -4.9194024940668e-03,
      1.1287331220562e-02, 4.8728759273231e-03}},
    {2471000.75,
     Body::Neptune,
     {1.5155190389164e+01, 2.4673013120018e+01, 9.7519439703069e+00, -7.8429393389154e-03,
      1.6433016536325e-02, 7.1582416668303e-03}},
};

TEST(PreciseTheory, GeocentricVectorsAgainstDe405) {
  for (const De405Row& row : kDe405) {
    SCOPED_TRACE(testing::Message() << bodyId(row.body) << " at JD " << row.jd);
    const precise::State s = precise::geocentric(row.body, row.jd);
    const Vec3 position{row.pv[0], row.pv[1], row.pv[2]};
    const Vec3 velocity{row.pv[3], row.pv[4], row.pv[5]};
    const double distance = length(position);
    EXPECT_LT(separation(s.position, position), toleranceOf(row.body));
    EXPECT_NEAR(length(s.position), distance,
                row.body == Body::Moon ? kMoonDistanceAu : toleranceOf(row.body) * distance);
    EXPECT_LT(length(s.velocity - velocity), kVelocity * length(velocity));
  }
}

// ERFA's Earth, for the apsides: minus DE405's geocentric Sun.
TEST(PreciseTheory, Epv00EarthAgainstDe405) {
  for (const De405Row& row : kDe405) {
    if (row.body != Body::Sun) continue;
    SCOPED_TRACE(testing::Message() << "JD " << row.jd);
    const precise::State earth = precise::earthHeliocentricEpv00(row.jd);
    const Vec3 expected{-row.pv[0], -row.pv[1], -row.pv[2]};
    EXPECT_LT(separation(earth.position, expected), 0.03 * kArcsec);
    EXPECT_NEAR(length(earth.position), length(expected), 10.0 / kAstronomicalUnitKm);
    const Vec3 velocity{-row.pv[3], -row.pv[4], -row.pv[5]};
    EXPECT_LT(length(earth.velocity - velocity), kVelocity * length(velocity));
  }
}

// The Sun's barycentric velocity (AU/day, ICRF axes) from DE405: what the
// aberration adds to the Earth's heliocentric velocity.
struct SunVelocityRow {
  double jd;
  double v[3];
};

constexpr SunVelocityRow kSunVelocity[] = {
    {2438000.50, {-2.6065383781134e-06, -7.5412630774465e-06, -3.1334938986189e-06}},
    {2447892.50, {5.5867671899643e-06, 2.1833793424863e-08, -9.5316637185238e-08}},
    {2460680.50, {7.1749264976924e-06, -3.2710504489740e-06, -1.5470901268228e-06}},
    {2471000.75, {-3.8732490246979e-06, 4.1797927006022e-06, 1.9180737193059e-06}},
};

// 0.05 m/s, as promised: an apparent place moves by under 0.0001".
constexpr double kSunVelocityTolerance = 0.05 * 86400.0 / 1000.0 / kAstronomicalUnitKm;

TEST(PreciseTheory, SunAboutTheBarycentreAgainstDe405) {
  for (const SunVelocityRow& row : kSunVelocity) {
    SCOPED_TRACE(testing::Message() << "JD " << row.jd);
    const Vec3 v = precise::sunBarycentricVelocity(row.jd);
    EXPECT_LT(length(v - Vec3{row.v[0], row.v[1], row.v[2]}), kSunVelocityTolerance);
  }
}

// swetest's apparent place (true equator and equinox of date: right
// ascension, declination in degrees, light-time distance in AU; true
// ecliptic of date: longitude, latitude in degrees) and geometric place of
// the mean equator, equinox and ecliptic of date (swetest -true -nonut), at
// TT dates.
struct SwetestPlace {
  double ra, dec, distance, longitude, latitude;
};

struct SwetestRow {
  double jd;
  Body body;
  SwetestPlace apparent;
  SwetestPlace geometric;
};

constexpr SwetestRow kSwetest[] = {
    {2380322.50,
     Body::Sun,
     {281.1199665, -23.0715902, 0.983227238, 280.2205586, -0.0000460},
     {281.1214216, -23.0705155, 0.983227198, 280.2219760, -0.0000459}},
    {2380322.50,
     Body::Moon,
     {280.7621630, -24.5356183, 0.002692574, 279.7834326, -1.4351414},
     {280.7574892, -24.5349462, 0.002692575, 279.7792455, -1.4351248}},
    {2380322.50,
     Body::Mercury,
     {301.1076035, -21.9926912, 1.091018200, 298.6352023, -1.5695260},
     {301.1114664, -21.9902315, 1.090834848, 298.6392281, -1.5687199}},
    {2380322.50,
     Body::Venus,
     {243.0936776, -19.3796114, 1.239649744, 244.7167954, 1.7529738},
     {243.0983689, -19.3797624, 1.239765363, 244.7211906, 1.7527332}},
    {2380322.50,
     Body::Mars,
     {141.8567626, 18.9949679, 0.743020122, 138.1822639, 3.7854160},
     {141.8514873, 18.9961085, 0.743043767, 138.1772073, 3.7855897}},
    {2380322.50,
     Body::Jupiter,
     {235.4375209, -18.7801510, 6.077244245, 237.5092527, 0.8679837},
     {235.4400609, -18.7798380, 6.077267821, 237.5115328, 0.8680018}},
    {2380322.50,
     Body::Saturn,
     {195.3396575, -3.9225066, 9.643639684, 195.6390300, 2.4268096},
     {195.3379618, -3.9212405, 9.643687754, 195.6370199, 2.4270630}},
    {2380322.50,
     Body::Uranus,
     {199.3328546, -7.4968591, 18.564532177, 200.6743658, 0.6312624},
     {199.3311574, -7.4957460, 18.564565246, 200.6723981, 0.6313142}},
    {2380322.50,
     Body::Neptune,
     {235.3298293, -17.9264777, 31.037843794, 237.2164591, 1.6763902},
     {235.3309561, -17.9257689, 31.037855099, 237.2173587, 1.6764961}},
    {2396758.00,
     Body::Sun,
     {280.6397180, -23.0958639, 0.983230970, 279.7781876, -0.0000474},
     {280.6488957, -23.0975122, 0.983230946, 279.7864856, -0.0000472}},
    {2396758.00,
     Body::Moon,
     {128.9525635, 17.0361868, 0.002405441, 126.9639861, -1.5588788},
     {128.9557642, 17.0373106, 0.002405552, 126.9667061, -1.5588609}},
    {2396758.00,
     Body::Mercury,
     {288.6100662, -24.4809716, 1.384994568, 286.8958662, -2.1102021},
     {288.6273867, -24.4813262, 1.384905113, 286.9114424, -2.1103596}},
    {2396758.00,
     Body::Venus,
     {264.5188445, -23.0814337, 1.630920635, 264.9587445, 0.2791269},
     {264.5343144, -23.0846575, 1.630987497, 264.9730871, 0.2787351}},
    {2396758.00,
     Body::Mars,
     {80.6020977, 26.4908569, 0.619695970, 81.5822586, 3.3087521},
     {80.6034881, 26.4932510, 0.619690759, 81.5836781, 3.3087866}},
    {2396758.00,
     Body::Jupiter,
     {174.0701268, 3.9450843, 5.053221177, 172.9944716, 1.2657099},
     {174.0732736, 3.9441850, 5.053262807, 172.9976607, 1.2658472}},
    {2396758.00,
     Body::Saturn,
     {2.6414219, -1.4614330, 9.529648046, 1.8417528, -2.3919239},
     {2.6461174, -1.4590860, 9.529599486, 1.8469018, -2.3917129}},
    {2396758.00,
     Body::Uranus,
     {20.8622522, 8.1562640, 19.666129865, 22.3263465, -0.5828385},
     {20.8642650, 8.1580767, 19.666096604, 22.3288487, -0.5827702}},
    {2396758.00,
     Body::Neptune,
     {334.8988597, -11.1946034, 30.558504798, 332.6728157, -0.7133821},
     {334.9059549, -11.1930145, 30.558485833, 332.6798558, -0.7133543}},
    {2422324.50,
     Body::Sun,
     {280.1001020, -23.1229796, 0.983256949, 279.2812049, 0.0000709},
     {280.1023000, -23.1245216, 0.983256922, 279.2831138, 0.0000707}},
    {2422324.50,
     Body::Moon,
     {29.2149761, 14.0056651, 0.002467662, 32.0779879, 1.9248143},
     {29.2110607, 14.0052027, 0.002467432, 32.0743113, 1.9247973}},
    {2422324.50,
     Body::Mercury,
     {258.8730448, -22.2991132, 1.205866098, 259.7137072, 0.7522935},
     {258.8789125, -22.3021615, 1.206013026, 259.7193506, 0.7513452}},
    {2422324.50,
     Body::Venus,
     {234.3239848, -16.8097186, 0.965245384, 236.0254019, 2.5283478},
     {234.3263404, -16.8118153, 0.965351777, 236.0280429, 2.5282432}},
    {2422324.50,
     Body::Mars,
     {195.9585015, -4.6969031, 1.472845266, 196.5072406, 1.9434679},
     {195.9586459, -4.6974202, 1.472907513, 196.5075163, 1.9435287}},
    {2422324.50,
     Body::Jupiter,
     {139.7053626, 16.5013149, 4.495189141, 137.0025939, 0.7930664},
     {139.6997711, 16.5043377, 4.495219182, 136.9965503, 0.7931590}},
    {2422324.50,
     Body::Saturn,
     {163.7327249, 8.8767496, 8.801249207, 161.6109969, 1.8015714},
     {163.7286718, 8.8792193, 8.801290470, 161.6062995, 1.8017864}},
    {2422324.50,
     Body::Uranus,
     {331.3641920, -12.5228965, 20.661811628, 328.9672587, -0.7313131},
     {331.3655697, -12.5232758, 20.661801919, 328.9683679, -0.7312612}},
    {2422324.50,
     Body::Neptune,
     {133.4088374, 17.4584743, 29.216092090, 130.9608786, -0.0296616},
     {133.4013836, 17.4618631, 29.216105708, 130.9531132, -0.0296311}},
    {2488069.50,
     Body::Sun,
     {281.5315393, -23.0052956, 0.983357733, 280.6033276, 0.0000785},
     {281.5366144, -23.0025777, 0.983357685, 280.6082004, 0.0000783}},
    {2488069.50,
     Body::Moon,
     {159.5082463, 9.8033288, 0.002484526, 157.4003347, 1.0927269},
     {159.5071838, 9.8027453, 0.002484736, 157.3996222, 1.0927095}},
    {2488069.50,
     Body::Mercury,
     {289.8122082, -24.3120078, 1.386115803, 288.0044235, -2.1126692},
     {289.8249883, -24.3083253, 1.386026033, 288.0164960, -2.1128537}},
    {2488069.50,
     Body::Venus,
     {323.0840375, -16.5429614, 1.125748532, 320.0694729, -1.8524342},
     {323.0902501, -16.5392012, 1.125634978, 320.0763777, -1.8522901}},
    {2488069.50,
     Body::Mars,
     {27.1154126, 12.1900872, 0.869953271, 29.5249812, 0.9517474},
     {27.1169151, 12.1894939, 0.869915143, 29.5261106, 0.9518450}},
    {2488069.50,
     Body::Jupiter,
     {200.0781048, -7.0852723, 5.545856175, 201.2061969, 1.2766065},
     {200.0807526, -7.0852759, 5.545898018, 201.2086856, 1.2767241}},
    {2488069.50,
     Body::Saturn,
     {204.6501947, -7.6467640, 9.874018057, 205.6315738, 2.4222173},
     {204.6528145, -7.6464157, 9.874065437, 205.6339614, 2.4224521}},
    {2488069.50,
     Body::Uranus,
     {16.6015772, 6.3770152, 19.824750123, 17.7411892, -0.6294653},
     {16.6014448, 6.3762549, 19.824719016, 17.7408027, -0.6293932}},
    {2488069.50,
     Body::Neptune,
     {168.6856158, 5.9061317, 29.804984467, 167.2905955, 0.9638903},
     {168.6834089, 5.9066181, 29.805004659, 167.2884231, 0.9640057}},
    {2520942.25,
     Body::Sun,
     {282.5190176, -22.9172566, 0.983451909, 281.5167325, 0.0001696},
     {282.5289988, -22.9149804, 0.983451938, 281.5260879, 0.0001694}},
    {2520942.25,
     Body::Moon,
     {216.6532424, -13.2593650, 0.002460980, 218.6441567, 1.1714785},
     {216.6571907, -13.2596844, 0.002461201, 218.6479258, 1.1714607}},
    {2520942.25,
     Body::Mercury,
     {264.7177798, -23.1690951, 1.294717154, 265.1448524, 0.1580773},
     {264.7335560, -23.1690701, 1.294843760, 265.1593460, 0.1571315}},
    {2520942.25,
     Body::Venus,
     {237.0352768, -15.8998355, 0.468027353, 238.3609831, 3.9723396},
     {237.0410571, -15.8996592, 0.468078965, 238.3664397, 3.9724343}},
    {2520942.25,
     Body::Mars,
     {337.2879103, -10.5512963, 1.735399463, 335.0930838, -0.9850148},
     {337.2982476, -10.5464478, 1.735319059, 335.1043414, -0.9848642}},
    {2520942.25,
     Body::Jupiter,
     {33.2535180, 12.0893160, 4.498892418, 35.1263795, -1.1972506},
     {33.2574349, 12.0898880, 4.498859822, 35.1302085, -1.1971175}},
    {2520942.25,
     Body::Saturn,
     {223.7872441, -14.3101927, 10.342582975, 225.5677739, 2.2723535},
     {223.7960457, -14.3114551, 10.342624690, 225.5763544, 2.2725171}},
    {2520942.25,
     Body::Uranus,
     {40.9829577, 15.4492218, 19.188946332, 43.3107289, -0.3878355},
     {40.9850228, 15.4488147, 19.188912038, 43.3125130, -0.3877878}},
    {2520942.25,
     Body::Neptune,
     {0.5144148, -1.1874780, 30.067950552, 0.0000653, -1.2940977},
     {0.5196393, -1.1851004, 30.067929474, 0.0058389, -1.2939920}},
};

void expectPlace(const precise::Place& place, const SwetestPlace& expected, Body body,
                 double angle) {
  EXPECT_LT(separation(direction(place), direction(expected.ra, expected.dec)), angle);
  const Vec3 ecliptic = direction(place.eclipticLongitude, place.eclipticLatitude, kRadian);
  EXPECT_LT(separation(ecliptic, direction(expected.longitude, expected.latitude)), angle);
  EXPECT_NEAR(place.distanceAu, expected.distance,
              body == Body::Moon ? kMoonDistanceAu : toleranceOf(body) * expected.distance);
  // The place's vector and its angles say the same.
  EXPECT_LT(separation(direction(place), place.vector), 1e-6 * kArcsec);
  EXPECT_NEAR(length(place.vector), place.distanceAu, 1e-15);
}

TEST(PreciseTheory, PlacesOfDateAgainstSwetest) {
  for (const SwetestRow& row : kSwetest) {
    SCOPED_TRACE(testing::Message() << bodyId(row.body) << " at JD " << row.jd);
    const precise::Epoch epoch = precise::epochAt(row.jd);
    const double angle = toleranceOf(row.body);
    {
      SCOPED_TRACE("apparent");
      expectPlace(precise::apparentPosition(row.body, epoch), row.apparent, row.body,
                  angle + kApparentMargin);
    }
    {
      SCOPED_TRACE("geometric");
      expectPlace(precise::geometricPosition(row.body, epoch), row.geometric, row.body, angle);
    }
  }
}

// swetest's topocentric apparent places (-topo: true equator and equinox of
// date, degrees; distance, AU) at TT dates, from sites given as east
// longitude, latitude (degrees) and height (m); the Delta T (s) is the one
// swetest took for the sidereal time.
struct TopocentricRow {
  double jd;
  double deltaT;
  double site[3];
  Body body;
  double ra, dec, distance;
};

constexpr TopocentricRow kTopocentric[] = {
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Sun, 281.2775942, -23.0348434, 0.983314271},
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Moon, 221.9123365, -11.6241035, 0.002682583},
    {2451545.00,
     63.8289,
     {2.35, 48.85, 35.0},
     Body::Mercury,
     272.0732182,
     -24.4204904,
     1.415454078},
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Venus, 239.8908860, -18.4505880, 1.137564923},
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Mars, 330.5169671, -13.1837761, 1.849672796},
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Jupiter, 23.8681647, 8.5938363, 4.621164284},
    {2451545.00, 63.8289, {2.35, 48.85, 35.0}, Body::Saturn, 38.7655745, 12.6145296, 8.652790851},
    {2451545.00,
     63.8289,
     {2.35, 48.85, 35.0},
     Body::Uranus,
     317.4748897,
     -17.0204307,
     20.727151100},
    {2451545.00,
     63.8289,
     {2.35, 48.85, 35.0},
     Body::Neptune,
     305.4328954,
     -19.2133099,
     31.024478241},
    {2433282.75, 28.9321, {-78.5, -0.2, 2800.0}, Body::Sun, 281.1608810, -23.0504060, 0.983278800},
    {2433282.75, 28.9321, {-78.5, -0.2, 2800.0}, Body::Moon, 60.9130641, 25.1765609, 0.002641598},
    {2433282.75,
     28.9321,
     {-78.5, -0.2, 2800.0},
     Body::Mercury,
     302.1490130,
     -21.3719656,
     0.996636446},
    {2433282.75,
     28.9321,
     {-78.5, -0.2, 2800.0},
     Body::Venus,
     319.3028475,
     -15.0771586,
     0.373206656},
    {2433282.75, 28.9321, {-78.5, -0.2, 2800.0}, Body::Mars, 183.1157354, 1.3933151, 1.213079960},
    {2433282.75,
     28.9321,
     {-78.5, -0.2, 2800.0},
     Body::Jupiter,
     309.1059726,
     -19.2050485,
     5.937096881},
    {2433282.75, 28.9321, {-78.5, -0.2, 2800.0}, Body::Saturn, 171.0833910, 6.0293864, 8.958595403},
    {2433282.75,
     28.9321,
     {-78.5, -0.2, 2800.0},
     Body::Uranus,
     92.9182760,
     23.6900433,
     17.970348088},
    {2433282.75,
     28.9321,
     {-78.5, -0.2, 2800.0},
     Body::Neptune,
     196.5296186,
     -5.3125926,
     30.399397619},
    {2506332.30, 121.6631, {151.2, -33.9, 50.0}, Body::Sun, 282.2619707, -22.9393128, 0.983410084},
    {2506332.30, 121.6631, {151.2, -33.9, 50.0}, Body::Moon, 315.8938746, -18.9122266, 0.002658202},
    {2506332.30,
     121.6631,
     {151.2, -33.9, 50.0},
     Body::Mercury,
     259.7434473,
     -21.9509317,
     1.150142001},
    {2506332.30,
     121.6631,
     {151.2, -33.9, 50.0},
     Body::Venus,
     242.6413198,
     -16.6942831,
     0.384515239},
    {2506332.30, 121.6631, {151.2, -33.9, 50.0}, Body::Mars, 266.5607903, -23.8917107, 2.421611351},
    {2506332.30,
     121.6631,
     {151.2, -33.9, 50.0},
     Body::Jupiter,
     265.8388577,
     -23.0124322,
     6.233604265},
    {2506332.30, 121.6631, {151.2, -33.9, 50.0}, Body::Saturn, 82.3437262, 21.8404809, 8.080402595},
    {2506332.30,
     121.6631,
     {151.2, -33.9, 50.0},
     Body::Uranus,
     243.0624635,
     -20.9627999,
     19.628916337},
    {2506332.30,
     121.6631,
     {151.2, -33.9, 50.0},
     Body::Neptune,
     274.4630815,
     -22.2721176,
     31.228500313},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Sun, 99.3346977, 23.1586018, 1.016602740},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Moon, 159.8998157, 8.7961024, 0.002615530},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Mercury, 126.5866472, 19.9350418, 0.899432669},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Venus, 53.3322774, 16.4551523, 0.929580565},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Mars, 159.3409186, 9.8009628, 1.918830678},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Jupiter, 95.0186492, 23.2269037, 6.158420948},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Saturn, 2.5310151, -1.3359040, 9.402052827},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Uranus, 57.5172221, 19.8736409, 20.303046578},
    {2460856.60, 68.9515, {18.9, 69.6, 10.0}, Body::Neptune, 2.5163869, -0.3512417, 29.758971006},
};

TEST(PreciseTheory, TopocentricPlacesAgainstSwetest) {
  for (const TopocentricRow& row : kTopocentric) {
    SCOPED_TRACE(testing::Message() << bodyId(row.body) << " at JD " << row.jd);
    const precise::Epoch epoch = precise::epochAt(row.jd);
    const precise::Site site{row.site[0] * kDegree, row.site[1] * kDegree, row.site[2]};
    const precise::State at = precise::siteGeocentric(site, row.jd - row.deltaT / 86400.0, epoch);
    const precise::Place place = precise::topocentricPosition(row.body, epoch, at);
    EXPECT_LT(separation(direction(place), direction(row.ra, row.dec)),
              toleranceOf(row.body) + kApparentMargin);
    EXPECT_NEAR(place.distanceAu, row.distance,
                row.body == Body::Moon ? kMoonDistanceAu : toleranceOf(row.body) * row.distance);
  }
}

// Greenwich apparent sidereal time against ERFA's gst06a (IAU 2006/2000A,
// from Python's erfa), UT1 and TT apart by the dates' Delta T: the IAU
// 2000B nutation of the epoch may differ from 2000A by a milliarcsecond.
TEST(PreciseTheory, ApparentSiderealTime) {
  struct Row {
    double ut1;
    double tt;
    double gast;  // radians
  };
  constexpr Row kRows[] = {
      {2451545.0, 2451545.000740741, 4.894899323193977},
      {2460680.5, 2460680.500800926, 1.8298422240170809},
      {2396758.0, 2396758.0000810185, 4.883379699983505},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << "UT1 " << row.ut1);
    const double gast = precise::apparentSiderealTime(row.ut1, precise::epochAt(row.tt));
    EXPECT_NEAR(gast, row.gast, 0.005 * kArcsec);
  }
}

// The series' sine and cosine against the C library's in extended
// precision: near zero, on each side of the quadrants' edges (where the
// reduction changes its multiple of pi/2), at the largest arguments the
// series reach, and past the exact reduction's range, where the error may
// reach the spacing of doubles at x. A pair gives what each alone gives.
TEST(PreciseTheory, SineAndCosineOfTheSeries) {
  constexpr double kHalfPi = 1.57079632679489661923;
  const double arguments[] = {0.0,
                              1e-300,
                              -0.3,
                              0.25 * kHalfPi * 2.0,
                              std::nextafter(0.5 * kHalfPi, 0.0),
                              std::nextafter(0.5 * kHalfPi, 2.0),
                              3.0 * kHalfPi,
                              -5.5 * kHalfPi,
                              12345.678,
                              -987654.321,
                              1.59e6,
                              2.0e6,
                              -1e9};
  for (double x : arguments) {
    SCOPED_TRACE(testing::Message() << "x = " << x);
    const precise::SinCos sc = precise::sinCos(x);
    const double tolerance =
        std::fabs(x) < 1.6e6 ? 4e-16 : std::nextafter(std::fabs(x), 2e9) - std::fabs(x);
    EXPECT_NEAR(sc.sin, static_cast<double>(std::sin(static_cast<long double>(x))), tolerance);
    EXPECT_NEAR(sc.cos, static_cast<double>(std::cos(static_cast<long double>(x))), tolerance);
    const precise::Pair pair = {x, 0.5 - x};
    const precise::SinCosOf<precise::Pair> both = precise::sinCosOf(pair);
    const precise::SinCos second = precise::sinCos(0.5 - x);
    EXPECT_EQ(both.sin[0], sc.sin);
    EXPECT_EQ(both.cos[0], sc.cos);
    EXPECT_EQ(both.sin[1], second.sin);
    EXPECT_EQ(both.cos[1], second.cos);
  }
}

}  // namespace
