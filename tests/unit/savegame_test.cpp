#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapons.h"
#include "base/file_replace.h"
#include "base/loading_log.h"
#include "core/level_loading.h"
#include "core/savegame.h"
#include "core/triggers.h"
#include "effects/marks.h"
#include "level/kel_map.h"
#include "support/level_builder.h"
#include "support/scratch_dir.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

namespace {

std::string read_bytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const char* path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

constexpr const char* level = "data/maps/s";
constexpr const char* save_path = "data/savegame/s1";

// The sample level on disk, loaded, with a played game on top: a door
// opened, an item taken, a key held, an enemy hurt, a mark made.
class Savegame : public ::testing::Test {
 protected:
  void SetUp() override {
    clear_world();
    fill_sample_level(KelMapLoader);
    ASSERT_TRUE(ensure_folder("data/maps"));
    ASSERT_EQ(KelMapLoader.save_pack_l(level), 0);
    weaponu = 2;
    std::snprintf(mapa_filename, sizeof mapa_filename, "%s", level);
    ASSERT_TRUE(load_level(false));
    players[player_id] = {};
    players[player_id].x = 3.25f, players[player_id].z = 2.5f, players[player_id].uhel = 45.0f;
    players[player_id].health = 61, players[player_id].weapon = 1;
    trigger[0].value[0][1] = 1.0f;  // the door stands open
    kill_item_at(4, 2);
    forget_keys();
    std::strcpy(t_keys[0], "brass");
    t_keyu = 1;
    weapon[1].ammo = 5, weapon[1].reserve = 17;
    imp[1].health = 7, imp[1].x = 2.5f, imp[1].alert = 1;
    mark[0] = {1, mark_facing_x, 12.0f, 0.5f, 0.9f, 0.0f, 0.1f, 3.0f, 1.0f, 2.0f};
    marku = 1;
  }
  void TearDown() override {
    weaponu = 0;
    marku = 0;
  }
  static void kill_item_at(int x, int z) {
    mapa_m[map_index(x, z)] = no_model;
    mapa_ip[map_index(x, z)] = no_trigger;
  }
  // Back to the level as freshly loaded.
  void reload_fresh() {
    weapon[1].ammo = weapon[1].reserve = 0;
    forget_keys();
    marku = 0;
    ASSERT_TRUE(load_level(false));
  }
  scratch_dir dir_;
};

TEST_F(Savegame, SavingAndReadingBackRestoresThePlayedGame) {
  ASSERT_EQ(savegame.save(save_path), 0);
  reload_fresh();
  ASSERT_EQ(savegame.load(save_path), 0);
  const player_t& p = players[player_id];
  EXPECT_FLOAT_EQ(p.x, 3.25f);
  EXPECT_FLOAT_EQ(p.z, 2.5f);
  EXPECT_FLOAT_EQ(p.uhel, 45.0f);
  EXPECT_EQ(p.health, 61);
  EXPECT_EQ(p.weapon, 1);
  EXPECT_FLOAT_EQ(trigger[0].value[0][1], 1.0f);
  EXPECT_EQ(mapa_m[map_index(4, 2)], no_model);
  EXPECT_EQ(mapa_ip[map_index(4, 2)], no_trigger);
  ASSERT_EQ(t_keyu, 1);
  EXPECT_STREQ(t_keys[0], "brass");
  EXPECT_EQ(weapon[1].ammo, 5);
  EXPECT_EQ(weapon[1].reserve, 17);
  ASSERT_EQ(impu, 2);
  EXPECT_EQ(imp[1].health, 7);
  EXPECT_FLOAT_EQ(imp[1].x, 2.5f);
  EXPECT_EQ(imp[1].alert, 1);
  ASSERT_EQ(marku, 1);
  EXPECT_EQ(mark[0].alive, 1);
  EXPECT_FLOAT_EQ(mark[0].life, 12.0f);
  EXPECT_FLOAT_EQ(mark[0].x, 3.0f);
  EXPECT_FLOAT_EQ(mark[0].z, 2.0f);
}

// The byte layout: the level path and a space, "DATA", then fixed-size
// records, so the format cannot drift.
TEST_F(Savegame, FileLayoutFollowsTheSectionTable) {
  ASSERT_EQ(savegame.save(save_path), 0);
  std::string b = read_bytes(save_path);
  size_t at = std::strlen(level) + 1;
  EXPECT_EQ(b.substr(0, at), std::string(level) + " ");
  EXPECT_EQ(b.substr(at, 4), "DATA");
  at += 4 + 4;                   // marker, player_id
  EXPECT_EQ(b[at], 61);          // health, first field of the player
  at += 9 * 4 + 3 * 4;           // the player, the view weapon
  at += 12 * 6 * 4;              // three layers of the 6 x 4 level
  EXPECT_EQ(b[at], 2);           // triggers: the door and the medikit
  at += 4 + 2 * 5127;
  EXPECT_EQ(b[at], 1);           // one key
  EXPECT_EQ(b.substr(at + 4, 7), "brass K");
  at += 4 + 7;
  EXPECT_EQ(b[at], 2);           // two weapons
  at += 4 + 2 * 8;
  EXPECT_EQ(b[at], 2);           // two enemies
  at += 4 + 2 * 67;
  EXPECT_EQ(b[at], 1);           // one mark
  EXPECT_EQ(b.size(), at + 4 + 37);
}

// Counts beyond their tables, a broken key list and a file cut anywhere stop
// reading there: no write past a table, what was read stays.
TEST_F(Savegame, DamagedFilesStopAtTheDamage) {
  ASSERT_EQ(savegame.save(save_path), 0);
  const std::string good = read_bytes(save_path);
  size_t triggers_at = std::strlen(level) + 1 + 8 + 48 + 288;
  size_t key_end_at = triggers_at + 4 + 2 * 5127 + 4 + 6;
  struct {
    const char* what;
    size_t at;
    char byte;
    int reserve;  // weapon 1's reserve afterwards: 17 when read before the damage
  } damage[] = {{"triggers", triggers_at + 1, 0x7f, 0}, {"key list", key_end_at, 'X', 0},
                {"weapons", key_end_at + 1, 0x40, 0}, {"enemies", key_end_at + 1 + 20, -1, 17}};
  for (const auto& d : damage) {
    std::string bad = good;
    bad[d.at] = d.byte;
    write_bytes(save_path, bad);
    reload_fresh();
    EXPECT_EQ(savegame.load(save_path), 0) << d.what;
    EXPECT_NE(std::strstr(_loaded[0], "FAILED"), nullptr) << d.what;
    EXPECT_EQ(players[player_id].health, 61) << d.what;  // read before the damage
    EXPECT_EQ(weapon[1].reserve, d.reserve) << d.what;
  }
  for (size_t cut = 0; cut < good.size(); cut += 97) {
    write_bytes(save_path, good.substr(0, cut));
    reload_fresh();
    EXPECT_EQ(savegame.load(save_path), 0) << cut;
    EXPECT_LE(triggeru, trigger_capacity);
    EXPECT_LE(impu, imp_capacity);
  }
  write_bytes(save_path, "data/maps/gone DATA");
  EXPECT_EQ(savegame.load(save_path), savegame_level_missing);
}

// The new file replaces the old one whole: a write that cannot finish keeps
// the previous save and says so.
TEST_F(Savegame, FailedWriteKeepsThePreviousSave) {
  ASSERT_EQ(savegame.save(save_path), 0);
  const std::string before = read_bytes(save_path);
  std::string blocker = std::string(save_path) + ".new." + std::to_string(getpid());
  ASSERT_EQ(mkdir(blocker.c_str(), 0755), 0);
  std::string blocker_child = blocker + "/x";
  write_bytes(blocker_child.c_str(), "x");  // a folder that cannot be unlinked
  players[player_id].health = 5;
  EXPECT_EQ(savegame.save(save_path), 1);
  EXPECT_STREQ(_loaded[0], "SAVE GAME - FAILED!");
  EXPECT_EQ(read_bytes(save_path), before);
  EXPECT_EQ(savegame.load("data/savegame/none"), 1);
  EXPECT_STREQ(_loaded[0], "LOAD GAME - FAILED!");
}

}  // namespace
