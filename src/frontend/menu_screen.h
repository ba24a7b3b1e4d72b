// The front end's frames: the active menu, and the logo shown at start.
#pragma once
#include "frontend/menu_table.h"

constexpr const char* logo_picture = "data/textures/backdrops/logo.jpg";

// Draws the active menu (background, the highlight model at the highlighted
// item's frame, the slot labels), saves a screenshot when one was asked for,
// and swaps.
void draw_menu();

// Draws the logo at the opacity of its clock, advances the clock by the frame
// time and, once the logo has faded, switches to the menu; saves a
// screenshot when asked for, and swaps.
void draw_logo();
// The logo starts again from nothing (a demo played again from its start).
void restart_logo();

// ---- the arithmetic, apart from GL ----

// Slot label positions are given in a 1024 x 768 layout; the label font's
// layout is 640 x 480.
menu_slot_pos slot_label_point(menu_slot_pos in_file);

// The logo clock (seconds, counting only frames shorter than 0.2 s) fades the
// logo in over 1.5 s and out again; true once the logo is over.
constexpr float logo_end = 2.6f;
float logo_opacity(float clock);
bool advance_logo_clock(float& clock, float frame_seconds);
