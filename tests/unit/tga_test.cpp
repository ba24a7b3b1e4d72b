#include <gtest/gtest.h>

#include <bzlib.h>

#include <string>
#include <vector>

#include "formats/tga.h"
#include "support/scratch_dir.h"

namespace {

std::vector<unsigned char> test_pixels(unsigned width, unsigned height, unsigned bytes_per_pixel) {
  std::vector<unsigned char> pixels(size_t(width) * height * bytes_per_pixel);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 37 + 11);
  return pixels;
}

// A header the way other tools write it; the fields are the ones we refuse.
std::string header(int id_length, int colour_map, int type, unsigned width, unsigned height, int bits) {
  std::string h(18, '\0');
  h[0] = char(id_length);
  h[1] = char(colour_map);
  h[2] = char(type);
  h[12] = char(width & 0xFF);
  h[13] = char(width >> 8);
  h[14] = char(height & 0xFF);
  h[15] = char(height >> 8);
  h[16] = char(bits);
  return h;
}

std::string bzip2(const std::string& plain) {
  std::vector<char> packed(plain.size() + plain.size() / 100 + 600);
  unsigned int length = static_cast<unsigned int>(packed.size());
  int rc = BZ2_bzBuffToBuffCompress(packed.data(), &length, const_cast<char*>(plain.data()),
                                    static_cast<unsigned int>(plain.size()), 9, 0, 0);
  EXPECT_EQ(rc, BZ_OK);
  return std::string(packed.data(), length);
}

bool decodes(const std::string& path) {
  tga_image image;
  return tga_decode(path.c_str(), image) == 1;
}

TEST(Tga, SaveAndLoadKeepColoursAtBothDepths) {
  scratch_dir dir;
  for (unsigned bits : {24u, 32u}) {
    SCOPED_TRACE(bits);
    const unsigned width = 5, height = 3, bytes = bits / 8;
    std::vector<unsigned char> original = test_pixels(width, height, bytes);
    std::vector<unsigned char> buffer = original;
    ASSERT_EQ(SaveTGA(buffer.data(), width, height, bits, "shot.tga"), 1);

    // The caller's buffer is left in file order: blue, green, red.
    for (size_t p = 0; p < size_t(width) * height; ++p) {
      EXPECT_EQ(buffer[p * bytes], original[p * bytes + 2]);
      EXPECT_EQ(buffer[p * bytes + 2], original[p * bytes]);
    }
    std::string file = read_file("shot.tga");
    ASSERT_EQ(file.size(), 18 + original.size());
    EXPECT_EQ(file.substr(0, 18), header(0, 0, 2, width, height, int(bits)));
    EXPECT_EQ(file.substr(18), std::string(buffer.begin(), buffer.end()));

    tga_image image;
    ASSERT_EQ(tga_decode("shot.tga", image), 1);
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.bits, bits);
    EXPECT_EQ(image.has_alpha(), bits == 32);
    EXPECT_EQ(std::vector<unsigned char>(image.pixels, image.pixels + original.size()), original);
  }
}

TEST(Tga, OnlyUncompressedTrueColourWithoutExtrasIsRead) {
  scratch_dir dir;
  std::string pixels(4 * 4 * 4, '\x7f');
  write_file("plain.tga", header(0, 0, 2, 4, 4, 32) + pixels);
  write_file("id_field.tga", header(3, 0, 2, 4, 4, 32) + "abc" + pixels);
  write_file("colour_map.tga", header(0, 1, 1, 4, 4, 8) + pixels);
  write_file("colour_map_type2.tga", header(0, 1, 2, 4, 4, 24) + pixels);
  write_file("rle.tga", header(0, 0, 10, 4, 4, 32) + pixels);
  write_file("rle_grey.tga", header(0, 0, 11, 4, 4, 8) + pixels);
  write_file("sixteen.tga", header(0, 0, 2, 4, 4, 16) + pixels);
  write_file("eight.tga", header(0, 0, 2, 4, 4, 8) + pixels);
  std::string origin = header(0, 0, 2, 4, 4, 32);
  origin[8] = 1;
  write_file("origin.tga", origin + pixels);
  EXPECT_TRUE(decodes("plain.tga"));
  for (const char* name : {"id_field.tga", "colour_map.tga", "colour_map_type2.tga", "rle.tga", "rle_grey.tga",
                           "sixteen.tga", "eight.tga", "origin.tga"})
    EXPECT_FALSE(decodes(name)) << name;
}

TEST(Tga, ShortOrEmptyImagesAreRefused) {
  scratch_dir dir;
  write_file("zero_width.tga", header(0, 0, 2, 0, 4, 24));
  write_file("zero_height.tga", header(0, 0, 2, 4, 0, 24));
  write_file("short_header.tga", header(0, 0, 2, 4, 4, 24).substr(0, 15));
  write_file("short_pixels.tga", header(0, 0, 2, 4, 4, 24) + std::string(4 * 4 * 3 - 1, 'x'));
  // Claims 65535 x 65535 x 4 bytes and holds a few: refused without holding
  // memory for the claim.
  write_file("huge_claim.tga", header(0, 0, 2, 65535, 65535, 32) + std::string(1000, 'x'));
  write_file("empty.tga", "");
  for (const char* name : {"zero_width.tga", "zero_height.tga", "short_header.tga", "short_pixels.tga",
                           "huge_claim.tga", "empty.tga", "missing.tga"})
    EXPECT_FALSE(decodes(name)) << name;
}

TEST(Tga, CompressedCopyIsStreamedWithoutTheScratchFile) {
  scratch_dir dir;
  std::string plain = header(0, 0, 2, 2, 1, 24) + std::string("\x01\x02\x03\x04\x05\x06", 6);
  write_file("data/textures/wall.tga.bz2", bzip2(plain));
  tga_image image;
  ASSERT_EQ(tga_decode("data/textures/wall.tga", image), 1);
  EXPECT_EQ(image.width, 2u);
  EXPECT_EQ(image.pixels[0], 3);  // blue-green-red became red-green-blue
  EXPECT_EQ(image.pixels[2], 1);
  EXPECT_FALSE(file_exists("data/tmp"));

  // A compressed copy cut short fails like a short plain file.
  std::string packed = bzip2(header(0, 0, 2, 64, 64, 24) + std::string(64 * 64 * 3, 'p'));
  write_file("data/textures/cut.tga.bz2", packed.substr(0, packed.size() / 2));
  EXPECT_FALSE(decodes("data/textures/cut.tga"));
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(Tga, PlainFileWinsAndARejectedOneIsNotRetriedCompressed) {
  scratch_dir dir;
  std::string good = bzip2(header(0, 0, 2, 1, 1, 24) + "abc");
  write_file("a.tga", header(0, 0, 2, 1, 1, 32) + "wxyz");
  write_file("a.tga.bz2", good);
  tga_image image;
  ASSERT_EQ(tga_decode("a.tga", image), 1);
  EXPECT_EQ(image.bits, 32u);

  write_file("b.tga", header(0, 0, 10, 1, 1, 24) + "abc");
  write_file("b.tga.bz2", good);
  EXPECT_FALSE(decodes("b.tga"));
}

TEST(Tga, SaveRefusesWhatTheHeaderCannotSayAndLeavesTheBufferAlone) {
  scratch_dir dir;
  std::vector<unsigned char> pixels = test_pixels(2, 2, 4);
  const std::vector<unsigned char> before = pixels;
  EXPECT_EQ(SaveTGA(pixels.data(), 2, 2, 16, "a.tga"), 0);
  EXPECT_EQ(SaveTGA(pixels.data(), 0, 2, 32, "b.tga"), 0);
  EXPECT_EQ(SaveTGA(pixels.data(), 70000, 1, 24, "c.tga"), 0);
  EXPECT_EQ(pixels, before);
  EXPECT_FALSE(file_exists("a.tga") || file_exists("b.tga") || file_exists("c.tga"));
  EXPECT_EQ(SaveTGA(pixels.data(), 2, 2, 32, "no/such/dir/d.tga"), 0);
}

}  // namespace
