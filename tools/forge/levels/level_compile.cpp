#include "levels/level_compile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "actors/enemies.h"
#include "common/file_output.h"
#include "content/texture_list.h"
#include "levels/level_reach.h"
#include "lightmaps/lightmap_bake.h"
#include "world/map_grid.h"

namespace {

int find_model_definition(const std::string& name) {
  for (int j = 0; j < modelu && j < model_capacity; ++j)
    if (name == model_d_list[j]) return j;
  return -1;
}

int find_enemy_type(const std::string& name) {
  for (int j = 0; j <= impu_prototype && j < imp_prototype_capacity; ++j)
    if (name == imp_prototype[j].name) return j;
  return -1;
}

int model_light_count(int j) { return (model_light_type[j] >= 0) + (model_light_type2[j] >= 0); }

// Checks one legend entry against the content and the cell-kind rules.
void check_entry(recipe& source, const legend_entry& e) {
  if (find_texture(e.texture.c_str()) < 0)
    source.error(e.texture_at, "no texture '" + e.texture + "' in the texture list");
  bool walkable = e.kind == cell_free;
  if (!e.model.empty()) {
    int j = find_model_definition(e.model);
    if (j < 0)
      source.error(e.model_at, "no model '" + e.model + "' in the model list");
    else if (is_door_model(j) != (e.kind == cell_door_closed))
      source.error(e.model_at, is_door_model(j) ? "model '" + e.model + "' is a door: its cell needs the kind door"
                                                : "model '" + e.model + "' is not a door, but its cell is one");
  } else if (e.kind == cell_door_closed) {
    source.error(e.at, "a door cell needs a door model (model=)");
  }
  if (!e.enemy.empty()) {
    if (find_enemy_type(e.enemy) < 0) source.error(e.enemy_at, "no enemy type '" + e.enemy + "'");
    if (!walkable) source.error(e.enemy_at, "an enemy needs a floor cell");
  }
  if ((e.start || e.exit) && !walkable) source.error(e.at, "start and exit cells must be floor");
}

// The names the level's cells use, once each, in the order of the content's
// own table (`rank`), so the pack does not depend on the order or the unused
// entries of the legend: a text level and its Tiled map make the same bytes.
class used_names {
 public:
  explicit used_names(int (*rank)(const std::string&)) : rank_(rank) {}
  void use(const std::string& name) {
    if (!name.empty() && std::find(names_.begin(), names_.end(), name) == names_.end()) names_.push_back(name);
  }
  const std::vector<std::string>& sorted() {
    std::stable_sort(names_.begin(), names_.end(),
                     [this](const std::string& a, const std::string& b) { return rank_(a) < rank_(b); });
    return names_;
  }
  int index(const std::string& name) const {
    return int(std::find(names_.begin(), names_.end(), name) - names_.begin());
  }

 private:
  int (*rank_)(const std::string&);
  std::vector<std::string> names_;
};

int texture_rank(const std::string& name) { return find_texture(name.c_str()); }

class level_compiler {
 public:
  level_compiler(recipe& source, const level_source& level, compiled_level& out)
      : source_(source), level_(level), out_(out) {}

  bool run() {
    int before = source_.sink().count();
    for (const legend_entry& e : level_.legend) check_entry(source_, e);
    if (source_.sink().count() != before) return false;
    fill_map();
    if (source_.sink().count() != before) return false;
    out_.map->update_globals();
    check_world();
    if (source_.sink().count() != before) return false;
    for (const std::string& w : check_player_reach(out_.map->start_x, out_.map->start_z).warnings)
      source_.sink().warn(source_.path(), w);
    make_groups_and_lightmap();
    return source_.sink().count() == before;
  }

 private:
  void fill_map() {
    out_.map = std::make_unique<C_KelMap>();
    C_KelMap& map = *out_.map;
    map.clear_map();
    int width = level_.width(), depth = level_.depth();
    map.set_map_size(width, depth);
    used_names textures(texture_rank), models(find_model_definition), enemies(find_enemy_type);
    std::vector<bool> used(level_.legend.size());
    for (int z = 0; z < depth; ++z)
      for (int x = 0; x < width; ++x) {
        int i = level_.legend_at(x, z);
        if (i >= 0) used[size_t(i)] = true;
      }
    for (size_t i = 0; i < level_.legend.size(); ++i) {
      if (!used[i]) continue;
      textures.use(level_.legend[i].texture);
      models.use(level_.legend[i].model);
      enemies.use(level_.legend[i].enemy);
    }
    for (const std::string& n : textures.sorted()) add_name(map.add_texture_name(n.c_str()), n);
    for (const std::string& n : models.sorted()) add_name(map.add_model_name(n.c_str()), n);
    for (const std::string& n : enemies.sorted()) add_name(map.add_imp_name(n.c_str()), n);
    std::vector<int> texture_of, model_of, enemy_of;
    for (const legend_entry& e : level_.legend) {
      texture_of.push_back(textures.index(e.texture));
      model_of.push_back(e.model.empty() ? no_model : models.index(e.model));
      enemy_of.push_back(e.enemy.empty() ? -1 : enemies.index(e.enemy));
    }
    for (const std::string& w : level_.settings.words)
      if (map.add_setting(w.c_str()) < 0) source_.error(level_.level_at, "setting '" + w + "' cannot be stored");

    out_.grid = cell_grid(width, depth);
    int enemy_count = 0;
    for (int z = 0; z < depth; ++z)
      for (int x = 0; x < width; ++x) {
        int i = level_.legend_at(x, z);
        if (i < 0) {
          source_.error(level_.cell_at(x, z), "cell is not in the legend");
          continue;
        }
        const legend_entry& e = level_.legend[size_t(i)];
        map.set_map_data(x, z, kel_map_layer_v, e.kind);
        map.set_map_data(x, z, kel_map_layer_t, texture_of[size_t(i)]);
        map.set_map_data(x, z, kel_map_layer_m, model_of[size_t(i)]);
        map.set_map_data(x, z, kel_map_layer_rot, e.rotation);
        out_.grid.kind[out_.grid.index(x, z)] = uint8_t(e.kind);
        out_.grid.texture[out_.grid.index(x, z)] = uint8_t(texture_of[size_t(i)]);
        if (e.start) map.set_start(x, z);
        if (e.exit && map.add_end(x, z) != 0)
          source_.error(level_.cell_at(x, z), "more than " + std::to_string(kel_map_point_capacity) + " exits");
        if (enemy_of[size_t(i)] < 0) continue;
        if (enemy_count == kel_map_imp_capacity)
          source_.error(level_.cell_at(x, z), "more than " + std::to_string(kel_map_imp_capacity) + " enemies");
        else
          map.set_imp(enemy_count, enemy_of[size_t(i)], x, z);
        ++enemy_count;
      }
    map.set_imp_count(std::min(enemy_count, kel_map_imp_capacity));
  }

  void add_name(int index, const std::string& name) {
    if (index < 0) source_.error(level_.level_at, "name '" + name + "' cannot be stored in a level");
  }

  // The engine drops lights and triggers past its tables without a word; a
  // level that needs more is refused here instead.
  void check_world() {
    const C_KelMap& map = *out_.map;
    int lights = 0;
    recipe_position dropped_trigger_at{};
    bool dropped_trigger = false;
    for (int z = 0; z < map.size_z; ++z)
      for (int x = 0; x < map.size_x; ++x) {
        int m = mapa_m[map_index(x, z)];
        if (map.cell_m[x][z] == no_model || m < 0 || m >= model_capacity) continue;
        lights += model_light_count(m);
        if (model_trigger[m] >= 0 && mapa_ip[map_index(x, z)] == no_trigger && !dropped_trigger) {
          dropped_trigger = true;
          dropped_trigger_at = level_.cell_at(x, z);
        }
      }
    if (lights > light_capacity)
      source_.error(level_.level_at, "the level places " + std::to_string(lights) + " lights; the engine keeps " +
                                         std::to_string(light_capacity));
    if (dropped_trigger)
      source_.error(dropped_trigger_at, "more doors and items than the engine's " + std::to_string(trigger_capacity) +
                                            " triggers");
    out_.lights.assign(light, light + std::min(lightu, light_capacity));
  }

  void make_groups_and_lightmap() {
    out_.groups = merge_groups(out_.grid);
    if (out_.groups.groups.size() > size_t(group_capacity)) {
      source_.error(level_.level_at, "the level needs " + std::to_string(out_.groups.groups.size()) +
                                         " render groups; the engine keeps " + std::to_string(group_capacity));
      return;
    }
    const level_settings_words& s = level_.settings;
    if (!lay_out_lightmap(out_.groups.groups, s.wall_height, level_.texels_per_cell, out_.atlas)) {
      source_.error(level_.level_at, "the lightmap does not fit 2048 x 2048 texels even at one texel a cell");
      return;
    }
    lightmap_scene scene;
    scene.grid = &out_.grid;
    scene.groups = &out_.groups.groups;
    scene.lights = out_.lights;
    for (int c = 0; c < 3; ++c) scene.ambient[c] = s.ambient[c];
    scene.wall_height = s.wall_height;
    out_.lightmap = bake_lightmap(scene, out_.atlas);
    out_.lightmap_bz2_only = level_.lightmap_bz2_only;
  }

  recipe& source_;
  const level_source& level_;
  compiled_level& out_;
};

}  // namespace

bool is_door_model(int j) {
  int p = model_trigger[j];
  return p >= 0 && p < trigger_prototype_capacity && trigger_prototype[p].kind == trigger_door;
}

bool compile_level(recipe& source, const level_source& level, compiled_level& out) {
  return level_compiler(source, level, out).run();
}

void store_groups_in_world(const compiled_level& level) {
  const std::vector<level_group>& list = level.groups.groups;
  n_groups = int(std::min(list.size(), size_t(group_capacity)));
  for (int g = 0; g < n_groups; ++g) {
    const level_group& from = list[size_t(g)];
    groups[g].x1 = from.x1;
    groups[g].z1 = from.z1;
    groups[g].x2 = from.x2;
    groups[g].z2 = from.z2;
  }
  set_group_coordinates(level.atlas, groups, n_groups);
  mapa_size_x = level.grid.size_x;
  mapa_size_z = level.grid.size_z;
  for (int x = 0; x < level.grid.size_x; ++x)
    for (int z = 0; z < level.grid.size_z; ++z)
      mapa_g[map_index(x, z)] = level.groups.cell_group[level.grid.index(x, z)];
}

bool write_level_files(const compiled_level& level, const std::string& base, std::vector<std::string>& written,
                       std::string& failed_path) {
  // Every file is written under a scratch name beside its place and renamed
  // over the old one only when all are whole, so a game reading the level
  // while it is forged never sees half a file. The pack goes last: a new
  // pack means the rest is already there.
  std::string scratch = (std::filesystem::path(base).parent_path() /
                         ("." + std::filesystem::path(base).filename().string() + ".forging"))
                            .string();
  std::vector<std::pair<std::string, std::string>> renames;  // scratch file, final path
  auto fail = [&](const std::string& path) {
    failed_path = path;
    for (const auto& r : renames) std::remove(r.first.c_str());
    return false;
  };
  if (!make_parent_dirs(base)) return fail(base);
  std::string raw = base + "_lm.raw", packed = raw + ".bz2";
  if (!level.lightmap_bz2_only) {
    renames.push_back({scratch + "_lm.raw", raw});
    if (!write_file_bytes(renames.back().first, level.lightmap)) return fail(raw);
  } else {
    byte_buffer compressed;
    renames.push_back({scratch + "_lm.raw.bz2", packed});
    if (!bzip2_compress(level.lightmap, compressed) || !write_file_bytes(renames.back().first, compressed))
      return fail(packed);
  }
  store_groups_in_world(level);
  renames.push_back({scratch + "_guv", base + "_guv"});
  if (save_groups_vt(scratch.c_str()) != 0) return fail(base + "_guv");
  renames.push_back({scratch + ".pack", base + ".pack"});
  if (level.map->save_pack_l(scratch.c_str()) != 0) return fail(base + ".pack");
  for (const auto& r : renames)
    if (std::rename(r.first.c_str(), r.second.c_str()) != 0) return fail(r.second);
  for (auto r = renames.rbegin(); r != renames.rend(); ++r) written.push_back(r->second);  // pack, groups, lightmap
  // Only one form of the lightmap is left behind: the engine prefers the
  // plain file, so a stale one would hide a freshly compressed lightmap.
  std::remove((level.lightmap_bz2_only ? raw : packed).c_str());
  return true;
}
