#include "contact_sheet.h"

#include <algorithm>

namespace {
constexpr int columns = 8;
constexpr int cell_w = 150, cell_h = 158, thumb = 128, margin = 11;
}  // namespace

forge_image make_contact_sheet(const std::vector<forge_preview>& previews, font_library& fonts) {
  int rows = std::max(1, int((previews.size() + columns - 1) / columns));
  forge_image sheet(columns * cell_w, rows * cell_h);
  for (size_t i = 0; i < sheet.rgba.size(); i += 4) sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 0.16f;
  text_style caption;
  caption.face = fonts.face("DejaVuSans.ttf");
  caption.pixel_size = 9;
  caption.color = {215, 215, 205, 255};
  caption.align = text_align::center;
  for (size_t n = 0; n < previews.size(); ++n) {
    const forge_preview& p = previews[n];
    int ox = int(n % columns) * cell_w + margin + (thumb - p.image.width) / 2;
    int oy = int(n / columns) * cell_h + 6 + (thumb - p.image.height) / 2;
    for (int y = 0; y < p.image.height; ++y)
      for (int x = 0; x < p.image.width; ++x) {
        const float* src = p.image.pixel(x, y);
        // Pictures with alpha are shown over a checkerboard.
        float back = ((x / 8 + y / 8) % 2) ? 0.55f : 0.75f;
        float a = p.alpha ? src[3] : 1.0f;
        float* dst = sheet.pixel(ox + x, oy + y);
        for (int c = 0; c < 3; ++c) dst[c] = src[c] * a + back * (1 - a);
      }
    std::string name = p.name.rfind("data/textures/", 0) == 0 ? p.name.substr(14) : p.name.substr(5);
    if (caption.face)
      draw_text(sheet, caption, name, float(int(n % columns) * cell_w + cell_w / 2), float(int(n / columns) * cell_h + 148));
  }
  return sheet;
}
