#include "pictures/setup_pictures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "pictures/picture_recipe.h"

namespace {

struct rgb {
  float r, g, b;
};

void put(forge_image& image, int x, int y, rgb c, float a = 1) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  float* p = image.pixel(x, y);
  p[0] += (c.r - p[0]) * a;
  p[1] += (c.g - p[1]) * a;
  p[2] += (c.b - p[2]) * a;
}

// A plate filling the rectangle the setup program copies: [left, right) x
// [top, bottom), lit from above: a bright upper edge, a dark lower edge and a
// vertical gradient between `top_colour` and `bottom_colour`.
void draw_plate(forge_image& image, const setup_rect& r, rgb top_colour, rgb bottom_colour, rgb rim) {
  int h = std::max(1, r.bottom - r.top - 1);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      float t = float(y - r.top) / float(h);
      rgb c{top_colour.r + (bottom_colour.r - top_colour.r) * t, top_colour.g + (bottom_colour.g - top_colour.g) * t,
            top_colour.b + (bottom_colour.b - top_colour.b) * t};
      bool outer = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
      bool upper = y == r.top + 1 || x == r.left + 1;
      bool lower = y == r.bottom - 2 || x == r.right - 2;
      if (outer) c = rim;
      else if (upper) c = {std::min(1.0f, c.r * 1.6f + 0.06f), std::min(1.0f, c.g * 1.6f + 0.06f), std::min(1.0f, c.b * 1.6f + 0.06f)};
      else if (lower) c = {c.r * 0.55f, c.g * 0.55f, c.b * 0.55f};
      put(image, x, y, c);
    }
}

// A round lamp centred in the marker rectangle; lit lamps glow past their rim.
void draw_lamp(forge_image& image, const setup_rect& r, bool lit) {
  draw_plate(image, r, {0.07f, 0.07f, 0.08f}, {0.12f, 0.12f, 0.13f}, {0.02f, 0.02f, 0.02f});
  float cx = (r.left + r.right - 1) / 2.0f, cy = (r.top + r.bottom - 1) / 2.0f;
  float radius = std::min(r.right - r.left, r.bottom - r.top) * 0.3f;
  for (int y = r.top + 2; y < r.bottom - 2; ++y)
    for (int x = r.left + 2; x < r.right - 2; ++x) {
      float d = std::hypot(x - cx, y - cy);
      if (lit) {
        float glow = std::clamp(1.0f - d / (radius * 2.2f), 0.0f, 1.0f);
        put(image, x, y, {0.35f, 1.0f, 0.35f}, glow * glow * 0.6f);
      }
      float inside = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
      float highlight = std::clamp(1.0f - std::hypot(x - (cx - radius * 0.35f), y - (cy - radius * 0.35f)) / radius, 0.0f, 1.0f);
      rgb lamp = lit ? rgb{0.3f + 0.7f * highlight, 0.95f, 0.3f + 0.6f * highlight}
                     : rgb{0.12f + 0.2f * highlight, 0.2f + 0.25f * highlight, 0.12f + 0.2f * highlight};
      put(image, x, y, lamp, inside);
    }
}

void draw_choice(forge_image& image, const setup_rect& r, const std::string& label, const text_style& font,
                 bool highlighted) {
  if (highlighted)
    draw_plate(image, r, {0.93f, 0.62f, 0.2f}, {0.55f, 0.29f, 0.06f}, {0.2f, 0.1f, 0.02f});
  else
    draw_plate(image, r, {0.27f, 0.28f, 0.3f}, {0.15f, 0.155f, 0.17f}, {0.04f, 0.04f, 0.05f});
  text_style style = font;
  style.align = text_align::center;
  // Narrow plates get a smaller label rather than one that spills over.
  while (style.pixel_size > 9 && text_width(style, label) > float(r.right - r.left - 8)) --style.pixel_size;
  float cx = (r.left + r.right) / 2.0f;
  float baseline = (r.top + r.bottom) / 2.0f + style.pixel_size * 0.36f;
  text_style shadow = style;
  shadow.color = highlighted ? recipe_color{60, 25, 0, 200} : recipe_color{0, 0, 0, 220};
  draw_text(image, shadow, label, cx + 1, baseline + 1);
  style.color = highlighted ? recipe_color{255, 250, 235, 255} : recipe_color{196, 192, 180, 255};
  draw_text(image, style, label, cx, baseline);
}

}  // namespace

bool paint_setup_pictures(recipe& source, font_library& fonts, setup_pictures& out) {
  int errors_before = source.sink().count();
  const std::vector<recipe_entry>& entries = source.entries();
  if (entries.empty() || entries[0].keyword.text != "setup") {
    source.error(entries.empty() ? recipe_position{1, 1} : entries[0].keyword.at,
                 "a setup recipe starts with 'setup'");
    return false;
  }
  int seed = 1;
  {
    recipe_args args(source, entries[0]);
    args.integer("seed", seed, 0, 1 << 30);
    args.finish();
  }
  forge_image background(setup_width, setup_height);
  std::string labels[setup_rect_count];
  std::vector<recipe_position> label_at(setup_rect_count);
  for (size_t i = 1; i < entries.size(); ++i) {
    const recipe_entry& entry = entries[i];
    if (paint_entry(source, entry, fonts, background, uint32_t(seed))) continue;
    if (entry.keyword.text != "choice") {
      source.error(entry.keyword.at, "unknown entry '" + entry.keyword.text + "' (layer, text, choice)");
      continue;
    }
    recipe_args args(source, entry);
    double index = 0;
    if (args.bare_number(0, "a choice index", index, 0, setup_rect_count - 1)) {
      int k = int(index);
      if (k % 2 != 0 || double(k) != index)
        args.error(entry.arguments[0].value.at, "choices have even indices; odd ones are their markers");
      else
        labels[k] = args.bare(1, "a label in quotes");
    }
    args.finish();
  }
  text_style font;
  font.face = fonts.face("DejaVuSans-Bold.ttf");
  font.pixel_size = 15;
  if (!font.face) {
    source.sink().report(source.path(), "font face DejaVuSans-Bold.ttf cannot be loaded from " + fonts.directory());
    return false;
  }
  for (int k = 0; k < setup_rect_count; k += 2)
    if (labels[k].empty()) source.error(entries[0].keyword.at, "choice " + std::to_string(k) + " has no label");
  out.base = background;
  out.select = background;
  for (int k = 0; k < setup_rect_count; ++k) {
    if (k % 2 == 0) {
      draw_choice(out.base, setup_rects[k], labels[k], font, false);
      draw_choice(out.select, setup_rects[k], labels[k], font, true);
    } else {
      draw_lamp(out.base, setup_rects[k], false);
      draw_lamp(out.select, setup_rects[k], true);
    }
  }
  return source.sink().count() == errors_before;
}
