#include "actors/pad_sticks.h"

#include <cmath>

#include "actors/player_movement.h"
#include "platform/display_settings.h"
#include "platform/gamepad.h"
#include "platform/input.h"

constexpr float radians_to_degrees = 57.29578f;

// The right stick's aim point last frame; -1 while the stick rests.
static int last_aim_x = -1, last_aim_y = -1;

static float length(float x, float y) { return std::sqrt(x * x + y * y); }

stick_walk walk_from_stick(float x, float y) {
  const float pushed = length(x, y);
  if (!(pushed > stick_dead_zone)) return {false, 0.0f, 0.0f};
  float speed = (pushed - stick_dead_zone) / (1.0f - stick_dead_zone);
  if (speed > 1.0f) speed = 1.0f;  // a square stick's corners reach past 1
  // Facing 0 walks up the screen and 90 to its left.
  return {true, std::atan2(-x, -y) * radians_to_degrees, speed};
}

bool aim_from_stick(float x, float y, int sensitivity, int width, int height, int& aim_x, int& aim_y) {
  const float pushed = length(x, y);
  if (!(pushed > stick_dead_zone)) return false;
  if (sensitivity < 1) sensitivity = 1;
  if (sensitivity > 10) sensitivity = 10;
  // From a fifth of the half-height at 1 to the whole half-height at 10.
  const float reach = (height / 2) * (0.2f + 0.8f * static_cast<float>(sensitivity - 1) / 9.0f);
  aim_x = width / 2 + static_cast<int>(std::lround(x / pushed * reach));
  aim_y = height / 2 + static_cast<int>(std::lround(y / pushed * reach));
  return true;
}

void pad_walking() {
  const stick_walk stick = walk_from_stick(pad.left_x, pad.left_y);
  if (stick.moving) walk_player(stick.direction, stick.speed);
}

void pad_aiming(int sensitivity) {
  int x = 0, y = 0;
  if (!aim_from_stick(pad.right_x, pad.right_y, sensitivity, resolution_x, resolution_y, x, y)) {
    reset_pad_aiming();
    return;
  }
  if (x == last_aim_x && y == last_aim_y) return;
  last_aim_x = x;
  last_aim_y = y;
  mouse_x = x;
  mouse_y = y;
}

void reset_pad_aiming() { last_aim_x = last_aim_y = -1; }
