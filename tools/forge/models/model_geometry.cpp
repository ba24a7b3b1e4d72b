#include "models/model_geometry.h"

#include <cmath>

float length(vec3 a) { return std::sqrt(dot(a, a)); }

vec3 normalized(vec3 a) {
  float l = length(a);
  return l > 0 ? a * (1.0f / l) : a;
}

vec3 lerp(vec3 a, vec3 b, float t) { return a + (b - a) * t; }

mat34 translation(vec3 offset) {
  mat34 r;
  r.m[0][3] = offset.x;
  r.m[1][3] = offset.y;
  r.m[2][3] = offset.z;
  return r;
}

mat34 scaling(vec3 factors) {
  mat34 r;
  r.m[0][0] = factors.x;
  r.m[1][1] = factors.y;
  r.m[2][2] = factors.z;
  return r;
}

mat34 rotation_xyz(vec3 degrees) {
  const float k = 3.14159265358979f / 180.0f;
  float cx = std::cos(degrees.x * k), sx = std::sin(degrees.x * k);
  float cy = std::cos(degrees.y * k), sy = std::sin(degrees.y * k);
  float cz = std::cos(degrees.z * k), sz = std::sin(degrees.z * k);
  mat34 rx, ry, rz;
  rx.m[1][1] = cx, rx.m[1][2] = -sx, rx.m[2][1] = sx, rx.m[2][2] = cx;
  ry.m[0][0] = cy, ry.m[0][2] = sy, ry.m[2][0] = -sy, ry.m[2][2] = cy;
  rz.m[0][0] = cz, rz.m[0][1] = -sz, rz.m[1][0] = sz, rz.m[1][1] = cz;
  return rz * (ry * rx);
}

mat34 frame_of(vec3 x_axis, vec3 y_axis, vec3 z_axis, vec3 origin) {
  mat34 r;
  const vec3 axes[3] = {x_axis, y_axis, z_axis};
  for (int c = 0; c < 3; ++c) {
    r.m[0][c] = axes[c].x;
    r.m[1][c] = axes[c].y;
    r.m[2][c] = axes[c].z;
  }
  r.m[0][3] = origin.x;
  r.m[1][3] = origin.y;
  r.m[2][3] = origin.z;
  return r;
}

mat34 operator*(const mat34& a, const mat34& b) {
  mat34 r;
  for (int row = 0; row < 3; ++row)
    for (int c = 0; c < 4; ++c) {
      float v = c == 3 ? a.m[row][3] : 0.0f;
      for (int k = 0; k < 3; ++k) v += a.m[row][k] * b.m[k][c];
      r.m[row][c] = v;
    }
  return r;
}

vec3 transform_point(const mat34& m, vec3 p) {
  return {m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2] * p.z + m.m[0][3],
          m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2] * p.z + m.m[1][3],
          m.m[2][0] * p.x + m.m[2][1] * p.y + m.m[2][2] * p.z + m.m[2][3]};
}

vec3 transform_direction(const mat34& m, vec3 d) {
  return {m.m[0][0] * d.x + m.m[0][1] * d.y + m.m[0][2] * d.z,
          m.m[1][0] * d.x + m.m[1][1] * d.y + m.m[1][2] * d.z,
          m.m[2][0] * d.x + m.m[2][1] * d.y + m.m[2][2] * d.z};
}
