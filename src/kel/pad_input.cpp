#include "kel/pad_input.h"

#include "actors/player_movement.h"
#include "core/game_state.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

// A trigger further in than this is held; a stick further out points.
constexpr float trigger_held = 0.5f;
constexpr float stick_points = 0.5f;

namespace {

// A stick axis stepping through menus: one arrow each time it is pushed out.
struct stick_arrows {
  int was = 0;  // -1, 0, 1
  static int pointing(float axis) { return axis < -stick_points ? -1 : axis > stick_points ? 1 : 0; }
  void step(float axis, int vk_negative, int vk_positive) {
    const int now = pointing(axis);
    if (now && now != was) tap_key(now < 0 ? vk_negative : vk_positive);
    was = now;
  }
  // In play the stick walks: a stick still held when the pause menu opens
  // must not move its highlight.
  void follow(float axis) { was = pointing(axis); }
};

// A trigger standing for a mouse button: the button follows the trigger's
// changes only, so a mouse held meanwhile is not let go.
struct trigger_button {
  bool was = false;
  void step(bool held, uint8_t& button) {
    if (held != was) button = held ? 1 : 0;
    was = held;
  }
};

stick_arrows menu_vertical, menu_horizontal;
trigger_button fire_trigger, reload_trigger;

void menu_buttons() {
  if (take_pad_press(pad_a)) tap_key(VK_RETURN);
  if (take_pad_press(pad_b)) tap_key(global_status == status_logo ? VK_RETURN : VK_ESCAPE);
  if (take_pad_press(pad_dpad_up)) tap_key(VK_UP);
  if (take_pad_press(pad_dpad_down)) tap_key(VK_DOWN);
  if (take_pad_press(pad_dpad_left)) tap_key(VK_LEFT);
  if (take_pad_press(pad_dpad_right)) tap_key(VK_RIGHT);
  menu_vertical.step(pad.left_y, VK_UP, VK_DOWN);
  menu_horizontal.step(pad.left_x, VK_LEFT, VK_RIGHT);
}

void play_buttons() {
  fire_trigger.step(pad.right_trigger > trigger_held, mouse_lb);
  reload_trigger.step(pad.left_trigger > trigger_held || pad.buttons[pad_x], mouse_rb);
  if (take_pad_press(pad_right_shoulder)) cycle_weapon(+1);
  if (take_pad_press(pad_left_shoulder)) cycle_weapon(-1);
  menu_vertical.follow(pad.left_y);
  menu_horizontal.follow(pad.left_x);
}

}  // namespace

void pad_buttons_as_keys() {
  if (take_pad_pulled_out() && global_status == status_game) tap_key(VK_ESCAPE);
  if (!pad.connected) return;
  if (take_pad_press(pad_start)) tap_key(VK_ESCAPE);
  if (take_pad_press(pad_back)) tap_key(VK_F12);
  if (global_status == status_game)
    play_buttons();
  else
    menu_buttons();
  // A press the current state has no use for is not kept for a later one.
  for (int b = 0; b < pad_button_count; ++b) pad.pressed[b] = 0;
}

void reset_pad_buttons() {
  menu_vertical = menu_horizontal = stick_arrows{};
  fire_trigger = reload_trigger = trigger_button{};
}
