// The accurate integer inverse DCT (Loeffler-Ligtenberg-Moschytz, 13
// fractional bits): two passes, columns then rows.
#pragma once
#include <cstdint>

// Transforms one block of dequantised coefficients (natural order, each within
// jpeg_coefficient_limit) into 8x8 samples, written row by row `stride`
// samples apart. Samples are level-shifted by 128 and not clamped.
// `last` is the highest zig-zag position that may be non-zero.
void do_idct(const int coefficients[64], int last, int16_t* out, int stride);
