// The level compiler: a level source checked against the loaded content
// (texture list, model table, enemy types: the engine's own tables) and
// turned into what the game reads, through the engine's own structures:
//
//   NAME.pack     C_KelMap filled with the authoring setters, save_pack_l
//   NAME_guv      render groups, written by save_groups_vt
//   NAME_lm.raw   the baked lightmap (or only NAME_lm.raw.bz2)
//
// Compiling runs the engine's world build (C_KelMap::update_globals) on the
// level, so the lights are baked exactly where the game will place them; it
// therefore overwrites the world's global tables.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/models.h"
#include "level/kel_map.h"
#include "levels/level_source.h"
#include "lightmaps/groups_merge.h"
#include "lightmaps/lightmap_atlas.h"

struct compiled_level {
  std::unique_ptr<C_KelMap> map;  // the pack's contents (about 600 KB: kept off the stack)
  cell_grid grid;
  group_layout groups;
  lightmap_atlas atlas;
  std::vector<uint8_t> lightmap;  // atlas.side^2 RGB texels, row 0 first
  std::vector<light_t> lights;    // as the world build placed them
  bool lightmap_bz2_only = false;
};

// True when model `j` of the loaded model table is a door (plain or locked).
bool is_door_model(int j);

// Reports problems at their place in the source; false when there were any.
bool compile_level(recipe& source, const level_source& level, compiled_level& out);

// Fills n_groups, groups (with their lm numbers) and mapa_g from the level.
void store_groups_in_world(const compiled_level& level);

// Writes the level's files under `base` (for example ".../data/maps/test").
// False, with the path that failed, when a file cannot be written.
bool write_level_files(const compiled_level& level, const std::string& base, std::vector<std::string>& written,
                       std::string& failed_path);
