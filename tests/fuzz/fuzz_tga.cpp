// Any bytes as a TGA file, read twice: as the plain file and streamed from a
// ".bz2" copy of it. Both readings must agree, and neither may touch the
// scratch file.
#include <bzlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "formats/tga.h"

static bool write_bytes(const char* path, const void* data, size_t size) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

static bool same_image(const tga_image& a, const tga_image& b) {
  return a.width == b.width && a.height == b.height && a.bits == b.bits &&
         std::memcmp(a.pixels, b.pixels, size_t(a.width) * a.height * (a.bits / 8)) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!write_bytes("fuzz.tga", data, size)) return 0;
  std::vector<char> packed(size + size / 100 + 600);
  unsigned int packed_size = static_cast<unsigned int>(packed.size());
  if (BZ2_bzBuffToBuffCompress(packed.data(), &packed_size, reinterpret_cast<char*>(const_cast<uint8_t*>(data)),
                               static_cast<unsigned int>(size), 1, 0, 0) != BZ_OK)
    return 0;
  std::remove("packed.tga");  // only the compressed copy exists
  if (!write_bytes("packed.tga.bz2", packed.data(), packed_size)) return 0;

  tga_image plain, streamed;
  int plain_result = tga_decode("fuzz.tga", plain);
  int streamed_result = tga_decode("packed.tga", streamed);
  if (plain_result != streamed_result) std::abort();
  if (plain_result && !same_image(plain, streamed)) std::abort();
  if (FILE* scratch = std::fopen("data/tmp", "rb")) {
    std::fclose(scratch);
    std::abort();
  }
  return 0;
}
