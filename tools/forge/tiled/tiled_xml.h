// Tiled's XML forms, read with pugixml: a map (.tmx) with its tile layers in
// any encoding (tiled/tiled_layer_data.h), its properties and its tilesets, either
// embedded or external .tsx files found beside the map.
#pragma once
#include <string>

#include "tiled/tiled_map.h"

// `source` is the map's recipe: its path names the file and places external
// tilesets; problems are reported through it. False when there were any.
bool read_tmx(recipe& source, const std::string& text, tiled_map& out);

// An external tileset that a map (.tmx or .tmj) names at `at`: `name` as the
// map writes it, found beside the map. Its positions are places in its own file.
bool read_tsx_file(recipe& source, const std::string& name, recipe_position at, tiled_tileset& out);

// Text with XML's special characters written as entities, for attribute values.
std::string tiled_xml_escaped(const std::string& text);
