// Frame steps of the player's body (standing, walking with footsteps, dying)
// and of the weapon model it holds (shots, reloads, death) as shooting and
// reloading request them. Both are drawn blended from the previous frame to
// the current one by a fraction; these steps only move the frames.
#pragma once
#include <cstdint>

constexpr const char* footstep_sound = "data/sound/krok.wav";
// Frames per second of the looping animations and of the death animations.
constexpr float loop_anim_fps = 15.0f;
constexpr float death_anim_fps = 40.0f;

enum class frame_move {
  none,       // no whole frame was due yet
  advanced,   // moved on within the range
  restarted,  // left the range and went back to its first frame
};

// Looping step over range {first, last}: the fraction grows by fps times the
// frame time; once a whole frame is due, `prev_frame` takes `frame`, `frame`
// moves on by the whole frames due (back to first when it leaves the range)
// and the fraction starts again at 0.
frame_move loop_frame_step(const int32_t (&range)[2], float fps, int32_t& frame, int32_t& prev_frame,
                           float& interpol);

// The live player's body, once per frame, alive or dead.
void player_anim_body();
// The held weapon's model, once per frame right after it is drawn.
void shoot_reload_anim();
