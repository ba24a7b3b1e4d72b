// Writes small baseline JPEG files, encoded with libjpeg, into the directory
// argv[1]: every luma sampling the decoder reads, grey, with and without
// restart markers.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "libjpeg_reference.h"

static bool write_seed(const std::string& path, int width, int height, int components, int luma_h, int luma_v,
                       int quality, unsigned restart_units) {
  std::vector<uint8_t> pixels(size_t(width) * height * components);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 13) ^ (i / 7));
  jpeg_encoding e;
  e.quality = quality;
  e.luma_h = luma_h;
  e.luma_v = luma_v;
  e.grey = components == 1;
  e.restart_units = int(restart_units);
  std::string jpeg = libjpeg_encode(pixels.data(), width, height, e);
  FILE* file = std::fopen(path.c_str(), "wb");
  bool ok = !jpeg.empty() && file && std::fwrite(jpeg.data(), 1, jpeg.size(), file) == jpeg.size();
  if (file && std::fclose(file) != 0) ok = false;
  return ok;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  struct seed {
    const char* name;
    int width, height, components, luma_h, luma_v, quality;
    unsigned restart_units;
  };
  const seed seeds[] = {
      {"444", 24, 16, 3, 1, 1, 90, 0},      {"422", 33, 9, 3, 2, 1, 60, 0},
      {"420", 40, 24, 3, 2, 2, 75, 0},      {"420_restart", 35, 20, 3, 2, 2, 50, 3},
      {"444_restart_row", 17, 17, 3, 1, 1, 95, 3}, {"grey", 20, 12, 1, 1, 1, 80, 0},
      {"grey_restart", 16, 16, 1, 1, 1, 30, 1}, {"tiny", 1, 1, 3, 2, 2, 100, 0},
  };
  for (const seed& s : seeds)
    if (!write_seed(std::string(argv[1]) + "/" + s.name + ".jpg", s.width, s.height, s.components, s.luma_h,
                    s.luma_v, s.quality, s.restart_units))
      return 1;
  std::printf("%zu JPEG seeds\n", sizeof seeds / sizeof seeds[0]);
  return 0;
}
