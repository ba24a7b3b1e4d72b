#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "content/models.h"
#include "content/texture_list.h"
#include "formats/md2.h"
#include "formats/md2_writer.h"
#include "frontend/menu_screen.h"
#include "frontend/savegame_slots.h"
#include "render/fonts.h"
#include "render/textures.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"
#include "support/solid_tga.h"

namespace {

// 0.4 pixels per unit of the 800 x 600 layout.
constexpr int width = 320;
constexpr int height = 240;

struct rgb {
  int r, g, b;
};

// A menu over a red background whose model has two frames facing the menu
// camera: frame 0 a square above the centre of the screen, frame 1 below it,
// both in a green skin; the font is solid white, so each glyph is a square.
class MenuScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gl_.open("menu", width, height); }
  static void TearDownTestSuite() { gl_.close(); }

  void SetUp() override {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / height, 0.1, 50.0);  // the game window's
    glMatrixMode(GL_MODELVIEW);

    const char* paths[] = {"data/textures/font/font.tga", "data/textures/backdrops/bg.tga",
                           "data/textures/menu/skin.tga"};
    write_solid_tga(paths[0], 2, {255, 255, 255, 255}, false);
    write_solid_tga(paths[1], 2, {255, 0, 0, 255}, false);
    write_solid_tga(paths[2], 2, {0, 255, 0, 255}, false);
    textur = 3;
    for (int i = 0; i < textur; ++i) std::snprintf(textura_list[i], content_name_capacity, "%s", paths[i]);
    std::memset(textura_loaded, 0, sizeof textura_loaded);
    font_texture_index = 0;
    forget_bound_texture();
    BuildFont();

    // Drawn (x, y, z) is the file's (x, z, -y); the menu turn puts drawn z
    // across the screen and y up.
    md2_writer_model m;
    m.tex_coords = {{0, 0}};
    m.triangles = {{{0, 1, 2}, {0, 0, 0}}, {{0, 2, 3}, {0, 0, 0}}};
    m.frames = {{"item01", {{{0, -1, 0.2f}, 5}, {{0, 1, 0.2f}, 5}, {{0, 1, 1}, 5}, {{0, -1, 1}, 5}}},
                {"item02", {{{0, -1, -1}, 5}, {{0, 1, -1}, 5}, {{0, 1, -0.2f}, 5}, {{0, -1, -0.2f}, 5}}}};
    m.gl_packets = {{true, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 1, 3}}}};
    ASSERT_TRUE(md2_write_file(m, "menu.md2"));
    modelu = 1;
    model[0] = md2_readModel("menu.md2");
    ASSERT_NE(model[0], nullptr);

    menus = 1;
    menu_t& menu0 = menu[0];
    std::memset(&menu0, 0, sizeof menu0);
    menu0.texture_bg = 1;
    menu0.texture = 2;
    menu0.model = 0;
    menu0.item_count = 2;
    // In the file's 1024 x 768 layout: (128, 704) is (80, 440) of the font's.
    menu0.slot_count = 1;
    menu0.savegame_slot_pos[0] = {128, 704};
    active_menu = 0;
    menu_sel_item = 0;
    std::strcpy(savegame_slot[0], "M");
  }
  void TearDown() override {
    KillFont();
    md2_freeModel(model[0]);
    model[0] = nullptr;
    modelu = textur = menus = 0;
    std::memset(textura_loaded, 0, sizeof textura_loaded);
    forget_bound_texture();
  }

  // Pixel at window column x, row y counted from the top.
  static rgb pixel(int x, int y) {
    unsigned char p[3];
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  static bool is(rgb p, int r, int g, int b) {
    return std::abs(p.r - r) < 8 && std::abs(p.g - g) < 8 && std::abs(p.b - b) < 8;
  }

  static hidden_gl_window gl_;
  scratch_dir dir_;
};

hidden_gl_window MenuScreenTest::gl_;

TEST_F(MenuScreenTest, BackgroundHighlightFrameAndSlotLabelInTheirPlaces) {
  const int above = 70, below = 170, centre = width / 2;
  struct row {
    int selected;
    bool model;
    rgb at_above, at_below;
  } rows[] = {{0, true, {0, 255, 0}, {255, 0, 0}},
              {1, true, {255, 0, 0}, {0, 255, 0}},
              {0, false, {255, 0, 0}, {255, 0, 0}}};  // "!void!": background and labels only
  for (const row& r : rows) {
    SCOPED_TRACE(r.selected);
    menu[0].model = r.model ? 0 : -1;
    menu_sel_item = r.selected;
    draw_menu();
    EXPECT_TRUE(is(pixel(5, 5), 255, 0, 0));  // the background fills the window
    EXPECT_TRUE(is(pixel(width - 5, height - 5), 255, 0, 0));
    rgb a = pixel(centre, above), b = pixel(centre, below);
    EXPECT_TRUE(is(a, r.at_above.r, r.at_above.g, r.at_above.b)) << a.r << "," << a.g << "," << a.b;
    EXPECT_TRUE(is(b, r.at_below.r, r.at_below.g, r.at_below.b)) << b.r << "," << b.g << "," << b.b;
    // The one-glyph label: font (80, 440) is window (40, 220), 16 units square.
    EXPECT_TRUE(is(pixel(43, 223), 255, 255, 255));
    EXPECT_TRUE(is(pixel(52, 223), 255, 0, 0));
    EXPECT_TRUE(is(pixel(43, 214), 255, 0, 0));
  }
}

}  // namespace
