// Aiming as a player does it: the cursor position around the window centre
// that leaves the player facing a chosen way after this frame's aiming.
#pragma once

struct cursor_position {
  int x, y;
};

// The pixel on a circle of `radius` around the centre of a width x height
// window that turns a player facing `uhel_before` (degrees) as near to
// `uhel_wanted` as the pixel grid allows.
cursor_position cursor_for_facing(float uhel_wanted, float uhel_before, int width, int height, int radius);

// `a - b` in degrees, brought into -180 .. 180.
float angle_difference(float a, float b);
