// Helpers for world tests, fuzz targets and their seeds: content tables filled
// directly (no definition files), a small sample level in a C_KelMap, and
// snapshots of the built world. The builders are inline so that the fuzz
// programs, which link only the engine, can use them too.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "actors/enemies.h"
#include "actors/player.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "level/kel_map.h"

// Empties the texture list, models, trigger prototypes, light types and enemy
// types. add_test_trigger_prototype makes a door (kind trigger_door) or an item
// with a recognisable message; -1 model arguments mean "none";
// set_test_enemy_types names types 0 .. n - 1.
inline void clear_content() {
  std::memset(textura_list, 0, sizeof textura_list);
  textur = 0;
  std::memset(model_d_list, 0, sizeof model_d_list);
  for (int j = 0; j < model_capacity; ++j) {
    model_trigger[j] = -1;
    model_light_type[j] = -1;
    model_light_type2[j] = -1;
  }
  modelu = 0;
  std::memset(trigger_prototype, 0, sizeof trigger_prototype);
  trigger_prototypu = 0;
  std::memset(light_type, 0, sizeof light_type);
  light_typu = 0;
  std::memset(imp_prototype, 0, sizeof imp_prototype);
  impu_prototype = 0;
}

inline int add_test_texture(const char* name) {
  std::snprintf(textura_list[textur], content_name_capacity, "%s", name);
  return textur++;
}

inline int add_test_light_type(float x, float y, float z, float r, float g, float b, float radius) {
  light_type[light_typu] = {x, y, z, r, g, b, radius};
  return light_typu++;
}

inline int add_test_trigger_prototype(int32_t kind) {
  trigger_t& p = trigger_prototype[trigger_prototypu];
  p.kind = kind;
  p.is_door = kind == trigger_door;
  p.pickable = kind != trigger_door;
  p.value[0][0] = 1.5f;
  std::snprintf(p.text[trigger_text_message], trigger_text_capacity, "message_%d", trigger_prototypu);
  return trigger_prototypu++;
}

inline int add_test_model(const char* definition_path, int trigger = -1, int light = -1, int light2 = -1) {
  std::snprintf(model_d_list[modelu], content_name_capacity, "%s", definition_path);
  model_trigger[modelu] = trigger;
  model_light_type[modelu] = light;
  model_light_type2[modelu] = light2;
  return modelu++;
}

inline void set_test_enemy_types(std::initializer_list<const char*> names) {
  int j = 0;
  for (const char* name : names)
    std::snprintf(imp_prototype[j++].name, imp_name_capacity, "%s", name);
  impu_prototype = j - 1;
}

// Clears every grid layer and world count; mapa_m empty as level loading leaves it.
inline void clear_world() {
  std::memset(mapa, 0, sizeof mapa);
  std::memset(mapa_v, 0, sizeof mapa_v);
  std::memset(mapa_e, 0, sizeof mapa_e);
  for (int& m : mapa_m) m = no_model;
  std::memset(mapa_m_rot, 0, sizeof mapa_m_rot);
  for (int& t : mapa_ip) t = no_trigger;
  std::memset(mapa_g, 0, sizeof mapa_g);
  mapa_size_x = mapa_size_z = 0;
  mapa_endu = dm_spawnu = 0;
  triggeru = lightu = impu = 0;
  n_groups = 0;
  player_id = 0;
  players[0].x = players[0].z = -1.0f;
}

// A 6 x 4 level using every field of every section, with content tables that
// know its names in another order than the map lists them.
inline void fill_sample_level(C_KelMap& map) {
  clear_content();
  // Content lists in another order than the map's own name lists.
  add_test_texture("floor");
  add_test_texture("door_skin");
  add_test_texture("wall");
  int door = add_test_trigger_prototype(trigger_door);
  int medikit = add_test_trigger_prototype(trigger_medikit);
  int warm = add_test_light_type(0.5f, 2.0f, 0.5f, 1.0f, 0.5f, 0.0f, 5.0f);
  int cold = add_test_light_type(0.25f, 1.0f, 0.75f, 0.0f, 0.0f, 1.0f, 3.0f);
  add_test_model("data/models/torch", -1, warm, cold);
  add_test_model("data/models/medikit", medikit);
  add_test_model("data/models/door", door);
  set_test_enemy_types({"grunt", "boss"});

  map.clear_map();
  map.set_map_size(6, 4);
  map.add_texture_name("wall");       // 0
  map.add_texture_name("floor");      // 1
  map.add_texture_name("door_skin");  // 2
  map.add_model_name("data/models/door");     // 0
  map.add_model_name("data/models/medikit");  // 1
  map.add_model_name("data/models/torch");    // 2
  for (int x = 0; x < 6; ++x)
    for (int z = 0; z < 4; ++z) {
      bool border = x == 0 || z == 0 || x == 5 || z == 3;
      map.set_map_data(x, z, kel_map_layer_v, border ? cell_wall : cell_free);
      map.set_map_data(x, z, kel_map_layer_t, border ? 0 : 1);
    }
  map.set_map_data(2, 1, kel_map_layer_v, cell_door_closed);
  map.set_map_data(2, 1, kel_map_layer_t, 2);
  map.set_map_data(2, 1, kel_map_layer_m, 0);
  map.set_map_data(2, 1, kel_map_layer_rot, 1);
  map.set_map_data(4, 2, kel_map_layer_m, 1);
  map.set_map_data(4, 2, kel_map_layer_rot, 3);
  map.set_map_data(1, 2, kel_map_layer_m, 2);
  map.set_map_data(1, 2, kel_map_layer_v, cell_barrier);
  map.add_imp_name("boss");
  map.add_imp_name("grunt");
  map.set_imp_count(2);
  map.set_imp(0, 1, 3, 2);
  map.set_imp(1, 0, 4, 1);
  map.set_start(1, 1);
  map.add_end(4, 1);
  map.add_end(3, 2);
  map.add_spawn(2, 2, 7);
  for (const char* w : {"<wall_height>", "3.5", "<next_level>", "data/maps/second"}) map.add_setting(w);
}

// The loader fields a save and a load must carry, compared field by field.
void expect_same_level(const C_KelMap& expected, const C_KelMap& actual);

// Everything the level build writes.
struct world_snapshot {
  int size_x, size_z;
  std::vector<int> mapa, mapa_v, mapa_m, mapa_m_rot, mapa_ip;
  int triggeru, lightu, impu, endu, spawnu;
  std::vector<float> lights;        // x, y, z, r, g, b, radius per light
  std::vector<float> enemies;       // type, x, z per enemy
  std::vector<int32_t> trigger_kinds;
  float player_x, player_z;
};
world_snapshot take_world_snapshot();
void expect_same_world(const world_snapshot& expected, const world_snapshot& actual);

// Levels for fuzz seed corpora: the sample level, the same with joined doors,
// a name list the content does not know and an enemy byte past its list, and
// an empty level. `fn(map, name)` is called once per level.
template <typename Fn>
void for_each_seed_level(C_KelMap& map, Fn fn) {
  fill_sample_level(map);
  fn(map, "sample");
  map.set_map_data(3, 1, kel_map_layer_m, 0);
  map.set_map_data(2, 2, kel_map_layer_m, 0);
  map.add_texture_name("unknown_texture");
  map.set_map_data(4, 1, kel_map_layer_t, 3);
  map.set_imp(1, 7, 4, 1);
  fn(map, "doors");
  map.clear_map();
  fn(map, "empty");
}
