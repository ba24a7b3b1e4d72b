#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/enemies.h"
#include "actors/enemy_ai.h"
#include "actors/enemy_animation.h"
#include "actors/enemy_attack.h"
#include "actors/player.h"
#include "base/frame_clock.h"
#include "support/fight_arena.h"
#include "support/test_sounds.h"
#include "world/map_grid.h"

namespace {

const char* const sight_cry = "test/sight.wav";
const char* const death_cry = "test/death.wav";
const char* const player_cry = "test/player_pain.wav";

class EnemyAi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_sounds({sight_cry, death_cry, player_cry}); }
  static void TearDownTestSuite() { close_test_sounds(); }
  void SetUp() override { open(40, 40); }
  void TearDown() override { close_arena(); }

  // An arena whose enemy type and player have the suite's sounds.
  static void open(int size_x, int size_z) {
    open_arena(size_x, size_z);
    std::snprintf(imp_prototype[0].sound_sight, imp_name_capacity, "%s", sight_cry);
    std::snprintf(imp_prototype[0].sound_death, imp_name_capacity, "%s", death_cry);
    std::snprintf(players[0].sound_pain, player_name_capacity, "%s", player_cry);
    played(sight_cry);
    played(death_cry);
    played(player_cry);
  }
};

// The ray from (5.5, 5.5) to the player at (5.5, 9.5) crosses cell (5, 7).
TEST_F(EnemyAi, SightPassesHalfOpenDoorsOnly) {
  struct row { int kind; bool seen; };
  for (row r : {row{cell_free, true}, row{cell_door_ajar, true}, row{cell_barrier, false},
                row{cell_door_closed, false}, row{cell_wall, false}}) {
    set_cell(5, 7, r.kind);
    sight_result s = sight_ray(5.5f, 5.5f, 5.5f, 9.5f);
    EXPECT_EQ(s.seen, r.seen) << "kind " << r.kind;
    EXPECT_EQ(s.crossed_ajar, r.kind == cell_door_ajar);
  }
}

// No direction to march in (or none that is a number) still ends the ray.
TEST_F(EnemyAi, SightRayEndsWithoutADirection) {
  struct row { float x, z, px, pz; bool seen; };
  for (row r : {row{5.5f, 5.5f, 5.5f, 5.5f, true}, row{NAN, 5.5f, 5.5f, 5.5f, false},
                row{5.5f, 5.5f, INFINITY, 2.0f, false}}) {
    sight_result s = sight_ray(r.x, r.z, r.px, r.pz);
    EXPECT_EQ(s.seen, r.seen);
    float sx, sz;
    EXPECT_FALSE(axis_steps(r.x - r.px, r.z - r.pz, sx, sz));
    EXPECT_EQ(sx, 0.0f);
    EXPECT_EQ(sz, 0.0f);
  }
}

TEST_F(EnemyAi, EnemiesFarAwayNeverReact) {
  struct row { float distance; bool reacts; };
  for (row r : {row{25.0f, false}, row{19.0f, true}}) {
    open(40, 40);
    int k = add_arena_enemy(5.5f + r.distance, 5.5f, 40);
    for (int f = 0; f < 20; ++f, arena_now += 20) ai_process();
    EXPECT_EQ(imp[k].alert != 0, r.reacts) << r.distance;
    EXPECT_EQ(played(sight_cry), r.reacts) << r.distance;
  }
}

TEST_F(EnemyAi, TheLowerIndexHoldsASharedCell) {
  add_arena_enemy(20.2f, 20.2f, 40);
  add_arena_enemy(20.8f, 20.7f, 40);
  imp[0].x = 40.0f;  // then enemy 0 leaves: enemy 1 takes the cell
  ai_process();
  EXPECT_EQ(mapa_e[map_index(20, 20)], enemy_mark_base + 1);
  imp[0].x = 20.2f;
  ai_process();
  EXPECT_EQ(mapa_e[map_index(20, 20)], enemy_mark_base + 0);
}

// Decisions with the player in plain sight, sampled with a fixed seed.
TEST_F(EnemyAi, AttackChanceIsCertainAtContactAndHalfAtRange) {
  struct row { float distance, share, tolerance; };
  for (row r : {row{0.0f, 1.0f, 0.0f}, row{10.0f, 0.5f, 0.07f}}) {
    open(40, 40);
    imp_prototype[0].range = 10.0f;
    imp_prototype[0].damage = 0;
    int k = add_arena_enemy(5.5f + r.distance, 5.5f, 40);
    std::srand(12);
    const int decisions = 400;
    int attacks = 0;
    for (int i = 0; i < decisions; ++i) {
      imp[k].think_time = 0.0f;
      imp[k].x = 5.5f + r.distance;  // the enemy does not close in between samples
      ai_process();
      attacks += imp[k].attacking;
    }
    EXPECT_NEAR(static_cast<float>(attacks) / decisions, r.share, r.tolerance) << r.distance;
  }
}

// The shooter stands in (5, 5) and aims at decreasing z; the target stands
// one cell ahead in (5, 4).
TEST_F(EnemyAi, EnemyPelletsHurtThePlayerAndOthersNotTheShooter) {
  enum class target { player, enemy };
  for (target t : {target::player, target::enemy}) {
    open(12, 12);
    imp_prototype[0].shells = 3;
    int shooter = add_arena_enemy(5.5f, 5.5f, 40);
    imp[shooter].shoot_uhel = 180.0f;
    players[0].x = 9.5f;
    int other = -1;
    if (t == target::player) {
      players[0].x = 5.5f;
      players[0].z = 4.5f;
    } else {
      other = add_arena_enemy(5.5f, 4.5f, 40);
    }
    for (int k = 0; k < impu; ++k) mapa_e[map_index(5, 5 - k)] = enemy_mark_base + k;
    ai_shoot(shooter);
    EXPECT_EQ(imp[shooter].health, 40);
    if (t == target::player) {
      EXPECT_EQ(players[0].health, player_start_health - 3 * 5);
      EXPECT_TRUE(played(player_cry));
    } else {
      EXPECT_EQ(imp[other].health, 40 - 3 * 5);
      EXPECT_EQ(imp[other].visible, 1);
      EXPECT_EQ(players[0].health, player_start_health);
    }
    // The player is marked only while the pellets fly.
    EXPECT_EQ(mapa_e[map_index(static_cast<int>(players[0].x), static_cast<int>(players[0].z))], 0);
  }
}

TEST_F(EnemyAi, DeathPlaysOnceCriesOnceAndRests) {
  imp_prototype[0].anim_smrt[0] = 10;
  imp_prototype[0].anim_smrt[1] = 13;
  int k = add_arena_enemy(5.5f, 5.5f, 0);
  imp[k].anim_state = imp_dying;
  imp[k].uhel = 90.0f;
  motion_mix = 1.0f / 40.0f;  // one death frame per call
  int cries = 0;
  float rest_x = 0.0f;
  for (int call = 0; call < 20; ++call) {
    anim_imp(k);
    cries += played(death_cry);
    if (call == 5) rest_x = imp[k].x;
  }
  EXPECT_EQ(cries, 1);
  EXPECT_EQ(imp[k].frame, 13);
  EXPECT_EQ(imp[k].prev_frame, 13);
  EXPECT_LT(imp[k].x, 5.5f);  // slid back from its heading
  EXPECT_EQ(imp[k].x, rest_x);  // and then lay still
}

// Nonsense types and a crowd of 500 in an open level: every frame ends, and
// nothing leaves the tables (the sanitizer builds watch the writes).
TEST_F(EnemyAi, OddTypesAndFullCrowdsRunSafely) {
  struct row { float range, speed; int shells, shoot_delay; };
  for (row r : {row{0.0f, 0.0f, 0, 0}, row{-5.0f, -3.0f, -7, -100}, row{2.0f, 1e9f, 1 << 30, 1 << 30}}) {
    open(30, 30);
    imp_prototype[0].range = r.range;
    imp_prototype[0].speed = r.speed;
    imp_prototype[0].shells = r.shells;
    imp_prototype[0].shoot_delay = r.shoot_delay;
    for (int k = 0; k < imp_capacity; ++k) add_arena_enemy(static_cast<float>(k % 30) + 0.5f, static_cast<float>(k / 30) * 1.7f, 40);
    imp[3].type = 9999;  // a damaged record is passed over
    for (int f = 0; f < 5; ++f, arena_now += 300) ai_process();
    for (int k = 0; k < imp_capacity; ++k) ASSERT_FALSE(std::isnan(imp[k].x)) << k;
  }
}

}  // namespace
