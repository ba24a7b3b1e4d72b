// Tiled's JSON map (.tmj), read with nlohmann-json into the same tiled_map
// as the XML form. Problems are reported at their JSON path
// ("levels/x.tmj: layers[1].data[37]: ..."), a syntax error at its line.
#pragma once
#include <string>

#include "tiled/tiled_map.h"

bool read_tmj(recipe& source, const std::string& text, tiled_map& out);
