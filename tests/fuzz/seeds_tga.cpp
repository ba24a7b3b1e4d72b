// Writes valid TGA files, made with SaveTGA, into the directory argv[1].
#include <cstdio>
#include <string>
#include <vector>

#include "formats/tga.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const unsigned sizes[][2] = {{1, 1}, {3, 5}, {16, 8}, {7, 2}};
  int written = 0;
  for (unsigned bits : {24u, 32u})
    for (const auto& size : sizes) {
      std::vector<unsigned char> pixels(size_t(size[0]) * size[1] * (bits / 8));
      for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 41 + bits);
      std::string path = std::string(argv[1]) + "/seed_" + std::to_string(bits) + "_" + std::to_string(size[0]) +
                         "x" + std::to_string(size[1]) + ".tga";
      if (!SaveTGA(pixels.data(), size[0], size[1], bits, path.c_str())) return 1;
      ++written;
    }
  std::printf("%d TGA seeds\n", written);
  return 0;
}
