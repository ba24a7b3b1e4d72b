#include "formats/jpeg_idct.h"

#include "formats/jpeg_headers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Each pass applies the LLM butterfly to 8 values. Its steps are additions
// and multiplications by integer constants, rounded only once at the end, so
// a pass is exactly a product with the integer matrix the butterfly defines
// (derived below from the butterfly itself). Output c and output 7 - c share
// the even-frequency part and differ in the sign of the odd one, so each pass
// computes four even and four odd sums. The matrix form needs no transposes
// and skips the zero rows and columns of sparse blocks. First-pass results
// are limited to 16 bits, which keeps every sum within 32 bits: no matrix row
// adds up to more than 61214 in magnitude.
namespace {

constexpr int const_bits = 13;
constexpr int pass1_bits = 2;
constexpr int pass1_shift = const_bits - pass1_bits;      // 11
constexpr int pass2_shift = const_bits + pass1_bits + 3;  // 18

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

struct eight {
  int v[8];
};

// One 8-point butterfly, before rounding.
constexpr eight butterfly(const eight& in) {
  // Even part.
  int z2 = in.v[2], z3 = in.v[6];
  int z1 = (z2 + z3) * fix_0_541196100;
  int tmp2 = z1 + z3 * -fix_1_847759065;
  int tmp3 = z1 + z2 * fix_0_765366865;
  z2 = in.v[0];
  z3 = in.v[4];
  int tmp0 = (z2 + z3) * (1 << const_bits);
  int tmp1 = (z2 - z3) * (1 << const_bits);
  int tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3;
  int tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

  // Odd part.
  tmp0 = in.v[7];
  tmp1 = in.v[5];
  tmp2 = in.v[3];
  tmp3 = in.v[1];
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

  return eight{{tmp10 + tmp3, tmp11 + tmp2, tmp12 + tmp1, tmp13 + tmp0, tmp13 - tmp0, tmp12 - tmp1, tmp11 - tmp2,
                tmp10 - tmp3}};
}

// matrix[out][in]: the butterfly's response to each unit input.
struct idct_matrix {
  int16_t m[8][8];
};

constexpr idct_matrix make_matrix() {
  idct_matrix result{};
  for (int in = 0; in < 8; ++in) {
    eight unit{};
    unit.v[in] = 1;
    eight response = butterfly(unit);
    for (int out = 0; out < 8; ++out) result.m[out][in] = int16_t(response.v[out]);
  }
  return result;
}

constexpr idct_matrix matrix = make_matrix();

constexpr bool mirrored(const idct_matrix& m) {
  for (int c = 0; c < 4; ++c)
    for (int k = 0; k < 8; ++k)
      if (m.m[7 - c][k] != (k % 2 ? -m.m[c][k] : m.m[c][k])) return false;
  return true;
}
static_assert(mirrored(matrix), "outputs c and 7 - c differ only in their odd part");

// How many rows and columns of a block can hold non-zero coefficients when
// nothing lies beyond zig-zag position `last`.
struct extent_table {
  uint8_t rows[64], cols[64];
};

constexpr extent_table make_extents() {
  extent_table t{};
  int rows = 0, cols = 0;
  for (int k = 0; k < 64; ++k) {
    int natural = natural_position[k];
    if (natural / 8 + 1 > rows) rows = natural / 8 + 1;
    if (natural % 8 + 1 > cols) cols = natural % 8 + 1;
    t.rows[k] = uint8_t(rows);
    t.cols[k] = uint8_t(cols);
  }
  return t;
}

constexpr extent_table extents = make_extents();

constexpr int first_pass_round = 1 << (pass1_shift - 1);
// Rounding plus the level shift of 128, folded into one addition (the sums
// stay below 61214 * 32768 + 2^17 + 128 * 2^18 < 2^31).
constexpr int second_pass_round = (1 << (pass2_shift - 1)) + (128 << pass2_shift);

int16_t limit16(int value) { return int16_t(value < -32768 ? -32768 : value > 32767 ? 32767 : value); }

#if defined(__SSE2__)

// Two matrix entries as one 32-bit lane, the operand layout of pmaddwd (which
// multiplies 16-bit pairs and adds each pair).
constexpr int32_t pair(int a, int b) { return int32_t(uint32_t(uint16_t(a)) | uint32_t(uint16_t(b)) << 16); }

// Entries (c, k) and (c, k + 2) for the four outputs c of the first half.
struct column_pairs {
  int32_t lane[4];
};

constexpr column_pairs pairs_of(int k) {
  column_pairs p{};
  for (int c = 0; c < 4; ++c) p.lane[c] = pair(matrix.m[c][k], matrix.m[c][k + 2]);
  return p;
}

constexpr column_pairs even_low = pairs_of(0), even_high = pairs_of(4);
constexpr column_pairs odd_low = pairs_of(1), odd_high = pairs_of(5);

inline __m128i load(const column_pairs& p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p.lane)); }

inline __m128i madd_rows(__m128i interleaved, int c, int k) {
  return _mm_madd_epi16(interleaved, _mm_set1_epi32(pair(matrix.m[c][k], matrix.m[c][k + 2])));
}

void transform_block(const int16_t* in, int rows, int cols, int16_t* out, int stride) {
  auto row = [in](int r) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8 * r)); };
  const __m128i zero = _mm_setzero_si128();

  // Pass 1, over all 8 columns at once: interleave rows k and k + 2 so that
  // each pmaddwd applies two matrix entries to four columns.
  __m128i rows_02[2], rows_46[2] = {zero, zero}, rows_13[2] = {zero, zero}, rows_57[2] = {zero, zero};
  rows_02[0] = _mm_unpacklo_epi16(row(0), row(2));
  rows_02[1] = _mm_unpackhi_epi16(row(0), row(2));
  if (rows > 4) {
    rows_46[0] = _mm_unpacklo_epi16(row(4), row(6));
    rows_46[1] = _mm_unpackhi_epi16(row(4), row(6));
  }
  if (rows > 1) {
    rows_13[0] = _mm_unpacklo_epi16(row(1), row(3));
    rows_13[1] = _mm_unpackhi_epi16(row(1), row(3));
  }
  if (rows > 5) {
    rows_57[0] = _mm_unpacklo_epi16(row(5), row(7));
    rows_57[1] = _mm_unpackhi_epi16(row(5), row(7));
  }
  __m128i work[8];
  const __m128i round1 = _mm_set1_epi32(first_pass_round);
  for (int r = 0; r < 4; ++r) {
    __m128i plus[2], minus[2];
    for (int half = 0; half < 2; ++half) {
      __m128i even = _mm_add_epi32(round1, madd_rows(rows_02[half], r, 0));
      __m128i odd = zero;
      if (rows > 4) even = _mm_add_epi32(even, madd_rows(rows_46[half], r, 4));
      if (rows > 1) odd = madd_rows(rows_13[half], r, 1);
      if (rows > 5) odd = _mm_add_epi32(odd, madd_rows(rows_57[half], r, 5));
      plus[half] = _mm_srai_epi32(_mm_add_epi32(even, odd), pass1_shift);
      minus[half] = _mm_srai_epi32(_mm_sub_epi32(even, odd), pass1_shift);
    }
    // packs saturates to 16 bits: the first-pass limit.
    work[r] = _mm_packs_epi32(plus[0], plus[1]);
    work[7 - r] = _mm_packs_epi32(minus[0], minus[1]);
  }

  // Pass 2, one row at a time, four outputs and their mirrors at once. The
  // row's values sit in pairs (0, 2), (4, 6), (1, 3), (5, 7): broadcast each
  // pair against the matching entries of the four outputs.
  const __m128i round2 = _mm_set1_epi32(second_pass_round);
  for (int r = 0; r < 8; ++r, out += stride) {
    __m128i w = work[r];
    __m128i even = _mm_add_epi32(round2, _mm_madd_epi16(_mm_shuffle_epi32(w, 0x00), load(even_low)));
    __m128i odd = zero;
    if (cols > 4) even = _mm_add_epi32(even, _mm_madd_epi16(_mm_shuffle_epi32(w, 0x55), load(even_high)));
    if (cols > 1) odd = _mm_madd_epi16(_mm_shuffle_epi32(w, 0xAA), load(odd_low));
    if (cols > 5) odd = _mm_add_epi32(odd, _mm_madd_epi16(_mm_shuffle_epi32(w, 0xFF), load(odd_high)));
    __m128i first = _mm_srai_epi32(_mm_add_epi32(even, odd), pass2_shift);
    // Lane c of the difference is output 7 - c: reverse the lanes.
    __m128i second = _mm_shuffle_epi32(_mm_srai_epi32(_mm_sub_epi32(even, odd), pass2_shift), 0x1B);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(first, second));
  }
}

#else

void transform_block(const int16_t* in, int rows, int cols, int16_t* out, int stride) {
  int16_t work[8][8];  // natural column order
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) {
      int sum = first_pass_round;
      for (int k = 0; k < rows; ++k) sum += matrix.m[r][k] * in[8 * k + idct_column_slot(c)];
      work[r][c] = limit16(sum >> pass1_shift);
    }
  for (int r = 0; r < 8; ++r, out += stride)
    for (int c = 0; c < 8; ++c) {
      int sum = second_pass_round;
      for (int k = 0; k < cols; ++k) sum += matrix.m[c][k] * work[r][k];
      out[c] = int16_t(sum >> pass2_shift);
    }
}

#endif

}  // namespace

void do_idct(const int16_t coefficients[64], int last, int16_t* out, int stride) {
  if (last == 0) {
    // Only DC: the first pass gives DC x 4 down the first column, the second
    // a flat block.
    int16_t sample = int16_t(((limit16(coefficients[0] * (1 << pass1_bits)) + 16) >> 5) + 128);
    for (int row = 0; row < 8; ++row, out += stride)
      for (int col = 0; col < 8; ++col) out[col] = sample;
    return;
  }
  transform_block(coefficients, extents.rows[last], extents.cols[last], out, stride);
}
