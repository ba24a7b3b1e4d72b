#include "lightmaps/lightmap_bake.h"

#include <algorithm>
#include <cmath>

#include "world/map_grid.h"

namespace {

// Wall texels start their shadow ray this far in front of the face, so the
// ray begins in the cell the face looks into.
constexpr float face_offset = 1e-3f;
// Lights are filed under every cell their radius may touch, plus this much.
constexpr float bin_margin = 0.01f;

bool blocks_light(int kind) { return kind == cell_wall || kind == cell_door_closed; }

// For each cell, the lights that can reach some point of it (compressed rows).
class light_bins {
 public:
  light_bins(const cell_grid& grid, const std::vector<light_t>& lights) : grid_(grid) {
    size_t cells = size_t(grid.size_x) * grid.size_z;
    std::vector<int> counts(cells + 1, 0);
    auto for_cells = [&](const light_t& l, auto&& fn) {
      float r = l.radius + bin_margin;
      int x0 = std::max(0, int(std::floor(l.x - r))), x1 = std::min(grid.size_x - 1, int(std::floor(l.x + r)));
      int z0 = std::max(0, int(std::floor(l.z - r))), z1 = std::min(grid.size_z - 1, int(std::floor(l.z + r)));
      for (int x = x0; x <= x1; ++x)
        for (int z = z0; z <= z1; ++z) {
          // Nearest point of the cell to the light, in the plane.
          float dx = std::max({float(x) - l.x, 0.0f, l.x - float(x + 1)});
          float dz = std::max({float(z) - l.z, 0.0f, l.z - float(z + 1)});
          if (dx * dx + dz * dz <= r * r) fn(grid.index(x, z));
        }
    };
    for (const light_t& l : lights)
      if (l.radius > 0.0f) for_cells(l, [&](size_t c) { ++counts[c + 1]; });
    for (size_t c = 0; c < cells; ++c) counts[c + 1] += counts[c];
    start_ = counts;
    index_.resize(size_t(counts[cells]));
    for (int i = 0; i < int(lights.size()); ++i)
      if (lights[i].radius > 0.0f) for_cells(lights[i], [&](size_t c) { index_[size_t(counts[c]++)] = i; });
  }

  // Lights near the point; points just outside the map use the nearest cell.
  std::pair<const int*, const int*> near(float x, float z) const {
    int cx = std::clamp(int(std::floor(x)), 0, grid_.size_x - 1);
    int cz = std::clamp(int(std::floor(z)), 0, grid_.size_z - 1);
    size_t c = grid_.index(cx, cz);
    return {index_.data() + start_[c], index_.data() + start_[c + 1]};
  }

 private:
  const cell_grid& grid_;
  std::vector<int> start_;
  std::vector<int> index_;
};

// Walks the cells the segment from (sx, sz) to (lx, lz) crosses, one axis
// step at a time, and reports whether a wall or closed door lies on the way.
// The light's own cell never blocks (a lamp may hang inside a wall); the
// first cell is skipped for floor points, whose own cell is the floor itself.
bool shadowed(const cell_grid& grid, float sx, float sz, float lx, float lz, bool skip_first) {
  int cx = int(std::floor(sx)), cz = int(std::floor(sz));
  int tx = int(std::floor(lx)), tz = int(std::floor(lz));
  float dx = lx - sx, dz = lz - sz;
  int step_x = dx < 0 ? -1 : 1, step_z = dz < 0 ? -1 : 1;
  float t_delta_x = dx != 0.0f ? std::fabs(1.0f / dx) : INFINITY;
  float t_delta_z = dz != 0.0f ? std::fabs(1.0f / dz) : INFINITY;
  float t_max_x = dx != 0.0f ? (step_x > 0 ? float(cx + 1) - sx : sx - float(cx)) * t_delta_x : INFINITY;
  float t_max_z = dz != 0.0f ? (step_z > 0 ? float(cz + 1) - sz : sz - float(cz)) * t_delta_z : INFINITY;
  // Exactly one step per cell boundary between the two cells: the walk always
  // ends in the light's cell, whatever rounding does to the t values.
  int steps = std::abs(tx - cx) + std::abs(tz - cz);
  for (int s = 0;; ++s) {
    if (!(s == 0 && skip_first) && grid.inside(cx, cz) && blocks_light(grid.kind[grid.index(cx, cz)]))
      return true;
    if (s == steps) return false;
    bool along_x = cz == tz || (cx != tx && t_max_x < t_max_z);
    if (along_x) {
      cx += step_x;
      t_max_x += t_delta_x;
    } else {
      cz += step_z;
      t_max_z += t_delta_z;
    }
  }
}

// A surface point of a face and its outward normal.
struct surface_point {
  float x, y, z;
  float nx, ny, nz;
};

// The world point at the centre of texel (i, j) of `face` (i across, j down
// from the face's first row), as the renderer's lm numbers map it.
surface_point face_texel_point(const lightmap_face& face, const level_group& group, const lightmap_atlas& atlas,
                               float wall_height, int i, int j) {
  float across = (float(i) + 0.5f) / float(atlas.texels_per_cell);
  float y = wall_height * (1.0f - (float(j) + 0.5f) / float(atlas.wall_rows));
  switch (face.side) {
    case lightmap_face_side::floor:
      return {float(group.x1) + across, 0.0f, float(group.z1) + (float(j) + 0.5f) / float(atlas.texels_per_cell),
              0.0f, 1.0f, 0.0f};
    case lightmap_face_side::wall_plus_z:
      return {float(group.x1) + across, y, float(group.z2 + 1), 0.0f, 0.0f, 1.0f};
    case lightmap_face_side::wall_minus_x:
      return {float(group.x1), y, float(group.z1) + across, -1.0f, 0.0f, 0.0f};
    case lightmap_face_side::wall_plus_x:
      break;
  }
  return {float(group.x2 + 1), y, float(group.z1) + across, 1.0f, 0.0f, 0.0f};
}

struct rgb {
  float r = 0, g = 0, b = 0;
};

rgb light_at(const lightmap_scene& scene, const light_bins& bins, const surface_point& p, bool floor) {
  rgb sum;
  float sx = p.x + p.nx * face_offset, sz = p.z + p.nz * face_offset;
  auto [first, last] = bins.near(sx, sz);
  for (const int* it = first; it != last; ++it) {
    const light_t& l = scene.lights[size_t(*it)];
    float dx = l.x - p.x, dy = l.y - p.y, dz = l.z - p.z;
    if (dx * p.nx + dy * p.ny + dz * p.nz < 0.0f) continue;  // behind the surface
    // Falloff over the plane, as the engine's per-cell light has it, so the
    // floor under a model is as bright as the model itself.
    float d2 = dx * dx + dz * dz;
    if (d2 >= l.radius * l.radius) continue;
    if (shadowed(*scene.grid, sx, sz, l.x, l.z, floor)) continue;
    float f = 1.0f - std::sqrt(d2) / l.radius;
    // A negative channel takes nothing away, as in the engine's light.
    if (l.r > 0.0f) sum.r += l.r * f;
    if (l.g > 0.0f) sum.g += l.g * f;
    if (l.b > 0.0f) sum.b += l.b * f;
  }
  return sum;
}

uint8_t texel_byte(float light, float ambient) {
  float v = std::min(1.0f, std::max(light, ambient));
  return uint8_t(std::lround(std::max(0.0f, v) * 255.0f));
}

}  // namespace

std::vector<uint8_t> bake_lightmap(const lightmap_scene& scene, const lightmap_atlas& atlas) {
  size_t side = size_t(atlas.side);
  std::vector<uint8_t> texels(side * side * 3, 0);
  light_bins bins(*scene.grid, scene.lights);
  auto at = [&](int x, int y) { return &texels[(size_t(y) * side + size_t(x)) * 3]; };
  for (const lightmap_face& face : atlas.faces) {
    const level_group& group = (*scene.groups)[size_t(face.group)];
    bool floor = face.side == lightmap_face_side::floor;
    for (int j = 0; j < face.h; ++j)
      for (int i = 0; i < face.w; ++i) {
        surface_point p = face_texel_point(face, group, atlas, scene.wall_height, i, j);
        rgb lit = light_at(scene, bins, p, floor);
        uint8_t* t = at(face.x + i, face.y + j);
        t[0] = texel_byte(lit.r, scene.ambient[0]);
        t[1] = texel_byte(lit.g, scene.ambient[1]);
        t[2] = texel_byte(lit.b, scene.ambient[2]);
      }
    // The padding repeats the nearest edge texel.
    for (int y = face.y - lightmap_padding; y < face.y + face.h + lightmap_padding; ++y)
      for (int x = face.x - lightmap_padding; x < face.x + face.w + lightmap_padding; ++x) {
        int ix = std::clamp(x, face.x, face.x + face.w - 1), iy = std::clamp(y, face.y, face.y + face.h - 1);
        if (ix == x && iy == y) continue;
        const uint8_t* from = at(ix, iy);
        std::copy(from, from + 3, at(x, y));
      }
  }
  return texels;
}
