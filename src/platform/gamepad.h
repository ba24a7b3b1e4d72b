// The game pad, through SDL's game-controller API: the first pad connected
// plays; another one takes over when it is pulled out. SDL's own mapping
// database names the buttons, extended by a gamecontrollerdb.txt in data/
// or in the working folder (the player's) when there is one.
#pragma once
#include <SDL.h>

#include <cstdint>

enum pad_button : int {
  pad_a, pad_b, pad_x, pad_y, pad_back, pad_start,
  pad_left_shoulder, pad_right_shoulder,
  pad_dpad_up, pad_dpad_down, pad_dpad_left, pad_dpad_right,
  pad_button_count
};

// The stick axes run from -1 to 1 (down and right positive, as on screen),
// the triggers from 0 to 1. `pressed` counts presses not yet taken;
// `pulled_out` is set when the playing pad went away.
struct pad_state {
  bool connected = false;
  bool pulled_out = false;
  float left_x = 0, left_y = 0, right_x = 0, right_y = 0;
  float left_trigger = 0, right_trigger = 0;
  uint8_t buttons[pad_button_count] = {};
  uint8_t pressed[pad_button_count] = {};
};

extern pad_state pad;

// Starts SDL's game-controller part and reads the extra mapping files; a
// failure leaves the game without a pad.
void open_gamepads();
// The message pump hands every pad message here; true when it was one.
bool pad_message(const SDL_Event& event);
// True once after the playing pad was pulled out.
bool take_pad_pulled_out();
// True once per press of the button.
bool take_pad_press(pad_button button);
// Rumble of the playing pad, strength 0..1, for `milliseconds`; nothing on a
// pad without motors or while the player's <rumble> is off.
void rumble_pad(float strength, uint32_t milliseconds);

// The player is hit: a strong shake. A weapon fires: a light one.
constexpr float player_hit_rumble = 0.8f;
constexpr uint32_t player_hit_rumble_ms = 250;
constexpr float shot_rumble = 0.25f;
constexpr uint32_t shot_rumble_ms = 80;
