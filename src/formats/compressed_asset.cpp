#include "formats/compressed_asset.h"

#include <string>

static std::string packed_name(const char* path) { return std::string(path) + ".bz2"; }

bool asset_open(const char* path, asset_stream& stream) {
  stream = asset_stream{};
  stream.plain = std::fopen(path, "rb");
  if (stream.plain) return true;
  stream.packed = BZ2_bzopen(packed_name(path).c_str(), "rb");
  return stream.packed != nullptr;
}

size_t asset_read(asset_stream& stream, void* buffer, size_t n) {
  if (stream.plain) return std::fread(buffer, 1, n, stream.plain);
  if (!stream.packed) return 0;
  // BZ2_bzread takes an int count; feed it in pieces that fit. After an error
  // the library's state is undefined, so it is not asked again.
  char* out = static_cast<char*>(buffer);
  size_t total = 0;
  while (total < n && !stream.packed_ended) {
    size_t want = n - total;
    if (want > (1u << 30)) want = 1u << 30;
    int got = BZ2_bzread(stream.packed, out + total, static_cast<int>(want));
    if (got <= 0)
      stream.packed_ended = true;
    else
      total += static_cast<size_t>(got);
  }
  return total;
}

void asset_close(asset_stream& stream) {
  if (stream.plain) std::fclose(stream.plain);
  if (stream.packed) BZ2_bzclose(stream.packed);
  stream = asset_stream{};
}

// Decompresses `packed` into `scratch` in large blocks. A block-sized BZ2_bzread
// drops what it decoded in a call that runs into the end of a truncated file,
// so the copy drives the decoder itself: a truncated copy leaves every byte
// before the cut, the same file a one-byte-per-call copy makes. Data that fails
// the decoder's checks is corrupt, not short: false, as for a write failure or
// output past scratch_copy_limit.
static bool inflate_to(FILE* packed, FILE* scratch) {
  bz_stream z{};
  if (BZ2_bzDecompressInit(&z, 0, 0) != BZ_OK) return false;
  static char in[1 << 16], out[1 << 16];
  bool input_done = false, ok = true;
  long total = 0;
  for (;;) {
    if (z.avail_in == 0 && !input_done) {
      z.next_in = in;
      z.avail_in = static_cast<unsigned>(std::fread(in, 1, sizeof in, packed));
      input_done = z.avail_in == 0;
    }
    z.next_out = out;
    z.avail_out = sizeof out;
    const int status = BZ2_bzDecompress(&z);
    const long produced = static_cast<long>(sizeof out - z.avail_out);
    total += produced;
    if (total > scratch_copy_limit ||
        std::fwrite(out, 1, static_cast<size_t>(produced), scratch) != static_cast<size_t>(produced)) {
      ok = false;
      break;
    }
    if (status == BZ_STREAM_END || (status == BZ_OK && input_done && produced == 0)) break;
    if (status != BZ_OK) {
      ok = false;
      break;
    }
  }
  BZ2_bzDecompressEnd(&z);
  return ok;
}

static bool copy_to_scratch(FILE* packed) {
  FILE* scratch = std::fopen(scratch_file_path, "wb");
  if (!scratch) return false;
  bool ok = inflate_to(packed, scratch);
  if (std::fclose(scratch) != 0) ok = false;
  return ok;
}

FILE* asset_open_seekable(const char* path, bool& used_scratch) {
  used_scratch = false;
  if (FILE* plain = std::fopen(path, "rb")) return plain;
  FILE* packed = std::fopen(packed_name(path).c_str(), "rb");
  if (!packed) return nullptr;
  bool copied = copy_to_scratch(packed);
  std::fclose(packed);
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
