#include "formats/jpeg_entropy.h"

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

void jpeg_bit_reader::fill() {
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
    after_current = next - given_back;
  }
  size_t resume = size - after_current >= 2 ? after_current + 2 : size;
  start(data, size, resume);
}

int get_bits(jpeg_bit_reader& reader, int n) {
  if (n == 0) return 0;
  int value = int(reader.take(n));
  if (value < (1 << (n - 1))) value -= (1 << n) - 1;
  return value;
}

// Bit by bit, reading through a restart marker when the code runs into it.
static int decode_slowly(jpeg_bit_reader& reader, const jpeg_huffman_table& table) {
  if (reader.at_marker && reader.count < 8) {
    unsigned rest = reader.count ? unsigned(reader.bits >> (64 - reader.count)) : 0;
    if (rest == (1u << reader.count) - 1) return -2;
  }
  int code = 0;
  for (int length = 1; length <= 16; ++length) {
    code = code << 1 | int(reader.take(1));
    if (reader.overrun) return -1;
    if (code <= table.max_code[length])
      return int(table.node[table.first_index[length] + code - table.first_code[length]].symbol);
  }
  return -1;
}

int huffman_decode(jpeg_bit_reader& reader, const jpeg_huffman_table& table) {
  if (reader.count < 16) {
    reader.fill();
    if (reader.count < 16) return decode_slowly(reader, table);
  }
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

static int limit_coefficient(int64_t value) {
  if (value > jpeg_coefficient_limit) return jpeg_coefficient_limit;
  if (value < -jpeg_coefficient_limit) return -jpeg_coefficient_limit;
  return int(value);
}

jpeg_block decode_block(jpeg_bit_reader& reader, const jpeg_huffman_table& dc, const jpeg_huffman_table& ac,
                        const int quant[64], int64_t& predictor, int coefficients[64], int& last) {
  // A failed DC decode (-1, -2) still names a size through its low nibble.
  int size = huffman_decode(reader, dc) & 15;
  predictor += get_bits(reader, size);
  coefficients[0] = limit_coefficient(predictor * quant[0]);
  last = 0;
  for (int k = 1; k < 64;) {
    int symbol = huffman_decode(reader, ac);
    if (symbol == -1) return reader.overrun ? jpeg_block::overrun : jpeg_block::error_pattern;
    if (symbol == -2 || symbol == 0x00) break;
    if (symbol == 0xF0) {
      k += 16;
      continue;
    }
    k += symbol >> 4;
    int value = get_bits(reader, symbol & 15);
    if (k > 63) break;  // a run past the end of the block: the value has no place
    int natural = natural_position[k];
    coefficients[natural] = limit_coefficient(int64_t(value) * quant[natural]);
    last = k++;
  }
  return reader.overrun ? jpeg_block::overrun : jpeg_block::coefficients;
}
