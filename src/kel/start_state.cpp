#include "kel/start_state.h"

#include <cstring>

#include "actors/enemies.h"
#include "actors/pad_sticks.h"
#include "actors/player.h"
#include "actors/shooting.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "base/play_options.h"
#include "core/game_state.h"
#include "core/triggers.h"
#include "effects/particles.h"
#include "frontend/menu_screen.h"
#include "kel/pad_input.h"
#include "platform/gamma.h"
#include "render/hud.h"
#include "render/screenshot.h"

static weapon_t start_weapons[weapon_capacity];
static player_t start_player;
static float start_gamma[3];

void remember_start_state() {
  std::memcpy(start_weapons, weapon, sizeof weapon);
  start_player = players[player_id];
  std::memcpy(start_gamma, gamma_corr, sizeof gamma_corr);
}

void return_to_start_state() {
  global_status = status_logo;
  game_started = 0;
  active_menu = 0;
  menu_sel_item = 0;
  no_key_alarm = 0;
  restart_logo();
  std::memcpy(weapon, start_weapons, sizeof weapon);
  players[player_id] = start_player;
  t_keyu = 0;
  // A level fills in only some of an enemy's fields; the rest were zero when
  // the program started, and must be again for the same play to follow.
  for (imp_t& e : imp) e = imp_t{};
  impu = 0;
  shoot_tick = reload_tick = 0;
  reloading = reload_none;
  shoot_anim = shoot_anim_init = weapon_anim_none;
  shoot_anim_frame = shoot_anim_nframe = 0;
  shoot_anim_interpol = 0.0f;
  c_cheats_enabled = 0;
  c_immortal = 0;
  std::memcpy(gamma_corr, start_gamma, sizeof gamma_corr);
  SDL_SetGamma(gamma_corr[0], gamma_corr[1], gamma_corr[2]);
  last_frame = 0;
  screenshot = 0;
  mouse_flick = 0.0f;  // the crosshair's pulse
  mf_flip = 0;
  Console.clear_message();
  reset_effect_clocks();
  // The pad's edges: a stick or trigger held as the last run ended would
  // otherwise swallow the first push of the next.
  reset_pad_buttons();
  reset_pad_aiming();
}
