// Turning decoded sample rows into RGB bytes: the colour conversion
// R = Y + 1.402 (Cr - 128), G = Y - 0.34414 (Cb - 128) - 0.71414 (Cr - 128),
// B = Y + 1.772 (Cb - 128), each truncated toward zero and clamped to 0...255.
#pragma once
#include <cstdint>

// What each chroma sample adds to the luma of its pixels, one array per
// channel, `count` entries each. Samples must lie within the transform's
// range (-7524 ... 7780).
struct chroma_terms_row {
  int16_t* red;
  int16_t* green;
  int16_t* blue;
};
void chroma_terms(const int16_t* cb, const int16_t* cr, unsigned count, const chroma_terms_row& terms);

// Writes `width` RGB pixels: luma plus the terms of chroma sample x / h
// (h = 1 or 2), clamped.
void putpixel_lc(const int16_t* luma, const chroma_terms_row& terms, int h, unsigned width, uint8_t* out);

// Writes `width` grey pixels (R = G = B = the clamped luma).
void put_grey_row(const int16_t* luma, unsigned width, uint8_t* out);
