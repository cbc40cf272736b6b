// Element corrections of Jupiter and Saturn.
//
// Each row: factor, term, then the coefficients of dL (degrees), dH
// (degrees), de (millionths) and da (millionths of an AU); a coefficient
// {c0, c1, c2} is c0 + c1 tau + c2 tau^2 and {} is an empty cell. The angles
// Q, S and V are those of seriesArguments.
#pragma once

#include <iterator>

#include "astro/series.h"

namespace astro {

// The angles by their letters, within these tables only.
namespace jupiter_saturn {
using enum Angle;

// clang-format off
inline constexpr SeriesRow<4> kJupiterElementSeries[] = {
    // factor     term           dL                          dH                de          da
    {one,        sinOf(S),     {{0.3314, -0.0103, -0.0047}, {0.0072, -0.0031}, {361, 13}, {}}},
    {one,        cosOf(S),     {{0.0032, -0.0644, 0.0021},  {-0.0204},         {129, -58}, {-263}}},
    {one,        sinOf(V),     {{0.0136},                   {},                {},         {}}},
    {one,        cosOf(V),     {{},                         {},                {},         {205}}},
    {one,        sinOf(2, V),  {{0.0185},                   {},                {},         {}}},
    {one,        cosOf(2, V),  {{},                         {},                {},         {693}}},
    {one,        sinOf(3, V),  {{0.0067},                   {},                {},         {}}},
    {one,        cosOf(3, V),  {{},                         {},                {},         {312}}},
    {sinOf(Q),   sinOf(V),     {{0.0073},                   {0.0073},          {-676},     {299}}},
    {sinOf(Q),   cosOf(V),     {{-0.0338},                  {0.034},           {128},      {}}},
    {sinOf(Q),   sinOf(2, V),  {{0.0064},                   {},                {-111},     {}}},
    {sinOf(Q),   cosOf(2, V),  {{},                         {0.0056},          {},         {}}},
    {cosOf(Q),   sinOf(V),     {{-0.0357},                  {0.0378},          {146},      {}}},
    {cosOf(Q),   cosOf(V),     {{-0.0063},                  {-0.0066},         {607},      {-337}}},
    {cosOf(Q),   sinOf(2, V),  {{},                         {0.0062},          {},         {204}}},
    {cosOf(Q),   cosOf(2, V),  {{-0.0067},                  {},                {99},       {}}},
    {cosOf(Q),   cosOf(3, V),  {{},                         {},                {51},       {}}},
    {cosOf(Q),   one,          {{},                         {},                {-82},      {}}},
    {sinOf(2, Q), sinOf(V),    {{},                         {-0.0054},         {-96},      {}}},
    {sinOf(2, Q), cosOf(V),    {{},                         {},                {-100},     {}}},
    {cosOf(2, Q), sinOf(V),    {{},                         {},                {-96},      {}}},
    {cosOf(2, Q), cosOf(V),    {{},                         {0.0055},          {102},      {}}},
};
// clang-format on
static_assert(std::size(kJupiterElementSeries) == 22);

// clang-format off
inline constexpr SeriesRow<4> kSaturnElementSeries[] = {
    // factor     term           dL                          dH                de           da
    {one,        sinOf(S),     {{-0.8142, 0.0181, 0.0167},  {0.0771, 0.0072},  {-793, 255}, {}}},
    {one,        cosOf(S),     {{-0.0105, 0.1609, -0.0041}, {0.0458, -0.0148}, {1338, 123}, {2933}}},
    {one,        sinOf(V),     {{-0.1488},                  {},                {},          {}}},
    {one,        cosOf(V),     {{},                         {},                {},          {33629}}},
    {one,        sinOf(2, V),  {{-0.0408},                  {},                {},          {}}},
    {one,        cosOf(2, V),  {{},                         {},                {},          {-3081}}},
    {one,        sinOf(3, V),  {{-0.0152},                  {},                {},          {}}},
    {one,        cosOf(3, V),  {{},                         {},                {},          {-1423}}},
    {one,        cosOf(4, V),  {{},                         {},                {},          {-671}}},
    {sinOf(Q),   sinOf(V),     {{0.0089},                   {-0.0758},         {39, -62},   {-2812}}},
    {sinOf(Q),   cosOf(V),     {{0.0813},                   {},                {2660},      {2138}}},
    {sinOf(Q),   sinOf(2, V),  {{-0.0165},                  {-0.0248},         {},          {688}}},
    {sinOf(Q),   cosOf(2, V),  {{0.015},                    {},                {-469},      {-999}}},
    {sinOf(Q),   sinOf(3, V),  {{},                         {-0.0086},         {},          {}}},
    {sinOf(Q),   cosOf(3, V),  {{},                         {},                {-187},      {-642}}},
    {sinOf(Q),   cosOf(4, V),  {{},                         {},                {-82},       {}}},
    {sinOf(Q),   one,          {{},                         {},                {1241},      {1098}}},
    {cosOf(Q),   sinOf(V),     {{0.0856},                   {},                {-1270},     {2206}}},
    {cosOf(Q),   cosOf(V),     {{0.0253},                   {-0.1504},         {},          {2885}}},
    {cosOf(Q),   sinOf(2, V),  {{},                         {},                {-420},      {-1590}}},
    {cosOf(Q),   cosOf(2, V),  {{0.0144},                   {0.0269},          {},          {2172}}},
    {cosOf(Q),   sinOf(3, V),  {{},                         {},                {-150},      {-647}}},
    {cosOf(Q),   cosOf(3, V),  {{},                         {0.0101},          {},          {}}},
    {cosOf(Q),   sinOf(4, V),  {{},                         {},                {-62},       {}}},
    {cosOf(Q),   one,          {{},                         {-0.0726},         {},          {-890}}},
    {sinOf(2, Q), sinOf(V),    {{},                         {-0.0136},         {221},       {}}},
    {sinOf(2, Q), cosOf(V),    {{},                         {},                {-278},      {-778}}},
    {sinOf(2, Q), sinOf(2, V), {{0.0092},                   {},                {-221},      {}}},
    {sinOf(2, Q), cosOf(2, V), {{},                         {0.0136},          {202},       {}}},
    {sinOf(2, Q), sinOf(3, V), {{},                         {},                {-57},       {}}},
    {cosOf(2, Q), sinOf(V),    {{},                         {-0.0137},         {-284},      {-856}}},
    {cosOf(2, Q), cosOf(V),    {{},                         {0.0149},          {-159},      {}}},
    {cosOf(2, Q), sinOf(2, V), {{},                         {0.012},           {},          {}}},
    {cosOf(2, Q), cosOf(2, V), {{},                         {-0.0131},         {216},       {}}},
    {cosOf(2, Q), cosOf(3, V), {{},                         {},                {56},        {}}},
};
// clang-format on
static_assert(std::size(kSaturnElementSeries) == 35);

}  // namespace jupiter_saturn

using jupiter_saturn::kJupiterElementSeries;
using jupiter_saturn::kSaturnElementSeries;

}  // namespace astro
