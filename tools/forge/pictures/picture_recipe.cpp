#include "pictures/picture_recipe.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "menus/menu_layout.h"
#include "pictures/font_texture.h"
#include "pictures/layers.h"

namespace {

bool read_header(recipe& source, const recipe_entry& entry, picture& out, uint32_t& seed) {
  recipe_args args(source, entry);
  int width = 256, height = 256, seed_value = 1, store = 0;
  out.kind = entry.keyword.text == "backdrop" ? picture_kind::backdrop : picture_kind::texture;
  args.require("size");
  args.size("size", width, height, 1, image_max_side);
  args.integer("seed", seed_value, 0, 1 << 30);
  if (out.kind == picture_kind::texture) {
    args.flag("alpha", out.alpha);
    args.choice("store", store, {"plain", "bz2"});
  } else {
    args.integer("quality", out.quality, 10, 100);
  }
  out.store = picture_store(store);
  if (!is_power_of_two(width) || !is_power_of_two(height))
    args.error("size must be a power of two on both sides (the engine's textures are)");
  bool clean = args.finish();
  seed = uint32_t(seed_value);
  out.image = forge_image(width, height);
  if (!out.alpha) return clean;
  for (size_t i = 3; i < out.image.rgba.size(); i += 4) out.image.rgba[i] = 0.0f;
  return clean;
}

text_style read_text_style(recipe_args& args, font_library& fonts) {
  text_style style;
  std::string face = "DejaVuSans.ttf";
  int align = 0;
  args.word("face", face);
  args.integer("size", style.pixel_size, 4, 512);
  args.color("color", style.color);
  args.choice("align", align, {"left", "center", "right"});
  args.number("tracking", style.tracking, -64.0f, 64.0f);
  style.align = text_align(align);
  style.face = fonts.face(face);
  if (!style.face) args.error("font face '" + face + "' cannot be loaded from " + fonts.directory());
  return style;
}

void draw_text_entry(recipe& source, const recipe_entry& entry, font_library& fonts, forge_image& image) {
  recipe_args args(source, entry);
  std::string words = args.bare(0, "the text in quotes");
  std::vector<double> at{0, 0}, offset{2, 2};
  args.require("at");
  args.numbers("at", at, 2, -100000, 100000);
  recipe_color shadow{0, 0, 0, 0};
  args.color("shadow", shadow);
  args.numbers("shadow_offset", offset, 2, -64, 64);
  text_style style = read_text_style(args, fonts);
  args.finish();
  if (!style.face) return;
  if (shadow.a > 0) {
    text_style dark = style;
    dark.color = shadow;
    draw_text(image, dark, words, float(at[0] + offset[0]), float(at[1] + offset[1]));
  }
  draw_text(image, style, words, float(at[0]), float(at[1]));
}

// Menu items: a bevelled plaque per item with its label centred on it.
void draw_menu_items(recipe& source, font_library& fonts, forge_image& image) {
  menu_layout layout;
  if (!read_menu_layout(source, layout)) return;
  float scale = float(image.width) / 800.0f;
  text_style style;
  style.face = fonts.face("DejaVuSans-Bold.ttf");
  style.pixel_size = int(layout.text_size * scale);
  style.align = text_align::center;
  style.color = {236, 226, 200, 255};
  if (!style.face) {
    source.sink().report(source.path(), "font face DejaVuSans-Bold.ttf cannot be loaded from " + fonts.directory());
    return;
  }
  for (size_t i = 0; i < layout.items.size(); ++i) {
    layout_box b = menu_item_box(layout, int(i));
    float x0 = b.x * scale, y0 = b.y * scale, w = b.w * scale, h = b.h * scale;
    // A recessed dark plate: lit lower and right rims, shadowed upper and
    // left ones, a faint sheen towards the top and an amber mark at each end.
    for (int y = int(y0); y < int(y0 + h); ++y)
      for (int x = int(x0); x < int(x0 + w); ++x) {
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
        float fx = float(x) - x0, fy = float(y) - y0;
        float* p = image.pixel(x, y);
        float shade = 0.35f + 0.15f * (1.0f - fy / h);
        float add = 0;
        if (fy < 2 || fx < 2) shade = 0.2f;
        else if (fy >= h - 2 || fx >= w - 2) add = 0.12f;
        for (int c = 0; c < 3; ++c) p[c] = std::clamp(p[c] * shade + add, 0.0f, 1.0f);
        if ((fx >= 4 && fx < 7) || (fx >= w - 7 && fx < w - 4))
          if (fy >= 5 && fy < h - 5) {
            p[0] = 0.78f;
            p[1] = 0.5f;
            p[2] = 0.12f;
          }
      }
    float baseline = (b.y + b.h / 2) * scale + style.pixel_size * 0.36f;
    text_style shadow = style;
    shadow.color = {0, 0, 0, 200};
    draw_text(image, shadow, layout.items[i], (b.x + b.w / 2) * scale + 2, baseline + 2);
    draw_text(image, style, layout.items[i], (b.x + b.w / 2) * scale, baseline);
  }
}

// Includes nest at most this deep, so a recipe that includes itself stops.
constexpr int include_depth_limit = 4;

// Paints another recipe's layers and texts (not its header) into this picture
// with that recipe's own seed: a variant such as a pain skin starts from its
// base skin without repeating it.
void paint_include(recipe& source, const recipe_entry& entry, font_library& fonts, forge_image& image, int depth) {
  recipe_args args(source, entry);
  std::string name = args.bare(0, "a recipe path in quotes");
  args.finish();
  if (name.empty()) return;
  if (depth >= include_depth_limit) {
    source.error(entry.keyword.at, "includes nest deeper than " + std::to_string(include_depth_limit));
    return;
  }
  std::filesystem::path path = std::filesystem::path(source.path()).parent_path() / name;
  recipe included(path.generic_string(), source.sink());
  if (!included.load()) return;
  const std::vector<recipe_entry>& entries = included.entries();
  if (entries.empty() || (entries[0].keyword.text != "texture" && entries[0].keyword.text != "backdrop")) {
    included.error(entries.empty() ? recipe_position{1, 1} : entries[0].keyword.at,
                   "only texture and backdrop recipes can be included");
    return;
  }
  int seed = 1;
  {
    recipe_args header(included, entries[0]);
    header.integer("seed", seed, 0, 1 << 30);
  }
  for (size_t i = 1; i < entries.size(); ++i)
    if (!paint_entry(included, entries[i], fonts, image, uint32_t(seed), depth + 1))
      included.error(entries[i].keyword.at, "unknown entry '" + entries[i].keyword.text + "'");
}

}  // namespace

bool paint_entry(recipe& source, const recipe_entry& entry, font_library& fonts, forge_image& image,
                 uint32_t seed, int depth) {
  if (entry.keyword.text == "include") {
    paint_include(source, entry, fonts, image, depth);
    return true;
  }
  if (entry.keyword.text == "layer") {
    recipe_args args(source, entry);
    apply_layer(args, image, seed);
    args.finish();
    return true;
  }
  if (entry.keyword.text == "text") {
    draw_text_entry(source, entry, fonts, image);
    return true;
  }
  return false;
}

const char* picture_extension(picture_kind kind) {
  return kind == picture_kind::backdrop ? ".jpg" : ".tga";
}

bool paint_picture(recipe& source, font_library& fonts, picture& out) {
  int errors_before = source.sink().count();
  const std::vector<recipe_entry>& entries = source.entries();
  const std::string first = entries.empty() ? "" : entries[0].keyword.text;
  if (first != "texture" && first != "backdrop" && first != "font") {
    source.error(entries.empty() ? recipe_position{1, 1} : entries[0].keyword.at,
                 "a picture recipe starts with 'texture', 'backdrop' or 'font'");
    return false;
  }
  if (first == "font") {
    out.kind = picture_kind::texture;
    out.alpha = false;
    bool clean = paint_font(source, entries[0], fonts, out.image);
    for (size_t i = 1; i < entries.size(); ++i)
      source.error(entries[i].keyword.at, "a font recipe has only its 'font' line");
    return clean && entries.size() == 1;
  }
  uint32_t seed = 1;
  if (!read_header(source, entries[0], out, seed)) return false;
  // Menu plaques go where the first menu line stands, so texts written after
  // the menu lines (slot numbers, say) are painted over them.
  bool plaques_drawn = false;
  for (size_t i = 1; i < entries.size(); ++i) {
    const recipe_entry& entry = entries[i];
    const std::string& keyword = entry.keyword.text;
    if (keyword == "menu" || keyword == "menu_item") {
      if (out.kind != picture_kind::backdrop) {
        source.error(entry.keyword.at, "menu items belong on backdrops");
      } else if (!plaques_drawn) {
        draw_menu_items(source, fonts, out.image);
        plaques_drawn = true;
      }
    } else if (!paint_entry(source, entry, fonts, out.image, seed, 0)) {
      source.error(entry.keyword.at, "unknown entry '" + keyword + "' (layer, text, include, menu, menu_item)");
    }
  }
  return source.sink().count() == errors_before;
}
