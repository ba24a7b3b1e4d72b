#include "formats/jpeg_headers.h"

#include <cstring>

void zigzag_reorder(const int zigzag[64], int natural[64]) {
  for (int i = 0; i < 64; ++i) natural[i] = zigzag[zigzag_position[i]];
}

namespace {

// Markers and the bits they set in the found-set.
enum : unsigned {
  found_frame = 0x01,
  found_huffman = 0x02,
  found_start = 0x04,
  found_scan = 0x08,
  found_quant = 0x10,
  found_jfif = 0x20,
  found_restart = 0x40,
  found_required = found_frame | found_huffman | found_start | found_scan | found_quant | found_jfif,
};

// One marker segment: its payload after the two length bytes.
struct segment {
  const uint8_t* at;
  size_t length;  // payload bytes
};

unsigned be16(const uint8_t* at) { return unsigned(at[0]) << 8 | at[1]; }

// The AC shortcut: a code together with the value bits that follow it.
void build_fast_ac(jpeg_huffman_table& table) {
  const int bits = jpeg_huffman_fast_bits;
  for (int peek = 0; peek < (1 << bits); ++peek) {
    table.fast_ac[peek] = 0;
    unsigned entry = table.fast[peek];
    if (!entry) continue;
    int length = int(entry >> 8);
    int symbol = int(entry & 0xFF);
    int size = symbol & 15;
    if (symbol == 0x00 || symbol == 0xF0 || length + size > bits) continue;
    int value = (peek >> (bits - length - size)) & ((1 << size) - 1);
    if (size > 0 && value < (1 << (size - 1))) value -= (1 << size) - 1;
    table.fast_ac[peek] = int32_t(unsigned(value) << 8) | (symbol >> 4) << 4 | (length + size);
  }
}

// Rebuilds the decoding tables from the nodes. Codes come in canonical order,
// so those of one length form a run of consecutive values.
void build_huffman_lookup(jpeg_huffman_table& table) {
  std::memset(table.fast, 0, sizeof table.fast);
  int index = 0;
  for (int length = 1; length <= 16; ++length) {
    table.first_index[length] = index;
    table.first_code[length] = index < table.count ? int(table.node[index].code) : 0;
    table.max_code[length] = -1;
    while (index < table.count && table.node[index].length == length) {
      const HUFFMAN_NODE& node = table.node[index];
      table.max_code[length] = int(node.code);
      if (length <= jpeg_huffman_fast_bits) {
        int spare = jpeg_huffman_fast_bits - length;
        unsigned base = node.code << spare;
        for (unsigned fill = 0; fill < (1u << spare); ++fill)
          table.fast[base + fill] = uint16_t(length << 8 | node.symbol);
      }
      ++index;
    }
  }
  build_fast_ac(table);
}

// Frame header. Accepts 8-bit samples, 1 or 3 components with ids 1, 2, 3 in
// order, luma sampling 1x1, 2x1 or 2x2 and chroma 1x1: the unit layouts the
// decoder knows. Anything else would come out garbled, so it is refused.
bool read_sof0(segment s, DECODER_DATA& d) {
  if (s.length < 6) return false;
  if (s.at[0] != 8) return false;
  d.height = be16(s.at + 1);
  d.width = be16(s.at + 3);
  int count = s.at[5];
  if (d.width == 0 || d.height == 0 || d.width > jpeg_max_side || d.height > jpeg_max_side) return false;
  if (count != 1 && count != 3) return false;
  if (s.length < 6 + 3 * size_t(count)) return false;
  for (int i = 0; i < count; ++i) {
    const uint8_t* c = s.at + 6 + 3 * i;
    jpeg_component& comp = d.component[i];
    comp.id = c[0];
    comp.h = c[1] >> 4;
    comp.v = c[1] & 15;
    comp.quant = c[2];
    if (comp.id != i + 1 || comp.quant >= jpeg_table_ids) return false;
  }
  d.component_count = count;
  if (count == 3) {
    const jpeg_component& y = d.component[0];
    bool luma_ok = (y.h == 1 && y.v == 1) || (y.h == 2 && y.v == 1) || (y.h == 2 && y.v == 2);
    for (int i = 1; i < 3; ++i)
      if (d.component[i].h != 1 || d.component[i].v != 1) return false;
    return luma_ok;
  }
  // A single component is coded block by block whatever its factors say.
  d.component[0].h = d.component[0].v = 1;
  return true;
}

// Huffman tables: class/id byte, 16 counts, symbols; repeated to the end of
// the segment. Codes are assigned canonically; a set of counts that needs
// more codes than a length has room for is refused.
bool read_dht(segment s, DECODER_DATA& d) {
  size_t at = 0;
  while (at < s.length) {
    if (s.length - at < 17) return false;
    unsigned info = s.at[at];
    unsigned table_class = info >> 4, id = info & 15;
    if (table_class > 1 || id >= unsigned(jpeg_table_ids)) return false;
    const uint8_t* counts = s.at + at + 1;
    size_t total = 0;
    for (int i = 0; i < 16; ++i) total += counts[i];
    if (total > size_t(jpeg_huffman_capacity) || s.length - at - 17 < total) return false;
    const uint8_t* symbols = s.at + at + 17;

    jpeg_huffman_table& table = table_class == 0 ? d.dc_table[id] : d.ac_table[id];
    unsigned code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
      for (int n = 0; n < counts[length - 1]; ++n) {
        if (code >= (1u << length)) return false;
        table.node[index] = HUFFMAN_NODE{code, symbols[index], length};
        ++index;
        ++code;
      }
      code <<= 1;
    }
    table.count = index;
    build_huffman_lookup(table);
    at += 17 + total;
  }
  return true;
}

// Quantisation tables: 8-bit values only, ids 0 and 1.
bool read_dqt(segment s, DECODER_DATA& d) {
  size_t at = 0;
  while (at < s.length) {
    if (s.length - at < 65) return false;
    unsigned info = s.at[at];
    unsigned precision = info >> 4, id = info & 15;
    if (precision != 0 || id >= unsigned(jpeg_table_ids)) return false;
    int zigzag[64];
    for (int i = 0; i < 64; ++i) zigzag[i] = s.at[at + 1 + i];
    zigzag_reorder(zigzag, d.quant_table[id]);
    at += 65;
  }
  return true;
}

// Scan header: the same components as the frame, in the same order, each
// with its DC and AC table selectors.
bool read_sos(segment s, DECODER_DATA& d) {
  if (s.length < 1) return false;
  int count = s.at[0];
  if (count != 1 && count != 3) return false;
  if (count != d.component_count) return false;
  if (s.length < 1 + 2 * size_t(count) + 3) return false;
  for (int i = 0; i < count; ++i) {
    const uint8_t* c = s.at + 1 + 2 * i;
    if (c[0] < 1 || c[0] > 3 || c[0] != d.component[i].id) return false;
    unsigned dc = c[1] >> 4, ac = c[1] & 15;
    if (dc >= unsigned(jpeg_table_ids) || ac >= unsigned(jpeg_table_ids)) return false;
    d.component[i].dc = int(dc);
    d.component[i].ac = int(ac);
  }
  return true;  // spectral selection and approximation bytes are not used
}

// JFIF application segment: identifier "JFIF\0" and major version 1.
bool read_app0(segment s) {
  if (s.length + 2 < 16) return false;
  return std::memcmp(s.at, "JFIF", 5) == 0 && s.at[5] == 1;
}

bool read_restart_interval(segment s, DECODER_DATA& d) {
  if (s.length < 2) return false;
  d.restart_interval = be16(s.at);
  return true;
}

}  // namespace

bool read_jpeg_headers(const uint8_t* data, size_t size, DECODER_DATA& d) {
  for (int id = 0; id < jpeg_table_ids; ++id) {
    d.dc_table[id].count = d.ac_table[id].count = 0;
    build_huffman_lookup(d.dc_table[id]);
    build_huffman_lookup(d.ac_table[id]);
  }
  unsigned found = 0;
  size_t at = 0;
  while (at < size && at < jpeg_header_limit && !(found & found_scan)) {
    if (data[at] != 0xFF) {
      ++at;
      continue;
    }
    if (size - at < 2) return false;
    unsigned marker = data[at + 1];
    if (marker == 0xD8) {
      found |= found_start;
      at += 2;
      continue;
    }
    // Every other marker we accept carries a segment; it must fit the file.
    if (size - at < 4) return false;
    size_t length = be16(data + at + 2);
    if (length < 2 || size - at - 2 < length) return false;
    segment s{data + at + 4, length - 2};
    bool ok;
    switch (marker) {
      case 0xC0:
      case 0xC1:
        found |= found_frame;
        ok = read_sof0(s, d);
        break;
      case 0xC4:
        found |= found_huffman;
        ok = read_dht(s, d);
        break;
      case 0xDA:
        found |= found_scan;
        ok = read_sos(s, d);
        break;
      case 0xDB:
        found |= found_quant;
        ok = read_dqt(s, d);
        break;
      case 0xDD:
        found |= found_restart;
        ok = read_restart_interval(s, d);
        break;
      case 0xE0:
        found |= found_jfif;
        ok = read_app0(s);
        break;
      case 0xFE:
        ok = true;
        break;
      default:  // other frame types, other application segments, fill bytes
        return false;
    }
    if (!ok) return false;
    at += 2 + length;
  }
  if ((found & found_required) != found_required) return false;
  d.entropy_start = at;
  return true;
}
