#include "support/solid_tga.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/tga.h"
#include "support/scratch_dir.h"

void write_solid_tga(const std::string& path, int side, std::array<unsigned char, 4> rgba, bool alpha) {
  int bytes = alpha ? 4 : 3;
  std::vector<unsigned char> pixels(static_cast<size_t>(side * side * bytes));
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = rgba[i % bytes];
  write_file(path, "");  // makes the folders
  ASSERT_EQ(SaveTGA(pixels.data(), side, side, alpha ? 32 : 24, path.c_str()), 1);
}
