#include "tiled/tiled_level.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "lightmaps/lightmap_atlas.h"

namespace names = tiled_property_names;

namespace {

// What one tile says; a field it leaves unset lets the layers below speak.
struct tile_facts {
  int kind = -1, rotation = -1, start = -1, exit = -1;
  bool has_texture = false, has_model = false, has_enemy = false;
  std::string texture, model, enemy;
  recipe_position texture_at, model_at, enemy_at;

  void cover(const tile_facts& above) {
    if (above.kind >= 0) kind = above.kind;
    if (above.rotation >= 0) rotation = above.rotation;
    if (above.start >= 0) start = above.start;
    if (above.exit >= 0) exit = above.exit;
    if (above.has_texture) has_texture = true, texture = above.texture, texture_at = above.texture_at;
    if (above.has_model) has_model = true, model = above.model, model_at = above.model_at;
    if (above.has_enemy) has_enemy = true, enemy = above.enemy, enemy_at = above.enemy_at;
  }
  // What makes two cells one legend entry.
  std::string key() const {
    std::ostringstream k;
    k << kind << '|' << rotation << '|' << start << '|' << exit << '|' << has_texture << texture << '|' << has_model
      << model << '|' << has_enemy << enemy;
    return k.str();
  }
};

const char* const tile_property_list = "kind, texture, model, rotation, enemy, start, exit";

bool read_flag(recipe& source, const tiled_property& p, int& out) {
  if (p.value != "true" && p.value != "false") {
    source.error(p.at, "property '" + p.name + "' is true or false, not '" + p.value + "'");
    return false;
  }
  out = p.value == "true";
  return true;
}

tile_facts read_tile(recipe& source, const tiled_tile& tile) {
  tile_facts f;
  for (const tiled_property& p : tile.properties) {
    if (p.name == names::kind) {
      f.kind = level_kind_of_word(p.value);
      if (f.kind < 0) source.error(p.at, "kind is floor, wall, door or barrier, not '" + p.value + "'");
    } else if (p.name == names::texture) {
      f.has_texture = true, f.texture = p.value, f.texture_at = p.at;
    } else if (p.name == names::model) {
      f.has_model = true, f.model = p.value, f.model_at = p.at;
    } else if (p.name == names::enemy) {
      f.has_enemy = true, f.enemy = p.value, f.enemy_at = p.at;
    } else if (p.name == names::rotation) {
      if (p.value.size() == 1 && p.value[0] >= '0' && p.value[0] <= '3')
        f.rotation = p.value[0] - '0';
      else
        source.error(p.at, "rotation is a whole number from 0 to 3, not '" + p.value + "'");
    } else if (p.name == names::start) {
      read_flag(source, p, f.start);
    } else if (p.name == names::exit) {
      read_flag(source, p, f.exit);
    } else {
      source.error(p.at, "unknown tile property '" + p.name + "' (" + tile_property_list + ")");
    }
  }
  return f;
}

// Every tileset's tiles, looked up by global id.
class tile_table {
 public:
  tile_table(recipe& source, const tiled_map& map) {
    for (const tiled_tileset& set : map.tilesets) {
      sets_.push_back({&set, {}});
      for (const tiled_tile& tile : set.tiles) sets_.back().facts[tile.id] = read_tile(source, tile);
    }
    std::sort(sets_.begin(), sets_.end(),
              [](const set_facts& a, const set_facts& b) { return a.set->first_gid < b.set->first_gid; });
  }

  // The facts of a global id, or null when no tileset holds it.
  const tile_facts* find(uint32_t gid) const {
    const set_facts* owner = nullptr;
    for (const set_facts& s : sets_)
      if (s.set->first_gid <= gid) owner = &s;
    if (!owner) return nullptr;
    int id = int(gid - owner->set->first_gid);
    auto it = owner->facts.find(id);
    if (it != owner->facts.end()) return &it->second;
    return id < owner->set->tile_count ? &nothing_ : nullptr;
  }

 private:
  struct set_facts {
    const tiled_tileset* set;
    std::map<int, tile_facts> facts;
  };
  std::vector<set_facts> sets_;
  tile_facts nothing_;  // a tile of the picture without properties
};

std::string cell_name(int x, int z) { return "x " + std::to_string(x) + ", z " + std::to_string(z); }

class map_to_level {
 public:
  map_to_level(recipe& source, const tiled_map& map, level_source& out)
      : source_(source), map_(map), out_(out), tiles_(source, map) {}

  void run() {
    out_.level_at = map_.at;
    properties();
    if (map_.layers.empty()) {
      source_.error(map_.at, "the map has no tile layer");
      return;
    }
    int before = source_.sink().count();
    out_.rows.assign(size_t(map_.height), std::string(size_t(map_.width), '\0'));
    // A map painted wrong all over says so a few times, not 65025 times.
    for (int z = 0; z < map_.height; ++z)
      for (int x = 0; x < map_.width; ++x)
        if (!cell(x, z) && ++bad_cells_ == max_bad_cells) {
          source_.error(map_.at, "more cells are wrong; the first " + std::to_string(max_bad_cells) + " are above");
          return;
        }
    if (source_.sink().count() != before) return;
    for (int z = 0; z < map_.height; ++z) out_.row_at.push_back(out_.cell_at(0, z));
    check_level_rows(source_, out_);
  }

 private:
  void properties() {
    std::vector<recipe_value> words;
    auto setting = [&](const char* tag, const tiled_property& p) {
      words.push_back({tag, p.at, false});
      std::istringstream values(p.value);
      std::string value;
      int count = 0;
      while (values >> value) words.push_back({value, p.at, false}), ++count;
      if (count == 0) words.push_back({"(empty)", p.at, false});
    };
    for (const tiled_property& p : map_.properties) {
      if (p.name == names::texels) {
        double texels = 0;
        if (!parse_recipe_number(p.value, texels) || texels != int(texels) || texels < 1 ||
            texels > lightmap_max_texels_per_cell)
          source_.error(p.at, "texels is a whole number from 1 to " + std::to_string(lightmap_max_texels_per_cell) + ", not '" +
                                  p.value + "'");
        else
          out_.texels_per_cell = int(texels);
      } else if (p.name == names::lightmap) {
        if (p.value != "plain" && p.value != "bz2")
          source_.error(p.at, "lightmap is plain or bz2, not '" + p.value + "'");
        out_.lightmap_bz2_only = p.value == "bz2";
      } else if (p.name == names::ambient) {
        setting("<ambient_lightsource>", p);
      } else if (p.name == names::wall_height) {
        setting("<wall_height>", p);
      } else if (p.name == names::wall_height_cut) {
        setting("<wall_height_cut>", p);
      } else if (p.name == names::next_level) {
        setting("<next_level>", p);
      } else {
        source_.error(p.at, "unknown map property '" + p.name +
                                "' (texels, lightmap, ambient, wall_height, wall_height_cut, next_level)");
      }
    }
    read_level_settings(source_, words, map_.at, out_.settings);
  }

  bool cell(int x, int z) {
    size_t i = size_t(z) * size_t(map_.width) + size_t(x);
    tile_facts facts;
    recipe_position at = map_.cell_at(map_.layers[0], i);
    for (const tiled_layer& layer : map_.layers) {
      uint32_t gid = layer.gids[i];
      if (gid == 0) continue;
      at = map_.cell_at(layer, i);
      std::string where = "the tile at " + cell_name(x, z) + " of layer '" + layer.name + "'";
      if (gid & tiled_transform_bits) {
        source_.error(at, where + " is flipped or rotated; the forge does not turn tiles: use the tile of the turned "
                                  "model (its rotation property)");
        return false;
      }
      const tile_facts* tile = tiles_.find(gid);
      if (!tile) {
        source_.error(at, where + " has id " + std::to_string(gid) + ", which no tileset of the map holds");
        return false;
      }
      facts.cover(*tile);
    }
    out_.cell_places.push_back(at);
    if (facts.kind < 0 || !facts.has_texture) {
      source_.error(map_.cell_at(map_.layers[0], i), "the cell at " + cell_name(x, z) + " has no " + (facts.kind < 0 ? "kind" : "texture") +
                            ": paint a floor or wall tile under it");
      return false;
    }
    auto found = entries_.find(facts.key());
    if (found == entries_.end()) {
      if (out_.legend.size() == 255) {
        source_.error(at, "more than 255 different cells (tile combinations) in one level");
        return false;
      }
      found = entries_.emplace(facts.key(), out_.legend.size()).first;
      legend_entry e;
      e.symbol = char(out_.legend.size() + 1);
      e.at = at;
      e.kind = facts.kind;
      e.texture = facts.texture;
      e.texture_at = facts.texture_at;
      e.model = facts.model;
      e.model_at = facts.model_at;
      e.enemy = facts.enemy;
      e.enemy_at = facts.enemy_at;
      e.rotation = std::max(facts.rotation, 0);
      e.start = facts.start == 1;
      e.exit = facts.exit == 1;
      out_.legend.push_back(e);
    }
    out_.rows[size_t(z)][size_t(x)] = out_.legend[found->second].symbol;
    return true;
  }

  recipe& source_;
  const tiled_map& map_;
  level_source& out_;
  tile_table tiles_;
  std::map<std::string, size_t> entries_;
  static constexpr int max_bad_cells = 20;
  int bad_cells_ = 0;
};

}  // namespace

bool tiled_map_to_level(recipe& source, const tiled_map& map, level_source& out) {
  int before = source.sink().count();
  out = level_source{};
  map_to_level(source, map, out).run();
  return source.sink().count() == before;
}
