#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "actors/player.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "content/texture_list.h"
#include "formats/tga.h"
#include "platform/display_settings.h"
#include "platform/input.h"
#include "platform/window.h"
#include "render/hud.h"
#include "render/screenshot.h"
#include "render/textures.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"
#include "support/solid_tga.h"

namespace {

// Half the HUD layout, so every layout unit is half a pixel.
constexpr int width = 400;
constexpr int height = 300;

struct rgb {
  int r, g, b;
};

class HudTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gl_.open("Kel", width, height);
  }
  static void TearDownTestSuite() {
    gl_.close();
  }

  // The state the scene leaves for the overlay.
  void SetUp() override {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    resolution_x = width;
    resolution_y = height;
  }

  // Pixel at window column x, row y counted from the top.
  static rgb pixel(int x, int y) {
    unsigned char p[3];
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  static bool white(int x, int y) {
    rgb p = pixel(x, y);
    return p.r > 200 && p.g > 200 && p.b > 200;
  }

  static hidden_gl_window gl_;
  scratch_dir dir_;
};

hidden_gl_window HudTest::gl_;

void expect_matrix(GLenum which, const GLfloat (&before)[16]) {
  GLfloat after[16];
  glGetFloatv(which, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]) << i;
}

TEST_F(HudTest, RectangleLandsWhereTheLayoutSaysAndLeavesTheMatricesAlone) {
  glMatrixMode(GL_PROJECTION);
  glOrtho(-3, 3, -2, 2, -5, 5);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(1, 2, 3);
  GLfloat projection[16], modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

  // Layout (100, 50) 200 x 100 is window pixels x 50..150, y 25..75.
  draw_ortho_rect_800(100, 50, 200, 100);
  EXPECT_TRUE(white(51, 26));
  EXPECT_TRUE(white(149, 74));
  EXPECT_FALSE(white(48, 50));
  EXPECT_FALSE(white(152, 50));
  EXPECT_FALSE(white(100, 23));
  EXPECT_FALSE(white(100, 77));

  expect_matrix(GL_PROJECTION_MATRIX, projection);
  expect_matrix(GL_MODELVIEW_MATRIX, modelview);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(HudTest, ImageTopRowLiesAtTheTopOfTheRectangle) {
  // Texture rows go bottom first, as a bottom-left TGA stores them.
  const unsigned char rows[2][3] = {{0, 0, 255}, {255, 0, 0}};
  GLuint texture;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rows);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glEnable(GL_TEXTURE_2D);

  draw_ortho_rect_800(0, 0, 200, 200);  // window pixels 0..100 square
  EXPECT_EQ(pixel(50, 10).r, 255);
  EXPECT_EQ(pixel(50, 10).b, 0);
  EXPECT_EQ(pixel(50, 90).r, 0);
  EXPECT_EQ(pixel(50, 90).b, 255);
  glDeleteTextures(1, &texture);
}

// ---- the overlay over a small texture table ----

class OverlayTest : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    const char* paths[] = {"data/textures/font/font.tga", "data/textures/hud/render.tga",
                           "data/textures/hud/default.tga", "data/textures/hud/gun.tga"};
    write_solid_tga(paths[0], 2, {0, 0, 0, 255}, false);  // black: the text adds nothing
    write_solid_tga(paths[1], 2, {0, 0, 80, 255}, false);
    write_solid_tga(paths[2], 2, {255, 0, 0, 255}, true);
    write_solid_tga(paths[3], 2, {0, 255, 0, 255}, false);
    textur = 4;
    for (int i = 0; i < textur; ++i) std::snprintf(textura_list[i], content_name_capacity, "%s", paths[i]);
    std::memset(textura_loaded, 0, sizeof textura_loaded);
    font_texture_index = 0;
    forget_bound_texture();

    weaponu = 1;
    std::snprintf(weapon[0].hud_texture, weapon_name_capacity, "%s", paths[3]);
    players[player_id].weapon = 0;
    players[player_id].health = 100;
    mouse_x = 200;
    mouse_y = 150;
    mouse_flick = 1.0f;
    mf_flip = 0;
    motion_mix = 0.1f;
    fullscreen = 0;
    hWnd = gl_.window;
  }
  void TearDown() override {
    hWnd = nullptr;
    textur = 0;
    std::memset(textura_loaded, 0, sizeof textura_loaded);
    forget_bound_texture();
    weaponu = 0;
  }
};

TEST_F(OverlayTest, DrawsFrameIconAndCrosshairInTheirPlaces) {
  draw_overlay();
  rgb frame = pixel(300, 100);
  EXPECT_EQ(frame.b, 80);
  EXPECT_EQ(frame.r, 0);
  // Icon at layout (19, 537) 50 x 50: window x 10..34, y 269..293.
  EXPECT_EQ(pixel(22, 280).g, 255);
  EXPECT_EQ(pixel(40, 280).b, 80);
  // Crosshair 24 x 24 centred on the cursor: window 194..206 by 144..156.
  EXPECT_EQ(pixel(200, 150).r, 255);
  EXPECT_EQ(pixel(200, 160).b, 80);

  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[3], 1.0f);
  EXPECT_FLOAT_EQ(mouse_flick, 0.9f);  // the pulse went on by one frame
}

TEST_F(OverlayTest, AWeaponIndexOutsideTheTableDrawsNoIcon) {
  players[player_id].weapon = 5;
  draw_overlay();
  EXPECT_EQ(pixel(22, 280).g, 0);
  EXPECT_EQ(pixel(22, 280).b, 80);
  players[player_id].weapon = -1;
  draw_overlay();
  EXPECT_EQ(pixel(22, 280).g, 0);
}

TEST_F(OverlayTest, RetitlesTheWindowOnlyWhenItIsNotFullScreen) {
  SDL_SetWindowTitle(gl_.window, "Kel");
  fullscreen = 1;
  draw_overlay();
  EXPECT_STREQ(SDL_GetWindowTitle(gl_.window), "Kel");
  fullscreen = 0;
  draw_overlay();
  EXPECT_STREQ(SDL_GetWindowTitle(gl_.window), "x");
}

// A 256 x 256 frame picture that shows only in two bands of rows: a panel in
// rows 40..69 and a strip along the top rows, which repeat wrapping carries
// to the bottom edge. The transparent texels carry colour as well.
void write_banded_frame(const std::string& path) {
  constexpr int side = 256;
  std::vector<unsigned char> pixels(side * side * 4);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      unsigned char* p = &pixels[(y * side + x) * 4];
      p[0] = static_cast<unsigned char>(x * 7 + y * 13);
      p[1] = static_cast<unsigned char>(x * 3 ^ y * 5);
      p[2] = static_cast<unsigned char>(200 - x);
      bool panel = y >= 40 && y < 70 && x > 20;
      p[3] = panel ? static_cast<unsigned char>(128 + (x & 127)) : (y >= 252 ? 255 : 0);
    }
  }
  write_file(path, "");
  ASSERT_EQ(SaveTGA(pixels.data(), side, side, 32, path.c_str()), 1);
}

std::vector<unsigned char> frame_over_backdrop(void (*draw)(), int w, int h) {
  glViewport(0, 0, w, h);
  glClearColor(0.3f, 0.6f, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
  draw();
  std::vector<unsigned char> out(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, out.data());
  return out;
}

TEST_F(OverlayTest, FramePictureDrawnOnlyWhereItShowsLeavesEveryPixelAsTheWholeQuad) {
  write_banded_frame(textura_list[1]);
  forget_bound_texture();
  void (*whole)() = [] {
    SetGLTexture("data/textures/hud/render.tga");
    draw_ortho_rect_800(0, 0, 800, 800);
  };
  // Magnified, slightly and strongly minified, and a viewport of another shape.
  const int sizes[][2] = {{400, 300}, {240, 180}, {90, 70}, {400, 120}};
  for (const auto& size : sizes) {
    std::vector<unsigned char> expected = frame_over_backdrop(whole, size[0], size[1]);
    std::vector<unsigned char> banded = frame_over_backdrop(draw_hud_frame, size[0], size[1]);
    std::vector<unsigned char> backdrop = frame_over_backdrop([] {}, size[0], size[1]);
    EXPECT_NE(expected, backdrop) << size[0] << " x " << size[1] << ": the picture showed nowhere";
    EXPECT_EQ(banded, expected) << size[0] << " x " << size[1];
  }
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
}

// ---- screenshots ----

// An odd width makes rows that are not a multiple of four bytes long.
constexpr int shot_w = 133;
constexpr int shot_h = 77;

void paint_frame() {
  glViewport(0, 0, shot_w, shot_h);
  glClearColor(10 / 255.0f, 20 / 255.0f, 30 / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  glClearColor(200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glFinish();
}

TEST_F(HudTest, ScreenshotHoldsTheFrameBufferAtItsSize) {
  ensure_screenshot_dir();
  paint_frame();
  ASSERT_EQ(SaveScreenshot(), 1);

  tga_image image;
  ASSERT_EQ(tga_decode("data/screenshots/screenshot.0000.tga", image), 1);
  EXPECT_EQ(image.width, unsigned(shot_w));
  EXPECT_EQ(image.height, unsigned(shot_h));
  EXPECT_EQ(image.bits, 24u);
  // Bottom row first: the bottom-left pixel leads the file.
  EXPECT_EQ(image.pixels[0], 200);
  EXPECT_EQ(image.pixels[1], 100);
  EXPECT_EQ(image.pixels[2], 50);
  const unsigned char* last = image.pixels + (shot_w * shot_h - 1) * 3;
  EXPECT_EQ(last[0], 10);
  EXPECT_EQ(last[1], 20);
  EXPECT_EQ(last[2], 30);
  EXPECT_EQ(read_file("data/screenshots/screenshot.0000.tga").size(), 18u + shot_w * shot_h * 3);
}

TEST_F(HudTest, ScreenshotsTakeTheNextFreeNumberAndKeepEarlierFiles) {
  write_file("data/screenshots/screenshot.0000.tga", "zero");
  write_file("data/screenshots/screenshot.0001.tga", "one");
  paint_frame();
  ASSERT_EQ(SaveScreenshot(), 1);
  ASSERT_EQ(SaveScreenshot(), 1);
  EXPECT_TRUE(file_exists("data/screenshots/screenshot.0002.tga"));
  EXPECT_TRUE(file_exists("data/screenshots/screenshot.0003.tga"));
  EXPECT_FALSE(file_exists("data/screenshots/screenshot.0004.tga"));
  EXPECT_EQ(read_file("data/screenshots/screenshot.0000.tga"), "zero");
  EXPECT_EQ(read_file("data/screenshots/screenshot.0001.tga"), "one");
}

TEST_F(HudTest, WithoutTheFolderNothingIsWrittenAndNothingBreaks) {
  paint_frame();
  EXPECT_EQ(SaveScreenshot(), 0);
  EXPECT_FALSE(file_exists("data/screenshots/screenshot.0000.tga"));
}

}  // namespace
