#include "formats/jpeg_colour.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// With integer Y, truncating Y + term and then clamping equals clamping
// Y + floor(term): a negative sum clamps to 0 whichever way it was truncated.
// The floored terms are tabled for every sample value the transform can
// give, in exact integer arithmetic. The green term mixes Cb and Cr before it
// is floored, so its halves are kept as quotient << 17 plus remainder, the Cb
// remainder raised by 2^17 - 100000 so that the carry out of the remainder
// bits is exactly the carry of the decimal division.
namespace {

constexpr int sample_offset = 8192;
constexpr int sample_span = 2 * sample_offset;
constexpr int green_shift = 17;

struct chroma_entry {
  int32_t green;  // quotient << 17 plus remainder, see above
  int32_t own;    // the red term for Cr, the blue term for Cb
};

struct colour_tables {
  chroma_entry cb[sample_span];
  chroma_entry cr[sample_span];
};

int floor_div(int n, int d) {
  int q = n / d;
  return (n % d < 0) ? q - 1 : q;
}

int32_t green_half(int product, bool raise) {
  int quotient = floor_div(product, 100000);
  int remainder = product - quotient * 100000;
  return int32_t(quotient * (1 << green_shift) + remainder + (raise ? (1 << green_shift) - 100000 : 0));
}

const colour_tables& tables() {
  static const colour_tables* made = [] {
    static colour_tables t;
    for (int i = 0; i < sample_span; ++i) {
      int centred = i - sample_offset - 128;
      t.cb[i] = {green_half(-34414 * centred, true), floor_div(1772 * centred, 1000)};
      t.cr[i] = {green_half(-71414 * centred, false), floor_div(1402 * centred, 1000)};
    }
    return &t;
  }();
  return *made;
}

uint8_t clamp_byte(int value) { return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value); }

#if defined(__SSE2__)

// Four pixels of four bytes (R, G, B, 0) to twelve bytes R, G, B.
inline __m128i squeeze(__m128i quads) {
  // In each 64-bit half the second pixel moves down by one byte ...
  __m128i halves = _mm_or_si128(_mm_and_si128(quads, _mm_set1_epi64x(0x0000000000FFFFFF)),
                                _mm_and_si128(_mm_srli_epi64(quads, 8), _mm_set1_epi64x(0x0000FFFFFF000000)));
  // ... and the upper half's six bytes move down next to the lower half's.
  __m128i upper = _mm_srli_si128(_mm_and_si128(halves, _mm_set_epi64x(-1, 0)), 2);
  return _mm_or_si128(_mm_and_si128(halves, _mm_set_epi64x(0, -1)), upper);
}

// Eight pixels, luma plus terms saturated to bytes (the clamp), interleaved.
// Writes 28 bytes: the last 4 belong to the next pixels and must be written
// again after this.
inline void put_eight(const int16_t* luma, __m128i red, __m128i green, __m128i blue, uint8_t* out) {
  const __m128i zero = _mm_setzero_si128();
  __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma));
  __m128i r = _mm_packus_epi16(_mm_add_epi16(y, red), zero);
  __m128i g = _mm_packus_epi16(_mm_add_epi16(y, green), zero);
  __m128i b = _mm_packus_epi16(_mm_add_epi16(y, blue), zero);
  __m128i rg = _mm_unpacklo_epi8(r, g);
  __m128i b0 = _mm_unpacklo_epi8(b, zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), squeeze(_mm_unpacklo_epi16(rg, b0)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12), squeeze(_mm_unpackhi_epi16(rg, b0)));
}

// Eight terms for eight pixels: as they are, or each of four twice.
inline __m128i terms_for_eight(const int16_t* terms, unsigned x, int h) {
  if (h == 1) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms + x));
  __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(terms + x / 2));
  return _mm_unpacklo_epi16(four, four);
}

// Groups of eight while two more pixels follow to take the spill-over.
constexpr unsigned spill_pixels = 2;

#endif

}  // namespace

void chroma_terms(const int16_t* cb, const int16_t* cr, unsigned count, const chroma_terms_row& terms) {
  const colour_tables& t = tables();
  for (unsigned i = 0; i < count; ++i) {
    const chroma_entry& b = t.cb[cb[i] + sample_offset];
    const chroma_entry& r = t.cr[cr[i] + sample_offset];
    terms.red[i] = int16_t(r.own);
    terms.blue[i] = int16_t(b.own);
    terms.green[i] = int16_t((b.green + r.green) >> green_shift);
  }
}

void putpixel_lc(const int16_t* luma, const chroma_terms_row& terms, int h, unsigned width, uint8_t* out) {
  unsigned x = 0;
#if defined(__SSE2__)
  for (; x + 8 + spill_pixels <= width; x += 8)
    put_eight(luma + x, terms_for_eight(terms.red, x, h), terms_for_eight(terms.green, x, h),
              terms_for_eight(terms.blue, x, h), out + 3 * x);
#endif
  for (; x < width; ++x) {
    unsigned c = h == 1 ? x : x / 2;
    out[3 * x] = clamp_byte(luma[x] + terms.red[c]);
    out[3 * x + 1] = clamp_byte(luma[x] + terms.green[c]);
    out[3 * x + 2] = clamp_byte(luma[x] + terms.blue[c]);
  }
}

void put_grey_row(const int16_t* luma, unsigned width, uint8_t* out) {
  unsigned x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; x + 8 + spill_pixels <= width; x += 8) put_eight(luma + x, zero, zero, zero, out + 3 * x);
#endif
  for (; x < width; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = clamp_byte(luma[x]);
}
