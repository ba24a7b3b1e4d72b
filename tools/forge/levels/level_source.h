// The text form of a level (demo/levels/NAME.txt), written in the forge's
// recipe format:
//
//   level texels=4 lightmap=plain
//   settings <ambient_lightsource> 0.2 0.2 0.25 <wall_height> 4 <next_level> data/maps/two
//   legend "#" wall texture=data/textures/walls/brick.tga
//   legend "." floor texture=data/textures/floors/tiles.tga
//   legend "d" door like="." model=data/models/door rotation=1
//   legend "g" like="." enemy=grunt
//   legend "S" like="." start
//   row "#####"
//   row "#S.d#"
//
// Row i is z = i (the far side of the screen first), character j is x = j.
// This module checks the form; names are checked against the content when the
// level is compiled (levels/level_compile.h).
#pragma once
#include <string>
#include <vector>

#include "common/recipe.h"

constexpr int level_default_texels_per_cell = 4;

struct legend_entry {
  char symbol = 0;  // what stands for the entry in the rows (any byte but 0)
  recipe_position at;
  int kind = 0;  // mapa_v value: free, wall, door or barrier
  std::string texture, model, enemy;
  recipe_position texture_at, model_at, enemy_at;
  int rotation = 0;  // quarter turns
  bool start = false, exit = false;
};

// The settings words as the pack stores them, and the values the compiler
// itself needs (the lightmap is baked for this ambient colour and height).
struct level_settings_words {
  std::vector<std::string> words;
  float ambient[3] = {0.0f, 0.0f, 0.0f};
  float wall_height = 4.0f;
  std::string next_level;
  recipe_position next_level_at;
};

struct level_source {
  std::vector<legend_entry> legend;
  std::vector<std::string> rows;
  std::vector<recipe_position> row_at;  // where each row's first cell is
  // Where each cell is written (z-major), for sources whose cells are not
  // characters in a row; empty for text levels.
  std::vector<recipe_position> cell_places;
  level_settings_words settings;
  int texels_per_cell = level_default_texels_per_cell;
  bool lightmap_bz2_only = false;
  recipe_position level_at;

  int width() const { return rows.empty() ? 0 : int(rows[0].size()); }
  int depth() const { return int(rows.size()); }
  // Legend index of a cell, or -1 for a character not in the legend.
  int legend_at(int x, int z) const;
  // Where the character of cell (x, z) is written.
  recipe_position cell_at(int x, int z) const;
};

// Reads the recipe's entries into `out`. Reports every problem of form: an
// unknown keyword or legend character, rows of different widths, a level
// without exactly one start, settings that are not level settings. False when
// anything was reported.
bool read_level_source(recipe& source, level_source& out);

// The words of the cell kinds: floor, wall, door, barrier. -1 or null for
// anything else.
int level_kind_of_word(const std::string& word);
const char* level_kind_word(int kind);

// The parts every level source shares, whatever form it is written in.
// The settings block: `words` are tags followed by their values, as written.
// The stored words come in one order (each tag once, its last value wins,
// numbers written as the engine reads them back), so sources that say the
// same thing make the same pack.
void read_level_settings(recipe& source, const std::vector<recipe_value>& words, recipe_position level_at,
                         level_settings_words& out);
// Rows of one width within the engine's size, every cell in the legend,
// exactly one start.
void check_level_rows(recipe& source, const level_source& level);
