// The pictures of the front end: a menu's full-screen background and its
// highlight model, and the logo. Backgrounds cover 800 x 800 units of the
// 800 x 600 layout, so only their top three quarters show.
#pragma once

struct md2_model_t;

// Starts a menu frame: opaque white, cleared colour and depth, identity
// model-view, both faces filled, no blending or lighting; then the texture
// list's entry `background` over the layout, leaving the depth buffer clear.
void draw_menu_background(int background);

// The model's frame `frame` in the skin of texture entry `skin`, seen from
// the menu camera (eye at z = -3.6 looking at the origin) and turned -90
// degrees about the vertical. Frames outside the model draw nothing.
void draw_menu_model(const md2_model_t* model, int skin, int frame);

// A slot label in white, bold font, its top-left corner at (x, y) of the
// 640 x 480 font layout.
void draw_menu_label(int x, int y, const char* text);

// Clears the frame and draws the picture at `path` over the layout, blended
// at `opacity` (above 1 shows as opaque).
void draw_logo_picture(const char* path, float opacity);
