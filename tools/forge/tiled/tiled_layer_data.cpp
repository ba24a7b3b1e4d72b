#include "tiled/tiled_layer_data.h"

#include <zlib.h>

namespace {

bool fail(tiled_data_error& error, const std::string& message, size_t offset) {
  error.message = message;
  error.offset = offset;
  return false;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int base64_value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool decode_base64(const std::string& text, std::vector<uint8_t>& out, tiled_data_error& error) {
  uint32_t bits = 0;
  int held = 0;
  size_t padding_at = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (is_blank(c)) continue;
    if (c == '=') {
      if (padding_at == std::string::npos) padding_at = i;
      continue;
    }
    int v = base64_value(c);
    if (v < 0 || padding_at != std::string::npos)
      return fail(error, v < 0 ? "the base64 data holds a character that is not base64" : "base64 data after its padding", i);
    bits = (bits << 6) | uint32_t(v);
    held += 6;
    if (held >= 8) {
      held -= 8;
      out.push_back(uint8_t(bits >> held));
    }
  }
  return true;
}

// Inflates exactly `size` bytes; more or fewer is a failure.
bool inflate_exactly(const std::vector<uint8_t>& in, bool gzip, size_t size, std::vector<uint8_t>& out,
                     tiled_data_error& error) {
  z_stream z{};
  if (inflateInit2(&z, gzip ? 16 + MAX_WBITS : MAX_WBITS) != Z_OK) return fail(error, "zlib cannot start", 0);
  out.assign(size + 1, 0);  // one byte more shows data longer than the layer
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = uInt(in.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  int status = inflate(&z, Z_FINISH);
  size_t produced = out.size() - z.avail_out;
  inflateEnd(&z);
  if (status != Z_STREAM_END && !(status == Z_BUF_ERROR && produced > size))
    return fail(error, std::string("the ") + (gzip ? "gzip" : "zlib") + " data is damaged or cut short", 0);
  out.resize(produced);
  return true;
}

}  // namespace

bool decode_tiled_csv(const std::string& text, size_t count, std::vector<uint32_t>& gids,
                      std::vector<size_t>& offsets, tiled_data_error& error) {
  gids.clear();
  offsets.clear();
  size_t i = 0;
  auto skip_blank = [&] {
    while (i < text.size() && is_blank(text[i])) ++i;
  };
  skip_blank();
  size_t last_end = i;  // a short count is reported after the last id
  while (i < text.size()) {
    if (text[i] < '0' || text[i] > '9') return fail(error, "expected a tile id (a whole number) in the CSV data", i);
    size_t start = i;
    uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      value = value * 10 + uint64_t(text[i++] - '0');
      if (value > 0xFFFFFFFFu) return fail(error, "a tile id above 4294967295 in the CSV data", start);
    }
    if (gids.size() == count) return fail(error, "the CSV data holds more than the layer's " + std::to_string(count) + " cells", start);
    gids.push_back(uint32_t(value));
    offsets.push_back(start);
    last_end = i;
    skip_blank();
    if (i < text.size() && text[i] == ',') {
      ++i;
      skip_blank();
    } else if (i < text.size()) {
      return fail(error, "expected ',' between tile ids in the CSV data", i);
    }
  }
  if (gids.size() != count)
    return fail(error, "the CSV data holds " + std::to_string(gids.size()) + " cells, the layer " + std::to_string(count), last_end);
  return true;
}

bool decode_tiled_base64(const std::string& text, const std::string& compression, size_t count,
                         std::vector<uint32_t>& gids, tiled_data_error& error) {
  gids.clear();
  if (!compression.empty() && compression != "zlib" && compression != "gzip")
    return fail(error, "tile data compressed with '" + compression + "': the forge reads zlib, gzip or none", 0);
  std::vector<uint8_t> packed, bytes;
  if (!decode_base64(text, packed, error)) return false;
  if (compression.empty())
    bytes.swap(packed);
  else if (!inflate_exactly(packed, compression == "gzip", count * 4, bytes, error))
    return false;
  if (bytes.size() > count * 4)
    return fail(error, "the tile data holds more than the layer's " + std::to_string(count) + " cells", 0);
  if (bytes.size() < count * 4)
    return fail(error, "the tile data holds " + std::to_string(bytes.size()) + " bytes; the layer's " +
                           std::to_string(count) + " cells need " + std::to_string(count * 4), 0);
  gids.resize(count);
  for (size_t i = 0; i < count; ++i)
    gids[i] = uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 | uint32_t(bytes[4 * i + 2]) << 16 |
              uint32_t(bytes[4 * i + 3]) << 24;
  return true;
}
