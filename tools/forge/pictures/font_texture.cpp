#include "pictures/font_texture.h"

#include <algorithm>
#include <cmath>
#include <string>

int font_cell(unsigned code, int set) {
  if (code < font_first_code || code >= font_first_code + 128) return -1;
  return int(code - font_first_code) + (set ? 128 : 0);
}

bool paint_font(recipe& source, const recipe_entry& header, font_library& fonts, forge_image& image) {
  recipe_args args(source, header);
  int size = 512, pixel_size = 0;
  std::string regular = "DejaVuSans.ttf", bold = "DejaVuSans-Bold.ttf";
  args.size("size", size, size, 256, image_max_side);
  args.word("regular", regular);
  args.word("bold", bold);
  args.integer("pixel_size", pixel_size, 4, 256);
  if (!is_power_of_two(size)) args.error("size must be a power of two");
  bool clean = args.finish();
  const int cell = size / font_grid;
  if (pixel_size == 0) pixel_size = cell * 3 / 4;

  image = forge_image(size, size);
  for (size_t i = 0; i < image.rgba.size(); i += 4) image.rgba[i] = image.rgba[i + 1] = image.rgba[i + 2] = 0;

  const std::string faces[2] = {regular, bold};
  for (int set = 0; set < 2; ++set) {
    text_style style;
    style.face = fonts.face(faces[set]);
    style.pixel_size = pixel_size;
    if (!style.face) {
      args.error("font face '" + faces[set] + "' cannot be loaded from " + fonts.directory());
      return false;
    }
    // The box each glyph's ink must fit: the advance, less a pixel each side.
    const float box = cell * font_advance_fraction - 2.0f;
    const float baseline_in_cell = std::round(cell * 0.76f);
    for (unsigned code = font_first_code + 1; code <= font_last_drawn; ++code) {
      int index = font_cell(code, set);
      glyph_metrics m = measure_glyph(style, code);
      if (!m.has_ink) continue;
      float ink = m.right - m.left;
      float squeeze = ink > box ? box / ink : 1.0f;
      float left = 1.0f + (box - ink * squeeze) / 2.0f;  // ink starts here within the cell
      float pen = float(index % font_grid) * cell + left - m.left * squeeze;
      float baseline = float(index / font_grid) * cell + baseline_in_cell;
      draw_glyph(image, style, code, pen, baseline, squeeze);
    }
  }
  // White on black: the glyph coverage is the picture; alpha plays no part.
  for (size_t i = 0; i < image.rgba.size(); i += 4) image.rgba[i + 3] = 1.0f;
  return clean;
}
