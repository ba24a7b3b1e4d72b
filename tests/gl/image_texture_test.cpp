#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <bzlib.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "support/gl_context.h"
#include "base/loading_log.h"
#include "formats/jpeg.h"
#include "formats/tga.h"
#include "render/textures.h"
#include "render/tga_texture.h"
#include "support/scratch_dir.h"

namespace {

// A hidden window with a compatibility context, made directly with SDL.
class ImageTextureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gl_.open("image texture test", 64, 64);
  }
  static void TearDownTestSuite() {
    gl_.close();
  }

  static hidden_gl_window gl_;
  scratch_dir dir_;
};

hidden_gl_window ImageTextureTest::gl_;

std::string tga_file(unsigned width, unsigned height, unsigned bits, const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> pixels = rgba;  // SaveTGA swaps in place
  EXPECT_EQ(SaveTGA(pixels.data(), width, height, bits, "made.tga"), 1);
  return read_file("made.tga");
}

// Level 0 of the bound texture as bytes of `format`, rows tightly packed.
std::vector<unsigned char> texels(GLuint name, int width, int height, GLenum format) {
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  std::vector<unsigned char> out(size_t(width) * height * (format == GL_RGBA ? 4 : 3));
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
  return out;
}

GLint level_parameter(int level, GLenum which) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
  return value;
}

TEST_F(ImageTextureTest, ThirtyTwoBitTgaBecomesAnRgbaTextureWithAlpha) {
  std::vector<unsigned char> rgba;
  for (int i = 0; i < 4 * 2; ++i) rgba.insert(rgba.end(), {(unsigned char)(i * 30), 200, (unsigned char)(255 - i), (unsigned char)(i * 20 + 5)});
  write_file("data/textures/glass.tga", tga_file(4, 2, 32, rgba));
  _tga_alphaflag = 0;
  ASSERT_EQ(LoadTGA(7, "data/textures/glass.tga"), 1);
  ASSERT_NE(textura[7], 0u);
  EXPECT_EQ(_tga_alphaflag, 1);
  EXPECT_EQ(texels(textura[7], 4, 2, GL_RGBA), rgba);
  EXPECT_GT(level_parameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 2);  // the mipmap chain is there
  EXPECT_EQ(level_parameter(2, GL_TEXTURE_WIDTH), 1);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR_MIPMAP_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(ImageTextureTest, TwentyFourBitTgaOfOddWidthBecomesAnRgbTexture) {
  // One pixel per row: three-byte rows, which GL's default unpack alignment
  // of four would misread.
  std::vector<unsigned char> rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  write_file("data/textures/strip.tga", tga_file(1, 4, 24, rgb));
  _tga_alphaflag = 1;
  ASSERT_EQ(LoadTGA(3, "data/textures/strip.tga"), 1);
  EXPECT_EQ(_tga_alphaflag, 0);
  EXPECT_EQ(texels(textura[3], 1, 4, GL_RGB), rgb);
  EXPECT_EQ(level_parameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
}

TEST_F(ImageTextureTest, CompressedCopyBecomesATextureWithoutTheScratchFile) {
  std::string plain = tga_file(2, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  std::vector<char> packed(plain.size() + 1000);
  unsigned int length = static_cast<unsigned int>(packed.size());
  ASSERT_EQ(BZ2_bzBuffToBuffCompress(packed.data(), &length, plain.data(), static_cast<unsigned int>(plain.size()),
                                     9, 0, 0),
            BZ_OK);
  write_file("data/textures/far.tga.bz2", std::string(packed.data(), length));
  ASSERT_EQ(LoadTGA(4, "data/textures/far.tga"), 1);
  EXPECT_EQ(texels(textura[4], 2, 2, GL_RGB), (std::vector<unsigned char>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST_F(ImageTextureTest, RejectedTgaCreatesNothing) {
  std::string rle = tga_file(2, 2, 24, std::vector<unsigned char>(12, 9));
  rle[2] = 10;
  write_file("data/textures/rle.tga", rle);
  textura[9] = 0;
  _tga_alphaflag = 1;
  GLuint before = 0;
  glGenTextures(1, &before);
  EXPECT_EQ(LoadTGA(9, "data/textures/rle.tga"), 0);
  EXPECT_EQ(LoadTGA(9, "data/textures/missing.tga"), 0);
  EXPECT_EQ(LoadTGA(texture_capacity, "made.tga"), 0);
  EXPECT_EQ(LoadTGA(-1, "made.tga"), 0);
  EXPECT_EQ(textura[9], 0u);
  EXPECT_EQ(_tga_alphaflag, 1);
  GLuint after = 0;
  glGenTextures(1, &after);
  EXPECT_EQ(after, before + 1);  // no name was taken in between
  glDeleteTextures(1, &before);
  glDeleteTextures(1, &after);
}

// A broken texture is tried once per level load, not at every bind: play
// would crawl, and nothing in play may draw the loading screen.
TEST_F(ImageTextureTest, AFailedTextureIsNotTriedAgainUntilTheNextLevel) {
  struct bind_case {
    const char* path;
    std::string bytes;  // empty: no file
    bool loads;
  };
  const bind_case cases[] = {
      {"data/textures/good.tga", tga_file(2, 2, 24, std::vector<unsigned char>(12, 200)), true},
      {"data/textures/broken.tga", "not a picture", false},
      {"data/textures/gone.jpg", "", false},
      {"data/textures/backdrops/gone.jpg", "", false},
  };
  const int entries = static_cast<int>(std::size(cases));
  const int saved_font = font_texture_index;
  font_texture_index = -1;
  textur = entries;
  for (int i = 0; i < entries; ++i) {
    std::snprintf(textura_list[i], content_name_capacity, "%s", cases[i].path);
    if (!cases[i].bytes.empty()) write_file(cases[i].path, cases[i].bytes);
    textura_loaded[i] = textura_failed[i] = 0;
    textura[i] = 0;
  }
  forget_bound_texture();
  std::memset(_loaded, 0, sizeof _loaded);
  for (int round = 0; round < 50; ++round)
    for (const bind_case& c : cases) SetGLTexture(c.path);
  for (int i = 0; i < entries; ++i) {
    const bind_case& c = cases[i];
    std::string failed_line = std::string(c.path) + loading_failed_mark;
    int lines = 0;
    for (const auto& line : _loaded) lines += failed_line == line ? 1 : 0;
    EXPECT_EQ(lines, c.loads ? 0 : 1) << c.path;
    EXPECT_EQ(textura_loaded[i], c.loads ? 1 : 0) << c.path;
    EXPECT_EQ(textura_failed[i], c.loads ? 0 : 1) << c.path;
  }

  // The next level tries the failed ones again (a backdrop at its next use).
  write_file("data/textures/broken.tga", cases[0].bytes);
  retry_failed_textures();
  EXPECT_EQ(textura_loaded[1], 1);
  EXPECT_EQ(textura_failed[1], 0);
  EXPECT_EQ(textura_failed[2], 1);
  EXPECT_EQ(textura_failed[3], 0);
  EXPECT_STREQ(_loaded[0], "data/textures/gone.jpg - FAILED!");
  for (int i = 0; i < entries; ++i) glDeleteTextures(1, &textura[i]);
  textur = 0;
  font_texture_index = saved_font;
}

// A 16 x 8 baseline JPEG, 4:4:4, two flat units of Y 192, Cb 96, Cr 160
// (quantiser 1; DC codes "0" size 0, "10" size 9, "110" size 10; AC "0" is
// the end of block).
std::string flat_colour_jpeg() {
  auto segment = [](int marker, const std::string& payload) {
    size_t length = payload.size() + 2;
    return std::string{char(0xFF), char(marker), char(length >> 8), char(length & 0xFF)} + payload;
  };
  std::string dc_counts("\x00\x01\x01\x01", 4);
  dc_counts += std::string(13, '\0');
  std::string ac_counts("\x10\x01", 2);
  ac_counts += std::string(15, '\0');
  return std::string("\xFF\xD8", 2) + segment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14)) +
         segment(0xDB, std::string(1, '\0') + std::string(64, '\x01')) +
         segment(0xC0, std::string("\x08\x00\x08\x00\x10\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 15)) +
         segment(0xC4, dc_counts + std::string("\x00\x09\x0A", 3)) + segment(0xC4, ac_counts + std::string(1, '\0')) +
         segment(0xDA, std::string("\x03\x01\x00\x02\x00\x03\x00\x00\x3F\x00", 10)) +
         std::string("\xD0\x02\x7F\xA8\x00\x0F\xFF\xD9", 8);
}

TEST_F(ImageTextureTest, JpegBecomesAnRgbTextureWithoutAlpha) {
  // Through the texture table's loader, which decodes and then uploads.
  write_file("data/backdrops/flat.jpg", flat_colour_jpeg());
  textura_alphaflag[11] = 1;
  ASSERT_EQ(load_texture(11, "data/backdrops/flat.jpg"), 1);
  ASSERT_NE(textura[11], 0u);
  EXPECT_EQ(textura_alphaflag[11], 0);
  EXPECT_EQ(jpeg_data, nullptr);  // the decoded buffer was handed back
  std::vector<unsigned char> read = texels(textura[11], 16, 8, GL_RGB);
  for (size_t p = 0; p < read.size() / 3; ++p) {
    // 192 + 1.402 * 32, 192 - 0.34414 * -32 - 0.71414 * 32, 192 + 1.772 * -32, truncated.
    ASSERT_EQ(read[3 * p], 236) << p;
    ASSERT_EQ(read[3 * p + 1], 180) << p;
    ASSERT_EQ(read[3 * p + 2], 135) << p;
  }
  EXPECT_EQ(level_parameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 8);
}

}  // namespace
