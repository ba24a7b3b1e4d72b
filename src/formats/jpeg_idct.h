// The accurate integer inverse DCT (Loeffler-Ligtenberg-Moschytz, 13
// fractional bits): columns first, then rows.
#pragma once
#include <cstdint>

#include "formats/jpeg_headers.h"

// The transform takes its input rows with the columns in the order
// 0, 2, 4, 6, 1, 3, 5, 7: even and odd frequencies apart.
constexpr int idct_column_slot(int column) { return column % 2 == 0 ? column / 2 : 4 + column / 2; }

struct idct_layout_table {
  uint8_t position[64];  // by zig-zag position
};

constexpr idct_layout_table make_idct_layout() {
  idct_layout_table t{};
  for (int k = 0; k < 64; ++k) {
    int natural = natural_position[k];
    t.position[k] = uint8_t(natural / 8 * 8 + idct_column_slot(natural % 8));
  }
  return t;
}

// Where the coefficient of each zig-zag position goes in the input block.
constexpr idct_layout_table idct_layout = make_idct_layout();

// Transforms one block of dequantised 16-bit coefficients (laid out as
// above) into 8x8 samples, written row by row `stride` samples apart. Samples
// are level-shifted by 128 and not clamped; they lie within -7524 ... 7780.
// `last` is the highest zig-zag position that may be non-zero.
void do_idct(const int16_t coefficients[64], int last, int16_t* out, int stride);
