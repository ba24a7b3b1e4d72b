#include "tiled/level_file.h"

#include <filesystem>

#include "tiled/tiled_json.h"
#include "tiled/tiled_level.h"
#include "tiled/tiled_xml.h"

namespace {

std::string extension(const std::string& path) { return std::filesystem::path(path).extension().string(); }

}  // namespace

bool is_level_file_name(const std::string& path) {
  std::string e = extension(path);
  return e == ".txt" || e == ".tmx" || e == ".tmj";
}

bool read_level_file(recipe& source, const std::string& text, level_source& out) {
  std::string e = extension(source.path());
  if (e == ".tmx" || e == ".tmj") {
    tiled_map map;
    bool read = e == ".tmx" ? read_tmx(source, text, map) : read_tmj(source, text, map);
    return read && tiled_map_to_level(source, map, out);
  }
  source.parse(text);
  return read_level_source(source, out);
}
