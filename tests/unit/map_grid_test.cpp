#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/loading_log.h"
#include "support/level_builder.h"
#include "support/scratch_dir.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

namespace {

// Every cell of a 6 x 4 level (and the row and column past it) holds its own
// index in mapa_v and mapa_ip, so a query tells which cell it read.
class MapQueries : public ::testing::Test {
 protected:
  void SetUp() override {
    clear_world();
    mapa_size_x = 6;
    mapa_size_z = 4;
    for (int x = 0; x <= 6; ++x)
      for (int z = 0; z <= 4; ++z) {
        mapa_v[map_index(x, z)] = map_index(x, z);
        mapa_ip[map_index(x, z)] = map_index(x, z);
      }
  }
};

TEST_F(MapQueries, EachAxisIsClampedOnItsOwn) {
  EXPECT_EQ(test_map_v(2.7f, 1.2f), map_index(2, 1));
  EXPECT_EQ(test_map_v(-0.5f, 2.5f), map_index(0, 2));    // negative x: column 0
  EXPECT_EQ(test_map_v(3.5f, -7.0f), map_index(3, 0));    // negative z: row 0
  EXPECT_EQ(test_map_v(6.5f, 1.5f), map_index(6, 1));     // size + 0.5: column size
  EXPECT_EQ(test_map_v(11.0f, 1.5f), map_index(6, 1));    // size + 5: column size
  EXPECT_EQ(test_map_v(1.5f, 4.5f), map_index(1, 4));     // beyond the depth: row size
  EXPECT_EQ(test_map_v(1.5f, 9.0f), map_index(1, 4));
  EXPECT_EQ(test_map_v(-3.0f, 50.0f), map_index(0, 4));
  EXPECT_EQ(test_map_v(std::nanf(""), 2.5f), map_index(0, 2));
}

TEST_F(MapQueries, TriggerQueryUsesTheSameCell) {
  EXPECT_EQ(test_map_ip(-1.0f, 3.9f), map_index(0, 3));
  EXPECT_EQ(test_map_ip(6.9f, 1.0f), map_index(6, 1));
  EXPECT_EQ(test_map_ip(11.0f, 4.2f), map_index(6, 4));
}

TEST(MapOccupancy, AnEnemyDoesNotMeetItself) {
  clear_world();
  mapa_size_x = mapa_size_z = 8;
  int enemy3 = enemy_mark_base + 3;
  mapa_e[map_index(4, 5)] = enemy3;
  EXPECT_EQ(test_map_e(4.5f, 5.5f, enemy3), 0);
  EXPECT_EQ(test_map_e(4.5f, 5.5f, -1), enemy3);               // a player sees it
  EXPECT_EQ(test_map_e(4.5f, 5.5f, 1), enemy3);                // the marking step too
  EXPECT_EQ(test_map_e(4.5f, 5.5f, enemy_mark_base + 4), enemy3);
  EXPECT_EQ(test_map_e(3.5f, 5.5f, -1), 0);
}

// Group files are written by hand here so that the layout itself is checked.
std::string le32(uint32_t v) {
  return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string group_file(int count, int width, int depth, int cell_base) {
  std::string bytes = le32(static_cast<uint32_t>(count));
  for (int g = 0; g < count; ++g) {
    for (int v : {g, 0, g + 1, g}) bytes += le32(static_cast<uint32_t>(v));  // inside a 6 x 4 map
    for (int i = 0; i < group_lm_count; ++i) {
      float f = g + i / 16.0f;
      uint32_t bits;
      std::memcpy(&bits, &f, 4);
      bytes += le32(bits);
    }
  }
  for (int x = 0; x < width; ++x)
    for (int z = 0; z < depth; ++z) bytes += le32(static_cast<uint32_t>(cell_base + x * 10 + z));
  return bytes;
}

class GroupFile : public ::testing::Test {
 protected:
  scratch_dir dir;
  void SetUp() override {
    clear_world();
    mapa_size_x = 6;
    mapa_size_z = 4;
    std::snprintf(mapa_filename, sizeof mapa_filename, "data/maps/level");
  }
};

TEST_F(GroupFile, CellIndicesAreReadXMajor) {
  write_file("data/maps/level_guv", group_file(3, 6, 4, 0));
  ASSERT_EQ(load_groups_vt(), 0);
  ASSERT_EQ(n_groups, 3);
  EXPECT_EQ(groups[2].x1, 2);
  EXPECT_EQ(groups[2].x2, 3);
  EXPECT_EQ(groups[2].z2, 2);
  EXPECT_FLOAT_EQ(groups[2].lm[11], 2 + 11 / 16.0f);
  // On a 6 x 4 map a z-major reading would put a different value in every
  // cell but the first and the last.
  for (int x = 0; x < 6; ++x)
    for (int z = 0; z < 4; ++z) EXPECT_EQ(mapa_g[map_index(x, z)], x * 10 + z) << x << "," << z;
}

TEST_F(GroupFile, BadOrMissingFilesKeepThePreviousGroups) {
  write_file("data/maps/level_guv", group_file(2, 6, 4, 100));
  ASSERT_EQ(load_groups_vt(), 0);
  std::string good = group_file(3, 6, 4, 500);
  std::string over_full = le32(group_capacity + 1) + good.substr(4);
  std::string negative = le32(0xffffffffu) + good.substr(4);
  for (const std::string& bad : {good.substr(0, good.size() - 1), good.substr(0, 70),
                                 good.substr(0, 2), over_full, negative}) {
    write_file("data/maps/level_guv", bad);
    EXPECT_EQ(load_groups_vt(), 1);
    EXPECT_EQ(n_groups, 2);
    EXPECT_EQ(groups[1].x1, 1);
    EXPECT_EQ(mapa_g[map_index(5, 3)], 153);
  }
  std::remove("data/maps/level_guv");
  EXPECT_EQ(load_groups_vt(), 1);
  EXPECT_EQ(n_groups, 2);
}

// The renderer does its arithmetic on the rectangles unchecked, so a file with
// one that leaves the map is refused as a whole, on the loading log.
TEST_F(GroupFile, ARectangleOutsideTheMapRefusesTheFile) {
  write_file("data/maps/level_guv", group_file(2, 6, 4, 100));
  ASSERT_EQ(load_groups_vt(), 0);
  const std::string cells = group_file(0, 6, 4, 0).substr(4);
  struct rectangle_case {
    int x1, z1, x2, z2;
    bool inside;
  };
  const rectangle_case cases[] = {
      {0, 0, 5, 3, true},          {5, 3, 5, 3, true},   {2, 1, 2, 1, true},
      {-1, 0, 0, 0, false},        {0, -1, 0, 0, false}, {0, 0, 6, 0, false},
      {0, 0, 0, 4, false},         {3, 0, 2, 0, false},  {0, 2, 0, 1, false},
      {0, 0, 2147483647, 0, false}, {-2147483647 - 1, 0, 0, 0, false},
  };
  for (const rectangle_case& c : cases) {
    std::string bytes = le32(1);
    for (int v : {c.x1, c.z1, c.x2, c.z2}) bytes += le32(static_cast<uint32_t>(v));
    bytes += std::string(4 * group_lm_count, '\0') + cells;
    write_file("data/maps/level_guv", bytes);
    draw_loading("level");
    EXPECT_EQ(load_groups_vt(), c.inside ? 0 : 1) << c.x1 << "," << c.z1 << "-" << c.x2 << "," << c.z2;
    EXPECT_EQ(n_groups, c.inside ? 1 : 2);
    EXPECT_STREQ(_loaded[0], c.inside ? "level" : "data/maps/level_guv - FAILED!");
    if (c.inside) {
      EXPECT_EQ(groups[0].x2, c.x2);
      write_file("data/maps/level_guv", group_file(2, 6, 4, 100));  // back to two groups
      ASSERT_EQ(load_groups_vt(), 0);
    }
  }
}

TEST_F(GroupFile, WrittenGroupsReadBack) {
  n_groups = group_capacity;
  for (int g = 0; g < n_groups; ++g) groups[g] = {g % 6, g % 4, 5, 3, {0.5f, float(g)}};
  for (int x = 0; x < 6; ++x)
    for (int z = 0; z < 4; ++z) mapa_g[map_index(x, z)] = x * 4 + z;
  ASSERT_EQ(save_groups_vt("data/maps/level"), 1);  // the folder does not exist yet
  write_file("data/maps/keep", "");
  ASSERT_EQ(save_groups_vt("data/maps/level"), 0);
  clear_world();
  mapa_size_x = 6;
  mapa_size_z = 4;
  ASSERT_EQ(load_groups_vt(), 0);
  ASSERT_EQ(n_groups, group_capacity);
  EXPECT_EQ(groups[4095].x1, 4095 % 6);
  EXPECT_EQ(groups[4095].z1, 4095 % 4);
  EXPECT_FLOAT_EQ(groups[4095].lm[1], 4095.0f);
  EXPECT_EQ(mapa_g[map_index(5, 3)], 23);

  n_groups = group_capacity + 1;
  EXPECT_EQ(save_groups_vt("data/maps/level"), 1);
}

}  // namespace
