// The setup program's two 640 x 480 pictures: the base picture shows every
// choice in its normal look; the select picture holds the highlighted look of
// every choice and the lit look of every marker at the same places, because
// the setup program copies rectangles from it over the base picture.
//
// Recipe demo/setup/setup.txt:
//   setup seed=5
//   layer ... / text ...                 (the background, see pictures/picture_recipe.h)
//   choice INDEX "label"                 (each even index of setup_rects)
#pragma once
#include "common/image.h"
#include "common/recipe.h"
#include "common/text_render.h"
#include "setup/setup_choices.h"  // the rectangles the setup program copies

struct setup_pictures {
  forge_image base, select;
};

// False when the recipe has errors.
bool paint_setup_pictures(recipe& source, font_library& fonts, setup_pictures& out);
