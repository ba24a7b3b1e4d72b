// Target picking as OpenGL's selection mode does it: the pick strips drawn
// under a one-pixel pick matrix at the cursor, the first hit record's name
// taken. The game picks on the processor; this is the reference it is held
// to (gl suite) and timed against (bench_picking). Needs a current context.
#pragma once
#include "actors/target_picking.h"

// The candidate enemy whose strip selection mode reports first for the
// cursor (window pixels, y down) in the current viewport, or -1.
int selection_mode_pick(const camera_view& view, int cursor_x, int cursor_y, float player_x, float player_z);
