#include "tiled/kel_tileset_picture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "formats/tga.h"

namespace {

struct rgb {
  float r, g, b;
};
constexpr rgb see_through{1.0f, 0.0f, 1.0f};

void put(forge_image& image, int x, int y, rgb c) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  float* p = image.pixel(x, y);
  p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 1.0f;
}

void box(forge_image& image, int x0, int y0, int x1, int y1, rgb c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) put(image, x, y, c);
}

void disc(forge_image& image, float cx, float cy, float radius, rgb c) {
  for (int y = int(cy - radius); y <= int(cy + radius); ++y)
    for (int x = int(cx - radius); x <= int(cx + radius); ++x)
      if ((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy) <= radius * radius) put(image, x, y, c);
}

// The texture scaled into the tile; a wall's top is darker with a dark edge.
void draw_texture(forge_image& image, int x0, int y0, const std::string& data_dir, const std::string& name, bool wall) {
  std::filesystem::path relative = std::filesystem::path(name).lexically_relative("data");
  tga_image tga;
  std::string path = (std::filesystem::path(data_dir) / relative).string();
  bool loaded = !relative.empty() && tga_decode(path.c_str(), tga) && tga.width && tga.height;
  unsigned channels = tga.bits / 8;
  for (int y = 0; y < kel_tile_size; ++y)
    for (int x = 0; x < kel_tile_size; ++x) {
      rgb c{0.5f, 0.5f, 0.5f};
      if (loaded) {
        const unsigned char* p = tga.pixels + (size_t(y) * tga.height / kel_tile_size * tga.width +
                                               size_t(x) * tga.width / kel_tile_size) * channels;
        c = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
      }
      bool edge = x < 3 || y < 3 || x >= kel_tile_size - 3 || y >= kel_tile_size - 3;
      float shade = wall ? (edge ? 0.25f : 0.6f) : 1.0f;
      put(image, x0 + x, y0 + y, {c.r * shade, c.g * shade, c.b * shade});
    }
}

void label(forge_image& image, font_library& fonts, int x0, int y0, const std::string& text, rgb colour) {
  text_style style;
  style.face = fonts.face("DejaVuSans-Bold.ttf");
  if (!style.face || text.empty()) return;
  style.pixel_size = 9;
  style.align = text_align::center;
  style.color = {uint8_t(colour.r * 255), uint8_t(colour.g * 255), uint8_t(colour.b * 255), 255};
  // Squeezed to the tile's width by a smaller size where the name is long.
  while (style.pixel_size > 6 && text_width(style, text) > kel_tile_size - 2) --style.pixel_size;
  // A dark strip under the name: no soft edge meets the see-through colour.
  box(image, x0 + 1, y0 + kel_tile_size - 12, x0 + kel_tile_size - 1, y0 + kel_tile_size - 1, {0, 0, 0});
  draw_text(image, style, text, x0 + kel_tile_size / 2.0f, y0 + kel_tile_size - 3.0f);
}

// A short stroke from the centre in the model's turn (0: +x, then a quarter
// turn each), so turned tiles are told apart.
void turn_mark(forge_image& image, int x0, int y0, int rotation, rgb c) {
  const int dx[] = {1, 0, -1, 0}, dz[] = {0, 1, 0, -1};
  float cx = x0 + kel_tile_size / 2.0f, cy = y0 + kel_tile_size / 2.0f - 4;
  for (int s = 0; s < 14; ++s) disc(image, cx + dx[rotation & 3] * s, cy + dz[rotation & 3] * s, 1.5f, c);
}

void draw_tile(forge_image& image, int x0, int y0, const kel_tile& t, const std::string& data_dir, font_library& fonts) {
  const rgb white{1, 1, 1}, yellow{1.0f, 0.85f, 0.2f}, red{0.9f, 0.15f, 0.1f}, brown{0.55f, 0.35f, 0.15f},
      grey{0.6f, 0.6f, 0.6f}, black{0, 0, 0};
  float cx = x0 + kel_tile_size / 2.0f, cy = y0 + kel_tile_size / 2.0f - 4;
  switch (t.look) {
    case kel_tile_look::blank:
      return;
    case kel_tile_look::wall:
    case kel_tile_look::floor:
      draw_texture(image, x0, y0, data_dir, t.texture, t.look == kel_tile_look::wall);
      return;
    case kel_tile_look::door:
      // Turn 0 spans the cell along x, turn 1 along z.
      if (t.rotation % 2 == 0)
        box(image, x0 + 2, int(cy) - 4, x0 + kel_tile_size - 2, int(cy) + 4, t.locked ? yellow : brown);
      else
        box(image, int(cx) - 4, y0 + 2, int(cx) + 4, y0 + kel_tile_size - 2, t.locked ? yellow : brown);
      label(image, fonts, x0, y0, t.label, white);
      return;
    case kel_tile_look::barrier:
      for (int i = 0; i < kel_tile_size; i += 6)
        for (int k = 0; k < 2; ++k) {
          put(image, x0 + i + k, y0 + 1, grey), put(image, x0 + i + k, y0 + kel_tile_size - 2, grey);
          put(image, x0 + 1, y0 + i + k, grey), put(image, x0 + kel_tile_size - 2, y0 + i + k, grey);
        }
      if (t.label.empty()) return;
      [[fallthrough]];
    case kel_tile_look::model:
      disc(image, cx, cy, 9, black);
      disc(image, cx, cy, 7, yellow);
      turn_mark(image, x0, y0, t.rotation, black);
      label(image, fonts, x0, y0, t.label, white);
      return;
    case kel_tile_look::start:
      disc(image, cx, cy, 11, black);
      disc(image, cx, cy, 9, {0.1f, 0.8f, 0.2f});
      label(image, fonts, x0, y0, t.label, white);
      return;
    case kel_tile_look::exit:
      box(image, x0 + 10, y0 + 6, x0 + kel_tile_size - 10, y0 + kel_tile_size - 14, {0.15f, 0.35f, 0.95f});
      label(image, fonts, x0, y0, t.label, white);
      return;
    case kel_tile_look::enemy:
      disc(image, cx, cy, 10, black);
      disc(image, cx, cy, 8, red);
      label(image, fonts, x0, y0, t.label, white);
      return;
  }
}

}  // namespace

forge_image draw_kel_tileset(const kel_tileset& tileset, const std::string& data_dir, font_library& fonts) {
  int rows = std::max(1, int(tileset.tiles.size()) / kel_tileset_columns);
  forge_image image(kel_tileset_columns * kel_tile_size, rows * kel_tile_size);
  box(image, 0, 0, image.width, image.height, see_through);
  for (size_t i = 0; i < tileset.tiles.size(); ++i)
    draw_tile(image, int(i) % kel_tileset_columns * kel_tile_size, int(i) / kel_tileset_columns * kel_tile_size,
              tileset.tiles[i], data_dir, fonts);
  return image;
}
