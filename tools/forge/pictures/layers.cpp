#include "pictures/layers.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include "common/rng.h"
#include "pictures/noise.h"

namespace {

constexpr float pi = 3.14159265f;

float smoothstep(float lo, float hi, float x) {
  if (hi <= lo) return x < lo ? 0.0f : 1.0f;
  float t = std::clamp((x - lo) / (hi - lo), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

float fract(float x) { return x - std::floor(x); }

// What a generator says about one pixel: `shape` is its coverage and relief
// profile, `tone` picks the colour between from= and to=.
struct sample {
  float shape = 1;
  float tone = 1;
};

// Pixel centre in pixels (x, y) and in tile units (u, v).
struct where {
  float x, y, u, v;
};

using generator = std::function<sample(const where&)>;

enum class mask_kind { full, shape, tone, inverse };

struct layer_generator {
  generator paint;
  mask_kind default_mask = mask_kind::shape;
  bool field = false;  // shape and tone are one value (noise-like)
};

struct point {
  float x = 0, y = 0;
};

struct box {
  float x = 0, y = 0, w = 0, h = 0;
};

void read_point(recipe_args& args, const char* name, point& out) {
  std::vector<double> v;
  if (args.numbers(name, v, 2, -100000, 100000) && !v.empty()) out = {float(v[0]), float(v[1])};
}

void read_box(recipe_args& args, const char* name, box& out) {
  std::vector<double> v;
  if (args.numbers(name, v, 4, -100000, 100000) && !v.empty())
    out = {float(v[0]), float(v[1]), float(v[2]), float(v[3])};
}

void read_range(recipe_args& args, const char* name, float& lo, float& hi, float min, float max) {
  std::vector<double> v;
  if (args.numbers(name, v, 2, min, max) && !v.empty()) {
    lo = float(v[0]);
    hi = float(v[1]);
  }
}

// Signed distance to a rounded rectangle (negative inside), rotated by angle.
float box_distance(const where& p, const box& b, float radius, float angle) {
  float cx = b.x + b.w / 2, cy = b.y + b.h / 2;
  float dx = p.x - cx, dy = p.y - cy;
  if (angle != 0) {
    float c = std::cos(-angle), s = std::sin(-angle);
    float rx = dx * c - dy * s, ry = dx * s + dy * c;
    dx = rx;
    dy = ry;
  }
  float qx = std::fabs(dx) - (b.w / 2 - radius), qy = std::fabs(dy) - (b.h / 2 - radius);
  float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Coverage from a signed distance: a bevelled rise of `bevel` pixels inside
// the edge (a ring of `ring` pixels when ring > 0), anti-aliased outside.
float profile_from_distance(float d, float bevel, float ring) {
  float inside = -d;
  float edge = std::clamp(inside + 0.5f, 0.0f, 1.0f);
  float rise = bevel > 0 ? std::clamp(inside / bevel, 0.0f, 1.0f) : 1.0f;
  float value = std::min(edge, rise);
  if (ring > 0) value *= std::clamp(ring - inside + 0.5f, 0.0f, 1.0f);
  return value;
}

layer_generator make_fill(recipe_args&, uint32_t) {
  return {[](const where&) { return sample{}; }, mask_kind::full, true};
}

layer_generator make_noise(recipe_args& args, uint32_t seed) {
  int scale = 4, scale_y = 0, octaves = 4;
  float persistence = 0.5f;
  bool ridged = false;
  args.integer("scale", scale, 1, 256);
  args.integer("scale_y", scale_y, 1, 256);
  args.integer("octaves", octaves, 1, 8);
  args.number("persistence", persistence, 0.0f, 1.0f);
  args.flag("ridged", ridged);
  if (scale_y == 0) scale_y = scale;
  return {[=](const where& p) {
            float n = fractal_noise(p.u, p.v, scale, scale_y, octaves, persistence, ridged, seed);
            float t = std::clamp(0.5f + 0.5f * n, 0.0f, 1.0f);
            return sample{t, t};
          },
          mask_kind::full, true};
}

layer_generator make_cells(recipe_args& args, uint32_t seed) {
  int count = 6, count_y = 0;
  float jitter = 0.9f, edge = 0.1f, dome = 0.0f;
  args.integer("count", count, 1, 256);
  args.integer("count_y", count_y, 1, 256);
  args.number("jitter", jitter, 0.0f, 1.0f);
  args.number("edge", edge, 0.0f, 2.0f);
  args.number("dome", dome, 0.0f, 1.0f);
  if (count_y == 0) count_y = count;
  return {[=](const where& p) {
            cell_sample c = cellular_noise(p.u, p.v, count, count_y, jitter, seed);
            float border = smoothstep(0.0f, edge, c.second - c.nearest);
            float rounded = 1.0f - dome * std::clamp(c.nearest, 0.0f, 1.0f);
            return sample{border * rounded, float(c.id >> 8) / 16777216.0f};
          },
          mask_kind::shape, false};
}

layer_generator make_bricks(recipe_args& args, uint32_t seed, int width, int height) {
  int rows = 8, columns = 4;
  float mortar = 0.08f, bevel = 0.12f, stagger = 0.5f;
  args.integer("rows", rows, 1, 256);
  args.integer("columns", columns, 1, 256);
  args.number("mortar", mortar, 0.0f, 0.5f);
  args.number("bevel", bevel, 0.0f, 1.0f);
  args.number("stagger", stagger, 0.0f, 1.0f);
  bool vertical = false;  // rows run up the picture instead of across: boards
  args.flag("vertical", vertical);
  if (vertical) std::swap(width, height);
  float brick_w = float(width) / columns, brick_h = float(height) / rows;
  return {[=](const where& q) {
            where p = vertical ? where{q.y, q.x, q.v, q.u} : q;
            int row = int(std::floor(p.v * rows));
            float across = p.u * columns + stagger * float(row);
            int column = int(std::floor(across));
            float lx = fract(across) * brick_w, ly = fract(p.v * rows) * brick_h;
            float d = std::min({lx, brick_w - lx, ly, brick_h - ly});
            float gap = mortar * brick_h / 2;
            float shape = bevel > 0 ? std::clamp((d - gap) / (bevel * brick_h), 0.0f, 1.0f)
                                    : (d > gap ? 1.0f : 0.0f);
            shape = std::min(shape, std::clamp(d - gap + 0.5f, 0.0f, 1.0f));
            int wrapped = ((column % columns) + columns) % columns;
            return sample{shape, hash_unit(seed, wrapped, ((row % rows) + rows) % rows)};
          },
          mask_kind::shape, false};
}

layer_generator make_waves(recipe_args& args, uint32_t seed) {
  int frequency = 8, warp_scale = 4, axis = 1;
  float warp = 0.0f, sharpness = 1.0f;
  args.integer("frequency", frequency, 1, 512);
  args.choice("axis", axis, {"x", "y"});
  args.number("warp", warp, 0.0f, 16.0f);
  args.integer("warp_scale", warp_scale, 1, 64);
  args.number("sharpness", sharpness, 0.05f, 32.0f);
  return {[=](const where& p) {
            float along = axis == 0 ? p.u : p.v;
            float n = warp > 0 ? fractal_noise(p.u, p.v, warp_scale, warp_scale, 3, 0.5f, false, seed) : 0;
            float t = 0.5f + 0.5f * std::sin(2 * pi * (frequency * along + warp * n));
            t = std::pow(t, sharpness);
            return sample{t, t};
          },
          mask_kind::full, true};
}

layer_generator make_stripes(recipe_args& args, uint32_t, int width) {
  int count = 8, direction = 0;
  float duty = 0.5f;
  args.integer("count", count, 1, 512);
  args.number("duty", duty, 0.0f, 1.0f);
  args.choice("direction", direction, {"diagonal", "x", "y"});
  // Anti-alias over about one pixel of the stripe period.
  float soft = float(count) / float(width);
  return {[=](const where& p) {
            float along = direction == 0 ? p.u + p.v : direction == 1 ? p.u : p.v;
            float t = fract(along * count);
            float on = smoothstep(-soft, soft, t) * (1.0f - smoothstep(duty - soft, duty + soft, t));
            return sample{on, 1.0f};
          },
          mask_kind::shape, false};
}

layer_generator make_gradient(recipe_args& args, uint32_t, int width, int height) {
  int direction = 0;
  point center{width / 2.0f, height / 2.0f};
  float radius = float(std::max(width, height)) / 2;
  args.choice("direction", direction, {"down", "up", "right", "left", "radial"});
  read_point(args, "center", center);
  args.number("radius", radius, 1.0f, 100000.0f);
  return {[=](const where& p) {
            float t = direction == 0   ? p.v
                      : direction == 1 ? 1 - p.v
                      : direction == 2 ? p.u
                      : direction == 3 ? 1 - p.u
                                       : std::clamp(1 - std::hypot(p.x - center.x, p.y - center.y) / radius, 0.0f, 1.0f);
            return sample{t, t};
          },
          mask_kind::full, true};
}

layer_generator make_rect(recipe_args& args, uint32_t, int width, int height) {
  box b{0, 0, float(width), float(height)};
  float bevel = 0, radius = 0, ring = 0, angle = 0;
  args.require("box");
  read_box(args, "box", b);
  args.number("bevel", bevel, 0.0f, 4096.0f);
  args.number("radius", radius, 0.0f, 4096.0f);
  args.number("ring", ring, 0.0f, 4096.0f);
  args.number("angle", angle, -360.0f, 360.0f);
  radius = std::min({radius, b.w / 2, b.h / 2});
  float turn = angle * pi / 180.0f;
  return {[=](const where& p) {
            float v = profile_from_distance(box_distance(p, b, radius, turn), bevel, ring);
            return sample{v, v};
          },
          mask_kind::shape, false};
}

layer_generator make_disc(recipe_args& args, uint32_t seed, int width, int height) {
  point center{width / 2.0f, height / 2.0f};
  float radius = std::min(width, height) / 2.0f, softness = 0, ring = 0, distort = 0;
  int distort_scale = 5, profile = 0;
  read_point(args, "center", center);
  args.number("radius", radius, 0.1f, 100000.0f);
  args.number("softness", softness, 0.0f, 1.0f);
  args.number("ring", ring, 0.0f, 100000.0f);
  args.number("distort", distort, 0.0f, 1.0f);
  args.integer("distort_scale", distort_scale, 1, 64);
  args.choice("profile", profile, {"flat", "dome", "glow"});
  return {[=](const where& p) {
            float dx = p.x - center.x, dy = p.y - center.y;
            float r = radius;
            if (distort > 0) {
              float a = std::atan2(dy, dx) / (2 * pi) + 0.5f;
              r *= 1.0f + distort * fractal_noise(a, 0.5f, distort_scale, 1, 3, 0.5f, false, seed);
            }
            float d = std::hypot(dx, dy);
            float shape;
            if (profile == 2) {
              float t = std::clamp(1.0f - d / r, 0.0f, 1.0f);
              shape = t * t * (3 - 2 * t);
            } else {
              float soft_edge = std::max(softness * r, 0.75f);
              shape = 1.0f - smoothstep(r - soft_edge, r, d);
              if (profile == 1) shape *= std::sqrt(std::max(0.0f, 1.0f - (d / r) * (d / r)));
            }
            if (ring > 0) shape *= smoothstep(r - ring - 1.0f, r - ring, d);
            return sample{shape, shape};
          },
          mask_kind::shape, false};
}

layer_generator make_rivets(recipe_args& args, uint32_t, int width, int height) {
  box area{0, 0, float(width), float(height)};
  int nx = 2, ny = 2;
  float margin = 8, radius = 3;
  read_box(args, "box", area);
  std::vector<double> grid;
  if (args.numbers("grid", grid, 2, 1, 64) && !grid.empty()) {
    nx = int(grid[0]);
    ny = int(grid[1]);
  }
  args.number("margin", margin, 0.0f, 4096.0f);
  args.number("radius", radius, 0.5f, 512.0f);
  return {[=](const where& p) {
            float best = 1e9f;
            for (int j = 0; j < ny; ++j)
              for (int i = 0; i < nx; ++i) {
                float cx = area.x + margin + (nx > 1 ? (area.w - 2 * margin) * i / (nx - 1) : (area.w - 2 * margin) / 2);
                float cy = area.y + margin + (ny > 1 ? (area.h - 2 * margin) * j / (ny - 1) : (area.h - 2 * margin) / 2);
                best = std::min(best, std::hypot(p.x - cx, p.y - cy));
              }
            float t = std::clamp(1.0f - best / radius, 0.0f, 1.0f);
            float shape = std::sqrt(t * (2 - t)) * std::clamp((radius - best) + 0.5f, 0.0f, 1.0f);
            return sample{shape, shape};
          },
          mask_kind::shape, false};
}

// A generator backed by a precomputed buffer, for shapes that are cheaper to
// draw stroke by stroke than to evaluate pixel by pixel.
struct painted_field {
  int width, height;
  std::vector<sample> cells;
  painted_field(int w, int h) : width(w), height(h), cells(size_t(w) * h, sample{0, 0}) {}
  void raise(int x, int y, float shape, float tone) {
    x = ((x % width) + width) % width;
    y = ((y % height) + height) % height;
    sample& s = cells[size_t(y) * width + x];
    if (shape > s.shape) s = {shape, tone};
  }
  layer_generator generator() const {
    auto shared = std::make_shared<std::vector<sample>>(cells);
    int w = width;
    return {[shared, w](const where& p) { return (*shared)[size_t(p.y) * w + size_t(p.x)]; },
            mask_kind::shape, false};
  }
};

// Randomly placed round spots (drops, stains) inside a box.
layer_generator make_spots(recipe_args& args, uint32_t seed, int width, int height) {
  box area{0, 0, float(width), float(height)};
  int count = 10;
  float lo = 2, hi = 6;
  read_box(args, "box", area);
  args.integer("count", count, 1, 4096);
  read_range(args, "radius", lo, hi, 0.1f, 4096.0f);
  painted_field field(width, height);
  forge_rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float cx = area.x + rng.unit() * area.w, cy = area.y + rng.unit() * area.h, r = rng.range(lo, hi);
    for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y)
      for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x) {
        float v = std::clamp(r - std::hypot(x + 0.5f - cx, y + 0.5f - cy) + 0.5f, 0.0f, 1.0f);
        if (x >= 0 && y >= 0 && x < width && y < height && v > 0) field.raise(x, y, v, v);
      }
  }
  return field.generator();
}

// Thin random strokes; they wrap around the edges so tiles stay seamless.
layer_generator make_scratches(recipe_args& args, uint32_t seed, int width, int height) {
  int count = 30;
  float length = 0.15f, line = 1.0f, direction = 0, spread = 180;
  args.integer("count", count, 1, 4096);
  args.number("length", length, 0.0f, 1.0f);
  args.number("width", line, 0.2f, 64.0f);
  args.number("direction", direction, -360.0f, 360.0f);
  args.number("spread", spread, 0.0f, 180.0f);
  painted_field field(width, height);
  forge_rng rng(seed);
  float size = float(std::max(width, height));
  for (int i = 0; i < count; ++i) {
    float a = (direction + rng.signed_unit() * spread) * pi / 180.0f;
    float sx = rng.unit() * width, sy = rng.unit() * height, dx = std::cos(a), dy = std::sin(a);
    float len = length * size * rng.range(0.3f, 1.0f), tone = rng.unit();
    float reach = line + 2;
    int x0 = int(std::floor(std::min(sx, sx + dx * len) - reach)), x1 = int(std::ceil(std::max(sx, sx + dx * len) + reach));
    int y0 = int(std::floor(std::min(sy, sy + dy * len) - reach)), y1 = int(std::ceil(std::max(sy, sy + dy * len) + reach));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        float px = x + 0.5f - sx, py = y + 0.5f - sy;
        float t = std::clamp(px * dx + py * dy, 0.0f, len);
        float d = std::hypot(px - t * dx, py - t * dy);
        float taper = 1.0f - std::fabs(2 * t / std::max(len, 1e-3f) - 1);
        float v = std::clamp(line / 2 * (0.4f + taper) - d + 0.5f, 0.0f, 1.0f);
        if (v > 0) field.raise(x, y, v, tone);
      }
  }
  return field.generator();
}

// Runs work(first, last) over bands of rows on several threads. Every pixel
// depends only on its own inputs, so the result is the same however the rows
// are split.
void for_rows(int y0, int y1, const std::function<void(int, int)>& work) {
  int threads = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  if (y1 - y0 < 64 || threads == 1) return work(y0, y1);
  std::vector<std::thread> pool;
  int band = (y1 - y0 + threads - 1) / threads;
  for (int first = y0; first < y1; first += band) pool.emplace_back(work, first, std::min(y1, first + band));
  for (std::thread& t : pool) t.join();
}

float blend_channel(int mode, float dst, float src) {
  switch (mode) {
    case 1: return dst * src;                              // multiply
    case 2: return 1 - (1 - dst) * (1 - src);              // screen
    case 3: return dst + src;                              // add
    case 4: return dst < 0.5f ? 2 * dst * src : 1 - 2 * (1 - dst) * (1 - src);  // overlay
    default: return src;                                   // mix
  }
}

void paint(recipe_args& args, forge_image& image, const layer_generator& gen) {
  recipe_color from{255, 255, 255, 255}, to{255, 255, 255, 255};
  bool has_colour = args.has("color") || args.has("from") || args.has("to");
  if (args.has("color")) {
    args.color("color", from);
    to = from;
  } else {
    args.color("from", from);
    to = from;
    args.color("to", to);
  }
  int blend = 0, target = 0, mask_choice = -1;
  float opacity = 1, relief = 0, lo = 0, hi = 1, out_lo = 0, out_hi = 1;
  bool invert = false, solid = false;
  args.flag("solid", solid);
  args.choice("blend", blend, {"mix", "multiply", "screen", "add", "overlay"});
  args.choice("target", target, {"color", "alpha"});
  args.choice("mask", mask_choice, {"full", "shape", "tone", "inverse"});
  args.number("opacity", opacity, 0.0f, 1.0f);
  args.number("height", relief, -100.0f, 100.0f);
  read_range(args, "levels", lo, hi, -1.0f, 2.0f);
  read_range(args, "range", out_lo, out_hi, 0.0f, 1.0f);
  args.flag("invert", invert);
  box clip{0, 0, float(image.width), float(image.height)};
  read_box(args, "clip", clip);
  int x0 = std::max(0, int(clip.x)), y0 = std::max(0, int(clip.y));
  int x1 = std::min(image.width, int(clip.x + clip.w)), y1 = std::min(image.height, int(clip.y + clip.h));
  if (target == 1 && has_colour) args.error("a layer with target=alpha takes range=, not colours");
  mask_kind mask = mask_choice < 0 ? gen.default_mask : mask_kind(mask_choice);

  const float rgb_from[3] = {from.r / 255.0f, from.g / 255.0f, from.b / 255.0f};
  const float rgb_to[3] = {to.r / 255.0f, to.g / 255.0f, to.b / 255.0f};
  auto paint_rows = [&](int first, int last) {
  for (int y = first; y < last; ++y)
    for (int x = x0; x < x1; ++x) {
      where p{x + 0.5f, y + 0.5f, (x + 0.5f) / image.width, (y + 0.5f) / image.height};
      sample s = gen.paint(p);
      float tone = (lo != 0 || hi != 1) ? smoothstep(lo, hi, s.tone) : s.tone;
      if (invert) tone = 1 - tone;
      float shape = gen.field ? tone : s.shape;
      float weight = opacity * (mask == mask_kind::full    ? 1.0f
                                : mask == mask_kind::shape ? shape
                                : mask == mask_kind::tone  ? tone
                                                           : 1.0f - shape);
      float* px = image.pixel(x, y);
      if (target == 1) {
        float value = out_lo + (out_hi - out_lo) * tone;
        px[3] += (std::clamp(blend_channel(blend, px[3], value), 0.0f, 1.0f) - px[3]) * weight;
      } else if (has_colour) {
        for (int c = 0; c < 3; ++c) {
          float src = rgb_from[c] + (rgb_to[c] - rgb_from[c]) * tone;
          float mixed = std::clamp(blend_channel(blend, px[c], src), 0.0f, 1.0f);
          px[c] += (mixed - px[c]) * weight;
        }
        // A solid layer also covers what lies behind it in alpha pictures.
        if (solid) px[3] += (1 - px[3]) * weight;
      }
      if (relief != 0) image.height_at(x, y) += relief * shape * opacity;
    }
  };
  for_rows(y0, y1, paint_rows);
}

// Lights the relief from one direction: flat ground keeps its colour, slopes
// facing the light brighten and those facing away darken.
void shade(recipe_args& args, forge_image& image) {
  float azimuth = 135, elevation = 45, strength = 1, gloss = 0, depth = 1;
  args.number("azimuth", azimuth, -360.0f, 360.0f);
  args.number("elevation", elevation, 1.0f, 90.0f);
  args.number("strength", strength, 0.0f, 4.0f);
  args.number("gloss", gloss, 0.0f, 4.0f);
  args.number("depth", depth, 0.0f, 100.0f);
  float a = azimuth * pi / 180, e = elevation * pi / 180;
  float lx = std::cos(a) * std::cos(e), ly = -std::sin(a) * std::cos(e), lz = std::sin(e);
  std::vector<float> factor(size_t(image.width) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      float gx = (image.height_wrapped(x + 1, y) - image.height_wrapped(x - 1, y)) * 0.5f * depth;
      float gy = (image.height_wrapped(x, y + 1) - image.height_wrapped(x, y - 1)) * 0.5f * depth;
      float nx = -gx, ny = -gy, nz = 1;
      float len = std::sqrt(nx * nx + ny * ny + nz * nz);
      float lit = std::max(0.0f, (nx * lx + ny * ly + nz * lz) / len) / lz;
      factor[size_t(y) * image.width + x] = lit;
    }
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      float lit = factor[size_t(y) * image.width + x];
      float* px = image.pixel(x, y);
      float scale = 1 + (lit - 1) * strength;
      float shine = gloss * std::pow(std::max(0.0f, lit - 1.0f), 2.0f);
      for (int c = 0; c < 3; ++c) px[c] = std::clamp(px[c] * scale + shine, 0.0f, 1.0f);
    }
}

// Box blur of the relief or the colour, wrapping at the edges.
void blur(recipe_args& args, forge_image& image) {
  int radius = 2, target = 0, passes = 2;
  args.integer("radius", radius, 1, 64);
  args.choice("target", target, {"relief", "color"});
  args.integer("passes", passes, 1, 4);
  int channels = target == 0 ? 1 : 4;
  std::vector<float>& data = target == 0 ? image.relief : image.rgba;
  int w = image.width, h = image.height;
  std::vector<float> tmp(data.size());
  auto at = [&](std::vector<float>& d, int x, int y, int c) -> float& {
    return d[(size_t(((y % h) + h) % h) * w + ((x % w) + w) % w) * channels + c];
  };
  float n = float(2 * radius + 1);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < h; ++y)
      for (int c = 0; c < channels; ++c) {
        float sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += at(data, k, y, c);
        for (int x = 0; x < w; ++x) {
          at(tmp, x, y, c) = sum / n;
          sum += at(data, x + radius + 1, y, c) - at(data, x - radius, y, c);
        }
      }
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < channels; ++c) {
        float sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += at(tmp, x, k, c);
        for (int y = 0; y < h; ++y) {
          at(data, x, y, c) = sum / n;
          sum += at(tmp, x, y + radius + 1, c) - at(tmp, x, y - radius, c);
        }
      }
  }
}

}  // namespace

void apply_layer(recipe_args& args, forge_image& image, uint32_t seed) {
  std::string kind = args.bare(0, "a kind (fill, noise, cells, bricks, waves, stripes, gradient, rect, "
                                  "disc, rivets, spots, scratches, shade, blur)");
  int own_seed = 0;
  args.integer("seed", own_seed, 0, 1 << 30);
  uint32_t s = seed * 1000003u + uint32_t(own_seed);
  int w = image.width, h = image.height;
  if (kind == "shade") return shade(args, image);
  if (kind == "blur") return blur(args, image);
  layer_generator gen;
  if (kind == "fill") gen = make_fill(args, s);
  else if (kind == "noise") gen = make_noise(args, s);
  else if (kind == "cells") gen = make_cells(args, s);
  else if (kind == "bricks") gen = make_bricks(args, s, w, h);
  else if (kind == "waves") gen = make_waves(args, s);
  else if (kind == "stripes") gen = make_stripes(args, s, w);
  else if (kind == "gradient") gen = make_gradient(args, s, w, h);
  else if (kind == "rect") gen = make_rect(args, s, w, h);
  else if (kind == "disc") gen = make_disc(args, s, w, h);
  else if (kind == "rivets") gen = make_rivets(args, s, w, h);
  else if (kind == "spots") gen = make_spots(args, s, w, h);
  else if (kind == "scratches") gen = make_scratches(args, s, w, h);
  else {
    if (!kind.empty()) args.error(args.entry().arguments[0].value.at, "unknown layer kind '" + kind + "'");
    return;
  }
  paint(args, image, gen);
}
