#include "actors/player_animation.h"

#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "sound/sound_bank.h"

static bool in_range(const int32_t (&range)[2], int32_t frame) { return frame >= range[0] && frame <= range[1]; }

// Whole frames due, held far below the int32 edge so that even a frame that
// covers a long pause converts safely.
static int64_t whole_frames(float interpol) {
  constexpr float most = 1e9f;
  return interpol < most ? static_cast<int64_t>(interpol) : static_cast<int64_t>(most);
}

static bool advance_frame(float fps, int32_t& frame, int32_t& prev_frame, float& interpol) {
  interpol += fps * motion_mix / t_scale;
  if (!(interpol >= 1.0f)) return false;
  prev_frame = frame;
  // Summed wide and held at the top: a frame number restored from a savegame
  // cannot overflow, and any frame past the range is wrapped anyway.
  int64_t moved = int64_t{frame} + whole_frames(interpol);
  frame = moved > INT32_MAX ? INT32_MAX : static_cast<int32_t>(moved);
  interpol = 0.0f;
  return true;
}

static bool wrap_frame(const int32_t (&range)[2], int32_t& frame) {
  if (in_range(range, frame)) return false;
  frame = range[0];
  return true;
}

frame_move loop_frame_step(const int32_t (&range)[2], float fps, int32_t& frame, int32_t& prev_frame,
                           float& interpol) {
  if (!advance_frame(fps, frame, prev_frame, interpol)) return frame_move::none;
  return wrap_frame(range, frame) ? frame_move::restarted : frame_move::advanced;
}

// Plays the range once and rests on its last frame. `restarted` means the
// frames came from outside the range: the death has just begun.
static frame_move death_frame_step(const int32_t (&range)[2], int32_t& frame, int32_t& prev_frame,
                                   float& interpol) {
  const int32_t last = range[1];
  // At rest nothing moves any more, the fraction included.
  if (frame == last && prev_frame == last) return frame_move::none;
  const int32_t from = frame;
  if (!advance_frame(death_anim_fps, frame, prev_frame, interpol)) return frame_move::none;
  frame_move move = frame_move::advanced;
  // At low frame rates a step covers several frames and can jump over the
  // last one; the body stops there instead of dying again from the start.
  if (frame > last && in_range(range, from))
    frame = last;
  else if (wrap_frame(range, frame))
    move = frame_move::restarted;
  if (frame == last) prev_frame = frame;
  return move;
}

// Footsteps fall on the first frame of the walk and half-way through it.
static void walk_step(player_t& p) {
  frame_move move = loop_frame_step(p.anim_chuze, loop_anim_fps, p.frame, p.prev_frame, p.interpol);
  if (move == frame_move::none) return;
  const int64_t first = p.anim_chuze[0], last = p.anim_chuze[1];
  if (move == frame_move::restarted || p.frame == first + (last - first) / 2) Sound.Play(footstep_sound);
}

void player_anim_body() {
  player_t& p = players[player_id];
  switch (p.anim_state) {
    case player_walking:
      walk_step(p);
      break;
    case player_standing:
      loop_frame_step(p.anim_stop, loop_anim_fps, p.frame, p.prev_frame, p.interpol);
      break;
    case player_dying:
      if (death_frame_step(p.anim_smrt, p.frame, p.prev_frame, p.interpol) == frame_move::restarted)
        Sound.Play(p.sound_death);
      break;
    default:
      p.interpol = 0.0f;
      p.frame = p.prev_frame = 0;
  }
}

static void rest_weapon() {
  shoot_anim_interpol = 0.0f;
  shoot_anim_frame = 0;
  shoot_anim_nframe = 0;
}

// A shot ends once it has run past its last frame, unless it was asked for
// anew since the previous step.
static frame_move fire_step(const int32_t (&range)[2]) {
  if (!advance_frame(loop_anim_fps, shoot_anim_frame, shoot_anim_nframe, shoot_anim_interpol))
    return frame_move::none;
  if (shoot_anim_frame > range[1] && shoot_anim_init == shoot_anim) shoot_anim = weapon_anim_none;
  return wrap_frame(range, shoot_anim_frame) ? frame_move::restarted : frame_move::advanced;
}

static frame_move weapon_loop_step(const int32_t (&range)[2]) {
  return loop_frame_step(range, loop_anim_fps, shoot_anim_frame, shoot_anim_nframe, shoot_anim_interpol);
}

void shoot_reload_anim() {
  const int current = players[player_id].weapon;
  // A weapon index that names no record has no model to animate.
  if (!in_table(current, weapon_capacity)) {
    rest_weapon();
    return;
  }
  const weapon_t& w = weapon[current];
  frame_move move;
  switch (shoot_anim) {
    case weapon_anim_single_shot:
    case weapon_anim_fire_loop:
      move = fire_step(w.anim_fire);
      break;
    case weapon_anim_reload_start:
      move = weapon_loop_step(w.anim_reload1);
      break;
    case weapon_anim_reload_step:
      move = weapon_loop_step(w.anim_reload2);
      break;
    case weapon_anim_reload_end:
      move = weapon_loop_step(w.anim_reload3);
      break;
    case weapon_anim_death:
      move = death_frame_step(w.anim_death, shoot_anim_frame, shoot_anim_nframe, shoot_anim_interpol);
      break;
    default:
      rest_weapon();
      return;
  }
  if (move != frame_move::none) shoot_anim_init = shoot_anim;
}
