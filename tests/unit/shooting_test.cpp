#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "actors/bullets.h"
#include "actors/shooting.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "effects/marks.h"
#include "platform/input.h"
#include "support/fight_arena.h"
#include "support/test_sounds.h"
#include "world/map_grid.h"

namespace {

const char* const click_sound = "test/empty.wav";
const char* const reload_sound = "test/reload.wav";

class Shooting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_sounds({click_sound, reload_sound}); }
  static void TearDownTestSuite() { close_test_sounds(); }
  void SetUp() override {
    open_arena(12, 12);
    std::snprintf(c_snd_awsem, sizeof c_snd_awsem, "%s", click_sound);
    std::snprintf(weapon[0].sound_reload, sizeof weapon[0].sound_reload, "%s", reload_sound);
    played(click_sound);
    played(reload_sound);
  }
  void TearDown() override { close_arena(); }
};

// Every pellet of one shot strikes a wall row three cells ahead and marks it.
TEST_F(Shooting, ShellsGiveOnePelletOrAnOddSpread) {
  struct row { int shells, pellets; };
  for (row r : {row{1, 1}, row{2, 3}, row{3, 3}, row{4, 5}, row{0, 1}, row{-4, 1}}) {
    open_arena(12, 12);
    for (int x = 0; x < 12; ++x) set_cell(x, 2, cell_wall);
    weapon[0].shells = r.shells;
    mouse_lb = 1;
    shoot_process();
    int marks = 0;
    for (int i = 0; i < marku; ++i) marks += mark[i].alive;
    EXPECT_EQ(marks, r.pellets) << "shells " << r.shells;
  }
}

TEST_F(Shooting, OneShotPerFrameAtMostAndShootDelayApart) {
  struct row { int delay_ms, frames, frame_ms, shots; };
  for (row r : {row{100, 100, 10, 10}, row{0, 5, 0, 5}, row{280, 10, 100, 4}}) {
    open_arena(12, 12);
    weapon[0].shoot_delay = r.delay_ms;
    weapon[0].ammo = weapon[0].magazine = 200;
    mouse_lb = 1;
    for (int f = 0; f < r.frames; ++f, arena_now += r.frame_ms) shoot_process();
    EXPECT_EQ(200 - weapon[0].ammo, r.shots) << "delay " << r.delay_ms;
  }
}

TEST_F(Shooting, TickDifferencesSurviveTheWrapAndAFutureTickIsLongAgo) {
  struct row { uint32_t shoot_tick, now; bool fires; };
  for (row r : {row{UINT32_MAX - 50, 49, true}, row{UINT32_MAX - 50, 40, false},
                row{200000, 100000, true}}) {
    open_arena(12, 12);
    weapon[0].shoot_delay = 100;
    shoot_tick = r.shoot_tick;
    arena_now = r.now;
    mouse_lb = 1;
    shoot_process();
    EXPECT_EQ(weapon[0].ammo == 7, r.fires) << r.shoot_tick << " -> " << r.now;
  }
  EXPECT_EQ(ticks_since(1000u, 5000.0f), UINT32_MAX - 3999u);  // a future float tick: long ago
  EXPECT_EQ(ticks_since(1000u, -1.0f), UINT32_MAX);
}

TEST_F(Shooting, EmptyMagazineClicksEvery500MsWhileHeld) {
  weapon[0].ammo = 1;
  weapon[0].shoot_delay = 100;
  mouse_lb = 1;
  std::vector<int> clicks_at;
  for (int t = 0; t <= 1200; t += 100, arena_now += 100) {
    shoot_process();
    if (played(click_sound)) clicks_at.push_back(t);
  }
  EXPECT_EQ(weapon[0].ammo, 0);
  EXPECT_EQ(clicks_at, (std::vector<int>{500, 1000}));
}

// A pellet flying into a wall marks the face it came through; flying towards
// +z it leaves none.
TEST_F(Shooting, WallMarkSideFollowsTheCellsBeforeAndAfter) {
  struct row { float uhel; int wall_x, wall_z, facing; float x, z; };
  const row rows[] = {
      {-90.0f, 8, -1, mark_facing_x, 7.99f, -1},   // moving +x
      {90.0f, 3, -1, mark_facing_x, 4.01f, -1},    // moving -x
      {0.0f, -1, 3, mark_facing_z, -1, 4.01f},     // moving -z
      {180.0f, -1, 8, -1, -1, -1},                 // moving +z: no mark
  };
  for (const row& r : rows) {
    open_arena(12, 12);
    for (int i = 0; i < 12; ++i) set_cell(r.wall_x >= 0 ? r.wall_x : i, r.wall_z >= 0 ? r.wall_z : i, cell_wall);
    int j = launch_bullet(5.5f, 5.5f, r.uhel, 1);
    trace_bullet(j, -1, false);
    EXPECT_EQ(bullet_active[j], 0);
    if (r.facing < 0) {
      EXPECT_EQ(marku, 0) << r.uhel;
      continue;
    }
    ASSERT_EQ(marku, 1) << r.uhel;
    EXPECT_EQ(mark[0].facing, r.facing) << r.uhel;
    EXPECT_NEAR(r.x >= 0 ? mark[0].x : r.z >= 0 ? mark[0].z : 0.0f, r.x >= 0 ? r.x : r.z, 1e-4) << r.uhel;
    EXPECT_GE(mark[0].y, 0.65f);
    EXPECT_LE(mark[0].y, 1.35f);
  }
}

TEST_F(Shooting, BulletsLeavingTheMapEndWithoutEffect) {
  for (float uhel : {0.0f, 90.0f, 180.0f, 270.0f, 45.0f}) {
    open_arena(3, 3);
    int j = launch_bullet(1.5f, 1.5f, uhel, 1);
    bullet_s[j] = -1e30f;  // damaged: the step count still ends it
    trace_bullet(j, -1, false);
    EXPECT_EQ(bullet_active[j], 0);
    EXPECT_EQ(marku, 0);
  }
}

// Each frame is 150 ms apart with the button held; every delay is 100 ms.
TEST_F(Shooting, ReloadRunsItsThreePhases) {
  struct step { int phase, ammo; bool sound; };
  struct row { int ammo_reload, magazine, ammo, reserve; std::vector<step> frames; };
  const row rows[] = {
      {1, 8, 5, 10, {{1, 5, false}, {2, 5, false}, {2, 6, true}, {2, 7, true}, {2, 8, true},
                     {3, 8, false}, {0, 8, false}}},
      {1, 8, 5, 0, {{1, 5, false}, {0, 5, false}}},
      {0, 8, 5, 10, {{1, 5, false}, {2, 5, false}, {2, 5, true}}},  // a step that moves nothing
      {4, 0, 0, 10, {{0, 0, false}, {0, 0, false}}},                  // no magazine: nothing to load
  };
  for (const row& r : rows) {
    open_arena(12, 12);
    weapon_t& w = weapon[0];
    std::snprintf(w.sound_reload, sizeof w.sound_reload, "%s", reload_sound);
    w.ammo_reload = r.ammo_reload;
    w.magazine = r.magazine;
    w.ammo = r.ammo;
    w.reserve = r.reserve;
    w.reload1_delay = w.reload2_delay = w.reload3_delay = 100;
    reload_tick = arena_now + 150;  // the first frame starts phase 1 afresh
    mouse_rb = 1;
    int f = 0;
    for (const step& s : r.frames) {
      arena_now += 150;
      reload_weapon();
      EXPECT_EQ(reloading, s.phase) << "magazine " << r.magazine << " reserve " << r.reserve << " frame " << f;
      EXPECT_EQ(w.ammo, s.ammo) << "frame " << f;
      EXPECT_EQ(played(reload_sound), s.sound) << "frame " << f;
      EXPECT_EQ(w.ammo + w.reserve, r.ammo + r.reserve);
      ++f;
    }
  }
}

}  // namespace
