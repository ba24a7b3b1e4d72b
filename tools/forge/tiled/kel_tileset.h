// The tileset the forge makes for Tiled from the demo's own content, so a
// level opened in Tiled looks like the level seen from above:
//
//   one row per wall or floor texture (data/textures/walls|floors/):
//     the texture as a wall, the texture as a floor
//   one row per placeable model (all but characters, weapons and menus):
//     a door model turned 0..3; any other model turned 0..3, then the same
//     as a barrier
//   a last row: an invisible barrier, the start, an exit, each enemy type
//
// Each tile's properties are what tiled/tiled_level.h reads. Rows are 8 tiles wide.
// A tileset written where one already lies keeps every tile's id that the
// content still offers (maps painted with it keep their meaning) and puts new
// tiles in the free places after them.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tiled/tiled_map.h"

constexpr int kel_tileset_columns = 8;
constexpr int kel_tile_size = 48;
constexpr const char* kel_tileset_name = "kel";

enum class kel_tile_look { blank, wall, floor, door, model, barrier, start, exit, enemy };

struct kel_tile {
  kel_tile_look look = kel_tile_look::blank;
  std::vector<std::pair<std::string, std::string>> properties;  // name, value; in the .tsx order
  std::string texture, label;  // what the picture shows
  int rotation = 0;
  bool locked = false;  // a door that wants a key

  // What a tile says, one text for comparing tiles.
  std::string key() const;
};

struct kel_tileset {
  std::vector<kel_tile> tiles;  // index = tile id; blanks fill the rows

  // The id of the tile saying exactly `properties` (any order), or -1.
  int find(std::vector<std::pair<std::string, std::string>> properties) const;
};

// From the loaded content tables (load_forged_content). `previous` is a
// tileset read back from where this one will be written (empty: none).
kel_tileset make_kel_tileset(const tiled_tileset& previous);

// The .tsx text, naming the picture `image_name` (beside it).
std::string kel_tileset_tsx(const kel_tileset& tileset, const std::string& image_name);
