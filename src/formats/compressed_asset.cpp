#include "formats/compressed_asset.h"

#include <string>

static BZFILE* open_packed_copy(const char* path) {
  std::string packed_name = std::string(path) + ".bz2";
  return BZ2_bzopen(packed_name.c_str(), "rb");
}

bool asset_open(const char* path, asset_stream& stream) {
  stream = asset_stream{};
  stream.plain = std::fopen(path, "rb");
  if (stream.plain) return true;
  stream.packed = open_packed_copy(path);
  return stream.packed != nullptr;
}

size_t asset_read(asset_stream& stream, void* buffer, size_t n) {
  if (stream.plain) return std::fread(buffer, 1, n, stream.plain);
  if (!stream.packed) return 0;
  // BZ2_bzread takes an int count; feed it in pieces that fit.
  char* out = static_cast<char*>(buffer);
  size_t total = 0;
  while (total < n) {
    size_t want = n - total;
    if (want > (1u << 30)) want = 1u << 30;
    int got = BZ2_bzread(stream.packed, out + total, static_cast<int>(want));
    if (got <= 0) break;
    total += static_cast<size_t>(got);
  }
  return total;
}

void asset_close(asset_stream& stream) {
  if (stream.plain) std::fclose(stream.plain);
  if (stream.packed) BZ2_bzclose(stream.packed);
  stream = asset_stream{};
}

// Decompresses the whole stream into the scratch file in large blocks; the file
// ends where the data ends or where a corrupt stream stops delivering.
static bool copy_to_scratch(BZFILE* packed) {
  FILE* scratch = std::fopen(scratch_file_path, "wb");
  if (!scratch) return false;
  static char block[1 << 16];
  bool ok = true;
  int got;
  while ((got = BZ2_bzread(packed, block, sizeof block)) > 0) {
    if (std::fwrite(block, 1, static_cast<size_t>(got), scratch) != static_cast<size_t>(got)) {
      ok = false;
      break;
    }
  }
  if (std::fclose(scratch) != 0) ok = false;
  return ok;
}

FILE* asset_open_seekable(const char* path, bool& used_scratch) {
  used_scratch = false;
  if (FILE* plain = std::fopen(path, "rb")) return plain;
  BZFILE* packed = open_packed_copy(path);
  if (!packed) return nullptr;
  bool copied = copy_to_scratch(packed);
  BZ2_bzclose(packed);
  used_scratch = true;
  if (!copied) {
    scratch_empty();
    return nullptr;
  }
  FILE* scratch = std::fopen(scratch_file_path, "rb");
  if (!scratch) scratch_empty();
  return scratch;
}

void scratch_empty() {
  if (FILE* probe = std::fopen(scratch_file_path, "rb")) {
    std::fclose(probe);
    if (FILE* f = std::fopen(scratch_file_path, "wb")) std::fclose(f);
  }
}
