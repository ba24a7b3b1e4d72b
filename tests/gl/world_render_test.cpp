// A small purpose-built level drawn by DrawGLScene and read back: walls where
// walls are, the lightmap on the floor, a cut wall, a door part-way open, and
// the fonts and texture cache the drawing relies on.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/target_picking.h"
#include "actors/weapons.h"
#include "content/models.h"
#include "effects/marks.h"
#include "effects/particles.h"
#include "formats/md2_writer.h"
#include "formats/tga.h"
#include "lighting/lightmap.h"
#include "platform/multitexture.h"
#include "platform/window.h"
#include "render/effects_pass.h"
#include "render/fonts.h"
#include "render/scene_setup.h"
#include "render/textures.h"
#include "render/world_view.h"
#include "support/scratch_dir.h"
#include "support/solid_tga.h"
#include "world/level_paths.h"
#include "world/level_settings.h"
#include "world/map_grid.h"

namespace {

constexpr int width = 320, height = 240;
constexpr int door_x = 5, door_z = 6;

// A door panel standing across its cell at z + 0.5, two units tall; frame 1
// has slid almost all the way to x = 0.
void write_door(const std::string& path) {
  md2_writer_model m;
  m.skin_width = m.skin_height = 2;
  m.tex_coords = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
  m.triangles = {{{0, 2, 1}, {0, 2, 1}}, {{0, 3, 2}, {0, 3, 2}}};  // facing the camera
  for (float open_x : {1.0f, 0.1f}) {
    // File axes: game (X, Y, Z) is file (X, -Z, Y).
    m.frames.push_back({open_x == 1.0f ? "closed" : "open",
                        {{{0, -0.5f, 0}}, {{open_x, -0.5f, 0}}, {{open_x, -0.5f, 2}}, {{0, -0.5f, 2}}}});
  }
  m.gl_packets = md2_strips_from_triangles(m);
  ASSERT_TRUE(md2_write_file(m, path.c_str()));
}

class WorldRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new scratch_dir;
    write_solid_tga("data/floor.tga", 8, {255, 255, 255, 255}, false);
    write_solid_tga("data/wall.tga", 8, {128, 128, 128, 255}, false);
    write_solid_tga("data/textures/hud/render.tga", 8, {0, 0, 0, 0}, true);
    write_solid_tga("data/door.tga", 8, {0, 0, 255, 255}, false);
    write_solid_tga("data/font/font.tga", 32, {255, 255, 255, 255}, false);
    write_solid_tga(blood_texture, 8, {255, 255, 255, 255}, true);
    write_solid_tga(particle_texture, 8, {255, 255, 255, 255}, true);
    const char* names[] = {"data/floor.tga", "data/wall.tga", "data/textures/hud/render.tga", "data/door.tga",
                           "data/font/font.tga", blood_texture, particle_texture};
    textur = 0;
    for (const char* n : names) std::strcpy(textura_list[textur++], n);
    write_door("data/door.md2");
    ASSERT_TRUE(CreateGLWindow("Kel world test", width, height, 32, false, InitGL));  // loads the textures
  }
  static void TearDownTestSuite() {
    KillFont();
    KillFont3D();
    KillGLWindow();
    md2_freeModel(model[0]);
    model[0] = nullptr;
    modelu = 0;
    textur = 0;
    delete dir_;
  }

  void SetUp() override {
    MULTITEXTURING = 1;
    mapa_size_x = mapa_size_z = 16;
    n_groups = 0;
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        int cell = map_index(x, z);
        mapa[cell] = 0;
        mapa_v[cell] = cell_free;
        mapa_m[cell] = no_model;
        mapa_ip[cell] = no_trigger;
        mapa_l[cell][0] = mapa_l[cell][1] = mapa_l[cell][2] = 0.5f;
        // Every floor cell is a group of its own: bright lightmap texel left of
        // x = 9, dark from there on.
        float u = x < 9 ? 0.25f : 0.75f;
        groups[n_groups] = {x, z, x, z, {u, 0.25f, u, 0.25f, u, 0.25f, u, 0.25f, u, 0.25f, u, 0.25f}};
        mapa_g[cell] = n_groups++;
      }
    add_wall(8, 2, 3);  // in front of the player: cut down
    add_wall(4, 2, 3);  // to the side: full height

    // The lightmap: texel 0 white, texel 1 dark.
    const unsigned char texels[12] = {255, 255, 255, 60, 60, 60, 255, 255, 255, 255, 255, 255};
    write_file("lvl_lm.raw", std::string(reinterpret_cast<const char*>(texels), sizeof texels));
    std::strcpy(mapa_filename, "lvl");
    load_lightmap(true);

    player_t& p = players[player_id];
    p = player_t{};
    p.x = 8.5f;
    p.z = 0.5f;
    p.model = -1;
    p.health = 100;
    impu = 0;
    weaponu = 0;
    triggeru = 0;
    modelu = 0;
    init_particles();
    std::memset(emitor, 0, sizeof emitor);
    emitoru = 0;
    cpx = 8.5f, cpy = 14.0f, cpz = 9.5f;
    clx = 8.5f, cly = -1.5f, clz = 0.5f;
  }

  void add_wall(int x, int z1, int z2) {
    groups[n_groups] = {x, z1, x, z2, {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f}};
    for (int z = z1; z <= z2; ++z) {
      int cell = map_index(x, z);
      mapa[cell] = 1;
      mapa_v[cell] = cell_wall;
      mapa_g[cell] = n_groups;
    }
    ++n_groups;
  }

  void place_door(float opening) {
    model[0] = md2_readModel("data/door.md2");
    ASSERT_NE(model[0], nullptr);
    md2_generateLightNormals(model[0]);
    modelu = 1;
    std::strcpy(model_list[0], "data/door.md2");
    std::strcpy(model_t_list[0], "data/door.tga");
    int cell = map_index(door_x, door_z);
    mapa_m[cell] = 0;
    mapa_m_rot[cell] = 0;
    mapa_ip[cell] = 0;
    triggeru = 1;
    trigger[0] = trigger_t{};
    trigger[0].kind = trigger_door;
    trigger[0].value[0][1] = opening;
  }

  // The colour DrawGLScene leaves at the screen position of a world point.
  std::array<int, 3> pixel_at(float x, float y, float z) {
    GLdouble modelview[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz));
    unsigned char rgb[3];
    glReadBuffer(GL_BACK);
    glReadPixels(static_cast<GLint>(wx), static_cast<GLint>(wy), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }

  void draw() {
    DrawGLScene();
    // The overlay leaves its own matrices restored: the camera is current again.
  }

  static scratch_dir* dir_;
};
scratch_dir* WorldRenderTest::dir_ = nullptr;

TEST_F(WorldRenderTest, FloorsTakeTheirLightmapTexel) {
  draw();
  std::array<int, 3> bright = pixel_at(3.5f, 0.0f, 5.5f), dark = pixel_at(12.5f, 0.0f, 5.5f);
  EXPECT_GT(bright[1], 230);
  EXPECT_NEAR(dark[1], 60, 8);
}

TEST_F(WorldRenderTest, WallsStandWhereWallsAreAndNearOnesAreCut) {
  draw();
  std::array<int, 3> full = pixel_at(4.5f, 3.0f, 4.0f);  // face of the full-height wall
  std::array<int, 3> cut = pixel_at(8.5f, 3.0f, 4.0f);   // above the cut wall: its dark top
  EXPECT_NEAR(full[0], 128, 10);
  EXPECT_LT(cut[0], 20);
  std::array<int, 3> cut_face = pixel_at(8.5f, 1.0f, 4.0f);  // still a wall below the cut
  EXPECT_NEAR(cut_face[0], 128, 10);
}

TEST_F(WorldRenderTest, DoorModelFollowsItsOpeningState) {
  place_door(0.0f);
  draw();
  std::array<int, 3> closed = pixel_at(door_x + 0.8f, 1.0f, door_z + 0.5f);
  // The panel is blue and dimly lit; the floor around it is white.
  EXPECT_LT(closed[0], 10);
  EXPECT_GT(closed[2], 15);
  EXPECT_EQ(mapa_v[map_index(door_x, door_z)], cell_door_closed);

  trigger[0].value[0][1] = 0.5f;  // half way: the panel reaches x + 0.55
  draw();
  std::array<int, 3> half = pixel_at(door_x + 0.8f, 1.0f, door_z + 0.5f);
  std::array<int, 3> still = pixel_at(door_x + 0.3f, 1.0f, door_z + 0.5f);
  EXPECT_GT(half[0], 100) << "the floor shows where the panel was";
  EXPECT_LT(still[0], 10);
  EXPECT_GT(still[2], 15);
  EXPECT_EQ(mapa_v[map_index(door_x, door_z)], cell_door_ajar);
  md2_freeModel(model[0]);
  model[0] = nullptr;
}

TEST_F(WorldRenderTest, ScreenFontLandsWhereTheLayoutPutsIt) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glPrint(100, 100, "A", 0);
  // (100, 100) of 640 x 480 is (125, 459 .. 475) of 800 x 600: at 320 x 240,
  // x 50 .. 56, y from the bottom 183 .. 190.
  unsigned char inside[3], outside[3];
  glReadPixels(53, 186, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, inside);
  glReadPixels(53, 200, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, outside);
  EXPECT_GT(inside[0], 200);
  EXPECT_LT(outside[0], 30);
}

TEST_F(WorldRenderTest, TextureCacheBindsOnceButTheFontEveryTime) {
  SetGLTexture("data/wall.tga");
  g_tex_used = 0;
  SetGLTexture("data/floor.tga");
  SetGLTexture("data/floor.tga");
  EXPECT_EQ(g_tex_used, 1);
  SetGLTexture("data/font/font.tga");
  SetGLTexture("data/font/font.tga");
  EXPECT_EQ(g_tex_used, 3);
  SetGLTexture("data/not/listed.tga");  // binds nothing
  EXPECT_EQ(g_tex_used, 3);
}

}  // namespace

// A red mark on the +z face of the full-height wall, and a fire's flame one
// unit above its cell on the dark side of the floor.
TEST_F(WorldRenderTest, EffectsPassDrawsMarksAndFlamesWhereTheyAre) {
  draw();
  std::array<int, 3> bare_wall = pixel_at(4.5f, 1.0f, 4.0f), bare_floor = pixel_at(12.5f, 1.0f, 6.5f);
  add_mark(mark_side_from_pos_z, 4.5f, 1.0f, 3.5f, 1.0f, 0.0f, 0.0f);
  emitor[0] = emitor_t{};
  emitor[0].in_use = 1;
  emitor[0].kind = emitor_fire;
  emitor[0].count = fire_particle_count;
  emitor[0].x = 12.5f;
  emitor[0].y = 1.0f;
  emitor[0].z = 6.5f;
  emitor[0].r = 1.0f;
  emitor[0].g = 0.5f;
  emitor[0].b = 0.0f;
  emitoru = 1;
  draw();
  std::array<int, 3> marked = pixel_at(4.5f, 1.0f, 4.0f), flame = pixel_at(12.5f, 1.0f, 6.5f);
  EXPECT_NEAR(bare_wall[0], bare_wall[1], 10);
  EXPECT_GT(marked[0], 200);
  EXPECT_LT(marked[1], 40);
  EXPECT_LT(bare_floor[0], 100);
  EXPECT_GT(flame[0], 200);
  EXPECT_NEAR(flame[1], 128, 20);
  EXPECT_LT(flame[2], 40);
}
