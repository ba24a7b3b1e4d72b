#include "tiled/tiled_export.h"

#include <algorithm>

#include "tiled/tiled_level.h"
#include "tiled/tiled_xml.h"  // tiled_xml_escaped
#include "world/map_grid.h"

namespace names = tiled_property_names;

namespace {

using properties = std::vector<std::pair<std::string, std::string>>;

// The tiles one legend entry is painted with, bottom layer first (0: none).
struct entry_tiles {
  int ground = 0, thing = 0;
  std::vector<int> marks;
};

class tile_finder {
 public:
  tile_finder(const kel_tileset& tileset, std::string& error) : tileset_(tileset), error_(error) {}

  // The global id (first gid 1) of the tile saying `p`; 0 and an error when none does.
  int gid(const properties& p, const legend_entry& e) {
    int id = tileset_.find(p);
    if (id >= 0) return id + 1;
    if (error_.empty()) {
      error_ = "no tile of the tileset says";
      for (const auto& q : p) error_ += " " + q.first + "=" + q.second;
      error_ += " (legend " + std::to_string(int(uint8_t(e.symbol))) + ")";
    }
    return 0;
  }

  entry_tiles tiles(const legend_entry& e) {
    entry_tiles t;
    t.ground = gid({{names::kind, e.kind == cell_wall ? "wall" : "floor"}, {names::texture, e.texture}}, e);
    properties thing;
    if (e.kind == cell_door_closed || e.kind == cell_barrier) thing.push_back({names::kind, level_kind_word(e.kind)});
    if (!e.model.empty())
      thing.insert(thing.end(), {{names::model, e.model}, {names::rotation, std::to_string(e.rotation)}});
    else if (e.rotation != 0)
      error_ = "a turn without a model cannot be painted";
    if (!thing.empty()) t.thing = gid(thing, e);
    if (e.start) t.marks.push_back(gid({{names::start, "true"}}, e));
    if (e.exit) t.marks.push_back(gid({{names::exit, "true"}}, e));
    if (!e.enemy.empty()) t.marks.push_back(gid({{names::enemy, e.enemy}}, e));
    return t;
  }

 private:
  const kel_tileset& tileset_;
  std::string& error_;
};

std::string csv_layer(int id, const std::string& name, int width, int depth, const std::vector<int>& gids) {
  std::string s = " <layer id=\"" + std::to_string(id) + "\" name=\"" + name + "\" width=\"" + std::to_string(width) +
                  "\" height=\"" + std::to_string(depth) + "\">\n  <data encoding=\"csv\">\n";
  for (int z = 0; z < depth; ++z) {
    for (int x = 0; x < width; ++x) {
      s += std::to_string(gids[size_t(z) * size_t(width) + size_t(x)]);
      if (x + 1 < width || z + 1 < depth) s += ",";
    }
    s += "\n";
  }
  return s + "</data>\n </layer>\n";
}

// The settings words (tag, values...) as map properties.
std::string settings_properties(const level_source& level) {
  struct setting {
    const char* tag;
    const char* property;
    const char* type;
  };
  const setting settings[] = {{"<ambient_lightsource>", names::ambient, ""},
                              {"<next_level>", names::next_level, ""},
                              {"<wall_height>", names::wall_height, " type=\"float\""},
                              {"<wall_height_cut>", names::wall_height_cut, " type=\"float\""}};
  std::string s;
  const std::vector<std::string>& words = level.settings.words;
  for (size_t i = 0; i < words.size(); ++i)
    for (const setting& k : settings) {
      if (words[i] != k.tag) continue;
      std::string value;
      for (size_t v = i + 1; v < words.size() && words[v][0] != '<'; ++v) value += (value.empty() ? "" : " ") + words[v];
      s += "  <property name=\"" + std::string(k.property) + "\"" + k.type + " value=\"" + tiled_xml_escaped(value) + "\"/>\n";
    }
  return s;
}

}  // namespace

bool level_to_tmx(const level_source& level, const kel_tileset& tileset, const std::string& tileset_file,
                  std::string& tmx, std::string& error) {
  error.clear();
  tile_finder finder(tileset, error);
  std::vector<entry_tiles> tiles;
  size_t mark_layers = 0;
  for (const legend_entry& e : level.legend) {
    tiles.push_back(finder.tiles(e));
    mark_layers = std::max(mark_layers, tiles.back().marks.size());
  }
  if (!error.empty()) return false;
  int width = level.width(), depth = level.depth();
  size_t cells = size_t(width) * size_t(depth);
  std::vector<int> ground(cells), things(cells);
  std::vector<std::vector<int>> marks(mark_layers, std::vector<int>(cells));
  for (int z = 0; z < depth; ++z)
    for (int x = 0; x < width; ++x) {
      int e = level.legend_at(x, z);
      if (e < 0) {
        error = "a cell is not in the legend";
        return false;
      }
      size_t i = size_t(z) * size_t(width) + size_t(x);
      const entry_tiles& t = tiles[size_t(e)];
      ground[i] = t.ground;
      things[i] = t.thing;
      for (size_t m = 0; m < t.marks.size(); ++m) marks[m][i] = t.marks[m];
    }
  tmx = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" +
        std::to_string(width) + "\" height=\"" + std::to_string(depth) + "\" tilewidth=\"" +
        std::to_string(kel_tile_size) + "\" tileheight=\"" + std::to_string(kel_tile_size) +
        "\" infinite=\"0\" nextlayerid=\"" + std::to_string(3 + mark_layers) + "\" nextobjectid=\"1\">\n";
  tmx += " <properties>\n";
  tmx += "  <property name=\"" + std::string(names::lightmap) + "\" value=\"" +
         (level.lightmap_bz2_only ? "bz2" : "plain") + "\"/>\n";
  tmx += "  <property name=\"" + std::string(names::texels) + "\" type=\"int\" value=\"" +
         std::to_string(level.texels_per_cell) + "\"/>\n";
  tmx += settings_properties(level);
  tmx += " </properties>\n";
  tmx += " <tileset firstgid=\"1\" source=\"" + tiled_xml_escaped(tileset_file) + "\"/>\n";
  tmx += csv_layer(1, "ground", width, depth, ground);
  tmx += csv_layer(2, "things", width, depth, things);
  for (size_t m = 0; m < mark_layers; ++m)
    tmx += csv_layer(int(3 + m), m == 0 ? "marks" : "marks " + std::to_string(m + 1), width, depth, marks[m]);
  tmx += "</map>\n";
  return true;
}
