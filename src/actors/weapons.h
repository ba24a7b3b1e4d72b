// Weapon definitions from data/weapons, joined with the one player's stock of
// each weapon. Weapon indices are positions in the file.
#pragma once
#include <cstdint>

constexpr int weapon_capacity = 20;
constexpr int weapon_name_capacity = 256;

// Savegames store `ammo` and `reserve`; keep the field order.
struct weapon_t {
  uint8_t owned;      // picked up
  uint8_t fire_loop;  // the fire animation loops while the trigger is held
  char name[weapon_name_capacity];
  char model_name[weapon_name_capacity];
  char texture[weapon_name_capacity];
  char hud_texture[weapon_name_capacity];
  int32_t model;  // model table index
  char sound_fire[weapon_name_capacity];
  char sound_reload[weapon_name_capacity];
  int32_t shoot_delay;    // ms between shots
  int32_t reload1_delay;  // ms: reload start
  int32_t reload2_delay;  // ms per reload step
  int32_t reload3_delay;  // ms: reload end
  int32_t shells;         // pellets per shot
  int32_t damage;
  int32_t ammo;  // cartridges in the magazine
  int32_t magazine;
  int32_t reserve;  // cartridges carried outside the magazine
  int32_t max_ammo;
  int32_t bullet_speed;
  int32_t ammo_reload;  // cartridges per reload step
  int32_t anim_fire[2];
  int32_t anim_reload1[2];
  int32_t anim_reload2[2];
  int32_t anim_reload3[2];
  int32_t anim_death[2];
};

extern weapon_t weapon[weapon_capacity];
extern int weaponu;
// The empty-magazine click for every weapon, and a locked door without its key.
extern char c_snd_awsem[weapon_name_capacity];
extern char c_snd_adsnk[weapon_name_capacity];

// Reads data/weapons. When it cannot be opened a message box says so and the
// table keeps what it held.
void load_weapons();

// The cheat's fill: every weapon owned, its magazine full and all the rest of
// its cartridges in reserve.
void fill_every_weapon();
