// Element and heliocentric corrections of Uranus and Neptune.
//
// Element rows: factor, term, then dL (degrees), dH (degrees), de
// (millionths) and da (millionths of an AU). Heliocentric rows: factor,
// term, then dl (degrees) and dr (AU). A coefficient {c0, c1, c2} is
// c0 + c1 tau + c2 tau^2 and {} is an empty cell. The angles W, X, Y, Z, G,
// K and N are those of seriesArguments.
#pragma once

#include <iterator>

#include "astro/series.h"

namespace astro {

// The angles by their letters, within these tables only.
namespace uranus_neptune {
using enum Angle;

// clang-format off
inline constexpr SeriesRow<4> kUranusElementSeries[] = {
    // factor term          dL                  dH        de      da
    {one,    sinOf(W),    {{0.8643},          {0.1203}, {-335}, {}}},
    {one,    cosOf(W),    {{0.0822, -0.0068}, {0.0195}, {2098}, {-3825}}},
    {one,    sinOf(2, W), {{0.036},           {0.0062}, {},     {}}},
    {one,    cosOf(2, W), {{},                {},       {131},  {}}},
};
// clang-format on
static_assert(std::size(kUranusElementSeries) == 4);

// clang-format off
inline constexpr SeriesRow<4> kNeptuneElementSeries[] = {
    // factor term          dL         dH         de     da
    {one,    sinOf(W),    {{-0.5898}, {0.024},   {439}, {-817}}},
    {one,    cosOf(W),    {{-0.0561}, {-0.0253}, {426}, {8189}}},
    {one,    sinOf(2, W), {{-0.0243}, {},        {113}, {}}},
    {one,    cosOf(2, W), {{},        {},        {109}, {781}}},
};
// clang-format on
static_assert(std::size(kNeptuneElementSeries) == 4);

// clang-format off
inline constexpr SeriesRow<2> kUranusHeliocentricSeries[] = {
    // factor   term             dl                 dr
    {one,      one,            {{},                {-0.02595}}},
    {one,      sinOf(X),       {{-0.0148},         {}}},
    {one,      cosOf(X),       {{},                {0.00498}}},
    {one,      cosOf(Y),       {{},                {0.00335}}},
    {one,      sinOf(Z),       {{0.0099},          {}}},
    {one,      cosOf(Z),       {{},                {0.00089}}},
    {one,      sinOf(2, Z),    {{0.0088},          {}}},
    {one,      cosOf(2, Z),    {{},                {0.0009}}},
    {one,      cosOf(3, Z),    {{},                {-0.00089}}},
    {one,      cosOf(G),       {{},                {-0.00123}}},
    {one,      sinOf(1, G, Y), {{0.0101, -0.001},  {}}},
    {one,      cosOf(1, G, Y), {{-0.0386, 0.002},  {}}},
    {one,      cosOf(2, G, Y), {{0.035, -0.001},   {}}},
    {sinOf(Y), sinOf(G),       {{},                {-0.00116}}},
    {sinOf(Y), cosOf(G),       {{},                {0.00579}}},
    {sinOf(Y), cosOf(2, G),    {{},                {0.00139}}},
    {cosOf(Y), sinOf(G),       {{},                {0.0057}}},
    {cosOf(Y), cosOf(G),       {{},                {0.00135}}},
    {cosOf(Y), sinOf(2, G),    {{},                {0.00139}}},
};
// clang-format on
static_assert(std::size(kUranusHeliocentricSeries) == 19);

// clang-format off
inline constexpr SeriesRow<2> kNeptuneHeliocentricSeries[] = {
    // factor term          dl          dr
    {one,    one,         {{},        {-0.0406}}},
    {one,    sinOf(K),    {{0.0096},  {}}},
    {one,    cosOf(K),    {{},        {0.00499}}},
    {one,    sinOf(N),    {{0.0052},  {}}},
    {one,    cosOf(N),    {{},        {0.00274}}},
    {one,    cosOf(Z),    {{},        {0.00204}}},
    {one,    cosOf(2, Z), {{},        {0.00105}}},
};
// clang-format on
static_assert(std::size(kNeptuneHeliocentricSeries) == 7);

}  // namespace uranus_neptune

using uranus_neptune::kNeptuneElementSeries;
using uranus_neptune::kNeptuneHeliocentricSeries;
using uranus_neptune::kUranusElementSeries;
using uranus_neptune::kUranusHeliocentricSeries;

}  // namespace astro
