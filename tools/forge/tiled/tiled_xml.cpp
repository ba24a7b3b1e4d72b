#include "tiled/tiled_xml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "common/file_output.h"
#include "tiled/tiled_layer_data.h"

namespace fs = std::filesystem;

namespace {

// Lines and columns of offsets into one text.
class text_lines {
 public:
  explicit text_lines(const std::string& text) {
    starts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') starts_.push_back(i + 1);
  }
  recipe_position at(ptrdiff_t offset) const {
    size_t o = offset < 0 ? 0 : size_t(offset);
    size_t line = size_t(std::upper_bound(starts_.begin(), starts_.end(), o) - starts_.begin());
    return {int(line), int(o - starts_[line - 1]) + 1};
  }

 private:
  std::vector<size_t> starts_;
};

// Offsets are kept exact: line ends stay as written (no parse_eol).
constexpr unsigned parse_options = pugi::parse_default & ~pugi::parse_eol;

class xml_reader {
 public:
  // `where` turns an offset of this file's text into a position of the source.
  xml_reader(recipe& source, std::function<recipe_position(ptrdiff_t)> where) : source_(source), where_(where) {}

  bool parse(pugi::xml_document& document, const std::string& text) {
    pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), parse_options);
    if (!result) error(result.offset, std::string("not well-formed XML: ") + result.description());
    return bool(result);
  }

  // An element's offset is its name's; its place is its '<'.
  recipe_position at(const pugi::xml_node& node) const {
    return where_(node.offset_debug() - (node.type() == pugi::node_element ? 1 : 0));
  }
  void error(ptrdiff_t offset, const std::string& message) { source_.error(where_(offset), message); }
  void error(const pugi::xml_node& node, const std::string& message) { source_.error(at(node), message); }

  // A whole-number attribute within [lo, hi]; a missing one is an error when required.
  bool integer(const pugi::xml_node& node, const char* name, long lo, long hi, long& out, bool required = true) {
    pugi::xml_attribute a = node.attribute(name);
    if (!a) {
      if (required) error(node, std::string("<") + node.name() + "> needs " + name + "=");
      return false;
    }
    const char* text = a.value();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || errno != 0 || value < lo || value > hi) {
      error(node, std::string(name) + " must be a whole number from " + std::to_string(lo) + " to " +
                      std::to_string(hi) + ", not '" + text + "'");
      return false;
    }
    out = value;
    return true;
  }

  void properties(const pugi::xml_node& owner, std::vector<tiled_property>& out) {
    for (pugi::xml_node p : owner.child("properties").children("property")) {
      tiled_property property;
      property.name = p.attribute("name").value();
      // Tiled writes a text with line breaks as the element's content.
      property.value = p.attribute("value") ? p.attribute("value").value() : p.child_value();
      property.at = at(p);
      if (property.name.empty())
        error(p, "a property needs a name");
      else
        out.push_back(property);
    }
  }

  void tileset(const pugi::xml_node& node, tiled_tileset& out) {
    out.at = at(node);
    long count = 0;
    // A collection of images has no picture to cut: its listed tiles are all it holds.
    if (integer(node, "tilecount", 0, 1L << 24, count, false)) out.tile_count = int(count);
    if (!node.child("image")) out.tile_count = 0;
    for (pugi::xml_node t : node.children("tile")) {
      long id = 0;
      if (!integer(t, "id", 0, (1L << 28) - 1, id)) continue;
      tiled_tile tile;
      tile.id = int(id);
      properties(t, tile.properties);
      out.tiles.push_back(tile);
    }
  }

 private:
  recipe& source_;
  std::function<recipe_position(ptrdiff_t)> where_;
};

class tmx_reader {
 public:
  tmx_reader(recipe& source, const std::string& text, tiled_map& out)
      : source_(source), text_(text), lines_(text), xml_(source, [this](ptrdiff_t o) { return lines_.at(o); }),
        out_(out) {}

  void read() {
    pugi::xml_document document;
    if (!xml_.parse(document, text_)) return;
    pugi::xml_node map = document.child("map");
    if (!map) {
      source_.error({1, 1}, "a Tiled map's top element is <map>");
      return;
    }
    out_.at = xml_.at(map);
    std::string orientation = map.attribute("orientation").value();
    if (!orientation.empty() && orientation != "orthogonal")
      xml_.error(map, "the map is " + orientation + "; a level is an orthogonal map");
    if (map.attribute("infinite").as_int() != 0) {
      xml_.error(map, "the map is infinite; a level is a map of fixed size (Map > Map Properties > Infinite off)");
      return;
    }
    long width = 0, height = 0;
    if (!xml_.integer(map, "width", 1, 1L << 30, width) || !xml_.integer(map, "height", 1, 1L << 30, height)) return;
    if (width > tiled_max_side || height > tiled_max_side) {
      xml_.error(map, "the map is " + std::to_string(width) + " x " + std::to_string(height) +
                          " cells; a level is at most " + std::to_string(tiled_max_side) + " x " +
                          std::to_string(tiled_max_side));
      return;
    }
    out_.width = int(width);
    out_.height = int(height);
    xml_.properties(map, out_.properties);
    for (pugi::xml_node child : map.children()) {
      std::string name = child.name();
      if (name == "tileset")
        tileset(child);
      else if (name == "layer")
        layer(child);
      else if (name == "objectgroup" || name == "imagelayer" || name == "group")
        xml_.error(child, "<" + name + ">: a level is read from tile layers only (place things as tiles)");
    }
  }

 private:
  void tileset(const pugi::xml_node& node) {
    tiled_tileset set;
    long first = 0;
    if (!xml_.integer(node, "firstgid", 1, long(~tiled_transform_bits), first)) return;
    if (node.attribute("source")) {
      if (!read_tsx_file(source_, node.attribute("source").value(), xml_.at(node), set)) return;
    } else {
      xml_.tileset(node, set);
    }
    set.first_gid = uint32_t(first);
    out_.tilesets.push_back(set);
  }

  void layer(const pugi::xml_node& node) {
    tiled_layer layer;
    layer.name = node.attribute("name").value();
    layer.at = xml_.at(node);
    long width = 0, height = 0;
    if (!xml_.integer(node, "width", 1, 1L << 30, width) || !xml_.integer(node, "height", 1, 1L << 30, height)) return;
    if (width != out_.width || height != out_.height) {
      xml_.error(node, "layer '" + layer.name + "' is " + std::to_string(width) + " x " + std::to_string(height) +
                           " cells, the map " + std::to_string(out_.width) + " x " + std::to_string(out_.height));
      return;
    }
    size_t count = size_t(width) * size_t(height);
    pugi::xml_node data = node.child("data");
    if (!data) {
      xml_.error(node, "layer '" + layer.name + "' has no <data>");
      return;
    }
    if (data.child("chunk")) {
      xml_.error(data, "layer '" + layer.name + "' is stored in chunks; a level is a map of fixed size");
      return;
    }
    std::string encoding = data.attribute("encoding").value();
    pugi::xml_node text = data.first_child();
    std::string words = text.type() == pugi::node_pcdata ? text.value() : "";
    ptrdiff_t text_offset = text.type() == pugi::node_pcdata ? text.offset_debug() : data.offset_debug();
    tiled_data_error problem;
    if (encoding == "csv") {
      std::vector<size_t> offsets;
      if (!decode_tiled_csv(words, count, layer.gids, offsets, problem)) {
        xml_.error(text_offset + ptrdiff_t(problem.offset), "layer '" + layer.name + "': " + problem.message);
        return;
      }
      for (size_t o : offsets) layer.cells.push_back(lines_.at(text_offset + ptrdiff_t(o)));
    } else if (encoding == "base64") {
      if (!decode_tiled_base64(words, data.attribute("compression").value(), count, layer.gids, problem)) {
        xml_.error(text_offset + ptrdiff_t(problem.offset), "layer '" + layer.name + "': " + problem.message);
        return;
      }
      layer.cells.push_back(xml_.at(data));
    } else if (encoding.empty()) {
      xml_tiles(data, count, layer);
      if (layer.gids.size() != count) return;
    } else {
      xml_.error(data, "layer '" + layer.name + "' is encoded as '" + encoding + "' (csv, base64 or XML tiles)");
      return;
    }
    out_.layers.push_back(std::move(layer));
  }

  // The oldest form: one <tile gid="N"/> per cell, a missing gid an empty cell.
  void xml_tiles(const pugi::xml_node& data, size_t count, tiled_layer& layer) {
    for (pugi::xml_node tile : data.children("tile")) {
      long gid = 0;
      if (tile.attribute("gid") && !xml_.integer(tile, "gid", 0, 0xFFFFFFFFL, gid)) return;
      if (layer.gids.size() == count) {
        xml_.error(tile, "layer '" + layer.name + "' holds more than its " + std::to_string(count) + " cells");
        layer.gids.clear();
        return;
      }
      layer.gids.push_back(uint32_t(gid));
      layer.cells.push_back(xml_.at(tile));
    }
    if (layer.gids.size() != count)
      xml_.error(data, "layer '" + layer.name + "' holds " + std::to_string(layer.gids.size()) + " cells, the map " +
                           std::to_string(count));
  }

  recipe& source_;
  const std::string& text_;
  text_lines lines_;
  xml_reader xml_;
  tiled_map& out_;
};

}  // namespace

bool read_tmx(recipe& source, const std::string& text, tiled_map& out) {
  int before = source.sink().count();
  out = tiled_map{};
  tmx_reader(source, text, out).read();
  return source.sink().count() == before;
}

bool read_tsx_file(recipe& source, const std::string& name, recipe_position at, tiled_tileset& out) {
  int before = source.sink().count();
  std::string path = (fs::path(source.path()).parent_path() / name).lexically_normal().string();
  if (fs::path(name).extension() != ".tsx") {
    source.error(at, "the tileset file '" + name + "' is not a .tsx: the forge reads external tilesets in Tiled's XML form");
    return false;
  }
  byte_buffer bytes;
  if (!read_file_bytes(path, bytes)) {
    source.error(at, "the tileset file '" + name + "' cannot be read (looked for " + path + ")");
    return false;
  }
  std::string text(bytes.begin(), bytes.end());
  text_lines lines(text);
  xml_reader xml(source, [&](ptrdiff_t offset) {
    recipe_position p = lines.at(offset);
    return source.place(path + ":" + std::to_string(p.line) + ":" + std::to_string(p.column));
  });
  pugi::xml_document document;
  if (!xml.parse(document, text)) return false;
  pugi::xml_node set = document.child("tileset");
  if (!set) {
    xml.error(0, "a Tiled tileset's top element is <tileset>");
    return false;
  }
  out = tiled_tileset{};
  xml.tileset(set, out);
  return source.sink().count() == before;
}

std::string tiled_xml_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}
