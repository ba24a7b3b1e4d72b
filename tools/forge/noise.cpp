#include "noise.h"

#include <cmath>

#include "rng.h"

namespace {

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

int wrap(int i, int n) { return ((i % n) + n) % n; }

float corner(int ix, int iy, float dx, float dy, int cells_x, int cells_y, uint32_t seed) {
  float angle = hash_unit(seed, wrap(ix, cells_x), wrap(iy, cells_y)) * 6.2831853f;
  return std::cos(angle) * dx + std::sin(angle) * dy;
}

}  // namespace

float gradient_noise(float u, float v, int cells_x, int cells_y, uint32_t seed) {
  float x = u * float(cells_x), y = v * float(cells_y);
  float fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  float dx = x - fx, dy = y - fy;
  float n00 = corner(ix, iy, dx, dy, cells_x, cells_y, seed);
  float n10 = corner(ix + 1, iy, dx - 1, dy, cells_x, cells_y, seed);
  float n01 = corner(ix, iy + 1, dx, dy - 1, cells_x, cells_y, seed);
  float n11 = corner(ix + 1, iy + 1, dx - 1, dy - 1, cells_x, cells_y, seed);
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
