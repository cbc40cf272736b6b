// Rectangular vectors of the precise theory and the few operations on them:
// the library's one Vector, with a state and a rotation matrix beside it.
#pragma once

#include <cmath>

#include "astro/numeric.h"

namespace astro::precise {

using Vec3 = Vector;

// A position and its rate: in astronomical units and astronomical units per
// day unless a routine says otherwise.
struct State {
  Vec3 position;
  Vec3 velocity;
};

// A rotation as its 3x3 matrix, rows first: r[i][j].
struct Matrix3 {
  double r[3][3];
};

constexpr Vec3 operator*(const Matrix3& m, const Vec3& a) {
  return {m.r[0][0] * a.x + m.r[0][1] * a.y + m.r[0][2] * a.z,
          m.r[1][0] * a.x + m.r[1][1] * a.y + m.r[1][2] * a.z,
          m.r[2][0] * a.x + m.r[2][1] * a.y + m.r[2][2] * a.z};
}

constexpr Matrix3 operator*(const Matrix3& a, const Matrix3& b) {
  Matrix3 c{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      c.r[i][j] = a.r[i][0] * b.r[0][j] + a.r[i][1] * b.r[1][j] + a.r[i][2] * b.r[2][j];
    }
  }
  return c;
}

constexpr State rotate(const Matrix3& m, const State& s) {
  return {m * s.position, m * s.velocity};
}

}  // namespace astro::precise
