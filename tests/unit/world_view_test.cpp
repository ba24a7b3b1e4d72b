#include <gtest/gtest.h>

#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "render/model_passes.h"
#include "render/world_view.h"
#include "world/map_grid.h"

namespace {

void set_corner_light(int x, int z, float r, float g, float b) {
  float* l = mapa_l[map_index(x, z)];
  l[0] = r;
  l[1] = g;
  l[2] = b;
}

TEST(ViewWindow, FiftyByFortyCellsClippedToTheMap) {
  mapa_size_x = 200;
  mapa_size_z = 100;
  view_window w = view_window_around(100.7f, 50.2f);
  EXPECT_EQ(w.x0, 75);
  EXPECT_EQ(w.x1, 125);
  EXPECT_EQ(w.z0, 30);
  EXPECT_EQ(w.z1, 70);
  w = view_window_around(3.0f, 95.0f);
  EXPECT_EQ(w.x0, 0);
  EXPECT_EQ(w.z1, 100);
}

TEST(CellLight, WithoutFlashEntitiesGetTheStaticCornerLightClamped) {
  set_corner_light(4, 4, 0.3f, 1.4f, 0.2f);
  set_corner_light(5, 4, 0.3f, 0.3f, 0.3f);
  set_corner_light(4, 5, 0.3f, 0.3f, 0.3f);
  set_corner_light(5, 5, 0.3f, 0.3f, 0.3f);
  cell_light_sample s = sample_cell_light(4, 4, 40.0f, 40.0f, 0.0f);  // player far away
  EXPECT_FLOAT_EQ(s.r, 0.3f);
  EXPECT_FLOAT_EQ(s.g, 1.0f);
  EXPECT_FLOAT_EQ(s.b, 0.2f);
  EXPECT_FLOAT_EQ(s.torch, 0.0f);
  // White term: the mean red over two; the model colour is not clamped.
  EXPECT_FLOAT_EQ(s.model[3], 0.15f);
  EXPECT_FLOAT_EQ(s.model[1], (1.4f + 0.9f) / 4.0f + 0.15f);
}

TEST(CellLight, ThePlayersOwnLightReachesTwoAndAHalfCells) {
  for (int x = 9; x <= 11; ++x)
    for (int z = 9; z <= 11; ++z) set_corner_light(x, z, 0, 0, 0);
  cell_light_sample s = sample_cell_light(10, 10, 10.0f, 10.0f, 0.0f);
  // Corner (10, 10) is under the player: 0.5; corner (11, 11) is sqrt(2) away.
  EXPECT_NEAR(s.torch, 0.5f + (0.5f - 1.41421356f / 5.0f), 1e-5f);
  EXPECT_FLOAT_EQ(s.r, 0.0f);
  cell_light_sample far = sample_cell_light(10, 10, 16.0f, 10.0f, 0.0f);  // corner (11,11) 5.1 away
  EXPECT_FLOAT_EQ(far.torch, 0.0f);
}

TEST(CellLight, MuzzleFlashIsOrangeAndFadesOverSixCells) {
  set_corner_light(2, 2, 0, 0, 0);
  cell_light_sample s = sample_cell_light(2, 2, 2.0f, 2.0f, 1.0f);
  EXPECT_FLOAT_EQ(s.r, 0.75f);
  EXPECT_FLOAT_EQ(s.g, 0.5f);
  EXPECT_FLOAT_EQ(s.b, 0.2f);
}

TEST(MuzzleFlash, OnlyTheFirstTwoFireFramesOfAShotFlash) {
  players[player_id].weapon = 0;
  weapon[0].anim_fire[0] = 10;
  shoot_anim = weapon_anim_single_shot;
  shoot_anim_frame = 10;
  shoot_anim_interpol = 0.5f;
  EXPECT_FLOAT_EQ(muzzle_flash_strength(), 1.0f / 3.0f);
  shoot_anim_frame = 11;
  EXPECT_FLOAT_EQ(muzzle_flash_strength(), 1.0f);
  shoot_anim_frame = 12;
  EXPECT_FLOAT_EQ(muzzle_flash_strength(), 0.0f);
  shoot_anim_frame = 10;
  shoot_anim = weapon_anim_reload_step;
  EXPECT_FLOAT_EQ(muzzle_flash_strength(), 0.0f);
  shoot_anim = weapon_anim_none;
}

TEST(LevelModels, DoorKindFollowsTheOpeningState) {
  EXPECT_EQ(door_cell_kind(0.0f), cell_door_closed);
  EXPECT_EQ(door_cell_kind(0.3f), cell_door_closed);
  EXPECT_EQ(door_cell_kind(0.5f), cell_door_ajar);
  EXPECT_EQ(door_cell_kind(0.7f), cell_door_ajar);
  EXPECT_EQ(door_cell_kind(0.9999f), cell_door_ajar);
  EXPECT_EQ(door_cell_kind(1.0f), cell_free);
}

TEST(LevelModels, QuarterTurnsKeepTheModelInsideItsCell) {
  int dx, dz;
  model_cell_offset(2, dx, dz);  // cell (4, 7) → (5, 0, 8), turned 180°
  EXPECT_EQ(4 + dx, 5);
  EXPECT_EQ(7 + dz, 8);
  model_cell_offset(1, dx, dz);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dz, 1);
  model_cell_offset(3, dx, dz);
  EXPECT_EQ(dx, 1);
  EXPECT_EQ(dz, 0);
  model_cell_offset(9, dx, dz);
  EXPECT_EQ(dx + dz, 0);
}

}  // namespace

#include "actors/enemies.h"
#include "base/loading_log.h"

#include <cstring>
#include <vector>

namespace {

class SeeThroughTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mapa_size_x = mapa_size_z = 40;
    for (int x = 0; x < 40; ++x)
      for (int z = 0; z < 40; ++z) mapa_g[map_index(x, z)] = x * 40 + z;  // one group per cell
    players[player_id].x = 5.5f;
    players[player_id].z = 10.5f;
    impu = 0;
    cut.assign(1600, 0);
  }
  bool marked(int x, int z) { return mapa_tmp[map_index(x, z)] != 0; }
  std::vector<uint8_t> cut;
};

TEST_F(SeeThroughTest, WallsJustInFrontOfThePlayerAreCut) {
  mark_see_through(view_window_around(players[player_id].x, players[player_id].z), cut);
  // z in (10.5, 14.5) and x in [3, 8].
  EXPECT_TRUE(marked(3, 11));
  EXPECT_TRUE(marked(8, 14));
  EXPECT_FALSE(marked(2, 11));
  EXPECT_FALSE(marked(9, 11));
  EXPECT_FALSE(marked(5, 10));  // the player's own row is behind the cut
  EXPECT_FALSE(marked(5, 15));
  EXPECT_EQ(cut[3 * 40 + 11], 1);
  EXPECT_EQ(cut[5 * 40 + 10], 0);
}

TEST_F(SeeThroughTest, AnEnemyRightOfThePlayerCutsSixToElevenInTheThreeRowsInFront) {
  players[player_id].x = 5.0f;
  players[player_id].z = 30.0f;  // far away in z: its own marks stay out of the way
  impu = 1;
  imp[0] = imp_t{};
  imp[0].x = 10.0f;
  imp[0].z = 5.0f;
  imp[0].visible = 1;
  imp[0].health = 10;
  mark_see_through(view_window_around(5.0f, 20.0f), cut);
  for (int x = 4; x <= 13; ++x)
    for (int z = 5; z <= 9; ++z) EXPECT_EQ(marked(x, z), x >= 6 && x <= 11 && z >= 6 && z <= 8) << x << "," << z;

  imp[0].health = 0;  // the dead cut nothing
  mark_see_through(view_window_around(5.0f, 20.0f), cut);
  EXPECT_FALSE(marked(8, 7));
}

TEST(LoadingLog, KeepsTwentySevenLinesAndMarksTheNewestFailed) {
  std::memset(_loaded, 0, sizeof _loaded);
  mark_loading_failed();
  EXPECT_STREQ(_loaded[0], " - FAILED!");
  for (int i = 0; i < 30; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "line %d", i);
    draw_loading(line);
  }
  EXPECT_STREQ(_loaded[0], "line 29");
  EXPECT_STREQ(_loaded[26], "line 3");  // older lines have scrolled away
  mark_loading_failed();
  EXPECT_STREQ(_loaded[0], "line 29 - FAILED!");
  EXPECT_STREQ(_loaded[1], "line 28");
}

}  // namespace
