// Which rows of a picture can show at all: a blended overlay picture that is
// mostly fully transparent (the HUD frame) need only be rasterised over the
// rows that hold visible texels. Skipping the others changes no pixel.
#pragma once
#include <vector>

// Rows [first, last).
struct row_band {
  int first, last;
};

// Where a texture's visible texels lie: runs of rows with a non-zero alpha
// somewhere in them, bottom row first as GL stores the image. An opaque
// picture is one run over all its rows.
struct texture_rows {
  int width = 0, height = 0;
  std::vector<row_band> bands;
};

// Rows of tightly packed RGBA (alpha true) or RGB bytes.
texture_rows visible_rows(const unsigned char* pixels, int width, int height, bool alpha);

// The window pixel rows a quad showing the whole texture once (texture
// coordinates 0..1, repeat wrapping, mipmapped linear filtering) can change,
// for a quad whose bottom edge lies at window row `bottom` and which is
// `quad_width` x `quad_height` pixels. Each band is widened by the reach of
// the filter at the mip levels this size selects, and wraps round the
// texture's edges as repeat sampling does. Sorted, disjoint, not clipped to
// the window. Empty when nothing can show.
std::vector<row_band> window_rows_touched(const texture_rows& rows, double bottom, double quad_width,
                                          double quad_height);
