#include "actors/weapon_animation.h"

int32_t shoot_anim = weapon_anim_none;
int32_t shoot_anim_init = weapon_anim_none;
int32_t shoot_anim_frame = 0;
int32_t shoot_anim_nframe = 0;
float shoot_anim_interpol = 0.0f;
