// Entropy-coded data of a baseline JPEG scan: the bit reader, Huffman
// decoding and the decoding of one 8x8 block of coefficients.
#pragma once
#include <cstddef>
#include <cstdint>

#include "formats/jpeg_headers.h"

// Reads the scan's bits most significant first. A 0xFF byte in the data is
// followed by a stuffed byte that is stepped over. Bits are gathered ahead of
// use, but never past a restart marker (0xFF 0xD0..0xD7) unless the data
// really runs into it, in which case the marker reads as an ordinary 0xFF and
// its second byte is stepped over.
struct jpeg_bit_reader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t next = 0;         // offset of the next byte to gather
  uint64_t bits = 0;       // gathered bits, the next one in the top bit
  int count = 0;           // how many gathered bits are unread
  bool at_marker = false;  // gathering stopped before a restart marker
  bool overrun = false;    // the decoder needed bits past the end of the data
  uint64_t gathered = 0;   // bits gathered since the (re)start

  void start(const uint8_t* file, size_t file_size, size_t offset);
  // Gathers whole bytes while there is room for one; stops before a restart
  // marker and at the end of the data.
  void fill();
  // Makes at least n <= 32 bits available, reading through a restart marker
  // when the data demands it; false (and overrun set) when the data ends.
  bool need(int n);
  // Reads n (1..16) bits as an unsigned value; 0 past the end of the data.
  unsigned take(int n);
  unsigned next_bit() { return take(1); }
  // At the end of a restart interval: drops the rest of the current byte,
  // steps over the two marker bytes after it and starts on a fresh byte.
  void restart();
};

// n bits with the JPEG sign extension (values below 2^(n-1) are negative);
// n = 0 gives 0.
int get_bits(jpeg_bit_reader& reader, int n);

// The next Huffman symbol; -2 when the reader stands before a restart marker
// with only one-bits left in the current byte (end of block); -1 when no code
// of up to 16 bits matches.
int huffman_decode(jpeg_bit_reader& reader, const jpeg_huffman_table& table);

// Outcome of decoding one block.
enum class jpeg_block { coefficients, error_pattern, overrun };

// Decodes one block into `coefficients`, in the transform's layout,
// dequantised with `quant` (given in zig-zag order) and limited to 16 bits as
// the transform needs (real images stay far inside that). The array must be
// all zero on entry. Updates the component's DC predictor. `last` receives the
// highest zig-zag position written, so that sparse blocks can take shortcuts.
// A corrupt AC code gives error_pattern: the caller then shows the diagonal
// cross instead of transforming.
jpeg_block decode_block(jpeg_bit_reader& reader, const jpeg_huffman_table& dc, const jpeg_huffman_table& ac,
                        const int quant[64], int64_t& predictor, int16_t coefficients[64], int& last);
