// A Tiled map as a level source: the same level_source the text reader makes
// (levels/level_source.h), so checking, compiling, baking and writing are shared.
//
// Tile layers are read bottom first; each tile's custom properties say what a
// legend line says, and a property on a higher layer overrides the same one
// below it. A cell thus gets its floor or wall and texture from the lowest
// layer, and a door, a torch, an enemy or the start from a layer above:
//
//   kind      floor, wall, door or barrier
//   texture   a data/tex.list entry (walls' sides, everything else's floor)
//   model     a data/model.list entry (its definition file)
//   rotation  0..3, the model's quarter turns
//   enemy     an enemy type of data/enemy
//   start     true: the player's start
//   exit      true: reaching the cell ends the level
//
// Map properties carry the level line and the settings: texels (1..16),
// lightmap (plain or bz2), ambient ("R G B", 0..1), wall_height,
// wall_height_cut, next_level. Flipped or rotated tiles, unknown properties
// and ids in no tileset are errors.
#pragma once
#include "levels/level_source.h"
#include "tiled/tiled_map.h"

namespace tiled_property_names {
constexpr const char* kind = "kind";
constexpr const char* texture = "texture";
constexpr const char* model = "model";
constexpr const char* rotation = "rotation";
constexpr const char* enemy = "enemy";
constexpr const char* start = "start";
constexpr const char* exit = "exit";
constexpr const char* texels = "texels";
constexpr const char* lightmap = "lightmap";
constexpr const char* ambient = "ambient";
constexpr const char* wall_height = "wall_height";
constexpr const char* wall_height_cut = "wall_height_cut";
constexpr const char* next_level = "next_level";
}  // namespace tiled_property_names

// False (and reported through `source`) when the map does not make a level.
bool tiled_map_to_level(recipe& source, const tiled_map& map, level_source& out);
