// The head-up display drawn over every frame of play: the frame picture, the
// weapon icon, a pulsing crosshair on the cursor and four lines of text. HUD
// rectangles live in an 800 x 600 layout (y down), text in glPrint's 640 x 480.
#pragma once
#include <cstddef>

constexpr int hud_layout_w = 800;
constexpr int hud_layout_h = 600;

// Crosshair opacity, swinging between 0.5 and 1 from the first frame on, and
// the direction it swings (1 rising, 0 falling). Both carry over between frames.
extern float mouse_flick;
extern int mf_flip;

// Draws the current texture on a w x h rectangle whose top-left corner is
// (x, y) of the 800 x 600 layout; the image's top row lies at the top.
// Colour, texture and blending are the caller's.
void draw_ortho_rect_800(int x, int y, int w, int h);

// The frame picture over the whole layout. It is fully transparent outside its
// panels: only the window rows where it can show are rasterised, which leaves
// every pixel as drawing all of it would.
void draw_hud_frame();

// The overlay pass of a frame of play: window title, frame picture, weapon
// icon, crosshair and its pulse, then the FPS, message, ammunition and
// health lines. Leaves blending off and the colour opaque white.
void draw_overlay();

// ---- the arithmetic of the overlay, apart from GL ----

struct hud_point {
  int x, y;
};

// Top-left corner, in the 800 x 600 layout, of the 24 x 24 crosshair centred
// on the cursor (window pixels of a resolution_x x resolution_y window).
hud_point crosshair_corner(int mouse_x, int mouse_y, int resolution_x, int resolution_y);

// One frame of the pulse: moves `flick` by the frame time in the direction
// of `flip` and turns round at 0.5 and 1. Frames of 2 s or more change nothing.
void advance_crosshair_pulse(float& flick, int& flip, float frame_seconds);

// How opaque the message line is: its remaining seconds, at most 1.
float message_opacity(float message_time);

// The three formatted lines; each returns `out`.
const char* format_fps_line(char* out, size_t capacity, float fps);
const char* format_ammo_line(char* out, size_t capacity, int ammo, int reserve);
const char* format_health_line(char* out, size_t capacity, int health);
