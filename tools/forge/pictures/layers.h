// Procedural picture layers: each `layer` line of a picture recipe paints one
// generator (noise, cells, bricks, shapes...) into the colour, alpha or
// relief of the picture, or post-processes it (shade, blur).
#pragma once
#include <cstdint>

#include "common/image.h"
#include "common/recipe.h"

// Applies one `layer KIND ...` entry. `seed` is the picture's seed; a layer's
// own seed= is added to it. Problems are reported through `args`.
void apply_layer(recipe_args& args, forge_image& image, uint32_t seed);
