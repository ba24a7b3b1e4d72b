#include "actors/shooting.h"

#include <algorithm>

#include "actors/bullets.h"
#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/tick.h"
#include "sound/sound_bank.h"

uint32_t shoot_tick;
uint32_t reload_tick;
int32_t reloading;

static weapon_t* held_weapon() {
  int w = players[player_id].weapon;
  return in_table(w, weapon_capacity) ? &weapon[w] : nullptr;
}

static void fire(weapon_t& w, uint32_t now) {
  shoot_anim = w.fire_loop ? weapon_anim_fire_loop : weapon_anim_single_shot;
  Sound.Play(w.sound_fire);
  rumble_pad(shot_rumble, shot_rumble_ms);
  w.ammo -= 1;
  if (shoot_anim == weapon_anim_single_shot) shoot_anim_frame = shoot_anim_nframe = w.anim_fire[0];
  shoot_tick = now;
  const player_t& p = players[player_id];
  int half = pellet_half_spread(w.shells);
  for (int i = -half; i <= half; ++i) {
    int j = launch_bullet(p.x, p.z, p.uhel + 2.0f * static_cast<float>(i) + pellet_jitter(), w.damage);
    if (j >= 0) trace_bullet(j, -1, true);
  }
}

void shoot_process() {
  weapon_t* held = held_weapon();
  if (!held) return;
  weapon_t& w = *held;
  uint32_t now = GetTickCount();
  bool ready = delay_passed(ticks_since(now, shoot_tick), static_cast<float>(w.shoot_delay));
  // A negative count (a damaged savegame) is as empty as 0, not a bottomless magazine.
  if (mouse_lb && ready && w.ammo > 0 && reloading == reload_none) fire(w, now);
  if (mouse_lb && w.ammo <= 0 && reloading == reload_none &&
      delay_passed(ticks_since(now, shoot_tick), static_cast<float>(empty_click_ms))) {
    shoot_tick = now;
    Sound.Play(c_snd_awsem);
  }
  if (!mouse_lb && shoot_anim == weapon_anim_fire_loop &&
      delay_passed(ticks_since(now, shoot_tick), static_cast<float>(w.shoot_delay)))
    shoot_anim = weapon_anim_none;
}

static bool reload_due(uint32_t now, int32_t delay_ms) {
  return static_cast<float>(ticks_since(now, reload_tick)) > static_cast<float>(delay_ms) * t_scale;
}

// One loading step: up to ammo_reload cartridges from the reserve, no more
// than the magazine takes. Odd definitions (negative counts) move nothing.
static void load_cartridges(weapon_t& w) {
  Sound.Play(w.sound_reload);
  int64_t t = std::min<int64_t>(w.ammo_reload, w.reserve);
  if (int64_t{w.ammo} + t > w.magazine) t = int64_t{w.magazine} - w.ammo;
  if (t < 0) t = 0;
  w.ammo = static_cast<int32_t>(w.ammo + t);
  w.reserve = static_cast<int32_t>(w.reserve - t);
}

static void enter_end_phase(uint32_t now) {
  reloading = reload_end;
  reload_tick = now;
  shoot_anim = weapon_anim_reload_end;
}

void reload_weapon() {
  weapon_t* held = held_weapon();
  if (!held) return;
  weapon_t& w = *held;
  uint32_t now = GetTickCount();
  bool full = w.reserve != 0 && w.ammo == w.magazine;
  bool requested = mouse_rb && !full &&
                   delay_passed(ticks_since(now, shoot_tick), static_cast<float>(w.shoot_delay)) &&
                   reloading <= reload_loading;
  if (requested) {
    if (reloading == reload_none) {
      reloading = reload_start;
      shoot_anim = weapon_anim_reload_start;
    }
    if (reloading == reload_start && reload_due(now, w.reload1_delay)) {
      reload_tick = now;
      reloading = reload_loading;
      shoot_anim = weapon_anim_reload_step;
      if (w.reserve == 0) {
        reloading = reload_none;
        shoot_anim = weapon_anim_none;
      }
    }
    if (reloading == reload_loading && reload_due(now, w.reload2_delay)) {
      load_cartridges(w);
      reload_tick = now;
    }
    if (reloading == reload_loading && (w.reserve == 0 || w.ammo == w.magazine) && reload_due(now, w.reload2_delay))
      enter_end_phase(now);
    return;
  }
  if ((reloading == reload_loading && reload_due(now, w.reload2_delay)) ||
      (reloading == reload_start && reload_due(now, w.reload1_delay)))
    enter_end_phase(now);
  if (reloading == reload_end && reload_due(now, w.reload3_delay)) {
    reloading = reload_none;
    shoot_anim = weapon_anim_none;
  }
}
