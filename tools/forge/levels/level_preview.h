// A top-down picture of a compiled level for the documentation: on the left
// the cells (floors in their texture's colour lit by the baked lightmap, wall
// tops darker, group outlines, start, exits, enemies, models and lights), on
// the right the lightmap atlas itself.
#pragma once
#include <string>
#include <vector>

#include "common/image.h"
#include "levels/level_compile.h"

struct preview_colour {
  float r, g, b;
};

// `texture_colours` holds the mean colour of each of the map's texture names
// (in the map's own order); missing entries show grey.
forge_image make_level_preview(const compiled_level& level, const std::vector<preview_colour>& texture_colours);

// Mean colour of a forged texture ("data/textures/..." below `data_dir`),
// read with the engine's TGA decoder; grey when it cannot be read.
preview_colour mean_texture_colour(const std::string& data_dir, const std::string& texture_name);
