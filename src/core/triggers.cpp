#include "core/triggers.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapons.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "content/models.h"
#include "core/game_state.h"  // no_key_alarm
#include "sound/sound_bank.h"
#include "world/map_grid.h"

char t_keys[key_capacity][key_name_capacity];
int t_keyu = 0;

void forget_keys() { t_keyu = 0; }

static int trigger_rows() { return table_rows(triggeru, trigger_capacity); }

// A text slot as a terminated string, whatever the record holds: a record
// read from a file may fill a slot to its last byte.
static const char* text_of(const trigger_t& t, int slot, char (&out)[trigger_text_capacity]) {
  std::snprintf(out, sizeof out, "%.*s", static_cast<int>(trigger_text_capacity - 1), t.text[slot]);
  return out;
}

// A key name as the key table holds it, so that a door names its key the
// same way even when the name is longer than an entry.
static void key_entry(const char* name, char (&entry)[key_name_capacity]) {
  std::snprintf(entry, sizeof entry, "%.*s", key_name_capacity - 1, name);
}

// A trigger amount in whole units: truncated, NaN as none, and kept within
// what the int fields it is added to can take.
static int whole(float v) {
  if (!(v > -1e9f)) return v < 0 ? -1000000000 : 0;
  if (v > 1e9f) return 1000000000;
  return static_cast<int>(v);
}

static weapon_t* weapon_named(const char* name) {
  int rows = table_rows(weaponu, weapon_capacity);
  for (int i = 0; i < rows; ++i)
    if (std::strncmp(weapon[i].name, name, weapon_name_capacity) == 0) return &weapon[i];
  return nullptr;
}

static bool carries_max_ammo(const weapon_t& w) { return int64_t(w.ammo) + w.reserve >= w.max_ammo; }

// Adds cartridges to the reserve, then cuts it so the weapon holds at most
// max_ammo in all; never below none (a magazine larger than max_ammo).
static void add_reserve(weapon_t& w, int64_t extra) {
  int64_t reserve = int64_t(w.reserve) + extra;
  int64_t room = int64_t(w.max_ammo) - w.ammo;
  if (reserve > room) reserve = room;
  if (reserve > INT32_MAX) reserve = INT32_MAX;
  w.reserve = static_cast<int32_t>(reserve < 0 ? 0 : reserve);
}

static bool player_holds_key_for(const trigger_t& door) {
  char text[trigger_text_capacity], wanted[key_name_capacity];
  key_entry(text_of(door, trigger_text_name, text), wanted);
  int keys = table_rows(t_keyu, key_capacity);
  for (int i = 0; i < keys; ++i)
    if (std::strncmp(t_keys[i], wanted, key_name_capacity) == 0) return true;
  return false;
}

bool door_opens_for_player(const trigger_t& door) {
  return !trigger_is_locked_door(door) || player_holds_key_for(door);
}

static void push_door(trigger_t& door) {
  if (!trigger_is_locked_door(door)) {
    no_key_alarm = 0;
    door.open_request = 1;
    return;
  }
  if (player_holds_key_for(door)) {
    no_key_alarm = 0;
    door.value[0][2] = 0.0f;  // unlocked for good; the key stays collected
    door.open_request = 1;
  }
  if (!no_key_alarm && trigger_is_locked_door(door)) Sound.Play(c_snd_adsnk);
  no_key_alarm = 1;
}

// Each item returns whether it was taken; one the player cannot use yet stays.
static bool take_weapon(const trigger_t& item) {
  char name[trigger_text_capacity];
  weapon_t* w = weapon_named(text_of(item, trigger_text_name, name));
  if (!w) return false;
  if (w->ammo == 0) {
    w->ammo = w->magazine;
    add_reserve(*w, 0);
  } else if (carries_max_ammo(*w)) {
    return false;
  } else {
    add_reserve(*w, w->magazine);
  }
  w->owned = 1;
  return true;
}

static bool take_medikit(const trigger_t& item, player_t& player) {
  int limit = whole(item.value[0][1]);
  if (player.health >= limit) return false;
  int amount = whole(item.value[0][0]);
  int64_t health = int64_t(player.health) + (amount > 0 ? amount : 0);  // a medikit never hurts
  player.health = static_cast<int32_t>(health < limit ? health : limit);
  return true;
}

static bool take_ammo(const trigger_t& item) {
  char name[trigger_text_capacity];
  weapon_t* w = weapon_named(text_of(item, trigger_text_name, name));
  if (!w || carries_max_ammo(*w)) return false;
  int amount = whole(item.value[0][0]);
  add_reserve(*w, amount > 0 ? amount : 0);
  return true;
}

// Past the table's capacity a key is still taken off the floor but not kept.
static bool take_key(const trigger_t& item) {
  int keys = table_rows(t_keyu, key_capacity);
  if (keys < key_capacity) {
    char name[trigger_text_capacity];
    key_entry(text_of(item, trigger_text_name, name), t_keys[keys]);
    t_keyu = keys + 1;
  }
  return true;
}

static bool take_item(const trigger_t& item, player_t& player) {
  switch (item.kind) {
    case trigger_weapon: return take_weapon(item);
    case trigger_medikit: return take_medikit(item, player);
    case trigger_ammo: return take_ammo(item);
    case trigger_key: return take_key(item);
    default: return false;
  }
}

static void player_contact() {
  if (!in_table(player_id, player_slots)) return;
  player_t& player = players[player_id];
  int t = test_map_ip(player.x, player.z);
  if (!in_table(t, trigger_rows())) {
    no_key_alarm = 0;
    return;
  }
  trigger_t& trigger_here = trigger[t];
  char text[trigger_text_capacity], command[command_text_capacity];
  std::snprintf(command, sizeof command, "message:%.*s", static_cast<int>(command_text_capacity - 9),
                text_of(trigger_here, trigger_text_message, text));
  Console.add_command(command);
  if (trigger_here.kind == trigger_door) {
    push_door(trigger_here);
    return;
  }
  // A body lying on a medikit is not brought back by it.
  if (player.health <= 0 || !take_item(trigger_here, player)) return;
  Sound.Play(text_of(trigger_here, trigger_text_sound, text));
  kill_trigger_plpos(t);
}

static void enemies_at_doors() {
  int enemies = table_rows(impu, imp_capacity);
  for (int k = 0; k < enemies; ++k) {
    int t = test_map_ip(imp[k].x, imp[k].z);
    if (in_table(t, trigger_rows()) && trigger[t].kind == trigger_door) trigger[t].open_request = 1;
  }
}

// A door opens over value[0][0] seconds while pushed and closes as long again
// after; an opening time of 0 or less (or none at all) moves it at once.
static void move_door(trigger_t& door) {
  char sound[trigger_text_capacity];
  float seconds = door.value[0][0];
  float step = seconds > 0.0f ? motion_mix / seconds : 1.0f;
  float& open = door.value[0][1];
  if (!(open >= 0.0f)) open = 0.0f;
  if (open > 1.0f) open = 1.0f;
  if (door.open_request) {
    if (open == 0.0f) Sound.Play(text_of(door, trigger_text_sound, sound));
    open = open + step < 1.0f ? open + step : 1.0f;
  } else {
    if (open == 1.0f) Sound.Play(text_of(door, trigger_text_sound, sound));
    open = open - step > 0.0f ? open - step : 0.0f;
  }
  door.open_request = 0;
}

void process_triggers() {
  player_contact();
  enemies_at_doors();
  int rows = trigger_rows();
  for (int t = 0; t < rows; ++t)
    if (trigger[t].kind == trigger_door) move_door(trigger[t]);
}

void kill_trigger_plpos(int t) {
  if (in_table(player_id, player_slots)) {
    int x = static_cast<int>(players[player_id].x), z = static_cast<int>(players[player_id].z);
    if (in_layer(x, z)) {
      mapa_m[map_index(x, z)] = no_model;
      mapa_ip[map_index(x, z)] = no_trigger;
    }
  }
  if (in_table(t, trigger_rows())) trigger[t].pickable = 0;
}
