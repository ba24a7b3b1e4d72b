#include "render/visible_rows.h"

#include <algorithm>
#include <cmath>

texture_rows visible_rows(const unsigned char* pixels, int width, int height, bool alpha) {
  texture_rows rows{width, height, {}};
  if (width <= 0 || height <= 0) return rows;
  if (!alpha) {
    rows.bands.push_back({0, height});
    return rows;
  }
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = pixels + stride * static_cast<size_t>(y);
    bool shows = false;
    for (int x = 0; x < width && !shows; ++x) shows = row[4 * x + 3] != 0;
    if (!shows) continue;
    if (!rows.bands.empty() && rows.bands.back().last == y)
      rows.bands.back().last = y + 1;
    else
      rows.bands.push_back({y, y + 1});
  }
  return rows;
}

// Full-size rows that a filtered sample can reach beyond the row it lies in.
// Bilinear filtering of mip level L fetches two of its texels, each the box
// average of 2^L full-size rows, so it reaches at most 1.5 * 2^L rows away;
// minification by `shrink` blends levels up to floor(log2(shrink)) + 1. One
// more level than that leaves room for the rasteriser's approximations.
static int filter_reach(const texture_rows& rows, double quad_width, double quad_height) {
  double shrink = std::max(rows.width / std::max(quad_width, 1.0), rows.height / std::max(quad_height, 1.0));
  int coarsest = (shrink > 1.0 ? static_cast<int>(std::floor(std::log2(shrink))) : 0) + 2;
  return 2 << std::min(coarsest, 29);
}

static void merge_into(std::vector<row_band>& bands) {
  std::sort(bands.begin(), bands.end(), [](const row_band& a, const row_band& b) { return a.first < b.first; });
  std::vector<row_band> merged;
  for (const row_band& b : bands) {
    if (!merged.empty() && b.first <= merged.back().last)
      merged.back().last = std::max(merged.back().last, b.last);
    else
      merged.push_back(b);
  }
  bands.swap(merged);
}

std::vector<row_band> window_rows_touched(const texture_rows& rows, double bottom, double quad_width,
                                          double quad_height) {
  std::vector<row_band> texel_bands;
  if (rows.height <= 0 || rows.width <= 0) return texel_bands;
  const int h = rows.height;
  const int reach = filter_reach(rows, quad_width, quad_height);
  for (const row_band& b : rows.bands) {
    int first = b.first - reach, last = b.last + reach;
    if (last - first >= h) return {{static_cast<int>(std::floor(bottom)), static_cast<int>(std::ceil(bottom + quad_height))}};
    // Repeat wrapping: what lies past one edge is sampled at the other.
    if (first < 0) texel_bands.push_back({first + h, h});
    if (last > h) texel_bands.push_back({0, last - h});
    texel_bands.push_back({std::max(first, 0), std::min(last, h)});
  }
  merge_into(texel_bands);

  std::vector<row_band> window;
  const double per_texel = quad_height / h;
  for (const row_band& b : texel_bands)
    window.push_back({static_cast<int>(std::floor(bottom + b.first * per_texel)),
                      static_cast<int>(std::ceil(bottom + b.last * per_texel))});
  merge_into(window);
  return window;
}
