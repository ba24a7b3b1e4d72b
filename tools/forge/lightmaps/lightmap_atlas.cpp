#include "lightmaps/lightmap_atlas.h"

#include <algorithm>
#include <cmath>

#include "lighting/lightmap.h"
#include "world/map_grid.h"

namespace {

int wall_rows_for(float wall_height, int texels_per_cell) {
  int rows = int(std::ceil(wall_height * float(texels_per_cell) - 1e-3f));
  return std::max(1, rows);
}

std::vector<lightmap_face> faces_of(const std::vector<level_group>& groups, int texels, int wall_rows) {
  std::vector<lightmap_face> faces;
  for (int g = 0; g < int(groups.size()); ++g) {
    const level_group& group = groups[g];
    int across_x = (group.x2 - group.x1 + 1) * texels;
    int across_z = (group.z2 - group.z1 + 1) * texels;
    if (!group.wall) {
      faces.push_back({g, lightmap_face_side::floor, 0, 0, across_x, across_z});
      continue;
    }
    faces.push_back({g, lightmap_face_side::wall_plus_z, 0, 0, across_x, wall_rows});
    faces.push_back({g, lightmap_face_side::wall_minus_x, 0, 0, across_z, wall_rows});
    faces.push_back({g, lightmap_face_side::wall_plus_x, 0, 0, across_z, wall_rows});
  }
  return faces;
}

// Shelf packing, tallest first: rows of faces left to right, a new shelf when
// a row is full. Ties keep the face order so the layout is deterministic.
bool pack_shelves(std::vector<lightmap_face>& faces, int side) {
  constexpr int pad2 = 2 * lightmap_padding;
  std::vector<size_t> order(faces.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (faces[a].h != faces[b].h) return faces[a].h > faces[b].h;
    return faces[a].w > faces[b].w;
  });
  int x = 0, y = 0, shelf = 0;
  for (size_t i : order) {
    lightmap_face& face = faces[i];
    int w = face.w + pad2, h = face.h + pad2;
    if (w > side) return false;
    if (x + w > side) {
      y += shelf;
      x = 0;
      shelf = 0;
    }
    if (y + h > side) return false;
    face.x = x + lightmap_padding;
    face.y = y + lightmap_padding;
    x += w;
    shelf = std::max(shelf, h);
  }
  return true;
}

}  // namespace

bool lay_out_lightmap(const std::vector<level_group>& groups, float wall_height, int max_texels_per_cell,
                      lightmap_atlas& out) {
  constexpr int pad2 = 2 * lightmap_padding;
  for (int texels = std::min(max_texels_per_cell, lightmap_max_texels_per_cell); texels >= 1; --texels) {
    int rows = wall_rows_for(wall_height, texels);
    std::vector<lightmap_face> faces = faces_of(groups, texels, rows);
    double area = 0;
    for (const lightmap_face& f : faces) area += double(f.w + pad2) * (f.h + pad2);
    int side = lightmap_min_side;
    while (side < lightmap_max_side && double(side) * side < area) side *= 2;
    for (; side <= lightmap_max_side; side *= 2)
      if (pack_shelves(faces, side)) {
        out.side = side;
        out.texels_per_cell = texels;
        out.wall_rows = rows;
        out.faces = std::move(faces);
        return true;
      }
  }
  return false;
}

void set_group_coordinates(const lightmap_atlas& atlas, group_t* groups, int group_count) {
  for (int g = 0; g < group_count; ++g)
    for (float& lm : groups[g].lm) lm = 0.0f;
  float n = float(atlas.side);
  for (const lightmap_face& face : atlas.faces) {
    if (face.group < 0 || face.group >= group_count) continue;
    int first = face.side == lightmap_face_side::wall_minus_x  ? 4
                : face.side == lightmap_face_side::wall_plus_x ? 8
                                                               : 0;
    float* lm = groups[face.group].lm + first;
    lm[0] = float(face.x) / n;
    lm[1] = float(face.y) / n;
    lm[2] = float(face.x + face.w) / n;
    lm[3] = float(face.y + face.h) / n;
  }
}
