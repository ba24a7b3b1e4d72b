// The setup program's two 640 x 480 pictures: the base picture shows every
// choice in its normal look; the select picture holds the highlighted look of
// every choice and the lit look of every marker at the same places, because
// the setup program copies rectangles from it over the base picture.
//
// Recipe demo/setup/setup.txt:
//   setup seed=5
//   layer ... / text ...                 (the background, see picture_recipe.h)
//   choice INDEX "label"                 (each even index of the table below)
#pragma once
#include "image.h"
#include "recipe.h"
#include "text_render.h"

constexpr int setup_width = 640;
constexpr int setup_height = 480;
constexpr int setup_rect_count = 19;

// The setup program's rectangles in window pixels (left, top, right, bottom).
// Even indices are choices, the odd index after each is its marker.
struct setup_rect {
  int left, top, right, bottom;
};
extern const setup_rect setup_rects[setup_rect_count];

struct setup_pictures {
  forge_image base, select;
};

// False when the recipe has errors.
bool paint_setup_pictures(recipe& source, font_library& fonts, setup_pictures& out);
