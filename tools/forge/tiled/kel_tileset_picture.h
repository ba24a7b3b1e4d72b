// The picture of the forge's Tiled tileset (tiled/kel_tileset.h): walls and floors
// drawn from their textures (walls darker, with an edge, as the top-down
// camera sees their tops), doors as a bar across the cell in their turn,
// models and enemies as labelled marks, the start and exits in their colours.
// Magenta is the see-through colour the .tsx names.
#pragma once
#include <string>

#include "common/image.h"
#include "common/text_render.h"
#include "tiled/kel_tileset.h"

forge_image draw_kel_tileset(const kel_tileset& tileset, const std::string& data_dir, font_library& fonts);
