#include "aim_cursor.h"

#include <cmath>

#include "actors/player_movement.h"  // aimed_uhel: the engine's own aiming rule

constexpr double pi = 3.14159265358979323846;
// Correcting the cursor's angle by the facing error converges in a few rounds:
// the rule is the cursor's angle plus terms that do not depend on it.
constexpr int correction_rounds = 4;

float angle_difference(float a, float b) {
  float d = std::fmod(a - b, 360.0f);
  if (d > 180.0f) d -= 360.0f;
  if (d < -180.0f) d += 360.0f;
  return d;
}

static cursor_position on_circle(double degrees, int width, int height, int radius) {
  double a = degrees * pi / 180.0;
  return {width / 2 + static_cast<int>(std::lround(radius * std::cos(a))),
          height / 2 - static_cast<int>(std::lround(radius * std::sin(a)))};
}

static float facing_error(cursor_position c, float uhel_wanted, float uhel_before, int width, int height) {
  return std::fabs(angle_difference(aimed_uhel(c.x, c.y, width, height, uhel_before), uhel_wanted));
}

cursor_position cursor_for_facing(float uhel_wanted, float uhel_before, int width, int height, int radius) {
  // The cursor straight above the centre faces 0 when nothing pulls.
  double degrees = uhel_wanted + 90.0;
  for (int round = 0; round < correction_rounds; ++round) {
    cursor_position c = on_circle(degrees, width, height, radius);
    degrees -= angle_difference(aimed_uhel(c.x, c.y, width, height, uhel_before), uhel_wanted);
  }
  // The rounded pixel, or whichever neighbour of it aims closer.
  const cursor_position rounded = on_circle(degrees, width, height, radius);
  cursor_position best = rounded;
  float best_error = facing_error(best, uhel_wanted, uhel_before, width, height);
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      cursor_position c{rounded.x + dx, rounded.y + dy};
      float error = facing_error(c, uhel_wanted, uhel_before, width, height);
      if (error < best_error) {
        best_error = error;
        best = c;
      }
    }
  return best;
}
