#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "actors/player.h"
#include "actors/player_footprint.h"
#include "actors/player_movement.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "platform/display_settings.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"
#include "support/level_builder.h"
#include "world/map_grid.h"

namespace {

player_t& live() { return players[player_id]; }

// An open 10 x 10 level with the player in the middle of cell (5, 5), facing
// decreasing z, walking at speed 1 through 50 ms frames.
class PlayerMovement : public ::testing::Test {
 protected:
  void SetUp() override {
    clear_world();
    mapa_size_x = mapa_size_z = 10;
    std::memset(keys, 0, sizeof keys);
    std::memset(weapon, 0, sizeof weapon);
    weaponu = 0;
    live() = player_t{};
    place(5.5f, 5.5f);
    live().speed = 1.0f;
    live().anim_state = player_standing;
    motion_mix = 0.05f;
    t_scale = 1.0f;
  }
  void TearDown() override {
    std::memset(keys, 0, sizeof keys);
    motion_mix = 0.1f;
    clear_world();
  }

  static void place(float x, float z) {
    live().x = x;
    live().z = z;
  }
  static void hold(std::initializer_list<int> held) {
    std::memset(keys, 0, sizeof keys);
    for (int vk : held) keys[vk] = 1;
  }
};

TEST_F(PlayerMovement, OneFrameWalksSpeedTimesFrameTimeAndReleasingStands) {
  hold({'W'});
  keyboard_control();
  EXPECT_FLOAT_EQ(live().x, 5.5f);
  EXPECT_NEAR(live().z, 5.45f, 1e-6);
  EXPECT_EQ(live().anim_state, player_walking);
  EXPECT_FLOAT_EQ(Dx, live().x - 0.45f);  // corners follow the player
  EXPECT_FLOAT_EQ(Bz, live().z + 0.45f);

  hold({});
  keyboard_control();
  EXPECT_NEAR(live().z, 5.45f, 1e-6);
  EXPECT_EQ(live().anim_state, player_standing);
}

// Each key set walks at its angle from the facing, arrows as letters.
TEST_F(PlayerMovement, KeysWalkRelativeToTheFacing) {
  struct combo {
    std::initializer_list<int> letters, arrows;
    float offset;
  };
  const combo combos[] = {
      {{'W'}, {VK_UP}, 0.0f},          {{'S'}, {VK_DOWN}, 180.0f},
      {{'D'}, {VK_RIGHT}, -90.0f},     {{'A'}, {VK_LEFT}, 90.0f},
      {{'W', 'D'}, {VK_UP, VK_RIGHT}, -45.0f},  {{'W', 'A'}, {VK_UP, VK_LEFT}, 45.0f},
      {{'S', 'D'}, {VK_DOWN, VK_RIGHT}, 225.0f}, {{'S', 'A'}, {VK_DOWN, VK_LEFT}, 135.0f},
      {{'W', 'S'}, {VK_UP, VK_DOWN}, 180.0f},    {{'D', 'A'}, {VK_RIGHT, VK_LEFT}, -45.0f},
  };
  const float uhel = 30.0f;
  for (const combo& c : combos)
    for (auto held : {c.letters, c.arrows}) {
      place(5.5f, 5.5f);
      live().uhel = uhel;
      hold(held);
      keyboard_control();
      // x -= sin(direction) * step, z -= cos(direction) * step.
      float walked = std::atan2(5.5f - live().x, 5.5f - live().z) / 0.017453292f;
      float off = std::remainder(walked - (uhel + c.offset), 360.0f);
      EXPECT_NEAR(off, 0.0f, 0.01f) << "expected uhel " << c.offset << " for key " << *held.begin();
      EXPECT_NEAR(std::hypot(live().x - 5.5f, live().z - 5.5f), 0.05f, 1e-5);
    }
}

TEST_F(PlayerMovement, DiagonalIntoAWallAcrossXStillMovesZ) {
  for (int z = 0; z < 10; ++z) mapa_v[map_index(4, z)] = cell_wall;
  place(5.46f, 5.5f);  // the left corners are 0.01 from the wall
  live().uhel = 45.0f;  // towards decreasing x and decreasing z
  hold({'W'});
  keyboard_control();
  EXPECT_EQ(live().x, 5.46f);  // restored exactly, not recomputed
  EXPECT_NEAR(live().z, 5.5f - 0.05f * std::cos(0.785398f), 1e-5);
  EXPECT_EQ(live().anim_state, player_walking);
}

TEST_F(PlayerMovement, WallsDoorsBarriersAndEnemiesBlockOnlyOpenCellsPass) {
  const int ahead = map_index(5, 4);
  struct cell {
    int v, e;
    bool blocks;
  };
  const cell cells[] = {
      {cell_wall, 0, true},       {cell_door_closed, 0, true}, {cell_door_ajar, 0, true},
      {cell_barrier, 0, true},    {cell_free, enemy_mark_base + 3, true},
      {cell_free, player_mark_base, true},  // marked while an enemy aims at the player
      {cell_free, 0, false},
  };
  hold({'W'});
  for (const cell& c : cells) {
    mapa_v[ahead] = c.v;
    mapa_e[ahead] = c.e;
    place(5.5f, 5.46f);
    keyboard_control();
    EXPECT_EQ(live().z < 5.46f, !c.blocks) << "mapa_v " << c.v << ", mapa_e " << c.e;
  }
}

// Movement and the watch reload both ask player_square_blocked, so a reload
// that puts an enemy under any corner sends the player back to the start.
TEST_F(PlayerMovement, TheSquareIsBlockedByWallsAndOccupantsUnderAnyCorner) {
  struct probe {
    float x, z;
    int cell_x, cell_z, v, e;
    bool blocked;
  };
  const probe probes[] = {
      {5.5f, 5.5f, 5, 5, cell_free, 0, false},
      {5.5f, 5.5f, 6, 5, cell_wall, 0, false},          // 0.05 short of the wall
      {5.56f, 5.5f, 6, 5, cell_wall, 0, true},          // B and C reach it
      {5.0f, 5.0f, 4, 4, cell_free, enemy_mark_base, true},  // only D is on the enemy
      {5.0f, 5.0f, 5, 5, cell_door_ajar, 0, true},      // only B
      {5.5f, 5.44f, 5, 4, cell_free, player_mark_base, true},
  };
  for (const probe& p : probes) {
    clear_world();
    mapa_size_x = mapa_size_z = 10;
    mapa_v[map_index(p.cell_x, p.cell_z)] = p.v;
    mapa_e[map_index(p.cell_x, p.cell_z)] = p.e;
    EXPECT_EQ(player_square_blocked(p.x, p.z), p.blocked) << p.x << " " << p.z;
  }
}

// The forge's reach check takes the cells a square covers from here.
TEST(PlayerFootprint, AnAxisCoversOneCellNearItsCentreLineElseTwo) {
  const struct {
    float v;
    int first, last;
  } spans[] = {{5.5f, 5, 5}, {5.46f, 5, 5}, {5.54f, 5, 5}, {5.56f, 5, 6}, {5.44f, 4, 5}, {5.0f, 4, 5}, {0.5f, 0, 0}};
  for (const auto& s : spans) {
    const cell_span got = player_square_span(s.v);
    EXPECT_EQ(got.first, s.first) << s.v;
    EXPECT_EQ(got.last, s.last) << s.v;
  }
}

class WeaponKeys : public PlayerMovement {
 protected:
  void SetUp() override {
    PlayerMovement::SetUp();
    weaponu = 3;
    weapon[0].ammo = 8;
    weapon[1].reserve = 4;  // an empty magazine with cartridges to load is usable
    live().weapon = 0;
    shoot_anim = weapon_anim_single_shot;
    shoot_anim_interpol = 0.5f;
  }
  void TearDown() override {
    shoot_anim = weapon_anim_none;
    shoot_anim_interpol = 0.0f;
    PlayerMovement::TearDown();
  }
};

TEST_F(WeaponKeys, AWeaponWithoutCartridgesIsNotTaken) {
  hold({'3'});
  keyboard_control();
  EXPECT_EQ(live().weapon, 0);
  EXPECT_EQ(shoot_anim, weapon_anim_single_shot);  // the shot goes on
  EXPECT_EQ(shoot_anim_interpol, 0.5f);
}

TEST_F(WeaponKeys, TakingAWeaponClearsTheWeaponAnimation) {
  hold({'2'});
  keyboard_control();
  EXPECT_EQ(live().weapon, 1);
  EXPECT_EQ(shoot_anim, weapon_anim_none);
  EXPECT_EQ(shoot_anim_interpol, 0.0f);

  weapon[2].ammo = 1;
  hold({'1', '3', '2'});
  keyboard_control();
  EXPECT_EQ(live().weapon, 2);  // the highest usable digit wins
}

TEST_F(WeaponKeys, OnlyTheFirstNineWeaponsHaveKeys) {
  weaponu = 12;
  for (int i = 0; i < weaponu; ++i) weapon[i].ammo = 1;
  hold({'0', '9' + 1});  // neither names weapon 9
  keyboard_control();
  EXPECT_EQ(live().weapon, 0);
  hold({'1', '2', '3', '4', '5', '6', '7', '8', '9', '9' + 1, '9' + 2});
  keyboard_control();
  EXPECT_EQ(live().weapon, 8);
}

// An 800 x 600 window: the centre is (400, 300).
class MouseAiming : public ::testing::Test {
 protected:
  void SetUp() override {
    player_id = 0;
    live() = player_t{};
    resolution_x = 800;
    resolution_y = 600;
  }
  void TearDown() override { mouse_x = mouse_y = 0; }

  // The facing after one call from facing 0, where the feedback term is 0.
  static float aim_once(int x, int y) {
    live().uhel = 0.0f;
    mouse_x = x;
    mouse_y = y;
    mouse_aiming();
    return live().uhel;
  }
  static float settle(int x, int y) {
    live().uhel = 37.0f;
    for (int i = 0; i < 200; ++i) {
      mouse_x = x;
      mouse_y = y;
      mouse_aiming();
    }
    return live().uhel;
  }
};

TEST_F(MouseAiming, QuadrantsAndCentreLines) {
  EXPECT_NEAR(aim_once(500, 200), -45.0f, 0.01f);  // up and right
  EXPECT_NEAR(aim_once(300, 200), 45.0f, 0.01f);   // up and left
  EXPECT_NEAR(aim_once(300, 400), 135.0f, 0.01f);  // down and left
  // Down and right is measured from one degree short of a full turn.
  EXPECT_NEAR(aim_once(500, 400), 224.0f, 0.01f);
  // Within two pixels of a centre line the cursor is straight off the centre.
  EXPECT_NEAR(aim_once(402, 100), 0.0f, 0.001f);
  EXPECT_NEAR(aim_once(398, 500), 180.0f, 0.001f);
  EXPECT_NEAR(aim_once(700, 302), -90.0f, 0.001f);
  EXPECT_NEAR(aim_once(100, 298), 90.0f, 0.001f);
  EXPECT_NEAR(aim_once(403, 100), -0.86f, 0.01f);  // three pixels off is a slope again
}

TEST_F(MouseAiming, TheExactCentreIsNudgedOnePixelRightAndDown) {
  // The quadrant still sees the cursor where it was: on both centre lines.
  EXPECT_NEAR(aim_once(400, 300), 90.0f, 0.001f);
  EXPECT_EQ(mouse_x, 401);
  EXPECT_EQ(mouse_y, 301);

  aim_once(400, 100);
  EXPECT_EQ(mouse_x, 401);
  EXPECT_EQ(mouse_y, 100);  // only the axis on the centre moves
}

TEST_F(MouseAiming, AStillCursorSettlesTheFacing) {
  EXPECT_NEAR(settle(400, 100), 0.0f, 0.01f);      // above
  EXPECT_NEAR(settle(400, 500), 180.0f, 0.01f);    // below
  EXPECT_NEAR(settle(700, 300), -123.396f, 0.01f);  // right
  EXPECT_NEAR(settle(100, 300), 123.396f, 0.01f);   // left
}

}  // namespace
