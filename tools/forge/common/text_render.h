// Text drawn with FreeType into forge pictures: the font texture, backdrops,
// setup pictures and the contact sheet's captions.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "common/image.h"
#include "common/recipe.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

// Where the DejaVu faces live (package fonts-dejavu-core).
constexpr const char* default_font_dir = "/usr/share/fonts/truetype/dejavu";

class font_library {
 public:
  explicit font_library(std::string directory);
  ~font_library();
  font_library(const font_library&) = delete;
  font_library& operator=(const font_library&) = delete;

  // The face in file `name` of the font directory, loaded once; nullptr when
  // it cannot be loaded.
  FT_FaceRec_* face(const std::string& name);
  const std::string& directory() const { return directory_; }

 private:
  std::string directory_;
  FT_LibraryRec_* library_ = nullptr;
  std::map<std::string, FT_FaceRec_*> faces_;
};

enum class text_align { left, center, right };

struct text_style {
  FT_FaceRec_* face = nullptr;
  int pixel_size = 16;
  recipe_color color{255, 255, 255, 255};
  text_align align = text_align::left;
  float tracking = 0;  // extra pixels between letters
};

// Unicode code points of UTF-8 text; malformed bytes count as '?'.
std::vector<unsigned> decode_utf8(const std::string& text);

// Advance width of the text in pixels.
float text_width(const text_style& style, const std::string& text);

// Draws text with its baseline at y; x is the left end, centre or right end
// according to the alignment. Coverage blends the colour over the picture and
// raises alpha to at least the coverage.
void draw_text(forge_image& image, const text_style& style, const std::string& text, float x, float y);

// Draws one glyph's coverage scaled by `scale_x` horizontally into a cell,
// its pen at (x, baseline); used where each glyph must fit a fixed advance.
void draw_glyph(forge_image& image, const text_style& style, unsigned code, float x, float baseline,
                float scale_x);

// The glyph's ink extent: advance and horizontal bounds in pixels.
struct glyph_metrics {
  float advance = 0, left = 0, right = 0;
  bool has_ink = false;
};
glyph_metrics measure_glyph(const text_style& style, unsigned code);
