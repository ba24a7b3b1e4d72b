// Building the running world from the loader, and copying it back.
#include <cstdio>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "base/table_index.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "level/kel_map.h"

static_assert(kel_map_imp_capacity == imp_capacity, "map enemies must fit the enemy table");

// A map name against a table entry of `capacity` characters: equal only when
// the whole name fits the entry.
static bool names_equal(const char* name, const char* entry, size_t capacity) {
  return std::strlen(name) < capacity && std::strncmp(name, entry, capacity) == 0;
}

// For each name of a map list, the last table entry with that name (later
// entries win), or -1.
template <typename EntryName>
static void resolve_names(int (&target)[kel_map_list_slots], const char (*names)[kel_map_name_capacity],
                          int name_count, int table_size, size_t entry_capacity, EntryName entry) {
  for (int& t : target) t = -1;
  for (int i = 0; i < name_count; ++i)
    for (int j = 0; j < table_size; ++j)
      if (names_equal(names[i], entry(j), entry_capacity)) target[i] = j;
}

// The level's trigger at a cell, or -1 (also for cells outside the layers).
static int trigger_at(int x, int z) {
  if (!in_layer(x, z)) return -1;
  int t = mapa_ip[map_index(x, z)];
  return t >= 0 && t < triggeru ? t : -1;
}

static int door_at(int x, int z) {
  int t = trigger_at(x, z);
  return t >= 0 && trigger[t].kind == trigger_door ? t : -1;
}

// The instance's open_request is run-time state and stays as it is.
static void copy_prototype(trigger_t& to, const trigger_t& from) {
  to.kind = from.kind;
  std::memcpy(to.text, from.text, sizeof to.text);
  std::memcpy(to.value, from.value, sizeof to.value);
  to.pickable = from.pickable;
  to.is_door = from.is_door;
}

// Door cells next to each other along x or z make one door that opens as a
// whole. A new trigger past the table's capacity is not created.
static void attach_trigger(int p, int x, int z) {
  int t = triggeru;
  bool fresh = true;
  if (trigger_prototype[p].kind == trigger_door) {
    int joined = door_at(x - 1, z);
    if (joined < 0) joined = door_at(x, z - 1);
    if (joined >= 0) {
      t = joined;
      fresh = false;
    }
  }
  if (fresh && t >= trigger_capacity) return;
  copy_prototype(trigger[t], trigger_prototype[p]);
  mapa_ip[map_index(x, z)] = t;
  // Standing in front of or behind a door reaches it.
  if (trigger[t].kind == trigger_door) {
    const int around[4][2] = {{x + 1, z}, {x - 1, z}, {x, z + 1}, {x, z - 1}};
    for (const auto& n : around) {
      if (!in_layer(n[0], n[1])) continue;
      int i = map_index(n[0], n[1]);
      if (mapa_ip[i] == no_trigger && mapa_v[i] == cell_free) mapa_ip[i] = t;
    }
  }
  if (fresh) ++triggeru;
}

// Light offsets start at the cell's corner. Lights past the table are dropped.
static void add_light(int type, int x, int z) {
  if (!in_table(type, light_type_capacity) || lightu >= light_capacity) return;
  const light_t& l = light_type[type];
  light[lightu++] = {x + l.x, l.y, z + l.z, l.r, l.g, l.b, l.radius};
}

static void place_model(int j, int x, int z) {
  mapa_m[map_index(x, z)] = j;
  int p = model_trigger[j];
  if (in_table(p, trigger_prototype_capacity)) attach_trigger(p, x, z);
  add_light(model_light_type[j], x, z);
  add_light(model_light_type2[j], x, z);
}

// Cells grouped by their model name, each group in x-outer, z-inner order:
// triggers and lights are numbered in that order.
static int cells_by_name_start[kel_map_list_slots + 1];
static int cells_by_name[map_cells];

static void group_cells_by_model(const C_KelMap& map) {
  int counts[kel_map_list_slots + 1] = {};
  for (int x = 0; x < map.size_x; ++x)
    for (int z = 0; z < map.size_z; ++z) ++counts[map.cell_m[x][z] + 1];
  for (int i = 0; i < kel_map_list_slots; ++i) counts[i + 1] += counts[i];
  std::memcpy(cells_by_name_start, counts, sizeof counts);
  for (int x = 0; x < map.size_x; ++x)
    for (int z = 0; z < map.size_z; ++z) cells_by_name[counts[map.cell_m[x][z]]++] = map_index(x, z);
}

static void place_models(const C_KelMap& map) {
  group_cells_by_model(map);
  int models = table_rows(modelu, model_capacity);
  for (int i = 0; i < map.model_name_count; ++i)
    for (int j = 0; j < models; ++j) {
      if (!names_equal(map.model_names[i], model_d_list[j], content_name_capacity)) continue;
      for (int c = cells_by_name_start[i]; c < cells_by_name_start[i + 1]; ++c)
        place_model(j, cells_by_name[c] / map_dim, cells_by_name[c] % map_dim);
    }
}

static void resolve_textures(const C_KelMap& map) {
  int target[kel_map_list_slots];
  resolve_names(target, map.texture_names, map.texture_name_count,
                table_rows(textur, texture_capacity), content_name_capacity,
                [](int j) { return textura_list[j]; });
  for (int x = 0; x < map.size_x; ++x)
    for (int z = 0; z < map.size_z; ++z)
      if (target[map.cell_t[x][z]] >= 0) mapa[map_index(x, z)] = target[map.cell_t[x][z]];
}

// An enemy whose type name is not found keeps the raw byte as its type.
static void place_enemies(const C_KelMap& map) {
  impu = map.imp_count;
  for (int k = 0; k < impu; ++k) {
    imp[k].type = map.imp_type[k];
    imp[k].x = map.imp_x[k] + 0.5f;
    imp[k].z = map.imp_z[k] + 0.5f;
  }
  int target[kel_map_list_slots];
  int last_type = table_rows(impu_prototype, imp_prototype_capacity - 1);
  resolve_names(target, map.imp_names, map.imp_name_count, last_type + 1, imp_name_capacity,
                [](int j) { return imp_prototype[j].name; });
  for (int k = 0; k < impu; ++k)
    if (target[map.imp_type[k]] >= 0) imp[k].type = target[map.imp_type[k]];
}

void C_KelMap::update_globals() {
  apply_level_settings(settings, settings_count);

  mapa_size_x = size_x;
  mapa_size_z = size_z;
  if (in_table(player_id, player_slots)) {
    players[player_id].x = start_x;
    players[player_id].z = start_z;
  }
  mapa_endu = end_count;
  for (int i = 0; i < end_count; ++i) {
    mapa_end_x[i] = end_x[i];
    mapa_end_z[i] = end_z[i];
  }
  dm_spawnu = spawn_count;
  for (int i = 0; i < spawn_count; ++i) dm_spawn[i] = {float(spawn_x[i]), float(spawn_z[i]), spawn_w[i]};

  for (int x = 0; x < size_x; ++x)
    for (int z = 0; z < size_z; ++z) {
      int i = map_index(x, z);
      mapa_v[i] = cell_v[x][z];
      if (missing_m) {
        mapa_m[i] = no_model;
        cell_m[x][z] = no_model;
        mapa_m_rot[i] = 0;
      } else {
        mapa_m_rot[i] = cell_rot[x][z];
      }
      if (missing_t) {
        cell_t[x][z] = 0;
        mapa[i] = 0;
      }
      mapa_ip[i] = no_trigger;
    }
  if (!missing_t) resolve_textures(*this);

  lightu = 0;
  triggeru = 0;
  if (!missing_m) place_models(*this);

  // The readers never let a count past the table; a loader filled some other
  // way is held to it here.
  if (missing_ai || imp_count < 0 || imp_count > kel_map_imp_capacity) imp_count = 0;
  place_enemies(*this);
}

// A value survives the byte store and the name list cut to 255 entries.
static bool stores_losslessly(int value, int stored_names, int list_count) {
  if (value < 0 || value > 255) return false;
  return !(value >= stored_names && value < list_count);
}

int C_KelMap::use_globals() {
  int textures = table_rows(textur, texture_capacity);
  int models = table_rows(modelu, model_capacity);
  texture_name_count = static_cast<uint8_t>(table_rows(textures, kel_map_names_capacity));
  model_name_count = static_cast<uint8_t>(table_rows(models, kel_map_names_capacity));
  for (int i = 0; i < texture_name_count; ++i)
    std::snprintf(texture_names[i], kel_map_name_capacity, "%.*s", content_name_capacity - 1,
                  textura_list[i]);
  for (int i = 0; i < model_name_count; ++i)
    std::snprintf(model_names[i], kel_map_name_capacity, "%.*s", content_name_capacity - 1,
                  model_d_list[i]);

  bool lossless = true;
  for (int x = 0; x < size_x; ++x)
    for (int z = 0; z < size_z; ++z) {
      int i = map_index(x, z);
      cell_m[x][z] = static_cast<uint8_t>(mapa_m[i]);
      cell_rot[x][z] = static_cast<uint8_t>(mapa_m_rot[i]);
      cell_t[x][z] = static_cast<uint8_t>(mapa[i]);
      lossless = lossless && stores_losslessly(mapa_m[i], model_name_count, models) &&
                 stores_losslessly(mapa_m_rot[i], 0, 0) &&
                 stores_losslessly(mapa[i], texture_name_count, textures);
    }
  return lossless ? 0 : 1;
}
