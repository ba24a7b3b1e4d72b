#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/player_movement.h"
#include "actors/weapons.h"
#include "aim_cursor.h"
#include "content/models.h"
#include "core/triggers.h"
#include "fight.h"
#include "grid_route.h"
#include "level_goals.h"
#include "support/level_builder.h"

namespace {

TEST(CampaignBotAim, TheCursorTurnsThePlayerToTheWantedFacingInOneFrame) {
  for (float before : {0.0f, 90.0f, 200.0f, -30.0f, 290.0f})
    for (float wanted : {0.0f, 30.0f, 90.0f, 135.0f, 180.0f, 224.5f, 269.0f, 300.0f, 359.0f, -45.0f}) {
      cursor_position c = cursor_for_facing(wanted, before, 320, 240, 90);
      float got = aimed_uhel(c.x, c.y, 320, 240, before);
      // Three pixels either side of a centre line snap onto it: at this radius
      // that leaves two-degree gaps, met to within half of one.
      EXPECT_LT(std::fabs(angle_difference(got, wanted)), 1.01f) << "from " << before << " to " << wanted;
      EXPECT_TRUE(c.x >= 0 && c.x < 320 && c.y >= 0 && c.y < 240) << c.x << ", " << c.y;
    }
}

// A level drawn in characters: '#' wall, '.' floor, 'B' barrier, 'D' a plain
// closed door, 'L' a door locked for the key "brass", 'p' a pistol, 'a' pistol
// ammunition, 'k' the brass key, 'm' a medikit (25 up to 100), 'E' an exit.
// Row r is z = r, character j is x = j.
class CampaignBotLevel : public ::testing::Test {
 protected:
  void SetUp() override {
    clear_world();
    forget_keys();
    std::memset(weapon, 0, sizeof weapon);
    std::snprintf(weapon[0].name, weapon_name_capacity, "pistol");
    weapon[0].magazine = 12;
    weapon[0].max_ammo = 96;
    weaponu = 1;
    players[0] = player_t{};
    players[0].health = 100;
  }
  void TearDown() override {
    clear_world();
    forget_keys();
  }

  // Replaces the level; the keys picked up stay.
  static void draw(std::initializer_list<const char*> rows) {
    clear_world();
    int z = 0;
    for (const char* row : rows) {
      mapa_size_x = static_cast<int>(std::strlen(row));
      for (int x = 0; row[x]; ++x) put(x, z, row[x]);
      ++z;
    }
    mapa_size_z = z;
  }
  static void put(int x, int z, char c) {
    int i = map_index(x, z);
    switch (c) {
      case '#': mapa_v[i] = cell_wall; break;
      case 'B': mapa_v[i] = cell_barrier; break;
      case 'D': door(i, false); break;
      case 'L': door(i, true); break;
      case 'p': item(i, trigger_weapon, "pistol"); break;
      case 'a': item(i, trigger_ammo, "pistol"); break;
      case 'k': item(i, trigger_key, "brass"); break;
      case 'm': item(i, trigger_medikit, ""); break;
      case 'E':
        mapa_end_x[mapa_endu] = x;
        mapa_end_z[mapa_endu++] = z;
        break;
      default: break;
    }
  }
  static void door(int cell, bool locked) {
    trigger_t& t = new_trigger(cell, trigger_door);
    mapa_v[cell] = cell_door_closed;
    t.value[0][2] = locked ? 1.0f : 0.0f;
    if (locked) std::snprintf(t.text[trigger_text_name], trigger_text_capacity, "brass");
  }
  static void item(int cell, int32_t kind, const char* name) {
    trigger_t& t = new_trigger(cell, kind);
    t.pickable = 1;
    t.value[0][0] = kind == trigger_medikit ? 25.0f : 12.0f;
    t.value[0][1] = 100.0f;
    std::snprintf(t.text[trigger_text_name], trigger_text_capacity, "%s", name);
  }
  static trigger_t& new_trigger(int cell, int32_t kind) {
    trigger[triggeru] = trigger_t{};
    trigger[triggeru].kind = kind;
    mapa_ip[cell] = triggeru;
    mapa_m[cell] = 0;
    return trigger[triggeru++];
  }
  static void take_key(const char* name) {
    std::snprintf(t_keys[t_keyu++], key_name_capacity, "%s", name);
  }
  static int steps(grid_cell from, grid_cell to) {
    static route_distances routes;
    measure_routes(from, routes);
    return steps_to(routes, to);
  }
};

TEST_F(CampaignBotLevel, RoutesCrossFloorAndOpenableDoorsButNotWallsBarriersOrLockedDoors) {
  struct row {
    const char* middle;  // the row between two open rows of a 5-wide room
    bool brass_key;
    int expected;  // steps from the top left to the bottom left, or not_reached
  };
  const row rows[] = {
      {".....", false, 2},
      {"#####", false, not_reached},
      {"####.", false, 10},  // round the end of the wall, no corner cut
      {"BBBBB", false, not_reached},
      {"##D##", false, 6},
      {"##L##", false, not_reached},
      {"##L##", true, 6},
  };
  for (const row& r : rows) {
    SetUp();
    draw({".....", r.middle, "....."});
    if (r.brass_key) take_key("brass");
    EXPECT_EQ(steps({0, 0}, {0, 2}), r.expected) << r.middle << (r.brass_key ? " with the key" : "");
  }
}

TEST_F(CampaignBotLevel, DiagonalStepsNeverCutAWallCorner) {
  draw({"..", "#."});
  EXPECT_EQ(steps({0, 0}, {1, 1}), 2);
  draw({"..", ".."});
  EXPECT_EQ(steps({0, 0}, {1, 1}), 1);
}

TEST_F(CampaignBotLevel, TheRouteListsEachCellFromTheNextToTheGoal) {
  draw({"...", "##.", "..."});
  static route_distances routes;
  measure_routes({0, 0}, routes);
  grid_cell cells[8];
  ASSERT_EQ(route_cells(routes, {0, 2}, cells, 8), 6);
  const grid_cell expected[6] = {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(cells[k].x, expected[k].x) << k;
    EXPECT_EQ(cells[k].z, expected[k].z) << k;
  }
  EXPECT_EQ(route_cells(routes, {0, 2}, cells, 5), 0);  // longer than the room given
}

TEST_F(CampaignBotLevel, AStraightWalkNeedsRoomForThePlayersWholeSquare) {
  draw({"#.#", "#.#", "#.#", "..."});
  struct row {
    float x0, z0, x1, z1;
    bool clear;
  };
  const row rows[] = {
      {1.5f, 0.5f, 1.5f, 3.5f, true},   // down the middle of the corridor
      {1.6f, 0.5f, 1.6f, 3.5f, false},  // a tenth off: the square touches the wall
      {1.5f, 0.5f, 0.5f, 3.5f, false},  // across the corner
      {0.5f, 3.5f, 2.5f, 3.5f, true},   // along the bottom row
  };
  for (const row& r : rows)
    EXPECT_EQ(straight_walk_clear(r.x0, r.z0, r.x1, r.z1, 0.01f), r.clear)
        << r.x0 << "," << r.z0 << " -> " << r.x1 << "," << r.z1;
}

TEST_F(CampaignBotLevel, GoalsAreWantedItemsNearestFirstThenTheExit) {
  struct row {
    const char* level;
    bool pistol_owned;
    int health;
    grid_cell goal;
  };
  // The player stands at the left end of each row.
  const row rows[] = {
      {"...p....E", false, 100, {3, 0}},
      {"...p....E", true, 100, {8, 0}},                  // a second pistol is no use
      {"...a....E", false, 100, {8, 0}},                 // ammunition for a weapon not owned
      {"...a....E", true, 100, {3, 0}},
      {".............a.E", true, 100, {15, 0}},          // ammunition farther than the detour
      {"..m.E", false, 100, {4, 0}},                     // a medikit when healthy
      {"..m.E", false, 40, {2, 0}},
      {"....k.p..E", false, 100, {4, 0}},                // the nearer of two wanted items
  };
  for (const row& r : rows) {
    SetUp();
    draw({r.level});
    weapon[0].owned = r.pistol_owned;
    players[0].health = r.health;
    static route_distances routes;
    measure_routes({0, 0}, routes);
    grid_cell goal{-1, -1};
    ASSERT_TRUE(next_goal(routes, goal)) << r.level;
    EXPECT_EQ(goal.x, r.goal.x) << r.level;
    EXPECT_EQ(goal.z, r.goal.z) << r.level;
  }
}

class CampaignBotFight : public CampaignBotLevel {
 protected:
  static void enemy(float x, float z, int health) {
    imp[impu] = imp_t{};
    imp[impu].x = x;
    imp[impu].z = z;
    imp[impu++].health = health;
  }
};

TEST_F(CampaignBotFight, TheNearestLivingEnemyInLineOfFireIsFought) {
  struct row {
    const char* middle;  // between the player (top row) and the enemies (bottom row)
    float near_health, far_health;
    int expected;  // enemy index or -1
  };
  const row rows[] = {
      {"...", 40, 40, 0},
      {"...", 0, 40, 1},    // the near one is dead
      {"###", 40, 40, -1},  // a wall between
      {"BBB", 40, 40, 0},   // barriers let shots through
      {"#D#", 40, 40, -1},  // a closed door stops shots
  };
  for (const row& r : rows) {
    draw({"...", r.middle, "...", "...", "...", "...", "...", "...", "...", "...", "...", "...", "...", "...",
          "...", "...", "..."});
    players[0].x = 1.5f;
    players[0].z = 0.5f;
    enemy(1.5f, 3.5f, r.near_health);
    enemy(1.5f, 5.5f, r.far_health);
    enemy(1.5f, 16.5f, 40);  // out of range
    EXPECT_EQ(enemy_to_fight(), r.expected) << r.middle;
  }
}

TEST_F(CampaignBotFight, TheLastOwnedWeaponWithCartridgesIsHeldAndReloadedWhenEmptyOrIdle) {
  std::snprintf(weapon[1].name, weapon_name_capacity, "shotgun");
  weaponu = 2;
  struct row {
    bool pistol_owned, shotgun_owned;
    int shotgun_ammo, shotgun_reserve;
    int held_expected;
    bool fighting, reload_expected;  // with the shotgun held, magazine of 6
  };
  const row rows[] = {
      {false, false, 0, 0, -1, false, false},
      {true, false, 0, 0, -1, false, false},  // a weapon without cartridges
      {true, true, 3, 0, 1, true, false},
      {true, true, 0, 6, 1, true, true},   // empty in a fight
      {true, true, 3, 6, 1, true, false},  // shots left in a fight
      {true, true, 3, 6, 1, false, true},  // topped up between fights
      {true, true, 6, 6, 1, false, false},
  };
  for (const row& r : rows) {
    weapon[0].owned = r.pistol_owned;
    weapon[0].ammo = 0;
    weapon[1].owned = r.shotgun_owned;
    weapon[1].magazine = 6;
    weapon[1].ammo = r.shotgun_ammo;
    weapon[1].reserve = r.shotgun_reserve;
    players[0].weapon = 1;
    EXPECT_EQ(weapon_to_hold(), r.held_expected);
    EXPECT_EQ(reload_wanted(r.fighting), r.reload_expected)
        << r.shotgun_ammo << "+" << r.shotgun_reserve << (r.fighting ? " fighting" : "");
  }
}

}  // namespace
