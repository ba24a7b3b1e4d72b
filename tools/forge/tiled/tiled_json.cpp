#include "tiled/tiled_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "tiled/tiled_layer_data.h"
#include "tiled/tiled_xml.h"  // external tilesets are .tsx files

using json = nlohmann::json;

namespace {

// A value as the map writes it, for messages; text that is not UTF-8 is shown
// with replacement characters instead of stopping the reader.
std::string shown(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

namespace {

class tmj_reader {
 public:
  tmj_reader(recipe& source, tiled_map& out) : source_(source), out_(out) {}

  void read(const std::string& text) {
    json map = json::parse(text, nullptr, false);
    if (map.is_discarded()) {
      syntax_error(text);
      return;
    }
    if (!map.is_object()) {
      error("", "a Tiled map is a JSON object");
      return;
    }
    out_.at = place("");
    std::string orientation;
    if (string_field(map, "", "orientation", orientation, false) && orientation != "orthogonal")
      error("orientation", "the map is " + orientation + "; a level is an orthogonal map");
    if (map.contains("infinite") && map["infinite"] == true) {
      error("infinite", "the map is infinite; a level is a map of fixed size (Map > Map Properties > Infinite off)");
      return;
    }
    long width = 0, height = 0;
    if (!integer_field(map, "", "width", 1, 1L << 30, width) || !integer_field(map, "", "height", 1, 1L << 30, height))
      return;
    if (width > tiled_max_side || height > tiled_max_side) {
      error("", "the map is " + std::to_string(width) + " x " + std::to_string(height) + " cells; a level is at most " +
                    std::to_string(tiled_max_side) + " x " + std::to_string(tiled_max_side));
      return;
    }
    out_.width = int(width);
    out_.height = int(height);
    properties(map, "", out_.properties);
    for (size_t i = 0; const json* set = element(map, "tilesets", i); ++i) tileset(*set, "tilesets[" + std::to_string(i) + "]");
    for (size_t i = 0; const json* layer = element(map, "layers", i); ++i) this->layer(*layer, "layers[" + std::to_string(i) + "]");
  }

 private:
  // nlohmann-json without exceptions says only that the text is not JSON;
  // parsing again with them gives the place and the reason.
  void syntax_error(const std::string& text) {
    try {
      [[maybe_unused]] json unused = json::parse(text);
    } catch (const json::parse_error& e) {
      size_t offset = std::min(e.byte > 0 ? e.byte - 1 : 0, text.size());
      recipe_position at{1, 1};
      for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
          ++at.line;
          at.column = 1;
        } else {
          ++at.column;
        }
      }
      std::string what = e.what();
      size_t colon = what.find(": ", what.find("parse error"));
      source_.error(at, "not valid JSON: " + (colon == std::string::npos ? what : what.substr(colon + 2)));
    } catch (const json::exception& e) {
      // A number beyond a double, say: the library names it, not its place.
      std::string what = e.what();
      source_.error({1, 1}, "not valid JSON: " + what.substr(what.find(']') + 2));
    }
  }

  static std::string join(const std::string& path, const std::string& key) { return path.empty() ? key : path + "." + key; }
  recipe_position place(const std::string& path) { return source_.place(source_.path() + (path.empty() ? "" : ": " + path)); }
  void error(const std::string& path, const std::string& message) { source_.error(place(path), message); }

  // The i-th element of an optional array field, or null past its end.
  const json* element(const json& object, const char* key, size_t i) {
    auto it = object.find(key);
    if (it == object.end()) return nullptr;
    if (!it->is_array()) {
      if (i == 0) error(key, std::string(key) + " must be a list");
      return nullptr;
    }
    return i < it->size() ? &(*it)[i] : nullptr;
  }

  bool string_field(const json& object, const std::string& path, const char* key, std::string& out, bool required) {
    auto it = object.find(key);
    if (it == object.end() || !it->is_string()) {
      if (it != object.end() || required) error(join(path, key), std::string(key) + " must be a text");
      return false;
    }
    out = it->get<std::string>();
    return true;
  }

  bool integer_field(const json& object, const std::string& path, const char* key, long lo, long hi, long& out,
                     bool required = true) {
    auto it = object.find(key);
    if (it == object.end()) {
      if (required) error(path, std::string("needs ") + key);
      return false;
    }
    if (!it->is_number_integer() || it->get<long long>() < lo || it->get<long long>() > hi) {
      error(join(path, key), std::string(key) + " must be a whole number from " + std::to_string(lo) + " to " +
                                 std::to_string(hi) + ", not " + shown(*it));
      return false;
    }
    out = long(it->get<long long>());
    return true;
  }

  void properties(const json& owner, const std::string& path, std::vector<tiled_property>& out) {
    std::string list = join(path, "properties");
    for (size_t i = 0; const json* p = element(owner, "properties", i); ++i) {
      std::string at = list + "[" + std::to_string(i) + "]";
      if (!p->is_object()) {
        error(at, "a property is an object");
        continue;
      }
      tiled_property property;
      if (!string_field(*p, at, "name", property.name, true)) continue;
      auto value = p->find("value");
      if (value == p->end() || value->is_null() || value->is_structured()) {
        error(at, "property '" + property.name + "' needs a value");
        continue;
      }
      property.value = value->is_string() ? value->get<std::string>() : shown(*value);
      property.at = place(at);
      out.push_back(property);
    }
  }

  void tileset(const json& set, const std::string& path) {
    if (!set.is_object()) {
      error(path, "a tileset is an object");
      return;
    }
    tiled_tileset out;
    long first = 0;
    if (!integer_field(set, path, "firstgid", 1, long(~tiled_transform_bits), first)) return;
    std::string file;
    if (string_field(set, path, "source", file, false)) {
      if (!read_tsx_file(source_, file, place(join(path, "source")), out)) return;
    } else {
      out.at = place(path);
      long count = 0;
      // A collection of images has no picture to cut: its listed tiles are all it holds.
      if (set.contains("image") && integer_field(set, path, "tilecount", 0, 1L << 24, count, false))
        out.tile_count = int(count);
      for (size_t i = 0; const json* t = element(set, "tiles", i); ++i) {
        std::string at = join(path, "tiles[" + std::to_string(i) + "]");
        long id = 0;
        if (!t->is_object() || !integer_field(*t, at, "id", 0, (1L << 28) - 1, id)) continue;
        tiled_tile tile;
        tile.id = int(id);
        properties(*t, at, tile.properties);
        out.tiles.push_back(tile);
      }
    }
    out.first_gid = uint32_t(first);
    out_.tilesets.push_back(out);
  }

  void layer(const json& layer, const std::string& path) {
    std::string type;
    if (!layer.is_object() || !string_field(layer, path, "type", type, true)) return;
    if (type != "tilelayer") {
      error(path, type + ": a level is read from tile layers only (place things as tiles)");
      return;
    }
    tiled_layer out;
    string_field(layer, path, "name", out.name, false);
    out.at = place(path);
    long width = 0, height = 0;
    if (!integer_field(layer, path, "width", 1, 1L << 30, width) || !integer_field(layer, path, "height", 1, 1L << 30, height))
      return;
    if (width != out_.width || height != out_.height) {
      error(path, "layer '" + out.name + "' is " + std::to_string(width) + " x " + std::to_string(height) +
                      " cells, the map " + std::to_string(out_.width) + " x " + std::to_string(out_.height));
      return;
    }
    if (layer.contains("chunks")) {
      error(path, "layer '" + out.name + "' is stored in chunks; a level is a map of fixed size");
      return;
    }
    size_t count = size_t(width) * size_t(height);
    std::string data_path = join(path, "data");
    auto data = layer.find("data");
    if (data != layer.end() && data->is_array()) {
      if (data->size() != count) {
        error(data_path, "layer '" + out.name + "' holds " + std::to_string(data->size()) + " cells, the map " +
                             std::to_string(count));
        return;
      }
      for (size_t i = 0; i < count; ++i) {
        const json& gid = (*data)[i];
        std::string at = data_path + "[" + std::to_string(i) + "]";
        if (!gid.is_number_unsigned() || gid.get<unsigned long long>() > 0xFFFFFFFFull) {
          error(at, "a tile id is a whole number from 0 to 4294967295, not " + shown(gid));
          return;
        }
        out.gids.push_back(uint32_t(gid.get<unsigned long long>()));
        out.cells.push_back(place(at));
      }
    } else if (data != layer.end() && data->is_string()) {
      std::string encoding, compression;
      string_field(layer, path, "encoding", encoding, false);
      string_field(layer, path, "compression", compression, false);
      if (encoding != "base64") {
        error(join(path, "encoding"), "text tile data is encoded as base64, not '" + encoding + "'");
        return;
      }
      tiled_data_error problem;
      if (!decode_tiled_base64(data->get<std::string>(), compression, count, out.gids, problem)) {
        error(data_path, "layer '" + out.name + "': " + problem.message);
        return;
      }
      out.cells.push_back(place(data_path));
    } else {
      error(data_path, "layer '" + out.name + "' needs its tile data (a list of tile ids or base64 text)");
      return;
    }
    out_.layers.push_back(std::move(out));
  }

  recipe& source_;
  tiled_map& out_;
};

}  // namespace

bool read_tmj(recipe& source, const std::string& text, tiled_map& out) {
  int before = source.sink().count();
  out = tiled_map{};
  tmj_reader(source, out).read(text);
  return source.sink().count() == before;
}
