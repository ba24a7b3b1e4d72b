// The player: one record of `players`. Record 16 holds the definition read from
// data/player; record `player_id` is the live player every other module uses.
#pragma once
#include <cstdint>

constexpr int player_slots = 17;
constexpr int player_definition_slot = 16;
constexpr int player_name_capacity = 256;
constexpr int32_t player_start_health = 100;

// Body animation states.
constexpr int32_t player_walking = 0;
constexpr int32_t player_standing = 1;
constexpr int32_t player_dying = 3;

// Savegames store parts of this record field by field; keep the order.
struct player_t {
  int32_t model;         // model table index
  int32_t texture;       // texture list index: normal skin
  int32_t texture_pain;  // skin while health <= health_pain
  int32_t health_pain;
  int32_t weapon;  // index into `weapon`
  int32_t anim_state;
  int32_t frame;       // frame being moved to
  int32_t prev_frame;  // frame being moved from
  float interpol;      // 0 <= interpol < 1 between prev_frame and frame
  int32_t anim_stop[2];   // first and last frame: standing
  int32_t anim_chuze[2];  // walking
  int32_t anim_utok[2];   // attack (stored only)
  int32_t anim_smrt[2];   // death
  char sound_pain[player_name_capacity];
  char sound_death[player_name_capacity];
  float x, z;
  float uhel;  // degrees; 0 faces decreasing z, 90 decreasing x
  float speed;
  float light;  // brightness sample at the player's cell
  float light_r, light_g, light_b;
  int32_t health;
};

extern player_t players[player_slots];
// The live record; 0 in play, stored by savegames.
extern int player_id;

// Reads data/player into the definition slot. A missing file is not reported.
void load_player();

// Start-up, after the weapons, the player and the enemy types are loaded: a
// definition without speed walks at 1.0, and the live player starts as a copy
// of the definition with full health.
void init_live_player();
