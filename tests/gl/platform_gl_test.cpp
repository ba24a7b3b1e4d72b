#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>

#include "platform/display_settings.h"
#include "platform/gamma.h"
#include "platform/multitexture.h"
#include "platform/window.h"
#include "render/scene_setup.h"

namespace {

class GameWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(CreateGLWindow("Kel gl test", 320, 240, 32, false, InitGL)); }
  static void TearDownTestSuite() { KillGLWindow(); }
  void TearDown() override { MULTITEXTURING = 1; }
};

TEST_F(GameWindowTest, InitialStateIsWhatTheRendererExpects) {
  EXPECT_EQ(fullscreen, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 320);
  EXPECT_EQ(viewport[3], 240);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  GLint value;
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE);
  GLint depth_bits;
  glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
  EXPECT_GE(depth_bits, 16);
  GLfloat diffuse[4];
  glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  EXPECT_FLOAT_EQ(diffuse[1], 0.8f);
}

TEST_F(GameWindowTest, ZeroHeightResizeDoesNotDivideByZero) {
  ReSizeGLScene(200, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (float v : projection) EXPECT_TRUE(std::isfinite(v));
  ReSizeGLScene(320, 240);
}

TEST_F(GameWindowTest, MultitextureCoordinatesReachTheirUnit) {
  glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.25f, 0.75f);
  glActiveTextureARB(GL_TEXTURE1_ARB);
  GLfloat coords[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coords);
  EXPECT_FLOAT_EQ(coords[0], 0.25f);
  EXPECT_FLOAT_EQ(coords[1], 0.75f);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  EXPECT_EQ(MULTITEXTURING, 1);
}

TEST_F(GameWindowTest, SingleTexturingSendsUnitZeroAsThePlainCoordinate) {
  MULTITEXTURING = 0;
  glTexCoord2f(0, 0);
  glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0.5f, 0.125f);
  glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.9f, 0.9f);  // dropped
  GLfloat coords[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coords);
  EXPECT_FLOAT_EQ(coords[0], 0.5f);
  EXPECT_FLOAT_EQ(coords[1], 0.125f);
}

}  // namespace

namespace {

// A display that refuses gamma ramps gets the correction drawn over the frame.
TEST_F(GameWindowTest, DrawnGammaScalesTheFrame) {
  auto centre_pixel = [] {
    unsigned char rgb[3];
    glReadBuffer(GL_BACK);
    glReadPixels(160, 120, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return std::array<int, 3>{rgb[0], rgb[1], rgb[2]};
  };
  auto grey_frame = [] {
    glClearColor(0.4f, 0.4f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  };
  grey_frame();
  set_drawn_gamma(0.5f, 1.0f, 2.0f);
  apply_drawn_gamma();
  std::array<int, 3> p = centre_pixel();
  EXPECT_NEAR(p[0], 51, 2);   // 0.4 * 0.5
  EXPECT_NEAR(p[1], 102, 2);  // unchanged
  EXPECT_NEAR(p[2], 204, 2);  // 0.4 * 2
  grey_frame();
  set_drawn_gamma(1.0f, 1.0f, 1.0f);
  apply_drawn_gamma();
  EXPECT_NEAR(centre_pixel()[0], 102, 1);
  glClearColor(0, 0, 0, 0);
}

}  // namespace
