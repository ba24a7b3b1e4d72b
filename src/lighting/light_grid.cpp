#include "lighting/light_grid.h"

#include <cmath>
#include <vector>

#include "content/models.h"
#include "world/level_settings.h"
#include "world/map_grid.h"

constexpr float march_step = 0.1f;
constexpr float arrival_tolerance = 0.01f;

static float sign_of(float v) { return v < 0.0f ? -1.0f : 1.0f; }

// Marches from the sample toward the light in steps whose longer axis is 0.1.
// The light is reached when the march comes within 0.01 of it on x; a wall or
// closed door on the way blocks it, and so does passing the light (along the
// longer axis) or leaving the map without arriving.
static bool light_reaches(const light_t& source, float x, float z) {
  float dx = x - source.x, dz = z - source.z;
  if (dx == 0.0f && dz == 0.0f) return true;
  float step_x, step_z;
  if (dx * dx > dz * dz) {
    step_x = 1.0f;
    step_z = std::fabs(dz / dx);
  } else {
    step_x = std::fabs(dx / dz);
    step_z = 1.0f;
  }
  step_x *= sign_of(dx) * march_step;
  step_z *= sign_of(dz) * march_step;
  bool x_leads = dx * dx > dz * dz;
  float px = x, pz = z;
  for (;;) {
    px -= step_x;
    pz -= step_z;
    int kind = test_map_v(px, pz);
    if (kind == cell_wall || kind == cell_door_closed) return false;
    float ox = px - source.x;
    if (ox > -arrival_tolerance && ox < arrival_tolerance) return true;
    // Past the light along the longer axis, or off the map: it was missed.
    float remaining = x_leads ? (px - source.x) * sign_of(dx) : (pz - source.z) * sign_of(dz);
    if (remaining < -arrival_tolerance) return false;
    if (px < 0.0f || pz < 0.0f || px > mapa_size_x || pz > mapa_size_z) return false;
  }
}

light_rgb light_contribution(const light_t& source, float x, float z) {
  light_rgb added = {0.0f, 0.0f, 0.0f};
  float d = std::sqrt((source.x - x) * (source.x - x) + (source.z - z) * (source.z - z));
  if (!(d <= source.radius) || !light_reaches(source, x, z)) return added;
  float f = source.radius > 0.0f ? 1.0f - d / source.radius : 1.0f;
  if (source.r * f >= 0.0f) added.r = source.r * f;
  if (source.g * f >= 0.0f) added.g = source.g * f;
  if (source.b * f >= 0.0f) added.b = source.b * f;
  return added;
}

// Lights are sorted into square buckets of cells by the area they can reach,
// so each cell only looks at lights near it. A bucket keeps its lights in
// index order, which keeps the sums exactly those of visiting every light.
constexpr int bucket_side = 8;
constexpr int buckets_per_row = map_dim / bucket_side;

static bool reach_overlaps(const light_t& l, int bx, int bz) {
  if (!(l.radius >= 0.0f)) return false;  // negative or NaN: reaches nothing
  float x0 = static_cast<float>(bx * bucket_side), x1 = x0 + bucket_side;
  float z0 = static_cast<float>(bz * bucket_side), z1 = z0 + bucket_side;
  float nx = l.x < x0 ? x0 : (l.x > x1 ? x1 : l.x);
  float nz = l.z < z0 ? z0 : (l.z > z1 ? z1 : l.z);
  float dx = l.x - nx, dz = l.z - nz;
  // Lights at non-finite places fall in every bucket and sort themselves out per cell.
  if (!std::isfinite(dx) || !std::isfinite(dz)) return true;
  return std::sqrt(dx * dx + dz * dz) <= l.radius + 0.001f;
}

void init_light() {
  int lights = lightu < light_capacity ? lightu : (lightu < 0 ? 0 : light_capacity);
  static std::vector<int> bucket[buckets_per_row][buckets_per_row];
  int size_x = mapa_size_x < map_dim ? mapa_size_x : map_dim;
  int size_z = mapa_size_z < map_dim ? mapa_size_z : map_dim;
  int bx_count = (size_x + bucket_side - 1) / bucket_side;
  int bz_count = (size_z + bucket_side - 1) / bucket_side;
  for (int bx = 0; bx < bx_count && bx < buckets_per_row; ++bx)
    for (int bz = 0; bz < bz_count && bz < buckets_per_row; ++bz) {
      bucket[bx][bz].clear();
      for (int i = 0; i < lights; ++i)
        if (reach_overlaps(light[i], bx, bz)) bucket[bx][bz].push_back(i);
    }
  for (int x = 0; x < size_x; ++x) {
    for (int z = 0; z < size_z; ++z) {
      float* cell = mapa_l[map_index(x, z)];
      cell[0] = cell[1] = cell[2] = 0.0f;
      for (int i : bucket[x / bucket_side][z / bucket_side]) {
        light_rgb added = light_contribution(light[i], static_cast<float>(x), static_cast<float>(z));
        cell[0] += added.r;
        cell[1] += added.g;
        cell[2] += added.b;
      }
      for (int c = 0; c < 3; ++c) {
        if (c_ambient_light[c] >= cell[c]) cell[c] = c_ambient_light[c];
        if (cell[c] > 1.0f) cell[c] = 1.0f;
      }
    }
  }
}
