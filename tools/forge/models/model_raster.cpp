#include "models/model_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct screen_vertex {
  float x, y, depth;  // pixels, and distance along the view
  vec3 normal;
};

struct canvas {
  forge_image image;
  std::vector<float> depth;
  canvas(int w, int h) : image(w, h), depth(size_t(w) * size_t(h), std::numeric_limits<float>::max()) {}
};

void sample(const forge_image& skin, float s, float t, float rgb[3]) {
  int x = std::clamp(int(s * float(skin.width)), 0, skin.width - 1);
  int y = std::clamp(int(t * float(skin.height)), 0, skin.height - 1);
  const float* p = skin.pixel(x, y);
  for (int c = 0; c < 3; ++c) rgb[c] = p[c];
}

// Fills one triangle with depth test; `lit` shades by the interpolated normal.
void fill_triangle(canvas& target, const screen_vertex* v[3], const mesh_corner* c[3], const forge_image& skin,
                   bool lit) {
  const vec3 light = normalized({-0.35f, 1.0f, 0.55f});
  float area = (v[1]->x - v[0]->x) * (v[2]->y - v[0]->y) - (v[2]->x - v[0]->x) * (v[1]->y - v[0]->y);
  if (std::fabs(area) < 1e-9f) return;
  int x0 = std::max(0, int(std::floor(std::min({v[0]->x, v[1]->x, v[2]->x}))));
  int x1 = std::min(target.image.width - 1, int(std::ceil(std::max({v[0]->x, v[1]->x, v[2]->x}))));
  int y0 = std::max(0, int(std::floor(std::min({v[0]->y, v[1]->y, v[2]->y}))));
  int y1 = std::min(target.image.height - 1, int(std::ceil(std::max({v[0]->y, v[1]->y, v[2]->y}))));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float px = float(x) + 0.5f, py = float(y) + 0.5f;
      float w[3];
      for (int k = 0; k < 3; ++k) {
        const screen_vertex* a = v[(k + 1) % 3];
        const screen_vertex* b = v[(k + 2) % 3];
        w[k] = ((b->x - a->x) * (py - a->y) - (px - a->x) * (b->y - a->y)) / area;
      }
      if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
      float depth = w[0] * v[0]->depth + w[1] * v[1]->depth + w[2] * v[2]->depth;
      float& stored = target.depth[size_t(y) * size_t(target.image.width) + size_t(x)];
      if (depth >= stored) continue;
      stored = depth;
      float rgb[3];
      sample(skin, w[0] * c[0]->s + w[1] * c[1]->s + w[2] * c[2]->s, w[0] * c[0]->t + w[1] * c[1]->t + w[2] * c[2]->t,
             rgb);
      float shade = 1;
      if (lit) {
        vec3 n = normalized(v[0]->normal * w[0] + v[1]->normal * w[1] + v[2]->normal * w[2]);
        shade = 0.42f + 0.75f * std::max(0.0f, dot(n, light));
      }
      float* out = target.image.pixel(x, y);
      for (int k = 0; k < 3; ++k) out[k] = std::min(1.0f, rgb[k] * shade);
      out[3] = 1;
    }
}

void draw_model(canvas& target, const raster_model& model, const std::vector<screen_vertex>& screen, bool lit) {
  for (const mesh_polygon& p : model.mesh->polygons)
    for (int k = 1; k + 1 < p.count; ++k) {
      const mesh_corner* c[3] = {&p.corner[0], &p.corner[k], &p.corner[k + 1]};
      const screen_vertex* v[3] = {&screen[size_t(c[0]->vertex)], &screen[size_t(c[1]->vertex)],
                                   &screen[size_t(c[2]->vertex)]};
      fill_triangle(target, v, c, *model.skin, lit);
    }
}

void fill_background(forge_image& image) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      float* p = image.pixel(x, y);
      float v = 0.13f + 0.06f * float(y) / float(image.height);
      p[0] = v;
      p[1] = v;
      p[2] = v * 1.08f;
      p[3] = 1;
    }
}

}  // namespace

forge_image render_game_view(const std::vector<raster_model>& models, int size) {
  const int supersample = 2;
  const vec3 forward = normalized({0, -14, -9});
  const vec3 right = {1, 0, 0};
  const vec3 up = cross(right, forward);
  float lo_x = 1e9f, hi_x = -1e9f, lo_y = 1e9f, hi_y = -1e9f;
  for (const raster_model& m : models)
    for (const vec3& p : m.positions) {
      lo_x = std::min(lo_x, dot(p, right));
      hi_x = std::max(hi_x, dot(p, right));
      lo_y = std::min(lo_y, dot(p, up));
      hi_y = std::max(hi_y, dot(p, up));
    }
  int side = size * supersample;
  float span = std::max({hi_x - lo_x, hi_y - lo_y, 1e-3f});
  float scale = float(side) * 0.88f / span;
  float cx = (lo_x + hi_x) / 2, cy = (lo_y + hi_y) / 2;
  canvas target(side, side);
  fill_background(target.image);
  for (const raster_model& m : models) {
    std::vector<vec3> normals = vertex_normals(*m.mesh, m.positions);
    std::vector<screen_vertex> screen;
    for (size_t i = 0; i < m.positions.size(); ++i) {
      const vec3& p = m.positions[i];
      screen.push_back({float(side) / 2 + (dot(p, right) - cx) * scale, float(side) / 2 - (dot(p, up) - cy) * scale,
                        dot(p, forward), normals[i]});
    }
    draw_model(target, m, screen, true);
  }
  return target.image.scaled_to(size, size);
}

forge_image render_menu_view(const raster_model& model, const forge_image& backdrop, int width) {
  const int supersample = 2;
  int w = width * supersample, h = w * 3 / 4;
  canvas target(w, h);
  // The backdrop spans 800 x 800 layout units from the top-left corner.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int bx = std::min(backdrop.width - 1, x * backdrop.width / w);
      int by = std::min(backdrop.height - 1, y * 600 / h * backdrop.height / 800);
      const float* src = backdrop.pixel(bx, by);
      float* dst = target.image.pixel(x, y);
      for (int c = 0; c < 3; ++c) dst[c] = src[c];
      dst[3] = 1;
    }
  const vec3 eye = {0, 0, -3.6f}, forward = {0, 0, 1}, up = {0, 1, 0};
  const vec3 right = cross(forward, up);
  const float tan_half = std::tan(22.5f * 3.14159265f / 180.0f);
  mat34 turn = rotation_xyz({0, -90, 0});
  std::vector<screen_vertex> screen;
  for (const vec3& p : model.positions) {
    vec3 d = transform_point(turn, p) - eye;
    float depth = dot(d, forward);
    float nx = dot(d, right) / depth / (tan_half * 4.0f / 3.0f);
    float ny = dot(d, up) / depth / tan_half;
    screen.push_back({(nx + 1) / 2 * float(w), (1 - ny) / 2 * float(h), depth, {}});
  }
  draw_model(target, model, screen, false);
  return target.image.scaled_to(width, h / supersample);
}
