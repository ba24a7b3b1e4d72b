#include "levels/level_preview.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "formats/tga.h"
#include "world/map_grid.h"

namespace {

constexpr int preview_target_side = 640;
constexpr preview_colour grey = {0.5f, 0.5f, 0.5f};

struct canvas {
  forge_image& image;
  void put(int x, int y, preview_colour c) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    float* p = image.pixel(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = 1.0f;
  }
  void disc(float cx, float cy, float radius, preview_colour c) {
    for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
      for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
        float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
        if (dx * dx + dy * dy <= radius * radius) put(x, y, c);
      }
  }
  void frame(int x0, int y0, int x1, int y1, preview_colour c) {
    for (int x = x0; x <= x1; ++x) {
      put(x, y0, c);
      put(x, y1, c);
    }
    for (int y = y0; y <= y1; ++y) {
      put(x0, y, c);
      put(x1, y, c);
    }
  }
};

// The floor face of each group, or -1.
std::vector<int> floor_faces(const compiled_level& level) {
  std::vector<int> face_of(level.groups.groups.size(), -1);
  for (size_t f = 0; f < level.atlas.faces.size(); ++f)
    if (level.atlas.faces[f].side == lightmap_face_side::floor) face_of[size_t(level.atlas.faces[f].group)] = int(f);
  return face_of;
}

// The baked light at a floor point, from its group's floor face.
preview_colour floor_light(const compiled_level& level, const std::vector<int>& face_of, float wx, float wz) {
  int cell_x = std::min(int(wx), level.grid.size_x - 1), cell_z = std::min(int(wz), level.grid.size_z - 1);
  int g = level.groups.cell_group[level.grid.index(cell_x, cell_z)];
  if (g >= 0 && face_of[size_t(g)] >= 0) {
    const lightmap_face& face = level.atlas.faces[size_t(face_of[size_t(g)])];
    const level_group& group = level.groups.groups[size_t(g)];
    int tx = std::clamp(face.x + int((wx - float(group.x1)) * float(level.atlas.texels_per_cell)), face.x,
                        face.x + face.w - 1);
    int ty = std::clamp(face.y + int((wz - float(group.z1)) * float(level.atlas.texels_per_cell)), face.y,
                        face.y + face.h - 1);
    const uint8_t* t = &level.lightmap[(size_t(ty) * size_t(level.atlas.side) + size_t(tx)) * 3];
    return {t[0] / 255.0f, t[1] / 255.0f, t[2] / 255.0f};
  }
  return {1.0f, 1.0f, 1.0f};
}

void draw_cells(canvas& c, const compiled_level& level, const std::vector<preview_colour>& colours, int scale) {
  std::vector<int> face_of = floor_faces(level);
  for (int py = 0; py < level.grid.size_z * scale; ++py)
    for (int px = 0; px < level.grid.size_x * scale; ++px) {
      int x = px / scale, z = py / scale;
      size_t i = level.grid.index(x, z);
      int texture = level.grid.texture[i];
      preview_colour base = texture < int(colours.size()) ? colours[size_t(texture)] : grey;
      int kind = level.grid.kind[i];
      preview_colour out;
      if (kind == cell_wall) {
        out = {base.r * 0.45f + 0.05f, base.g * 0.45f + 0.05f, base.b * 0.45f + 0.08f};
      } else {
        preview_colour l = floor_light(level, face_of, (float(px) + 0.5f) / float(scale), (float(py) + 0.5f) / float(scale));
        out = {base.r * l.r, base.g * l.g, base.b * l.b};
        // Barriers get warning stripes, doors a wooden tint.
        if (kind == cell_barrier && ((px + py) / std::max(1, scale / 2)) % 2 == 0) out = {0.85f, 0.6f, 0.1f};
        if (kind == cell_door_closed) out = {0.55f * l.r + 0.2f, 0.35f * l.g + 0.1f, 0.15f * l.b};
      }
      c.put(px, py, out);
    }
  for (const level_group& g : level.groups.groups)
    c.frame(g.x1 * scale, g.z1 * scale, (g.x2 + 1) * scale - 1, (g.z2 + 1) * scale - 1,
            g.wall ? preview_colour{0.02f, 0.02f, 0.03f} : preview_colour{0.12f, 0.12f, 0.14f});
}

void draw_markers(canvas& c, const compiled_level& level, int scale) {
  const C_KelMap& map = *level.map;
  float s = float(scale);
  for (int x = 0; x < map.size_x; ++x)
    for (int z = 0; z < map.size_z; ++z)
      if (map.cell_m[x][z] != no_model && map.cell_v[x][z] != cell_door_closed)
        c.disc((float(x) + 0.5f) * s, (float(z) + 0.5f) * s, s * 0.22f, {0.95f, 0.85f, 0.2f});
  for (const light_t& l : level.lights) {
    c.disc(l.x * s, l.z * s, s * 0.3f, {std::min(1.0f, l.r), std::min(1.0f, l.g), std::min(1.0f, l.b)});
    c.disc(l.x * s, l.z * s, s * 0.12f, {1.0f, 1.0f, 1.0f});
  }
  for (int k = 0; k < map.imp_count; ++k)
    c.disc((float(map.imp_x[k]) + 0.5f) * s, (float(map.imp_z[k]) + 0.5f) * s, s * 0.35f, {0.85f, 0.1f, 0.1f});
  for (int e = 0; e < map.end_count; ++e)
    c.frame(map.end_x[e] * scale + 1, map.end_z[e] * scale + 1, (map.end_x[e] + 1) * scale - 2,
            (map.end_z[e] + 1) * scale - 2, {0.2f, 0.6f, 1.0f});
  c.disc((float(map.start_x) + 0.5f) * s, (float(map.start_z) + 0.5f) * s, s * 0.4f, {0.2f, 0.9f, 0.3f});
}

forge_image atlas_image(const compiled_level& level) {
  forge_image atlas(level.atlas.side, level.atlas.side);
  for (int y = 0; y < atlas.height; ++y)
    for (int x = 0; x < atlas.width; ++x) {
      const uint8_t* t = &level.lightmap[(size_t(y) * size_t(atlas.width) + size_t(x)) * 3];
      float* p = atlas.pixel(x, y);
      p[0] = t[0] / 255.0f;
      p[1] = t[1] / 255.0f;
      p[2] = t[2] / 255.0f;
      p[3] = 1.0f;
    }
  return atlas;
}

}  // namespace

forge_image make_level_preview(const compiled_level& level, const std::vector<preview_colour>& texture_colours) {
  int longest = std::max(level.grid.size_x, level.grid.size_z);
  int scale = std::clamp(preview_target_side / std::max(1, longest), 2, 24);
  int map_w = level.grid.size_x * scale, map_h = level.grid.size_z * scale;
  int atlas_side = std::max(map_h, 256);
  constexpr int gap = 8;
  forge_image out(map_w + gap + atlas_side, std::max(map_h, atlas_side));
  for (size_t i = 0; i < out.rgba.size(); i += 4) {
    out.rgba[i] = out.rgba[i + 1] = out.rgba[i + 2] = 0.08f;
    out.rgba[i + 3] = 1.0f;
  }
  canvas c{out};
  draw_cells(c, level, texture_colours, scale);
  draw_markers(c, level, scale);
  forge_image atlas = atlas_image(level);
  forge_image shown = atlas_side <= atlas.width ? atlas.scaled_to(atlas_side, atlas_side) : atlas;
  // A small atlas is enlarged by repeating texels, so its layout stays crisp.
  for (int y = 0; y < atlas_side; ++y)
    for (int x = 0; x < atlas_side; ++x) {
      int sx = x * shown.width / atlas_side, sy = y * shown.height / atlas_side;
      const float* p = shown.pixel(sx, sy);
      c.put(map_w + gap + x, y, {p[0], p[1], p[2]});
    }
  return out;
}

preview_colour mean_texture_colour(const std::string& data_dir, const std::string& texture_name) {
  std::filesystem::path relative = std::filesystem::path(texture_name).lexically_relative("data");
  std::string path = (std::filesystem::path(data_dir) / relative).string();
  tga_image image;
  if (relative.empty() || !tga_decode(path.c_str(), image) || !image.width || !image.height) return grey;
  unsigned channels = image.bits / 8;
  double sum[3] = {0, 0, 0};
  size_t count = size_t(image.width) * image.height;
  for (size_t i = 0; i < count; ++i)
    for (int c = 0; c < 3; ++c) sum[c] += image.pixels[i * channels + size_t(c)];
  return {float(sum[0] / count / 255.0), float(sum[1] / count / 255.0), float(sum[2] / count / 255.0)};
}
