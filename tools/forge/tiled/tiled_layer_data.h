// Decodes the tile data of one Tiled layer into global tile ids, in every
// encoding Tiled writes for a finite map: CSV, and base64 of little-endian
// 32-bit ids, plain or compressed with zlib or gzip. The count is checked
// against the layer's size; a failure gives a message and the offset in the
// data text where it was found.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct tiled_data_error {
  std::string message;
  size_t offset = 0;  // in the data text
};

// CSV: `offsets` receives where each id starts in `text`.
bool decode_tiled_csv(const std::string& text, size_t count, std::vector<uint32_t>& gids,
                      std::vector<size_t>& offsets, tiled_data_error& error);

// base64, then `compression`: "" (none), "zlib" or "gzip".
bool decode_tiled_base64(const std::string& text, const std::string& compression, size_t count,
                         std::vector<uint32_t>& gids, tiled_data_error& error);
