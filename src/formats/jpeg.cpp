#include "formats/jpeg.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "formats/file_length.h"
#include "formats/jpeg_colour.h"
#include "formats/jpeg_entropy.h"
#include "formats/jpeg_headers.h"
#include "formats/jpeg_idct.h"

int jpeg_width = 0;
int jpeg_height = 0;
unsigned char* jpeg_data = nullptr;

namespace {

// The minimum coded unit: luma blocks h x v, then (for colour) one Cb and one
// Cr block whose samples stretch over the whole unit.
struct unit_layout {
  int h = 1, v = 1;   // luma blocks across and down
  int width = 8, height = 8;  // in pixels
  unsigned across = 0, down = 0;  // units in the image
  int blocks = 1;     // blocks per unit
};

unit_layout layout_of(const DECODER_DATA& d) {
  unit_layout u;
  u.h = d.component[0].h;
  u.v = d.component[0].v;
  u.width = 8 * u.h;
  u.height = 8 * u.v;
  u.across = (d.width + u.width - 1) / u.width;
  u.down = (d.height + u.height - 1) / u.height;
  u.blocks = d.component_count == 3 ? u.h * u.v + 2 : 1;
  return u;
}

// Samples of one row of units: the luma plane and, for colour, a Cb and a Cr
// plane of 8 rows with one block per unit; and the chroma terms of one row.
struct unit_row_planes {
  int16_t* plane[jpeg_max_components] = {};
  size_t stride[jpeg_max_components] = {};
  int16_t* term_space = nullptr;
  chroma_terms_row terms = {};

  bool allocate(const unit_layout& u, int components) {
    stride[0] = size_t(u.across) * u.width;
    plane[0] = static_cast<int16_t*>(std::malloc(stride[0] * u.height * sizeof(int16_t)));
    if (!plane[0]) return false;
    for (int c = 1; c < components; ++c) {
      stride[c] = size_t(u.across) * 8;
      plane[c] = static_cast<int16_t*>(std::malloc(stride[c] * 8 * sizeof(int16_t)));
      if (!plane[c]) return false;
    }
    if (components == 1) return true;
    term_space = static_cast<int16_t*>(std::malloc(3 * stride[1] * sizeof(int16_t)));
    if (!term_space) return false;
    terms = {term_space, term_space + stride[1], term_space + 2 * stride[1]};
    return true;
  }
  ~unit_row_planes() {
    for (int16_t* p : plane) std::free(p);
    std::free(term_space);
  }
};

// A corrupt Huffman code shows as a cross: 255 on both diagonals.
void put_error_pattern(int16_t* out, size_t stride) {
  for (int row = 0; row < 8; ++row, out += stride)
    for (int col = 0; col < 8; ++col) out[col] = (row == col || row + col == 7) ? 255 : 0;
}

// Writes the image rows that a row of units covers; rows and columns past the
// image's edges are dropped.
void put_unit_row(const DECODER_DATA& d, const unit_layout& u, const unit_row_planes& p, unsigned unit_row,
                  uint8_t* image) {
  for (int r = 0; r < u.height; ++r) {
    unsigned y = unit_row * u.height + r;
    if (y >= d.height) break;
    uint8_t* out = image + size_t(d.height - 1 - y) * d.width * 3;
    const int16_t* luma = p.plane[0] + r * p.stride[0];
    if (d.component_count == 1) {
      put_grey_row(luma, d.width, out);
      continue;
    }
    // Rows of a 2x2 unit share their chroma row in pairs.
    if (r % u.v == 0) {
      const int16_t* cb = p.plane[1] + (r / u.v) * p.stride[1];
      const int16_t* cr = p.plane[2] + (r / u.v) * p.stride[2];
      chroma_terms(cb, cr, (d.width + u.h - 1) / u.h, p.terms);
    }
    putpixel_lc(luma, p.terms, u.h, d.width, out);
  }
}

// Decodes the scan into `image` (width x height RGB pixels, bottom row first).
bool decode_scan(const uint8_t* data, size_t size, const DECODER_DATA& d, const unit_layout& u, uint8_t* image) {
  unit_row_planes planes;
  if (!planes.allocate(u, d.component_count)) return false;

  // Quantisers in the order the coefficients arrive.
  int quant[jpeg_max_components][64];
  for (int c = 0; c < d.component_count; ++c)
    for (int k = 0; k < 64; ++k) quant[c][k] = d.quant_table[d.component[c].quant][natural_position[k]];

  jpeg_bit_reader reader;
  reader.start(data, size, d.entropy_start);
  int64_t predictor[jpeg_max_components] = {};
  unsigned until_restart = d.restart_interval;
  alignas(16) int16_t coefficients[64] = {};

  for (unsigned unit_y = 0; unit_y < u.down; ++unit_y) {
    for (unsigned unit_x = 0; unit_x < u.across; ++unit_x) {
      if (d.restart_interval) {
        if (until_restart == 0) {
          reader.restart();
          predictor[0] = predictor[1] = predictor[2] = 0;
          until_restart = d.restart_interval;
        }
        --until_restart;
      }
      for (int b = 0; b < u.blocks; ++b) {
        int c = b < u.h * u.v ? 0 : b - u.h * u.v + 1;
        int16_t* out;
        if (c == 0) {
          int bx = b % u.h, by = b / u.h;
          out = planes.plane[0] + by * 8 * planes.stride[0] + size_t(unit_x) * u.width + bx * 8;
        } else {
          out = planes.plane[c] + size_t(unit_x) * 8;
        }
        const jpeg_component& comp = d.component[c];
        int last = 0;
        jpeg_block result = decode_block(reader, d.dc_table[comp.dc], d.ac_table[comp.ac], quant[c],
                                         predictor[c], coefficients, last);
        if (result == jpeg_block::overrun) return false;
        if (result == jpeg_block::error_pattern)
          put_error_pattern(out, planes.stride[c]);
        else
          do_idct(coefficients, last, out, int(planes.stride[c]));
        for (int k = 0; k <= last; ++k) coefficients[idct_layout.position[k]] = 0;
      }
    }
    put_unit_row(d, u, planes, unit_y, image);
  }
  return true;
}

}  // namespace

int load_memory_jpg(const void* data, size_t size) {
  if (!data) return 0;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  DECODER_DATA decoder{};
  if (!read_jpeg_headers(bytes, size, decoder)) return 0;
  unit_layout units = layout_of(decoder);
  // Every block takes at least one bit: data too short for the image is
  // refused before memory is taken for it.
  uint64_t blocks = uint64_t(units.across) * units.down * units.blocks;
  if (uint64_t(size - decoder.entropy_start) * 8 < blocks) return 0;
  uint8_t* image = static_cast<uint8_t*>(std::malloc(size_t(decoder.width) * decoder.height * 3));
  if (!image) return 0;
  if (!decode_scan(bytes, size, decoder, units, image)) {
    std::free(image);
    return 0;
  }
  jpeg_width = int(decoder.width);
  jpeg_height = int(decoder.height);
  jpeg_data = image;
  return 1;
}

// No texture of the game comes near this; a bigger file is refused unread.
constexpr long jpeg_file_limit = 64l << 20;

int load_jpg(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  long length = regular_file_length(file, jpeg_file_limit);
  void* buffer = length > 0 ? std::malloc(size_t(length)) : nullptr;
  bool read = buffer && std::fread(buffer, 1, size_t(length), file) == size_t(length);
  std::fclose(file);
  int result = read ? load_memory_jpg(buffer, size_t(length)) : 0;
  std::free(buffer);
  return result;
}
