#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <vector>

#include "support/gl_context.h"
#include "render/md2_draw.h"
#include "formats/md2_normals.h"
#include "formats/md2_writer.h"
#include "support/scratch_dir.h"

namespace {

constexpr int size = 64;

// A white square seen face on: frame 0 fills the left half of the view,
// frame 1 the right half.
class Md2DrawTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gl_.open("md2 draw", size, size);
  }
  static void TearDownTestSuite() {
    gl_.close();
  }

  void SetUp() override {
    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    md2_writer_model m;
    m.tex_coords = {{0, 0}};
    m.triangles = {{{0, 1, 2}, {0, 0, 0}}, {{0, 2, 3}, {0, 0, 0}}};
    // Stored (x, y, 0) is the file's (x, 0, y).
    m.frames = {{"left", {{{-1, 0, -1}, 5}, {{0, 0, -1}, 5}, {{0, 0, 1}, 5}, {{-1, 0, 1}, 5}}},
                {"right", {{{0, 0, -1}, 5}, {{1, 0, -1}, 5}, {{1, 0, 1}, 5}, {{0, 0, 1}, 5}}}};
    m.gl_packets = {{true, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0.25f, 0.75f, 3}}}};
    ASSERT_TRUE(md2_write_file(m, "square.md2"));
    model_ = md2_readModel("square.md2");
    ASSERT_NE(model_, nullptr);
  }
  void TearDown() override { md2_freeModel(model_); }

  static bool lit(int x) {
    unsigned char rgb[3];
    glReadPixels(x, size / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return rgb[0] > 128;
  }

  static hidden_gl_window gl_;
  scratch_dir dir_;
  md2_model_t* model_ = nullptr;
};

hidden_gl_window Md2DrawTest::gl_;

TEST_F(Md2DrawTest, BlendMovesTheSquareFromFrameAToFrameB) {
  md2_drawModel(model_, 0, 1, 0.0f);
  EXPECT_TRUE(lit(8));
  EXPECT_FALSE(lit(56));

  glClear(GL_COLOR_BUFFER_BIT);
  md2_drawModel(model_, 0, 1, 1.0f);
  EXPECT_FALSE(lit(8));
  EXPECT_TRUE(lit(56));

  glClear(GL_COLOR_BUFFER_BIT);
  md2_drawModel(model_, 0, 1, 0.5f);
  EXPECT_FALSE(lit(4));
  EXPECT_TRUE(lit(32));
  EXPECT_FALSE(lit(60));
}

TEST_F(Md2DrawTest, SendsFlippedTextureRowsTurnedNormalsAndCountsTriangles) {
  g_triangles = 0;
  md2_drawModel(model_, 1, 1, 0.0f);
  EXPECT_EQ(g_triangles, 2);
  // The last vertex sent leaves its attributes current.
  GLfloat st[4], normal[3];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 0.25f);
  EXPECT_FLOAT_EQ(st[1], 0.25f);
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_FLOAT_EQ(normal[0], avertexnormals[5][0]);
  EXPECT_FLOAT_EQ(normal[1], avertexnormals[5][2]);
  EXPECT_FLOAT_EQ(normal[2], -avertexnormals[5][1]);
}

TEST_F(Md2DrawTest, FramesOutsideTheModelDrawNothing) {
  g_triangles = 0;
  md2_drawModel(model_, 0, 2, 0.0f);
  md2_drawModel(model_, -1, 0, 0.0f);
  md2_drawModel(nullptr, 0, 0, 0.0f);
  EXPECT_FALSE(lit(8));
  EXPECT_FALSE(lit(56));
  EXPECT_EQ(g_triangles, 0);
}

}  // namespace
