// What the pad's two sticks mean in play: the left one walks the player the
// way it points on screen, as fast as it is pushed; the right one puts the
// aim point around the player, where the mouse cursor would be.
#pragma once

// A stick nearer its centre than this counts as let go (worn sticks rest a
// little off centre).
constexpr float stick_dead_zone = 0.25f;

struct stick_walk {
  bool moving;
  float direction;  // degrees, as the player's facing counts them (0 up the screen, 90 left)
  float speed;      // share of the full walking speed, 0..1
};

// The left stick at (x, y), down and right positive.
stick_walk walk_from_stick(float x, float y);

// The aim point for the right stick at (x, y) in a window of that size:
// around its centre, in the stick's direction, further out the higher the
// sensitivity (1..10). False, with the point unchanged, inside the dead zone.
bool aim_from_stick(float x, float y, int sensitivity, int width, int height, int& aim_x, int& aim_y);

// One frame of the left stick, taken when no movement key walked: a stick
// pushed out of the dead zone walks the live player (walk_player).
void pad_walking();

// One frame of the right stick: a stick whose aim point moved sets the mouse
// cursor (so the mouse, moved later, takes over again).
void pad_aiming(int sensitivity);

// Forgets the right stick's last aim point, as at start-up.
void reset_pad_aiming();
