// Marker segments of a baseline JFIF JPEG: everything before the entropy data.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int jpeg_huffman_capacity = 256;  // codes per Huffman table
constexpr int jpeg_huffman_fast_bits = 9;   // codes up to this length decode by one look-up
constexpr int jpeg_table_ids = 2;           // Huffman and quantisation tables 0 and 1
constexpr int jpeg_max_components = 3;
constexpr size_t jpeg_header_limit = 10000;  // header segments must start before this byte
// Larger images are refused: the RGB buffer would not fit memory sensibly
// (and no GL implementation takes such a texture).
constexpr unsigned jpeg_max_side = 16384;

// The standard zig-zag order: for each natural (row-major) position of an 8x8
// block, its position in the zig-zag sequence.
constexpr uint8_t zigzag_position[64] = {
    0,  1,  5,  6,  14, 15, 27, 28,  //
    2,  4,  7,  13, 16, 26, 29, 42,  //
    3,  8,  12, 17, 25, 30, 41, 43,  //
    9,  11, 18, 24, 31, 40, 44, 53,  //
    10, 19, 23, 32, 39, 45, 52, 54,  //
    20, 22, 33, 38, 46, 51, 55, 60,  //
    21, 34, 37, 47, 50, 56, 59, 61,  //
    35, 36, 48, 49, 57, 58, 62, 63,
};
// The inverse: for each zig-zag position, the natural position.
constexpr uint8_t natural_position[64] = {
    0,  1,  8,  16, 9,  2,  3,  10,  //
    17, 24, 32, 25, 18, 11, 4,  5,   //
    12, 19, 26, 33, 40, 48, 41, 34,  //
    27, 20, 13, 6,  7,  14, 21, 28,  //
    35, 42, 49, 56, 57, 50, 43, 36,  //
    29, 22, 15, 23, 30, 37, 44, 51,  //
    58, 59, 52, 45, 38, 31, 39, 46,  //
    53, 60, 61, 54, 47, 55, 62, 63,
};

// Reorders 64 values from zig-zag to natural order.
void zigzag_reorder(const int zigzag[64], int natural[64]);

struct HUFFMAN_NODE {
  unsigned code;
  unsigned symbol;
  int length;  // 1 ... 16 bits
};

// One Huffman table: its codes in canonical order plus the look-up tables
// that decode them. Codes of one length are consecutive values, so a code of
// length l is valid when it is at most max_code[l].
struct jpeg_huffman_table {
  HUFFMAN_NODE node[jpeg_huffman_capacity];
  int count = 0;
  int max_code[17];     // largest code of each length, -1 when there is none
  int first_index[17];  // node index of the first code of each length
  int first_code[17];
  // Indexed by the next jpeg_huffman_fast_bits bits: (length << 8) | symbol,
  // or 0 when the code is longer (or invalid).
  uint16_t fast[1 << jpeg_huffman_fast_bits];
  // For AC coefficients whose code and value bits fit in those bits together:
  // (value << 8) | (zero run << 4) | bits used; 0 for every other case.
  int32_t fast_ac[1 << jpeg_huffman_fast_bits];
};

struct jpeg_component {
  int id = 0;
  int h = 1, v = 1;  // sampling factors
  int quant = 0;     // quantisation table
  int dc = 0, ac = 0;  // Huffman table selectors from the scan header
};

// Decoder state gathered from the header segments (zero-initialised).
struct DECODER_DATA {
  unsigned width = 0, height = 0;
  int component_count = 0;    // frame and scan: 1 (grey) or 3 (YCbCr)
  jpeg_component component[jpeg_max_components];
  jpeg_huffman_table dc_table[jpeg_table_ids];
  jpeg_huffman_table ac_table[jpeg_table_ids];
  int quant_table[jpeg_table_ids][64] = {};  // natural order
  unsigned restart_interval = 0;  // units between restart markers; 0 = none
  size_t entropy_start = 0;       // first byte after the scan header
};

// Walks the marker segments from the start of the buffer up to the start of
// scan. False when the file is not a baseline 8-bit JFIF image with one or
// three components that this decoder supports.
bool read_jpeg_headers(const uint8_t* data, size_t size, DECODER_DATA& decoder);
