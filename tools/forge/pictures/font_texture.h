// The screen font texture: a 16 x 16 grid of glyph cells, white on black.
// Cell i holds character i + 32 of set 0 for the upper eight rows and
// character i - 96 of set 1 for the lower eight, the way the engine's font
// lists address them. The engine advances 10 units per glyph inside 16-unit
// cells, so each glyph is centred in the left 10/16 of its cell and squeezed
// when it is wider.
#pragma once
#include "common/image.h"
#include "common/recipe.h"
#include "common/text_render.h"

constexpr int font_grid = 16;
constexpr float font_advance_fraction = 10.0f / 16.0f;
constexpr unsigned font_first_code = 32;   // the grid starts with the space
constexpr unsigned font_last_drawn = 126;  // beyond '~' the codes are unassigned

// Reads the `font` header entry (size=, regular=, bold=, pixel_size=) and
// draws the grid into `image` (created here). False on errors.
bool paint_font(recipe& source, const recipe_entry& header, font_library& fonts, forge_image& image);

// The grid cell of character `code` in set 0 or 1, or -1 when it has none.
int font_cell(unsigned code, int set);
