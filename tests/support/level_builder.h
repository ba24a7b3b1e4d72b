// Helpers for world tests: content tables filled directly (no definition
// files), a small sample level in a C_KelMap, and snapshots of the built world.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "content/models.h"
#include "world/kel_map.h"

// Empties the texture list, models, trigger prototypes, light types and enemy types.
void clear_content();
int add_test_texture(const char* name);
int add_test_light_type(float x, float y, float z, float r, float g, float b, float radius);
// A door (kind trigger_door) or an item prototype with a recognisable message.
int add_test_trigger_prototype(int32_t kind);
// Returns the model index; -1 arguments mean "none".
int add_test_model(const char* definition_path, int trigger = -1, int light = -1, int light2 = -1);
// Enemy types 0 .. n - 1 with these names.
void set_test_enemy_types(std::initializer_list<const char*> names);

// Clears every grid layer and world count; mapa_m empty as level loading leaves it.
void clear_world();

// A 6 x 4 level using every field of every section, with content tables that
// know its names in another order than the map lists them.
void fill_sample_level(C_KelMap& map);

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
