// Enemy types from data/enemy, and the enemies of the current level.
#pragma once
#include <cstdint>

constexpr int imp_prototype_capacity = 256;
constexpr int imp_capacity = 500;
constexpr int imp_name_capacity = 256;

struct imp_prototype_t {
  char name[imp_name_capacity];  // maps may name types by it
  int32_t health;
  int32_t health_pain;  // pain skin while health <= this
  float speed;          // cells per second
  int32_t texture;      // texture list index
  int32_t model;        // model table index
  int32_t texture_pain;
  int32_t anim_stop[2];
  int32_t anim_chuze[2];
  int32_t anim_utok[2];
  int32_t anim_smrt[2];
  int32_t shoot_delay;    // ms: attack period and aim refresh
  int32_t shoot_delay_2;  // ms from the aim refresh to the shot
  int32_t damage;         // per pellet
  float range;            // cells
  int32_t shells;         // pellets per shot
  char sound_sight[imp_name_capacity];
  char sound_shoot[imp_name_capacity];
  char sound_pain[imp_name_capacity];
  char sound_death[imp_name_capacity];
};

// Enemy animation states.
constexpr int32_t imp_walking = 0;
constexpr int32_t imp_standing = 1;
constexpr int32_t imp_attacking = 2;
constexpr int32_t imp_dying = 3;

// Savegames store this record field by field; keep the order.
struct imp_t {
  int32_t type;  // index into imp_prototype
  float x, z;
  int32_t cell_x, cell_z;
  float target_x, target_z;  // where the player was last seen
  int32_t health;
  uint8_t alert;
  uint8_t visible;
  float uhel;        // body angle; 180 faces decreasing z
  float shoot_uhel;  // aim angle for shots
  float light, light_r, light_g, light_b;
  int32_t anim_state;
  int32_t frame, prev_frame;
  float interpol;
  int32_t reserved;  // unused word that savegames carry after interpol
  float shot_tick;   // tick of the last aim refresh
  int32_t attacking;
  float think_time;  // seconds to the next attack decision
  uint8_t shot_done;
};

extern imp_prototype_t imp_prototype[imp_prototype_capacity];
// Index of the last type being filled: the number of <next_enemy_type> tags read.
extern int impu_prototype;
extern imp_t imp[imp_capacity];
extern int impu;

// Reads data/enemy. A missing file is not reported.
void load_imp_prototype();
