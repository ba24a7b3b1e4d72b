#include "formats/jpeg_idct.h"

#include "formats/jpeg_entropy.h"

namespace {

constexpr int const_bits = 13;
constexpr int pass1_bits = 2;

// cos-derived multipliers scaled by 2^13.
constexpr int fix_0_298631336 = 2446;
constexpr int fix_0_390180644 = 3196;
constexpr int fix_0_541196100 = 4433;
constexpr int fix_0_765366865 = 6270;
constexpr int fix_0_899976223 = 7373;
constexpr int fix_1_175875602 = 9633;
constexpr int fix_1_501321110 = 12299;
constexpr int fix_1_847759065 = 15137;
constexpr int fix_1_961570560 = 16069;
constexpr int fix_2_053119869 = 16819;
constexpr int fix_2_562915447 = 20995;
constexpr int fix_3_072711026 = 25172;

// One 8-point transform; in[k * step] are the inputs. Writes the eight
// outputs, still scaled by 2^13, to out[0..7].
inline void transform(const int* in, int step, int out[8]) {
  // Even part.
  int z2 = in[2 * step], z3 = in[6 * step];
  int z1 = (z2 + z3) * fix_0_541196100;
  int tmp2 = z1 + z3 * -fix_1_847759065;
  int tmp3 = z1 + z2 * fix_0_765366865;
  z2 = in[0];
  z3 = in[4 * step];
  int tmp0 = (z2 + z3) * (1 << const_bits);
  int tmp1 = (z2 - z3) * (1 << const_bits);
  int tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3;
  int tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

  // Odd part.
  tmp0 = in[7 * step];
  tmp1 = in[5 * step];
  tmp2 = in[3 * step];
  tmp3 = in[1 * step];
  z1 = tmp0 + tmp3;
  z2 = tmp1 + tmp2;
  z3 = tmp0 + tmp2;
  int z4 = tmp1 + tmp3;
  int z5 = (z3 + z4) * fix_1_175875602;
  tmp0 *= fix_0_298631336;
  tmp1 *= fix_2_053119869;
  tmp2 *= fix_3_072711026;
  tmp3 *= fix_1_501321110;
  z1 *= -fix_0_899976223;
  z2 *= -fix_2_562915447;
  z3 = z3 * -fix_1_961570560 + z5;
  z4 = z4 * -fix_0_390180644 + z5;
  tmp0 += z1 + z3;
  tmp1 += z2 + z4;
  tmp2 += z2 + z3;
  tmp3 += z1 + z4;

  out[0] = tmp10 + tmp3;
  out[7] = tmp10 - tmp3;
  out[1] = tmp11 + tmp2;
  out[6] = tmp11 - tmp2;
  out[2] = tmp12 + tmp1;
  out[5] = tmp12 - tmp1;
  out[3] = tmp13 + tmp0;
  out[4] = tmp13 - tmp0;
}

inline int limit_first_pass(int value) {
  if (value > jpeg_coefficient_limit) return jpeg_coefficient_limit;
  if (value < -jpeg_coefficient_limit) return -jpeg_coefficient_limit;
  return value;
}

}  // namespace

void do_idct(const int coefficients[64], int last, int16_t* out, int stride) {
  if (last == 0) {
    // Only DC: every column but the first is zero and every row is flat.
    int dc = limit_first_pass(coefficients[0] * (1 << pass1_bits));
    int16_t sample = int16_t(((dc + 16) >> 5) + 128);
    for (int row = 0; row < 8; ++row, out += stride)
      for (int col = 0; col < 8; ++col) out[col] = sample;
    return;
  }

  int work[64];
  for (int col = 0; col < 8; ++col) {
    const int* in = coefficients + col;
    if (!(in[8] | in[16] | in[24] | in[32] | in[40] | in[48] | in[56])) {
      int dc = limit_first_pass(in[0] * (1 << pass1_bits));
      for (int row = 0; row < 8; ++row) work[row * 8 + col] = dc;
      continue;
    }
    int result[8];
    transform(in, 8, result);
    const int round = 1 << (const_bits - pass1_bits - 1);
    for (int row = 0; row < 8; ++row)
      work[row * 8 + col] = limit_first_pass((result[row] + round) >> (const_bits - pass1_bits));
  }

  const int shift = const_bits + pass1_bits + 3;
  for (int row = 0; row < 8; ++row, out += stride) {
    const int* in = work + row * 8;
    if (!(in[1] | in[2] | in[3] | in[4] | in[5] | in[6] | in[7])) {
      // The full transform of a flat row gives this same value everywhere.
      int16_t sample = int16_t(((in[0] + 16) >> 5) + 128);
      for (int col = 0; col < 8; ++col) out[col] = sample;
      continue;
    }
    int result[8];
    transform(in, 1, result);
    for (int col = 0; col < 8; ++col) out[col] = int16_t(((result[col] + (1 << (shift - 1))) >> shift) + 128);
  }
}
