#include "formats/jpeg_entropy.h"

#include "formats/jpeg_idct.h"

#include <cstring>

void jpeg_bit_reader::start(const uint8_t* file, size_t file_size, size_t offset) {
  data = file;
  size = file_size;
  next = offset < file_size ? offset : file_size;
  bits = 0;
  count = 0;
  at_marker = false;
  overrun = false;
  gathered = 0;
}

static bool is_restart_marker(unsigned byte) { return byte >= 0xD0 && byte <= 0xD7; }

static uint64_t big_endian_64(const uint8_t* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  word = __builtin_bswap64(word);
#endif
  return word;
}

// True when one of the eight bytes is 0xFF.
static bool holds_ff(uint64_t word) {
  uint64_t inverted = ~word;
  return ((inverted - 0x0101010101010101ull) & word & 0x8080808080808080ull) != 0;
}

void jpeg_bit_reader::fill() {
  // Most of the data holds no 0xFF: take whole bytes at once while it does not.
  if (count <= 56 && size - next >= 8) {
    uint64_t word = big_endian_64(data + next);
    if (!holds_ff(word)) {
      int bytes = (64 - count) / 8;
      bits |= (word >> (64 - 8 * bytes)) << (64 - count - 8 * bytes);
      count += 8 * bytes;
      gathered += 8 * uint64_t(bytes);
      next += size_t(bytes);
      return;
    }
  }
  while (count <= 56 && next < size) {
    unsigned byte = data[next];
    if (byte == 0xFF) {
      if (next + 1 < size && is_restart_marker(data[next + 1])) {
        at_marker = true;
        return;
      }
      next = size - next >= 2 ? next + 2 : size;  // step over the stuffed byte
    } else {
      ++next;
    }
    bits |= uint64_t(byte) << (56 - count);
    count += 8;
    gathered += 8;
  }
}

bool jpeg_bit_reader::need(int n) {
  if (count >= n) return true;
  fill();
  while (count < n && at_marker) {
    bits |= uint64_t(0xFF) << (56 - count);
    count += 8;
    gathered += 8;
    next += 2;
    at_marker = false;
    fill();
  }
  if (count >= n) return true;
  overrun = true;
  return false;
}

unsigned jpeg_bit_reader::take(int n) {
  if (!need(n)) return 0;
  unsigned value = unsigned(bits >> (64 - n));
  bits <<= n;
  count -= n;
  return value;
}

// Bytes of the file that one gathered byte came from.
static size_t source_length(unsigned byte) { return byte == 0xFF ? 2 : 1; }

void jpeg_bit_reader::restart() {
  // Find where the byte holding the last bit read ends in the file: gathered
  // bytes after it are given back.
  bool none_read = gathered == uint64_t(count);
  size_t after_current;
  if (none_read && count == 0) {
    after_current = next < size ? next + source_length(data[next]) : size;
    if (after_current > size) after_current = size;
  } else {
    int partial = count % 8;
    int whole = count / 8;
    // With nothing read yet, the first gathered byte is the current one.
    int first = none_read ? 1 : 0;
    size_t given_back = 0;
    for (int j = first; j < whole; ++j) {
      unsigned byte = unsigned(bits >> (56 - partial - 8 * j)) & 0xFF;
      given_back += source_length(byte);
    }
    after_current = given_back < next ? next - given_back : 0;
  }
  size_t resume = size - after_current >= 2 ? after_current + 2 : size;
  start(data, size, resume);
}

// The JPEG sign extension of an n-bit value (n >= 1).
static int extend(unsigned value, int n) {
  return value < (1u << (n - 1)) ? int(value) - (1 << n) + 1 : int(value);
}

int get_bits(jpeg_bit_reader& reader, int n) {
  if (n == 0) return 0;
  return extend(reader.take(n), n);
}

// get_bits when the bits are known to be gathered already.
static int get_gathered_bits(jpeg_bit_reader& reader, int n) {
  if (n == 0) return 0;
  unsigned value = unsigned(reader.bits >> (64 - n));
  reader.bits <<= n;
  reader.count -= n;
  return extend(value, n);
}

// Bit by bit, reading through a restart marker when the code runs into it.
static int decode_slowly(jpeg_bit_reader& reader, const jpeg_huffman_table& table) {
  if (reader.at_marker && reader.count < 8) {
    unsigned rest = reader.count ? unsigned(reader.bits >> (64 - reader.count)) : 0;
    if (rest == (1u << reader.count) - 1) return -2;
  }
  int code = 0;
  for (int length = 1; length <= 16; ++length) {
    code = code << 1 | int(reader.next_bit());
    if (reader.overrun) return -1;
    if (code <= table.max_code[length])
      return int(table.node[table.first_index[length] + code - table.first_code[length]].symbol);
  }
  return -1;
}

// huffman_decode when at least 16 bits are gathered: one look-up for short
// codes, a search by length for the rest.
static int decode_gathered(jpeg_bit_reader& reader, const jpeg_huffman_table& table) {
  unsigned entry = table.fast[reader.bits >> (64 - jpeg_huffman_fast_bits)];
  if (entry) {
    int length = int(entry >> 8);
    reader.bits <<= length;
    reader.count -= length;
    return int(entry & 0xFF);
  }
  for (int length = jpeg_huffman_fast_bits + 1; length <= 16; ++length) {
    int code = int(reader.bits >> (64 - length));
    if (code <= table.max_code[length]) {
      reader.bits <<= length;
      reader.count -= length;
      return int(table.node[table.first_index[length] + code - table.first_code[length]].symbol);
    }
  }
  reader.bits <<= 16;
  reader.count -= 16;
  return -1;
}

int huffman_decode(jpeg_bit_reader& reader, const jpeg_huffman_table& table) {
  if (reader.count < 16) {
    reader.fill();
    if (reader.count < 16) return decode_slowly(reader, table);
  }
  return decode_gathered(reader, table);
}

// int for AC values, int64_t for the DC predictor, which has no bound.
template <typename Value>
static int16_t limit_coefficient(Value value) {
  return int16_t(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
}

// With 32 bits gathered, a code (16 bits at most) and its value (15) need no
// checks; otherwise huffman_decode and get_bits take the careful path that
// handles restart markers and the end of the data.
static bool gather_for_symbol(jpeg_bit_reader& reader) {
  if (reader.count < 32) reader.fill();
  return reader.count >= 32;
}

jpeg_block decode_block(jpeg_bit_reader& reader, const jpeg_huffman_table& dc, const jpeg_huffman_table& ac,
                        const int quant[64], int64_t& predictor, int16_t coefficients[64], int& last) {
  // A failed DC decode (-1, -2) still names a size through its low nibble.
  if (gather_for_symbol(reader)) {
    int size = decode_gathered(reader, dc) & 15;
    predictor += get_gathered_bits(reader, size);
  } else {
    int size = huffman_decode(reader, dc) & 15;
    predictor += get_bits(reader, size);
  }
  coefficients[0] = limit_coefficient(predictor * quant[0]);
  last = 0;
  for (int k = 1; k < 64;) {
    bool plenty = gather_for_symbol(reader);
    int symbol;
    if (plenty) {
      int32_t shortcut = ac.fast_ac[reader.bits >> (64 - jpeg_huffman_fast_bits)];
      if (shortcut) {
        int used = shortcut & 15;
        reader.bits <<= used;
        reader.count -= used;
        k += (shortcut >> 4) & 15;
        if (k > 63) break;
        coefficients[idct_layout.position[k]] = limit_coefficient((shortcut >> 8) * quant[k]);
        last = k++;
        continue;
      }
      symbol = decode_gathered(reader, ac);
    } else {
      symbol = huffman_decode(reader, ac);
      if (reader.overrun) return jpeg_block::overrun;
    }
    if (symbol == -1) return jpeg_block::error_pattern;
    if (symbol == -2 || symbol == 0x00) break;
    if (symbol == 0xF0) {
      k += 16;
      continue;
    }
    k += symbol >> 4;
    int value = plenty ? get_gathered_bits(reader, symbol & 15) : get_bits(reader, symbol & 15);
    if (k > 63) break;  // a run past the end of the block: the value has no place
    coefficients[idct_layout.position[k]] = limit_coefficient(value * quant[k]);
    last = k++;
  }
  return reader.overrun ? jpeg_block::overrun : jpeg_block::coefficients;
}
