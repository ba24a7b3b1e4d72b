// The view weapon's animation: what shooting and reloading ask of the weapon
// model, and where its frames stand.
#pragma once
#include <cstdint>

// shoot_anim requests.
constexpr int32_t weapon_anim_none = 0;
constexpr int32_t weapon_anim_single_shot = 1;
constexpr int32_t weapon_anim_fire_loop = 2;
constexpr int32_t weapon_anim_reload_start = 3;
constexpr int32_t weapon_anim_reload_step = 4;
constexpr int32_t weapon_anim_reload_end = 5;
constexpr int32_t weapon_anim_death = 6;

extern int32_t shoot_anim;
extern int32_t shoot_anim_init;  // shoot_anim at the last frame step
extern int32_t shoot_anim_frame;   // frame moved to
extern int32_t shoot_anim_nframe;  // frame moved from
extern float shoot_anim_interpol;
