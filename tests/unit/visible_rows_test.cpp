#include <gtest/gtest.h>

#include <vector>

#include "render/visible_rows.h"

static bool operator==(const row_band& a, const row_band& b) { return a.first == b.first && a.last == b.last; }

namespace {

std::vector<unsigned char> rgba_with_alpha_rows(int width, int height, const std::vector<int>& shown_rows) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4, 90);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[(y * width + x) * 4 + 3] = 0;
  // One visible texel at the far end of each listed row.
  for (int y : shown_rows) pixels[(y * width + width - 1) * 4 + 3] = 1;
  return pixels;
}

TEST(VisibleRows, RunsOfRowsWithAnyVisibleTexel) {
  std::vector<unsigned char> pixels = rgba_with_alpha_rows(5, 12, {2, 3, 4, 8, 11});
  texture_rows rows = visible_rows(pixels.data(), 5, 12, true);
  EXPECT_EQ(rows.width, 5);
  EXPECT_EQ(rows.height, 12);
  EXPECT_EQ(rows.bands, (std::vector<row_band>{{2, 5}, {8, 9}, {11, 12}}));

  EXPECT_TRUE(visible_rows(rgba_with_alpha_rows(5, 12, {}).data(), 5, 12, true).bands.empty());
  std::vector<unsigned char> rgb(4 * 3 * 3, 0);
  EXPECT_EQ(visible_rows(rgb.data(), 4, 3, false).bands, (std::vector<row_band>{{0, 3}}));
  EXPECT_TRUE(visible_rows(nullptr, 0, 7, true).bands.empty());
}

TEST(VisibleRows, WindowRowsWidenByTheFilterReachAndScale) {
  // 64 rows drawn 1:1 from window row 100: level 0 and 1 in reach, 8 rows.
  texture_rows rows{64, 64, {{30, 34}}};
  EXPECT_EQ(window_rows_touched(rows, 100, 64, 64), (std::vector<row_band>{{122, 142}}));
  // Drawn at half size: a coarser level, so a wider reach in texels.
  std::vector<row_band> half = window_rows_touched(rows, 0, 32, 32);
  ASSERT_EQ(half.size(), 1u);
  EXPECT_EQ(half[0], (row_band{7, 25}));
}

TEST(VisibleRows, BandsAtAnEdgeWrapToTheOtherEdgeAndOverlapsMerge) {
  texture_rows rows{64, 64, {{0, 2}, {5, 7}}};
  std::vector<row_band> window = window_rows_touched(rows, 0, 64, 64);
  EXPECT_EQ(window, (std::vector<row_band>{{0, 15}, {56, 64}}));
  // A reach that covers the whole picture is the whole quad.
  texture_rows tall{4, 16, {{6, 9}}};
  EXPECT_EQ(window_rows_touched(tall, -3.5, 4, 16), (std::vector<row_band>{{-4, 13}}));
  EXPECT_TRUE(window_rows_touched(texture_rows{}, 0, 10, 10).empty());
}

}  // namespace
