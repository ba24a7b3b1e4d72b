#include "common/text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

font_library::font_library(std::string directory) : directory_(std::move(directory)) {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

font_library::~font_library() {
  for (auto& entry : faces_)
    if (entry.second) FT_Done_Face(entry.second);
  if (library_) FT_Done_FreeType(library_);
}

FT_FaceRec_* font_library::face(const std::string& name) {
  auto found = faces_.find(name);
  if (found != faces_.end()) return found->second;
  FT_Face loaded = nullptr;
  std::string path = directory_ + "/" + name;
  if (!library_ || FT_New_Face(library_, path.c_str(), 0, &loaded) != 0) loaded = nullptr;
  faces_[name] = loaded;
  return loaded;
}

std::vector<unsigned> decode_utf8(const std::string& text) {
  std::vector<unsigned> codes;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    unsigned code = extra == 0 ? c : extra == 1 ? c & 0x1f : extra == 2 ? c & 0x0f : c & 0x07;
    bool ok = extra >= 0 && i + size_t(extra) < text.size() + (extra == 0 ? 1 : 0);
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      ok = (next >> 6) == 2;
      code = (code << 6) | (next & 0x3f);
    }
    codes.push_back(ok ? code : '?');
    i += ok ? size_t(extra) + 1 : 1;
  }
  return codes;
}

namespace {

bool load_glyph(const text_style& style, unsigned code, bool render) {
  if (!style.face) return false;
  FT_Set_Pixel_Sizes(style.face, 0, FT_UInt(style.pixel_size));
  return FT_Load_Char(style.face, code, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) == 0;
}

void blend_pixel(forge_image& image, int x, int y, const recipe_color& color, float coverage) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height || coverage <= 0) return;
  float* p = image.pixel(x, y);
  float a = coverage * color.a / 255.0f;
  p[0] += (color.r / 255.0f - p[0]) * a;
  p[1] += (color.g / 255.0f - p[1]) * a;
  p[2] += (color.b / 255.0f - p[2]) * a;
  p[3] = std::max(p[3], a);
}

}  // namespace

glyph_metrics measure_glyph(const text_style& style, unsigned code) {
  glyph_metrics m;
  if (!load_glyph(style, code, false)) return m;
  FT_GlyphSlot slot = style.face->glyph;
  m.advance = slot->advance.x / 64.0f;
  m.left = slot->metrics.horiBearingX / 64.0f;
  m.right = m.left + slot->metrics.width / 64.0f;
  m.has_ink = slot->metrics.width > 0;
  return m;
}

float text_width(const text_style& style, const std::string& text) {
  float width = 0;
  std::vector<unsigned> codes = decode_utf8(text);
  for (unsigned code : codes) width += measure_glyph(style, code).advance + style.tracking;
  return codes.empty() ? 0 : width - style.tracking;
}

void draw_glyph(forge_image& image, const text_style& style, unsigned code, float x, float baseline,
                float scale_x) {
  if (!load_glyph(style, code, true)) return;
  FT_GlyphSlot slot = style.face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0) return;
  float left = x + slot->bitmap_left * scale_x;
  int top = int(std::lround(baseline)) - slot->bitmap_top;
  int out_width = int(std::ceil(bitmap.width * scale_x)) + 1;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* line = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
    for (int ox = 0; ox < out_width; ++ox) {
      // Area-sample the source columns this output pixel covers.
      float x0 = (float(ox) + std::floor(left) - left) / scale_x, x1 = x0 + 1.0f / scale_x;
      float sum = 0;
      for (int sx = int(std::floor(x0)); sx < int(std::ceil(x1)); ++sx) {
        if (sx < 0 || sx >= int(bitmap.width)) continue;
        float overlap = std::min(x1, float(sx + 1)) - std::max(x0, float(sx));
        sum += overlap * line[sx] / 255.0f;
      }
      blend_pixel(image, int(std::floor(left)) + ox, top + int(row), style.color, sum * scale_x);
    }
  }
}

void draw_text(forge_image& image, const text_style& style, const std::string& text, float x, float y) {
  float width = text_width(style, text);
  float pen = style.align == text_align::left     ? x
              : style.align == text_align::center ? x - width / 2
                                                  : x - width;
  pen = std::round(pen);
  for (unsigned code : decode_utf8(text)) {
    draw_glyph(image, style, code, pen, y, 1.0f);
    pen += measure_glyph(style, code).advance + style.tracking;
  }
}
