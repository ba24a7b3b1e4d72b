// The files the forge writes for Tiled: its tileset (kel.tsx and kel.png,
// tiled/kel_tileset.h) and levels exported as maps painted with it. Both need the
// content loaded (load_forged_content) from `data_dir`.
#pragma once
#include <string>

#include "common/recipe.h"

// Writes DIR/kel.tsx and DIR/kel.png (only files whose bytes change), keeping
// the ids of a tileset already there. False, reported, when a file cannot be
// written.
bool write_kel_tileset(const std::string& dir, const std::string& data_dir, const std::string& font_dir,
                       diagnostics& sink);

// Reads the level source `level_path` and writes OUT_DIR/NAME.tmx with the
// tileset beside it.
bool export_level_to_tiled(const std::string& level_path, const std::string& out_dir, const std::string& data_dir,
                           const std::string& font_dir, diagnostics& sink);

constexpr const char* kel_tileset_file = "kel.tsx";
