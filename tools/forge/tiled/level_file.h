// A level source file in any of its forms, told by its extension: the text
// form (.txt, levels/level_source.h), Tiled's XML map (.tmx) or JSON map (.tmj)
// (tiled/tiled_level.h). Each becomes the same level_source.
#pragma once
#include <string>

#include "levels/level_source.h"

// True for a file name the forge reads as a level.
bool is_level_file_name(const std::string& path);

// Reads `text` as the file `source.path()` names; problems go through `source`.
bool read_level_file(recipe& source, const std::string& text, level_source& out);
