#include "pictures/noise.h"

#include <cmath>

#include "common/rng.h"

namespace {

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

int wrap(int i, int n) { return ((i % n) + n) % n; }

// 256 unit gradients evenly around the circle; lattice points pick one by hash.
struct gradient_table {
  float x[256], y[256];
  gradient_table() {
    for (int i = 0; i < 256; ++i) {
      x[i] = std::cos(i * 6.2831853f / 256.0f);
      y[i] = std::sin(i * 6.2831853f / 256.0f);
    }
  }
};
const gradient_table gradients;

// A cheap integer hash for lattice points; noise needs speed more than the
// full mixing of hash32.
uint32_t lattice_hash(uint32_t seed, int x, int y) {
  uint32_t h = seed ^ (uint32_t(x) * 0x27d4eb2du) ^ (uint32_t(y) * 0x165667b1u);
  h ^= h >> 15;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  h *= 0xc2b2ae35u;
  h ^= h >> 16;
  return h;
}

// ix and iy are lattice coordinates already wrapped into the tile.
float corner(int ix, int iy, float dx, float dy, uint32_t seed) {
  uint32_t g = lattice_hash(seed, ix, iy) & 255u;
  return gradients.x[g] * dx + gradients.y[g] * dy;
}

}  // namespace

float gradient_noise(float u, float v, int cells_x, int cells_y, uint32_t seed) {
  float x = u * float(cells_x), y = v * float(cells_y);
  float fx = std::floor(x), fy = std::floor(y);
  int ix = wrap(int(fx), cells_x), iy = wrap(int(fy), cells_y);
  int ix1 = ix + 1 == cells_x ? 0 : ix + 1, iy1 = iy + 1 == cells_y ? 0 : iy + 1;
  float dx = x - fx, dy = y - fy;
  float n00 = corner(ix, iy, dx, dy, seed);
  float n10 = corner(ix1, iy, dx - 1, dy, seed);
  float n01 = corner(ix, iy1, dx, dy - 1, seed);
  float n11 = corner(ix1, iy1, dx - 1, dy - 1, seed);
  float sx = fade(dx), sy = fade(dy);
  float top = n00 + (n10 - n00) * sx, bottom = n01 + (n11 - n01) * sx;
  return (top + (bottom - top) * sy) * 1.41421356f;
}

float fractal_noise(float u, float v, int cells_x, int cells_y, int octaves, float persistence,
                    bool ridged, uint32_t seed) {
  float sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    float n = gradient_noise(u, v, cells_x << o, cells_y << o, seed + uint32_t(o) * 7919u);
    if (ridged) n = 1.0f - 2.0f * std::fabs(n);
    sum += n * weight;
    total += weight;
    weight *= persistence;
  }
  return sum / total;
}

cell_sample cellular_noise(float u, float v, int cells_x, int cells_y, float jitter, uint32_t seed) {
  float x = u * float(cells_x), y = v * float(cells_y);
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  cell_sample best{1e9f, 1e9f, 0};
  for (int oy = -1; oy <= 1; ++oy)
    for (int ox = -1; ox <= 1; ++ox) {
      int cx = ix + ox, cy = iy + oy;
      int wx = wrap(cx, cells_x), wy = wrap(cy, cells_y);
      float px = float(cx) + 0.5f + (hash_unit(seed, wx, wy, 1) - 0.5f) * jitter;
      float py = float(cy) + 0.5f + (hash_unit(seed, wx, wy, 2) - 0.5f) * jitter;
      float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
      if (d < best.nearest) {
        best.second = best.nearest;
        best.nearest = d;
        best.id = hash32(seed, wx, wy, 3);
      } else if (d < best.second) {
        best.second = d;
      }
    }
  return best;
}
