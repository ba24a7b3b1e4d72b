// The setup dialog's choices: the rectangle table both pictures are drawn
// for, the settings the choices change, and which choice the mouse is over.
#pragma once

constexpr int setup_width = 640;
constexpr int setup_height = 480;

// Window pixels, both edges inclusive for hit testing. A picture rectangle is
// copied from (left, top) with width right - left and height bottom - top.
struct setup_rect {
  int left, top, right, bottom;
};

// Even indices are choices; the odd index after a choice is its marker.
constexpr int setup_rect_count = 19;
extern const setup_rect setup_rects[setup_rect_count];

constexpr int choice_confirm = 18;
constexpr int no_choice = -1;

struct setup_settings {
  int multitexturing = 1;
  int fullscreen = 1;
  int resolution_x = 800;
  int resolution_y = 600;
  // Indices of the markers shown as selected.
  int resolution_marker = 3;
  int fullscreen_marker = 11;
  int multitexturing_marker = 15;
};

// The highest even index whose rectangle holds (x, y), or no_choice.
int choice_at(const setup_rect* rects, int count, int x, int y);
inline int choice_at(int x, int y) { return choice_at(setup_rects, setup_rect_count, x, y); }

// Applies one choice; true for the confirm choice, which ends the dialog.
// Choices are idempotent, so a held button may apply one on every event.
bool apply_choice(setup_settings& settings, int choice);

// Sets the three markers from the values (a width without a choice of its
// own shows the 800 x 600 marker).
void set_markers(setup_settings& settings);
