#include <gtest/gtest.h>

#include "content/models.h"
#include "effects/blood.h"
#include "effects/marks.h"
#include "effects/particles.h"
#include "support/fight_arena.h"
#include "world/map_grid.h"

namespace {

class Effects : public ::testing::Test {
 protected:
  void SetUp() override { open_arena(16, 16); }
  void TearDown() override { close_arena(); }

  // One frame of the simulation, `ms` after the last.
  static void frame(uint32_t ms) {
    arena_now += ms;
    process_particles();
    process_emitors();
  }
};

TEST_F(Effects, MarkSitsOnTheFaceItWasMadeThrough) {
  struct row { int side; int facing; float x, y, z; };
  const row rows[] = {
      {mark_side_from_neg_x, mark_facing_x, 6.99f, 1.0f, 3.3f},   // moving +x into the wall
      {mark_side_from_pos_x, mark_facing_x, 8.01f, 1.0f, 3.3f},   // moving -x
      {mark_side_from_pos_z, mark_facing_z, 7.3f, 1.0f, 4.01f},   // moving -z
      {mark_side_floor, mark_facing_floor, 7.3f, 0.06f, 3.3f},
  };
  for (const row& r : rows) {
    reset_marks();
    add_mark(r.side, 7.3f, r.y, 3.3f, 1, 0, 0);
    ASSERT_EQ(marku, 1) << r.side;
    EXPECT_EQ(mark[0].facing, r.facing) << r.side;
    EXPECT_NEAR(mark[0].x, r.x, 1e-4) << r.side;
    EXPECT_NEAR(mark[0].z, r.z, 1e-4) << r.side;
    EXPECT_FLOAT_EQ(mark[0].life, 25.0f);
  }
  reset_marks();
  add_mark(mark_side_none, 7.3f, 1.0f, 3.3f, 1, 0, 0);
  EXPECT_EQ(marku, 0);
}

TEST_F(Effects, MarksFadeAfterTheirLifeAndSoonOnTriggerCells) {
  struct row { bool trigger; int ticks; };
  for (row r : {row{true, 15}, row{false, 250}}) {
    reset_marks();
    mapa_ip[map_index(3, 3)] = r.trigger ? 0 : no_trigger;
    add_mark(mark_side_floor, 3.5f, 0.06f, 3.5f, 1, 0, 0);
    int ticks = 0;
    while (mark[0].alive && ticks < 1000) {
      frame(101);
      ++ticks;
    }
    EXPECT_NEAR(ticks, r.ticks, 1) << (r.trigger ? "trigger cell" : "free cell");
  }
}

TEST_F(Effects, CompactionMovesTheLastMarkIntoAFreedSlot) {
  for (float x : {1.5f, 2.5f, 3.5f, 4.5f}) add_mark(mark_side_floor, x, 0.06f, 1.5f, 1, 0, 0);
  mark[1].alive = 0;
  frame(101);
  EXPECT_EQ(marku, 3);
  EXPECT_FLOAT_EQ(mark[1].x, 4.5f);
  EXPECT_TRUE(mark[1].alive);
  EXPECT_FALSE(mark[3].alive);
}

TEST_F(Effects, FullTablesDropNewMarksAndEmitters) {
  for (int i = 0; i < mark_capacity; ++i) add_mark(mark_side_floor, 1.5f, 0.06f, 1.5f, 1, 0, 0);
  ASSERT_EQ(marku, mark_capacity);
  add_mark(mark_side_floor, 9.5f, 0.06f, 9.5f, 1, 0, 0);
  EXPECT_EQ(marku, mark_capacity);
  for (const mark_t& m : mark) ASSERT_FLOAT_EQ(m.x, 1.5f);

  for (int i = 0; i < emitor_capacity; ++i) spray_blood(8.5f, 8.5f, 0.0f);
  ASSERT_EQ(emitoru, emitor_capacity);
  fill_blood_template(blood_kind::heavy, 2.5f, 2.5f, 0.0f);
  add_emitor();
  for (const emitor_t& e : emitor) ASSERT_FLOAT_EQ(e.x, 8.5f);
}

TEST_F(Effects, FinishedBurstIsFreedOnTheNextTick) {
  fill_blood_template(blood_kind::burst, 8.5f, 8.5f, 0.0f);
  add_emitor();
  frame(101);  // spawns its particles
  ASSERT_TRUE(emitor[0].in_use);
  for (particle_t& p : g_particle[0]) p.life = 0.0f;
  frame(50);  // not yet a tick
  EXPECT_TRUE(emitor[0].in_use);
  frame(60);
  EXPECT_FALSE(emitor[0].in_use);
  frame(101);
  EXPECT_EQ(emitoru, 0);
}

// Blood flying towards -x into a wall marks its +x face; every particle of a
// burst ends on the wall or the floor (one entering a wall cell across a
// corner leaves no mark).
TEST_F(Effects, BloodLeavesMarksOnWallsAndFloor) {
  for (int z = 0; z < 16; ++z) set_cell(3, z, cell_wall);
  fill_blood_template(blood_kind::heavy, 4.5f, 8.5f, 0.0f);
  add_emitor();
  for (int f = 0; f < 200; ++f) frame(20);
  int wall = 0;
  for (int i = 0; i < marku; ++i) {
    if (!mark[i].alive || mark[i].facing != mark_facing_x) continue;
    ++wall;
    EXPECT_NEAR(mark[i].x, 4.01f, 1e-4);
  }
  EXPECT_GT(wall, 0);
  EXPECT_GT(marku, wall);
  for (int j = 0; j < 100; ++j) EXPECT_LE(g_particle[0][j].life, 0.0f);
  EXPECT_FALSE(emitor[0].in_use);
}

TEST_F(Effects, EveryModelWithAnEmitterBurnsOneSharedFlame) {
  modelu = 2;
  model_emitor[0] = 0;
  model_emitor[1] = 1;
  mapa_m[map_index(2, 3)] = 1;
  mapa_m[map_index(9, 9)] = 1;
  mapa_m[map_index(5, 5)] = 0;
  init_emitors();
  ASSERT_EQ(emitoru, 2);
  EXPECT_FLOAT_EQ(emitor[0].x, 2.5f);
  EXPECT_FLOAT_EQ(emitor[0].z, 3.5f);
  EXPECT_EQ(emitor[1].kind, emitor_fire);
  float before = particle[0].oy;
  frame(20);
  EXPECT_NE(particle[0].oy, before);
  model_emitor[1] = 0;
  modelu = 0;
}

}  // namespace
