#include "actors/pick_volume.h"

#include <cmath>

namespace {

// Column-major 4 x 4, element (row, column) at [column * 4 + row].
struct matrix4 {
  float m[16];
};

matrix4 identity() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

float& at(matrix4& a, int row, int column) { return a.m[column * 4 + row]; }
float at(const matrix4& a, int row, int column) { return a.m[column * 4 + row]; }

// a × b, each element summed in column order, in single precision.
matrix4 multiply(const matrix4& a, const matrix4& b) {
  matrix4 p;
  for (int i = 0; i < 4; ++i) {
    const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
    for (int j = 0; j < 4; ++j) at(p, i, j) = ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j) + ai3 * at(b, 3, j);
  }
  return p;
}

// The matrix times a translation, folded in as the pipeline folds it.
void translate(matrix4& a, float x, float y, float z) {
  for (int row = 0; row < 4; ++row)
    at(a, row, 3) = at(a, row, 0) * x + at(a, row, 1) * y + at(a, row, 2) * z + at(a, row, 3);
}

void scale(matrix4& a, float x, float y, float z) {
  for (int row = 0; row < 4; ++row) {
    at(a, row, 0) *= x;
    at(a, row, 1) *= y;
    at(a, row, 2) *= z;
  }
}

// The pick region stretched over the whole window.
matrix4 pick_matrix(double x, double y, double region, const int viewport[4]) {
  matrix4 a = identity();
  translate(a, static_cast<float>((viewport[2] - 2 * (x - viewport[0])) / region),
            static_cast<float>((viewport[3] - 2 * (y - viewport[1])) / region), 0.0f);
  scale(a, static_cast<float>(viewport[2] / region), static_cast<float>(viewport[3] / region), 1.0f);
  return a;
}

// Worked out in double precision and handed over in single, as the pipeline
// takes a double matrix.
matrix4 perspective(double fov_degrees, double aspect, double near_plane, double far_plane) {
  const double radians = fov_degrees / 2 * 3.14159265358979323846 / 180;
  const double depth = far_plane - near_plane;
  const double sine = std::sin(radians);
  matrix4 p = identity();
  if (depth == 0 || sine == 0 || aspect == 0) return p;
  const double cotangent = std::cos(radians) / sine;
  at(p, 0, 0) = static_cast<float>(cotangent / aspect);
  at(p, 1, 1) = static_cast<float>(cotangent);
  at(p, 2, 2) = static_cast<float>(-(far_plane + near_plane) / depth);
  at(p, 3, 2) = -1.0f;
  at(p, 2, 3) = static_cast<float>(-2 * near_plane * far_plane / depth);
  at(p, 3, 3) = 0.0f;
  return p;
}

void normalize(float v[3]) {
  const float r = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (r == 0.0f) return;
  v[0] /= r;
  v[1] /= r;
  v[2] /= r;
}

void cross(const float a[3], const float b[3], float out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// The camera's view matrix (up is +y), in single precision throughout.
matrix4 look_at(const camera_view& c) {
  float forward[3] = {c.look_x - c.eye_x, c.look_y - c.eye_y, c.look_z - c.eye_z};
  float up[3] = {0.0f, 1.0f, 0.0f};
  float side[3];
  normalize(forward);
  cross(forward, up, side);
  normalize(side);
  cross(side, forward, up);
  matrix4 v = identity();
  for (int k = 0; k < 3; ++k) {
    at(v, 0, k) = side[k];
    at(v, 1, k) = up[k];
    at(v, 2, k) = -forward[k];
  }
  translate(v, -c.eye_x, -c.eye_y, -c.eye_z);
  return v;
}

struct clip_point {
  float c[4];  // x, y, z, w
};

// Distance-like measure from each of the six clip planes: -w <= x, y, z <= w.
float plane_distance(const clip_point& p, int plane) {
  const int axis = plane / 2;
  return plane % 2 == 0 ? p.c[3] + p.c[axis] : p.c[3] - p.c[axis];
}

constexpr int clip_planes = 6;
constexpr int most_corners = 8;
// Each plane adds at most one corner to a convex polygon; rounding may bend
// that, so there is room to spare, and a polygon that still outgrows it is
// taken as reaching in (it straddles planes right at the region).
constexpr int most_clipped = 4 * (most_corners + clip_planes);

}  // namespace

pick_volume make_pick_volume(const camera_view& camera, double window_x, double window_y, double region_pixels,
                             const int viewport[4], double fov_degrees, double near_plane, double far_plane) {
  const double height = static_cast<double>(viewport[3]) - viewport[1];
  const double aspect = (static_cast<double>(viewport[2]) - viewport[0]) / (height > 0 ? height : 1.0);
  matrix4 projection = region_pixels > 0 ? pick_matrix(window_x, window_y, region_pixels, viewport) : identity();
  projection = multiply(projection, perspective(fov_degrees, aspect, near_plane, far_plane));
  pick_volume volume;
  const matrix4 clip = multiply(projection, look_at(camera));
  for (int i = 0; i < 16; ++i) volume.clip[i] = clip.m[i];
  return volume;
}

bool polygon_in_pick_volume(const pick_volume& volume, const float (*corners)[3], int corner_count) {
  if (corner_count < 3 || corner_count > most_corners) return false;
  clip_point polygon[most_clipped], clipped[most_clipped];
  const float* m = volume.clip;
  for (int k = 0; k < corner_count; ++k)
    for (int row = 0; row < 4; ++row)
      polygon[k].c[row] = m[row] * corners[k][0] + m[4 + row] * corners[k][1] + m[8 + row] * corners[k][2] + m[12 + row];

  // Clipped against each plane in turn; what is left after all six is inside.
  int count = corner_count;
  for (int plane = 0; plane < clip_planes && count >= 3; ++plane) {
    int kept = 0;
    for (int k = 0; k < count; ++k) {
      if (kept + 2 > most_clipped) return true;
      const clip_point& from = polygon[k];
      const clip_point& to = polygon[(k + 1) % count];
      const float d_from = plane_distance(from, plane), d_to = plane_distance(to, plane);
      if (!std::signbit(d_from)) clipped[kept++] = from;
      if (std::signbit(d_from) != std::signbit(d_to)) {
        const float t = d_from / (d_from - d_to);
        clip_point& cut = clipped[kept++];
        for (int i = 0; i < 4; ++i) cut.c[i] = from.c[i] + t * (to.c[i] - from.c[i]);
      }
    }
    count = kept;
    for (int k = 0; k < count; ++k) polygon[k] = clipped[k];
  }
  return count >= 3;
}
