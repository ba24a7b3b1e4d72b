// The forged campaign and the benchmark level, read back through the engine:
// every level loads with load_pack and load_groups_vt with all names resolved
// against the forged content lists; groups tile the map; lightmap rectangles
// stay inside the atlas, apart from each other and sized to their faces; and
// the campaign holds what a demo must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actors/enemies.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "level/kel_map.h"
#include "levels/level_reach.h"  // the forge's reachability check
#include "lighting/lightmap.h"
#include "support/scratch_dir.h"
#include "world/level_paths.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* first_level = "data/maps/test";
constexpr const char* bench_level = "data/maps/bench";

// A scratch game folder whose data/ entries link to the forged ones, so the
// engine's scratch file for compressed assets stays in the scratch folder.
class ForgedLevels : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory("data");
    for (const auto& entry : fs::directory_iterator(fs::path(KEL_FORGED_GAME_DIR) / "data"))
      fs::create_symlink(entry.path(), fs::path("data") / entry.path().filename());
    ASSERT_EQ(load_textura_list(), 0);
    load_models();
    load_imp_prototype();
  }

  // Loads a level as level loading does; false when the pack did not load.
  static bool load(const std::string& base) {
    for (int& m : mapa_m) m = no_model;
    std::snprintf(mapa_filename, sizeof mapa_filename, "%s", base.c_str());
    return KelMapLoader.load_pack(base.c_str()) == 0;
  }

  // The campaign from the first level along <next_level>.
  static std::vector<std::string> campaign() {
    std::vector<std::string> chain;
    std::string next = first_level;
    while (next != "last_level" && chain.size() < 16) {
      chain.push_back(next);
      if (!load(next)) break;
      next = c_next_filename;
    }
    return chain;
  }

  scratch_dir dir_;
};

int model_index(const char* definition) {
  for (int j = 0; j < modelu; ++j)
    if (!std::strcmp(model_d_list[j], definition)) return j;
  return -1;
}

int enemy_type_index(const char* name) {
  for (int j = 0; j <= impu_prototype; ++j)
    if (!std::strcmp(imp_prototype[j].name, name)) return j;
  return -1;
}

void expect_names_resolved(const std::string& level) {
  SCOPED_TRACE(level);
  const C_KelMap& map = KelMapLoader;
  for (int x = 0; x < map.size_x; ++x)
    for (int z = 0; z < map.size_z; ++z) {
      int i = map_index(x, z);
      ASSERT_EQ(mapa[i], find_texture(map.texture_names[map.cell_t[x][z]])) << x << "," << z;
      ASSERT_GE(mapa[i], 0);
      if (map.cell_m[x][z] == no_model) continue;
      int j = model_index(map.model_names[map.cell_m[x][z]]);
      ASSERT_GE(j, 0) << map.model_names[map.cell_m[x][z]];
      ASSERT_EQ(mapa_m[i], j);
    }
  ASSERT_EQ(impu, map.imp_count);
  for (int k = 0; k < impu; ++k) {
    int j = enemy_type_index(map.imp_names[map.imp_type[k]]);
    ASSERT_GE(j, 0) << map.imp_names[map.imp_type[k]];
    ASSERT_EQ(imp[k].type, j);
  }
}

// Every cell in exactly one group rectangle, the one mapa_g names; a group's
// cells share their kind (wall or not) and texture.
void expect_groups_tile_the_map(const std::string& level) {
  SCOPED_TRACE(level);
  std::vector<int> covered(size_t(mapa_size_x) * size_t(mapa_size_z), 0);
  for (int g = 0; g < n_groups; ++g) {
    const group_t& r = groups[g];
    ASSERT_TRUE(r.x1 <= r.x2 && r.z1 <= r.z2 && r.x1 >= 0 && r.z1 >= 0 && r.x2 < mapa_size_x && r.z2 < mapa_size_z);
    bool wall = mapa_v[map_index(r.x1, r.z1)] == cell_wall;
    int texture = mapa[map_index(r.x1, r.z1)];
    for (int x = r.x1; x <= r.x2; ++x)
      for (int z = r.z1; z <= r.z2; ++z) {
        ++covered[size_t(x) * size_t(mapa_size_z) + size_t(z)];
        ASSERT_EQ(mapa_g[map_index(x, z)], g);
        ASSERT_EQ(mapa_v[map_index(x, z)] == cell_wall, wall);
        ASSERT_EQ(mapa[map_index(x, z)], texture);
      }
  }
  for (int n : covered) ASSERT_EQ(n, 1);
}

// The rectangles the lm numbers name: inside the atlas, never sharing a
// texel, and of one density on every face (a face's own width and height).
void expect_lightmap_rectangles_apart(const std::string& level) {
  SCOPED_TRACE(level);
  std::vector<uint8_t> texels;
  int side = 0;
  ASSERT_TRUE(read_lightmap_file((level + "_lm.raw").c_str(), texels, side));
  ASSERT_TRUE(side >= 16 && side <= 2048 && (side & (side - 1)) == 0) << side;
  std::vector<uint8_t> taken(size_t(side) * size_t(side), 0);
  std::set<double> texels_per_cell, wall_rows;
  for (int g = 0; g < n_groups; ++g) {
    const group_t& r = groups[g];
    bool wall = mapa_v[map_index(r.x1, r.z1)] == cell_wall;
    for (int face = 0; face < (wall ? 3 : 1); ++face) {
      const float* lm = r.lm + 4 * face;
      double u0 = lm[0] * side, v0 = lm[1] * side, u1 = lm[2] * side, v1 = lm[3] * side;
      ASSERT_TRUE(u0 == std::floor(u0) && v0 == std::floor(v0) && u1 == std::floor(u1) && v1 == std::floor(v1));
      ASSERT_TRUE(0 <= u0 && u0 < u1 && u1 <= side && 0 <= v0 && v0 < v1 && v1 <= side) << "group " << g;
      int across = face == 0 ? r.x2 - r.x1 + 1 : r.z2 - r.z1 + 1;
      texels_per_cell.insert((u1 - u0) / across);
      if (wall)
        wall_rows.insert(v1 - v0);
      else
        texels_per_cell.insert((v1 - v0) / (r.z2 - r.z1 + 1));
      for (int v = int(v0); v < int(v1); ++v)
        for (int u = int(u0); u < int(u1); ++u) {
          uint8_t& t = taken[size_t(v) * size_t(side) + size_t(u)];
          ASSERT_EQ(t, 0) << "group " << g << " face " << face << " overlaps at " << u << "," << v;
          t = 1;
        }
    }
  }
  EXPECT_EQ(texels_per_cell.size(), 1u);
  EXPECT_LE(wall_rows.size(), 1u);
}

TEST_F(ForgedLevels, EveryLevelLoadsWithItsNamesGroupsAndLightmap) {
  std::vector<std::string> levels = campaign();
  levels.push_back(bench_level);
  for (const std::string& level : levels) {
    ASSERT_TRUE(load(level)) << level;
    expect_names_resolved(level);
    n_groups = 0;
    ASSERT_EQ(load_groups_vt(), 0) << level;
    EXPECT_GT(n_groups, 0);
    expect_groups_tile_the_map(level);
    expect_lightmap_rectangles_apart(level);
  }
}

TEST_F(ForgedLevels, TheCampaignRunsFromTheFirstLevelToTheVictory) {
  std::vector<std::string> chain = campaign();
  ASSERT_GE(chain.size(), 3u);
  EXPECT_EQ(std::string(c_next_filename), "last_level");
  EXPECT_EQ(std::set<std::string>(chain.begin(), chain.end()).size(), chain.size());
  EXPECT_EQ(std::find(chain.begin(), chain.end(), bench_level), chain.end());
  std::set<std::vector<float>> ambients;
  int bz2_only = 0;
  for (const std::string& level : chain) {
    ASSERT_TRUE(load(level));
    EXPECT_GE(mapa_endu, 1) << level;
    ambients.insert({c_ambient_light[0], c_ambient_light[1], c_ambient_light[2]});
    if (!fs::exists(level + "_lm.raw") && fs::exists(level + "_lm.raw.bz2")) ++bz2_only;
  }
  EXPECT_EQ(ambients.size(), chain.size()) << "every level has its own ambient colour";
  EXPECT_GE(bz2_only, 1);
}

TEST_F(ForgedLevels, TheCampaignPlacesEveryPlaceableThingAndEveryLockedDoorsKey) {
  std::set<std::string> placed_models, enemy_types;
  int locked_doors = 0, lights = 0;
  for (const std::string& level : campaign()) {
    SCOPED_TRACE(level);
    ASSERT_TRUE(load(level));
    lights += lightu;
    std::set<std::string> keys_needed, keys_here;
    for (int x = 0; x < mapa_size_x; ++x)
      for (int z = 0; z < mapa_size_z; ++z) {
        int m = mapa_m[map_index(x, z)];
        if (m == no_model) continue;
        placed_models.insert(model_d_list[m]);
        if (model_trigger[m] < 0) continue;
        const trigger_t& t = trigger_prototype[model_trigger[m]];
        if (trigger_is_locked_door(t)) {
          keys_needed.insert(t.text[trigger_text_name]);
          ++locked_doors;
        }
        if (t.kind == trigger_key) keys_here.insert(t.text[trigger_text_name]);
      }
    for (const std::string& key : keys_needed) EXPECT_TRUE(keys_here.count(key)) << "key " << key;
    for (int k = 0; k < impu; ++k) enemy_types.insert(imp_prototype[imp[k].type].name);
  }
  // Items, doors and props are placeable; characters, held weapons and menu
  // models are not.
  for (int j = 0; j < modelu; ++j) {
    std::string name = model_d_list[j];
    bool placeable = name.find("/items/") != std::string::npos || name.find("/doors/") != std::string::npos ||
                     name.find("/props/") != std::string::npos;
    if (placeable) {
      EXPECT_TRUE(placed_models.count(name)) << name << " appears in no level";
    }
  }
  for (int j = 0; j <= impu_prototype; ++j) {
    EXPECT_TRUE(enemy_types.count(imp_prototype[j].name)) << imp_prototype[j].name;
  }
  EXPECT_GE(locked_doors, 1);
  EXPECT_GE(lights, 10);
}

// The forge's own check (levels/level_reach.h) on the level as the game loaded it:
// the player's real footprint, doors, and keys taken on the way.
TEST_F(ForgedLevels, EveryLevelCanBeSolvedAndTheCampaignNeedsAKey) {
  int levels_behind_a_key = 0;
  std::set<int> kinds_reached;
  for (const std::string& level : campaign()) {
    SCOPED_TRACE(level);
    ASSERT_TRUE(load(level));
    player_reach r = check_player_reach(KelMapLoader.start_x, KelMapLoader.start_z);
    EXPECT_TRUE(r.exit_reached);
    EXPECT_TRUE(r.warnings.empty()) << r.warnings[0];
    levels_behind_a_key += r.exit_needs_a_key;
    for (int i = 0; i < map_cells; ++i)
      if (r.touched[size_t(i)] && mapa_ip[i] >= 0 && mapa_ip[i] < triggeru) kinds_reached.insert(trigger[mapa_ip[i]].kind);
  }
  EXPECT_GE(levels_behind_a_key, 1);
  for (int kind : {trigger_weapon, trigger_medikit, trigger_ammo, trigger_key})
    EXPECT_TRUE(kinds_reached.count(kind)) << "no item of kind " << kind << " to find";
}

TEST_F(ForgedLevels, TheBenchmarkLevelIsLargeAndBusy) {
  ASSERT_TRUE(load(bench_level));
  EXPECT_EQ(mapa_size_x, 255);
  EXPECT_EQ(mapa_size_z, 255);
  EXPECT_GE(lightu, 900);
  EXPECT_EQ(impu, 500);
  int doors = 0;
  for (int t = 0; t < triggeru; ++t) doors += trigger[t].kind == trigger_door;
  EXPECT_GE(doors, 200);
  ASSERT_EQ(load_groups_vt(), 0);
  EXPECT_GE(n_groups, 2000);
}

}  // namespace
