#include "formats/md2_normals.h"

namespace {

constexpr int cuts_per_edge = 4;
constexpr int corner_count = 12;

constexpr double const_sqrt(double v) {
  // Newton from above shrinks monotonically; stop when it no longer does.
  double x = v > 1 ? v : 1;
  for (int i = 0; i < 100; ++i) {
    double next = 0.5 * (x + v / x);
    if (next >= x) break;
    x = next;
  }
  return x;
}

struct vec3 {
  double x, y, z;
};

struct corner_table {
  vec3 at[corner_count];
  double edge_squared;  // squared distance between neighbouring corners
};

constexpr double distance_squared(const vec3& p, const vec3& q) {
  return (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z);
}

// Corners (+-a, 0, +-b), (0, +-b, +-a), (+-b, +-a, 0) with b / a the golden
// ratio and a^2 + b^2 = 1.
constexpr corner_table make_corners() {
  const double g = (1 + const_sqrt(5.0)) / 2;
  const double len = const_sqrt(1 + g * g);
  const double a = 1 / len, b = g / len;
  corner_table t{};
  int n = 0;
  for (int sz = -1; sz <= 1; sz += 2)
    for (int sx = -1; sx <= 1; sx += 2) {
      t.at[n++] = {sx * a, 0, -sz * b};
      t.at[n++] = {0, sx * b, -sz * a};
      t.at[n++] = {-sz * b, sx * a, 0};
    }
  t.edge_squared = 4 * a * a;
  return t;
}

struct normal_table {
  float v[md2_normal_count][3];
  int points;  // how many the construction produced
};

// Walks the faces (corner triples that are pairwise neighbours, in index
// order) and on each face the grid points row by row. A point on an edge or
// at a corner belongs to several faces; its key (its weight on each corner,
// base 5) is the same from every face, so it is taken once, where first met.
constexpr normal_table make_table() {
  const corner_table c = make_corners();
  auto neighbours = [&c](int i, int j) {
    return distance_squared(c.at[i], c.at[j]) < c.edge_squared * 1.01;
  };
  long long power5[corner_count] = {1};
  for (int i = 1; i < corner_count; ++i) power5[i] = power5[i - 1] * 5;

  normal_table t{};
  long long keys[md2_normal_count] = {};
  for (int i = 0; i < corner_count; ++i)
    for (int j = i + 1; j < corner_count; ++j)
      for (int k = j + 1; k < corner_count; ++k) {
        if (!neighbours(i, j) || !neighbours(j, k) || !neighbours(i, k)) continue;
        for (int wi = cuts_per_edge; wi >= 0; --wi)
          for (int wj = cuts_per_edge - wi; wj >= 0; --wj) {
            const int wk = cuts_per_edge - wi - wj;
            const long long key = wi * power5[i] + wj * power5[j] + wk * power5[k];
            bool seen = false;
            for (int n = 0; n < t.points && n < md2_normal_count; ++n) seen = seen || keys[n] == key;
            if (seen) continue;
            if (t.points < md2_normal_count) {
              const vec3 &p = c.at[i], &q = c.at[j], &r = c.at[k];
              const vec3 s = {wi * p.x + wj * q.x + wk * r.x, wi * p.y + wj * q.y + wk * r.y,
                              wi * p.z + wj * q.z + wk * r.z};
              const double len = const_sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
              keys[t.points] = key;
              t.v[t.points][0] = static_cast<float>(s.x / len);
              t.v[t.points][1] = static_cast<float>(s.y / len);
              t.v[t.points][2] = static_cast<float>(s.z / len);
            }
            ++t.points;
          }
      }
  return t;
}

constexpr normal_table table = make_table();
static_assert(table.points == md2_normal_count, "the subdivided icosahedron has 162 points");

}  // namespace

const float (&avertexnormals)[md2_normal_count][3] = table.v;
