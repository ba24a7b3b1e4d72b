#include "tiled/kel_tileset.h"

#include <algorithm>
#include <map>

#include "actors/enemies.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "levels/level_compile.h"  // is_door_model
#include "tiled/tiled_level.h"
#include "tiled/tiled_xml.h"  // tiled_xml_escaped

namespace names = tiled_property_names;

namespace {

bool starts_with(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

std::string stem(const std::string& path) {
  size_t slash = path.find_last_of('/'), dot = path.find_last_of('.');
  size_t from = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(from, dot == std::string::npos || dot < from ? std::string::npos : dot - from);
}

const trigger_t* model_trigger_prototype(int j) {
  int p = model_trigger[j];
  return p >= 0 && p < trigger_prototype_capacity ? &trigger_prototype[p] : nullptr;
}

bool is_locked_door_model(int j) {
  const trigger_t* t = model_trigger_prototype(j);
  return t && trigger_is_locked_door(*t);
}

// Models the game draws by itself, never placed on a cell.
bool is_placeable_model(const std::string& name) {
  for (const char* own : {"data/models/characters/", "data/models/weapons/", "data/models/menu/"})
    if (starts_with(name, own)) return false;
  return true;
}

kel_tile tile(kel_tile_look look, std::vector<std::pair<std::string, std::string>> properties, std::string label) {
  kel_tile t;
  t.look = look;
  t.properties = std::move(properties);
  t.label = std::move(label);
  return t;
}

// The rows as the content gives them, before earlier ids are kept.
std::vector<std::vector<kel_tile>> content_rows() {
  std::vector<std::vector<kel_tile>> rows;
  for (int t = 0; t < textur && t < texture_capacity; ++t) {
    std::string name = textura_list[t];
    if (!starts_with(name, "data/textures/walls/") && !starts_with(name, "data/textures/floors/")) continue;
    std::vector<kel_tile> row;
    for (kel_tile_look look : {kel_tile_look::wall, kel_tile_look::floor}) {
      kel_tile k = tile(look, {{names::kind, look == kel_tile_look::wall ? "wall" : "floor"}, {names::texture, name}},
                        stem(name));
      k.texture = name;
      row.push_back(k);
    }
    rows.push_back(row);
  }
  for (int j = 0; j < modelu && j < model_capacity; ++j) {
    std::string name = model_d_list[j];
    if (!is_placeable_model(name)) continue;
    std::vector<kel_tile> row;
    bool door = is_door_model(j);
    for (int barrier = 0; barrier < (door ? 1 : 2); ++barrier)
      for (int r = 0; r < 4; ++r) {
        std::vector<std::pair<std::string, std::string>> p;
        if (door || barrier) p.push_back({names::kind, door ? "door" : "barrier"});
        p.push_back({names::model, name});
        p.push_back({names::rotation, std::to_string(r)});
        kel_tile k = tile(door ? kel_tile_look::door : barrier ? kel_tile_look::barrier : kel_tile_look::model, p,
                          stem(name));
        k.rotation = r;
        k.locked = is_locked_door_model(j);
        row.push_back(k);
      }
    rows.push_back(row);
  }
  std::vector<kel_tile> marks = {tile(kel_tile_look::barrier, {{names::kind, "barrier"}}, ""),
                                 tile(kel_tile_look::start, {{names::start, "true"}}, "start"),
                                 tile(kel_tile_look::exit, {{names::exit, "true"}}, "exit")};
  for (int e = 0; e <= impu_prototype && e < imp_prototype_capacity; ++e)
    if (imp_prototype[e].name[0]) marks.push_back(tile(kel_tile_look::enemy, {{names::enemy, imp_prototype[e].name}}, imp_prototype[e].name));
  for (size_t i = 0; i < marks.size(); i += kel_tileset_columns)
    rows.emplace_back(marks.begin() + long(i), marks.begin() + long(std::min(marks.size(), i + kel_tileset_columns)));
  return rows;
}

std::string properties_key(std::vector<std::pair<std::string, std::string>> properties) {
  std::sort(properties.begin(), properties.end());
  std::string key;
  for (const auto& p : properties) key += p.first + "=" + p.second + "\n";
  return key;
}

}  // namespace

std::string kel_tile::key() const { return properties_key(properties); }

int kel_tileset::find(std::vector<std::pair<std::string, std::string>> properties) const {
  std::string key = properties_key(std::move(properties));
  for (size_t i = 0; i < tiles.size(); ++i)
    if (tiles[i].look != kel_tile_look::blank && tiles[i].key() == key) return int(i);
  return -1;
}

kel_tileset make_kel_tileset(const tiled_tileset& previous) {
  std::vector<std::vector<kel_tile>> rows = content_rows();
  std::map<std::string, int> kept;  // key -> earlier id
  for (const tiled_tile& t : previous.tiles) {
    std::vector<std::pair<std::string, std::string>> p;
    for (const tiled_property& q : t.properties) p.push_back({q.name, q.value});
    kept[properties_key(p)] = t.id;
  }
  kel_tileset out;
  // Earlier tiles stay where they were; the rest follow in content order,
  // each row starting at a row boundary of the free space.
  std::vector<std::vector<const kel_tile*>> new_rows;
  for (const std::vector<kel_tile>& row : rows) {
    new_rows.emplace_back();
    for (const kel_tile& t : row) {
      auto it = kept.find(t.key());
      if (it != kept.end() && it->second < (1 << 16)) {
        if (out.tiles.size() <= size_t(it->second)) out.tiles.resize(size_t(it->second) + 1);
        out.tiles[size_t(it->second)] = t;
      } else {
        new_rows.back().push_back(&t);
      }
    }
  }
  for (const std::vector<const kel_tile*>& row : new_rows) {
    if (row.empty()) continue;
    size_t at = (out.tiles.size() + kel_tileset_columns - 1) / kel_tileset_columns * kel_tileset_columns;
    out.tiles.resize(at);
    for (const kel_tile* t : row) out.tiles.push_back(*t);
  }
  out.tiles.resize((out.tiles.size() + kel_tileset_columns - 1) / kel_tileset_columns * kel_tileset_columns);
  return out;
}

std::string kel_tileset_tsx(const kel_tileset& tileset, const std::string& image_name) {
  int rows = int(tileset.tiles.size()) / kel_tileset_columns;
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<!-- Made by kel-forge from the demo's content; painting with it makes levels (docs/levels.md). -->\n";
  s += std::string("<tileset version=\"1.8\" tiledversion=\"1.8.2\" name=\"") + kel_tileset_name +
       "\" tilewidth=\"" + std::to_string(kel_tile_size) + "\" tileheight=\"" + std::to_string(kel_tile_size) +
       "\" tilecount=\"" + std::to_string(tileset.tiles.size()) + "\" columns=\"" +
       std::to_string(kel_tileset_columns) + "\">\n";
  s += " <image source=\"" + tiled_xml_escaped(image_name) + "\" trans=\"ff00ff\" width=\"" +
       std::to_string(kel_tileset_columns * kel_tile_size) + "\" height=\"" + std::to_string(rows * kel_tile_size) +
       "\"/>\n";
  for (size_t i = 0; i < tileset.tiles.size(); ++i) {
    const kel_tile& t = tileset.tiles[i];
    if (t.look == kel_tile_look::blank) continue;
    s += " <tile id=\"" + std::to_string(i) + "\">\n  <properties>\n";
    for (const auto& p : t.properties) {
      const char* type = p.first == names::rotation ? " type=\"int\"" : p.first == names::start || p.first == names::exit ? " type=\"bool\"" : "";
      s += "   <property name=\"" + p.first + "\"" + type + " value=\"" + tiled_xml_escaped(p.second) + "\"/>\n";
    }
    s += "  </properties>\n </tile>\n";
  }
  s += "</tileset>\n";
  return s;
}
