// A level source written as a Tiled map (.tmx) painted with the forge's
// tileset (tiled/kel_tileset.h): layer "ground" holds each cell's wall or floor,
// "things" its door, barrier or model, "marks" the start, exits and enemies
// (a cell with several marks spills into "marks 2", ...). Map properties
// carry the lightmap choices and the settings. Reading the map back gives
// the same level (tiled/tiled_level.h), so it forges the same bytes.
#pragma once
#include <string>

#include "levels/level_source.h"
#include "tiled/kel_tileset.h"

// False, with the reason, when a cell says something no tile of the tileset
// says (a texture outside walls/ and floors/, a model the game draws itself).
bool level_to_tmx(const level_source& level, const kel_tileset& tileset, const std::string& tileset_file,
                  std::string& tmx, std::string& error);
