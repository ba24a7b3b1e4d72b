#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapons.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "content/models.h"
#include "core/game_state.h"
#include "core/triggers.h"
#include "support/level_builder.h"
#include "support/test_sounds.h"
#include "world/map_grid.h"

namespace {

const char* const door_sound = "data/sound/door.wav";
const char* const pickup_sound = "data/sound/pickup.wav";
const char* const no_key_sound = "data/sound/locked.wav";

player_t& live() { return players[player_id]; }

void set_text(trigger_t& t, int slot, const std::string& text) {
  std::snprintf(t.text[slot], trigger_text_capacity, "%s", text.c_str());
}

// A trigger record at cell (x, z), reached from that cell only.
int place(int32_t kind, int x, int z) {
  int t = triggeru++;
  trigger[t] = trigger_t{};
  trigger[t].kind = kind;
  trigger[t].pickable = kind != trigger_door;
  set_text(trigger[t], trigger_text_message, no_trigger_message);
  set_text(trigger[t], trigger_text_sound, kind == trigger_door ? door_sound : pickup_sound);
  mapa_ip[map_index(x, z)] = t;
  mapa_m[map_index(x, z)] = 7;
  return t;
}

int place_door(int x, int z, float seconds, const char* key = nullptr) {
  int t = place(trigger_door, x, z);
  trigger[t].value[0][0] = seconds;
  if (key) {
    set_text(trigger[t], trigger_text_name, key);
    trigger[t].value[0][2] = 1.0f;
  }
  return t;
}

int place_item(int32_t kind, int x, int z, const char* name, float amount = 0, float limit = 0) {
  int t = place(kind, x, z);
  set_text(trigger[t], trigger_text_name, name);
  trigger[t].value[0][0] = amount;
  trigger[t].value[0][1] = limit;
  return t;
}

// One game frame's trigger step with the player in the middle of cell (x, z).
void frame_at(int x, int z) {
  live().x = x + 0.5f;
  live().z = z + 0.5f;
  process_triggers();
}

bool still_lies_at(int t, int x, int z) {
  return trigger[t].pickable && mapa_ip[map_index(x, z)] == t && mapa_m[map_index(x, z)] != no_model;
}

class Triggers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_sounds({door_sound, pickup_sound, no_key_sound}); }
  static void TearDownTestSuite() { close_test_sounds(); }
  void SetUp() override {
    Console.process_commands();
    clear_world();
    mapa_size_x = mapa_size_z = 16;
    live() = player_t{};
    live().health = 100;
    std::memset(weapon, 0, sizeof weapon);
    weaponu = 0;
    std::snprintf(c_snd_adsnk, sizeof c_snd_adsnk, "%s", no_key_sound);
    forget_keys();
    no_key_alarm = 0;
    motion_mix = 0.01f;
    for (const char* s : {door_sound, pickup_sound, no_key_sound}) played(s);
  }
  void TearDown() override {
    Console.process_commands();
    motion_mix = 0.1f;
  }

};

// The no-key sound sounds once per contact: stepping off every trigger or
// onto an unlocked door starts a new contact, an item cell does not; the key
// unlocks the door for good.
TEST_F(Triggers, LockedDoorAlarmsOncePerContactUntilItsKeyIsFound) {
  int locked = place_door(2, 2, 0.5f, "brass_key");
  int medikit = place_item(trigger_medikit, 4, 2, "", 25, 100);  // full health: it stays
  place_door(6, 2, 0.5f);
  place_item(trigger_key, 10, 2, "brass_key");
  struct step {
    int x;
    bool no_key_sound;
  };
  const step walk[] = {{2, true},  {2, false}, {8, false}, {2, true}, {4, false}, {2, false},
                       {6, false}, {2, true},  {10, false}, {2, false}, {2, false}};
  for (const step& s : walk) {
    SCOPED_TRACE(s.x);
    frame_at(s.x, 2);
    EXPECT_EQ(played(no_key_sound), s.no_key_sound);
  }
  EXPECT_EQ(trigger[locked].value[0][2], 0.0f);
  EXPECT_GT(trigger[locked].value[0][1], 0.0f);  // opening
  EXPECT_TRUE(still_lies_at(medikit, 4, 2));
  ASSERT_EQ(t_keyu, 1);
  EXPECT_STREQ(t_keys[0], "brass_key");
}

// The key table keeps 256 names of 31 characters; a door is matched against
// its key name cut the same way.
TEST_F(Triggers, KeyTableKeepsTheFirst256KeysCutTo31Characters) {
  const std::string long_key(40, 'k');
  struct row {
    int held_before;
    std::string key, door_key;
    int keys_after;
    bool opens;
  };
  const row rows[] = {
      {0, "brass_key", "brass_key", 1, true},
      {0, "brass_key", "iron_key", 1, false},
      {0, long_key, long_key, 1, true},
      {255, "brass_key", "brass_key", 256, true},
      {256, "brass_key", "brass_key", 256, false},  // the 257th is picked up but not kept
      {256, "key_0", "key_0", 256, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.key + " after " + std::to_string(r.held_before));
    SetUp();
    for (int i = 0; i < r.held_before; ++i) std::snprintf(t_keys[i], key_name_capacity, "key_%d", i);
    t_keyu = r.held_before;
    int key = place_item(trigger_key, 3, 3, r.key.c_str());
    int door = place_door(5, 5, 1.0f, r.door_key.c_str());
    frame_at(3, 3);
    EXPECT_FALSE(still_lies_at(key, 3, 3));
    EXPECT_TRUE(played(pickup_sound));
    ASSERT_EQ(t_keyu, r.keys_after);
    EXPECT_LE(std::strlen(t_keys[t_keyu - 1]), size_t(key_name_capacity - 1));
    frame_at(5, 5);
    EXPECT_EQ(trigger[door].value[0][2] == 0.0f, r.opens);
  }
}

// The pistol: magazine 12, max_ammo 96.
TEST_F(Triggers, ItemsAreTakenOnlyWhenThePlayerCanUseThem) {
  struct row {
    const char* what;
    int32_t kind;
    const char* name;
    float amount, limit;
    int health, ammo, reserve;  // before
    bool taken;
    int health_after, ammo_after, reserve_after;
  };
  const row rows[] = {
      {"empty magazine, full reserve", trigger_weapon, "pistol", 0, 0, 100, 0, 96, true, 100, 12, 84},
      {"weapon adds a magazine", trigger_weapon, "pistol", 0, 0, 100, 5, 10, true, 100, 5, 22},
      {"weapon when full", trigger_weapon, "pistol", 0, 0, 100, 12, 84, false, 100, 12, 84},
      {"unknown weapon", trigger_weapon, "railgun", 0, 0, 100, 0, 0, false, 100, 0, 0},
      {"medikit at 90", trigger_medikit, "", 25, 100, 90, 0, 0, true, 100, 0, 0},
      {"medikit at 100", trigger_medikit, "", 25, 100, 100, 0, 0, false, 100, 0, 0},
      {"medikit of -25", trigger_medikit, "", -25, 100, 50, 0, 0, true, 50, 0, 0},
      {"medikit limit -10", trigger_medikit, "", 25, -10, 50, 0, 0, false, 50, 0, 0},
      {"medikit on a body", trigger_medikit, "", 25, 100, 0, 0, 0, false, 0, 0, 0},
      {"ammunition cut", trigger_ammo, "pistol", 24, 0, 100, 12, 70, true, 100, 12, 84},
      {"ammunition of 0", trigger_ammo, "pistol", 0, 0, 100, 12, 0, true, 100, 12, 0},
      {"ammunition of -5", trigger_ammo, "pistol", -5, 0, 100, 12, 3, true, 100, 12, 3},
      {"ammunition when full", trigger_ammo, "pistol", 24, 0, 100, 12, 84, false, 100, 12, 84},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    SetUp();
    live().health = r.health;
    weapon_t& pistol = weapon[weaponu++];
    std::snprintf(pistol.name, sizeof pistol.name, "pistol");
    pistol.ammo = r.ammo, pistol.reserve = r.reserve, pistol.magazine = 12, pistol.max_ammo = 96;
    int t = place_item(r.kind, 7, 8, r.name, r.amount, r.limit);
    frame_at(7, 8);
    EXPECT_EQ(!still_lies_at(t, 7, 8), r.taken);
    EXPECT_EQ(played(pickup_sound), r.taken);
    EXPECT_EQ(live().health, r.health_after);
    EXPECT_EQ(pistol.ammo, r.ammo_after);
    EXPECT_EQ(pistol.reserve, r.reserve_after);
    EXPECT_EQ(pistol.owned != 0, r.taken && r.kind == trigger_weapon);
  }
}

// Doors move by motion_mix / opening time while someone stands where the door
// is reached, and back when nobody does; the door sound marks each start.
TEST_F(Triggers, DoorsOpenWhilePushedAndCloseAfter) {
  enum pusher { nobody, player, live_enemy, dead_enemy };
  struct row {
    const char* what;
    float seconds, frame_time, before;
    pusher who;
    bool locked;
    float after;
    bool sound;
  };
  const row rows[] = {
      {"starts to open", 0.8f, 0.2f, 0.0f, player, false, 0.25f, true},
      {"stops when open", 0.8f, 0.4f, 0.75f, player, false, 1.0f, false},
      {"starts to close", 0.8f, 0.2f, 1.0f, nobody, false, 0.75f, true},
      {"time 0 opens at once", 0.0f, 0.016f, 0.0f, player, false, 1.0f, true},
      {"time 0 closes at once", 0.0f, 0.016f, 1.0f, nobody, false, 0.0f, true},
      {"negative time opens at once", -2.0f, 0.016f, 0.0f, player, false, 1.0f, true},
      {"an enemy opens it", 1.0f, 0.25f, 0.5f, live_enemy, false, 0.75f, false},
      {"a dead enemy keeps it open", 1.0f, 0.25f, 1.0f, dead_enemy, false, 1.0f, false},
      {"enemies open locked doors", 1.0f, 0.25f, 0.0f, live_enemy, true, 0.25f, true},
      {"the player does not, keyless", 1.0f, 0.25f, 0.0f, player, true, 0.0f, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    SetUp();
    motion_mix = r.frame_time;
    int door = place_door(5, 5, r.seconds, r.locked ? "brass_key" : nullptr);
    mapa_ip[map_index(5, 6)] = door;  // the cell in front reaches it too
    trigger[door].value[0][1] = r.before;
    impu = r.who == live_enemy || r.who == dead_enemy;
    imp[0] = imp_t{};
    imp[0].x = 5.5f;
    imp[0].z = r.who == dead_enemy ? 5.5f : 6.5f;  // a body on the door, the living in front
    imp[0].anim_state = r.who == dead_enemy ? imp_dying : imp_walking;
    frame_at(r.who == player ? 5 : 1, r.who == player ? 6 : 1);
    EXPECT_FLOAT_EQ(trigger[door].value[0][1], r.after);
    EXPECT_EQ(played(door_sound), r.sound);
    EXPECT_EQ(trigger[door].open_request, 0);
  }
}

// The message is queued every frame on the trigger (cut to what a command
// holds, whatever the record holds) and then shows with spaces for
// underscores; "NOMESSAGE_TRIGGER" leaves the line alone.
TEST_F(Triggers, TheTriggersMessageShowsWhileThePlayerStandsOnIt) {
  const std::string unterminated(trigger_text_capacity, 'x');
  struct row {
    std::string message, shown;
  };
  const row rows[] = {
      {"Mosazny_klic/Brass_key", "Mosazny klic/Brass key"},
      {no_trigger_message, "before"},
      {unterminated, std::string(command_text_capacity - 1 - 8, 'x')},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.message.substr(0, 30));
    SetUp();
    Console.add_message("before");
    int t = place_door(2, 2, 1.0f);
    std::memcpy(trigger[t].text[trigger_text_message], r.message.data(),
                std::min(r.message.size() + 1, size_t(trigger_text_capacity)));
    frame_at(2, 2);
    Console.process_commands();
    EXPECT_EQ(std::string(Console.message), r.shown);
    EXPECT_FLOAT_EQ(Console.message_time, message_show_seconds);
    frame_at(3, 3);
    EXPECT_EQ(Console.queued(), 0);
  }
}

// Indices and counts that do not fit the tables are never followed: an index
// past the triggers in use counts as no trigger at all.
TEST_F(Triggers, TriggerIndicesOutsideTheTableAreNoTriggers) {
  struct row {
    int count, index;
    bool reached;
  };
  const row rows[] = {{3, 2, true}, {3, 3, false}, {3, 511, false}, {3, -7, false}, {-5, 0, false},
                      {trigger_capacity + 40, trigger_capacity, false}};
  for (const row& r : rows) {
    SCOPED_TRACE(std::to_string(r.count) + " " + std::to_string(r.index));
    SetUp();
    for (int t = 0; t < trigger_capacity; ++t) {
      trigger[t] = trigger_t{};
      trigger[t].kind = trigger_door;
      trigger[t].value[0][0] = 1.0f;
    }
    triggeru = r.count;
    impu = 1;
    imp[0] = imp_t{};
    imp[0].x = imp[0].z = 2.5f;  // pushes whatever the cell reaches, too
    mapa_ip[map_index(2, 2)] = r.index;
    no_key_alarm = 1;
    frame_at(2, 2);
    EXPECT_EQ(no_key_alarm, 0);
    EXPECT_EQ(Console.queued(), r.reached ? 1 : 0);
    int moved = 0;
    for (const trigger_t& t : trigger) moved += t.value[0][1] != 0.0f;
    EXPECT_EQ(moved, r.reached ? 1 : 0);
  }
}

}  // namespace
