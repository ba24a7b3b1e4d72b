// Filling a level by hand, for the tools that make levels; the game never calls these.
#include <cstring>

#include "level/kel_map.h"

static bool is_byte(int v) { return v >= 0 && v <= 255; }

void C_KelMap::clear_map() {
  size_x = size_z = 0;
  model_name_count = texture_name_count = imp_name_count = 0;
  std::memset(cell_t, 0, sizeof cell_t);
  std::memset(cell_v, 0, sizeof cell_v);
  std::memset(cell_m, no_model, sizeof cell_m);
  std::memset(cell_rot, 0, sizeof cell_rot);
  std::memset(imp_x, 0, sizeof imp_x);
  std::memset(imp_z, 0, sizeof imp_z);
  std::memset(imp_type, 0, sizeof imp_type);
  end_count = spawn_count = 0;
  start_x = start_z = 0;
  imp_count = 0;
  settings_count = 0;
  missing_t = missing_m = missing_ai = 0;
}

int C_KelMap::set_map_size(int x, int z) {
  if (!is_byte(x) || !is_byte(z)) return 1;
  size_x = static_cast<uint8_t>(x);
  size_z = static_cast<uint8_t>(z);
  return 0;
}

int C_KelMap::set_map_data(int x, int z, int layer, int value) {
  if (!in_layer(x, z) || !is_byte(value)) return 1;
  uint8_t (*plane)[map_dim] = layer == kel_map_layer_v     ? cell_v
                              : layer == kel_map_layer_t   ? cell_t
                              : layer == kel_map_layer_m   ? cell_m
                              : layer == kel_map_layer_rot ? cell_rot
                                                           : nullptr;
  if (!plane) return 1;
  plane[x][z] = static_cast<uint8_t>(value);
  return 0;
}

int C_KelMap::set_imp(int k, int type, int x, int z) {
  if (k < 0 || k >= kel_map_imp_capacity || !is_byte(type) || !is_byte(x) || !is_byte(z)) return 1;
  imp_type[k] = static_cast<uint8_t>(type);
  imp_x[k] = static_cast<uint8_t>(x);
  imp_z[k] = static_cast<uint8_t>(z);
  return 0;
}

int C_KelMap::set_imp_count(int count) {
  if (count < 0 || count > kel_map_imp_capacity) return 1;
  imp_count = count;
  return 0;
}

int C_KelMap::set_start(int x, int z) {
  if (!is_byte(x) || !is_byte(z)) return 1;
  start_x = static_cast<uint8_t>(x);
  start_z = static_cast<uint8_t>(z);
  return 0;
}

int C_KelMap::add_end(int x, int z) {
  if (end_count >= kel_map_point_capacity || !is_byte(x) || !is_byte(z)) return 1;
  end_x[end_count] = static_cast<uint8_t>(x);
  end_z[end_count] = static_cast<uint8_t>(z);
  ++end_count;
  return 0;
}

int C_KelMap::add_spawn(int x, int z, int w) {
  if (spawn_count >= kel_map_point_capacity || !is_byte(x) || !is_byte(z) || !is_byte(w)) return 1;
  spawn_x[spawn_count] = static_cast<uint8_t>(x);
  spawn_z[spawn_count] = static_cast<uint8_t>(z);
  spawn_w[spawn_count] = static_cast<uint8_t>(w);
  ++spawn_count;
  return 0;
}

// Appends to a name list whose count is one byte.
static int add_name(uint8_t& count, char (*names)[kel_map_name_capacity], const char* name) {
  if (count >= kel_map_names_capacity || !is_map_word(name)) return -1;
  std::memcpy(names[count], name, std::strlen(name) + 1);
  return count++;
}

int C_KelMap::add_texture_name(const char* name) {
  return add_name(texture_name_count, texture_names, name);
}

int C_KelMap::add_model_name(const char* name) { return add_name(model_name_count, model_names, name); }

int C_KelMap::add_imp_name(const char* name) { return add_name(imp_name_count, imp_names, name); }

int C_KelMap::add_setting(const char* word) {
  if (settings_count < 0 || settings_count >= level_setting_capacity || !is_map_word(word)) return -1;
  std::memcpy(settings[settings_count], word, std::strlen(word) + 1);
  return settings_count++;
}
