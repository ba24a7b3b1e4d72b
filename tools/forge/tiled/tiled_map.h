// A Tiled map as the forge reads it, the same for both of Tiled's forms
// (tiled/tiled_xml.h reads .tmx and .tsx, tiled/tiled_json.h reads .tmj): its size, its
// properties, its tilesets with each tile's properties, and its tile layers
// as global tile ids. Positions are those of the source text (or places made
// with recipe::place for other files and JSON paths), so what is wrong in a
// map is reported where it is written.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/recipe.h"

// Tiled's limit on a map side for the forge: the engine's level size.
constexpr int tiled_max_side = 255;
// The top bits of a global tile id flip or rotate the tile.
constexpr uint32_t tiled_transform_bits = 0xF0000000u;

struct tiled_property {
  std::string name, value;
  recipe_position at;
};

struct tiled_tile {
  int id = 0;
  std::vector<tiled_property> properties;
};

struct tiled_tileset {
  uint32_t first_gid = 0;
  int tile_count = 0;  // ids 0 .. tile_count - 1 exist (the picture's cells)
  std::vector<tiled_tile> tiles;  // the tiles that carry properties
  recipe_position at;
};

struct tiled_layer {
  std::string name;
  std::vector<uint32_t> gids;          // width x height, row by row
  std::vector<recipe_position> cells;  // where each gid is written, or one place for them all
  recipe_position at;
};

struct tiled_map {
  int width = 0, height = 0;
  std::vector<tiled_property> properties;
  std::vector<tiled_tileset> tilesets;
  std::vector<tiled_layer> layers;  // tile layers, bottom first
  recipe_position at;

  recipe_position cell_at(const tiled_layer& layer, size_t i) const {
    return layer.cells.size() == layer.gids.size() ? layer.cells[i] : layer.cells.at(0);
  }
};
