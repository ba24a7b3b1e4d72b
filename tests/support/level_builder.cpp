#include "support/level_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "content/texture_list.h"

void clear_content() {
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

int add_test_texture(const char* name) {
  std::snprintf(textura_list[textur], content_name_capacity, "%s", name);
  return textur++;
}

int add_test_light_type(float x, float y, float z, float r, float g, float b, float radius) {
  light_type[light_typu] = {x, y, z, r, g, b, radius};
  return light_typu++;
}

int add_test_trigger_prototype(int32_t kind) {
  trigger_t& p = trigger_prototype[trigger_prototypu];
  p.kind = kind;
  p.is_door = kind == trigger_door;
  p.pickable = kind != trigger_door;
  p.value[0][0] = 1.5f;
  std::snprintf(p.text[trigger_text_message], trigger_text_capacity, "message_%d", trigger_prototypu);
  return trigger_prototypu++;
}

int add_test_model(const char* definition_path, int trigger, int light, int light2) {
  std::snprintf(model_d_list[modelu], content_name_capacity, "%s", definition_path);
  model_trigger[modelu] = trigger;
  model_light_type[modelu] = light;
  model_light_type2[modelu] = light2;
  return modelu++;
}

void set_test_enemy_types(std::initializer_list<const char*> names) {
  int j = 0;
  for (const char* name : names)
    std::snprintf(imp_prototype[j++].name, imp_name_capacity, "%s", name);
  impu_prototype = j - 1;
}

void clear_world() {
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

void fill_sample_level(C_KelMap& map) {
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

void expect_same_level(const C_KelMap& e, const C_KelMap& a) {
  ASSERT_EQ(e.size_x, a.size_x);
  ASSERT_EQ(e.size_z, a.size_z);
  for (int x = 0; x < e.size_x; ++x)
    for (int z = 0; z < e.size_z; ++z) {
      SCOPED_TRACE(testing::Message() << "cell " << x << "," << z);
      EXPECT_EQ(e.cell_v[x][z], a.cell_v[x][z]);
      EXPECT_EQ(e.cell_t[x][z], a.cell_t[x][z]);
      EXPECT_EQ(e.cell_m[x][z], a.cell_m[x][z]);
      EXPECT_EQ(e.cell_rot[x][z], a.cell_rot[x][z]);
    }
  EXPECT_EQ(e.start_x, a.start_x);
  EXPECT_EQ(e.start_z, a.start_z);
  ASSERT_EQ(e.end_count, a.end_count);
  for (int i = 0; i < e.end_count; ++i) {
    EXPECT_EQ(e.end_x[i], a.end_x[i]);
    EXPECT_EQ(e.end_z[i], a.end_z[i]);
  }
  ASSERT_EQ(e.spawn_count, a.spawn_count);
  for (int i = 0; i < e.spawn_count; ++i) {
    EXPECT_EQ(e.spawn_x[i], a.spawn_x[i]);
    EXPECT_EQ(e.spawn_z[i], a.spawn_z[i]);
    EXPECT_EQ(e.spawn_w[i], a.spawn_w[i]);
  }
  ASSERT_EQ(e.imp_count, a.imp_count);
  for (int k = 0; k < e.imp_count; ++k) {
    EXPECT_EQ(e.imp_type[k], a.imp_type[k]);
    EXPECT_EQ(e.imp_x[k], a.imp_x[k]);
    EXPECT_EQ(e.imp_z[k], a.imp_z[k]);
  }
  ASSERT_EQ(e.texture_name_count, a.texture_name_count);
  for (int i = 0; i < e.texture_name_count; ++i) EXPECT_STREQ(e.texture_names[i], a.texture_names[i]);
  ASSERT_EQ(e.model_name_count, a.model_name_count);
  for (int i = 0; i < e.model_name_count; ++i) EXPECT_STREQ(e.model_names[i], a.model_names[i]);
  ASSERT_EQ(e.imp_name_count, a.imp_name_count);
  for (int i = 0; i < e.imp_name_count; ++i) EXPECT_STREQ(e.imp_names[i], a.imp_names[i]);
  ASSERT_EQ(e.settings_count, a.settings_count);
  for (int i = 0; i < e.settings_count; ++i) EXPECT_STREQ(e.settings[i], a.settings[i]);
}

world_snapshot take_world_snapshot() {
  world_snapshot s;
  s.size_x = mapa_size_x;
  s.size_z = mapa_size_z;
  for (int x = 0; x < mapa_size_x; ++x)
    for (int z = 0; z < mapa_size_z; ++z) {
      int i = map_index(x, z);
      s.mapa.push_back(mapa[i]);
      s.mapa_v.push_back(mapa_v[i]);
      s.mapa_m.push_back(mapa_m[i]);
      s.mapa_m_rot.push_back(mapa_m_rot[i]);
      s.mapa_ip.push_back(mapa_ip[i]);
    }
  s.triggeru = triggeru;
  s.lightu = lightu;
  s.impu = impu;
  s.endu = mapa_endu;
  s.spawnu = dm_spawnu;
  for (int i = 0; i < lightu; ++i) {
    const light_t& l = light[i];
    s.lights.insert(s.lights.end(), {l.x, l.y, l.z, l.r, l.g, l.b, l.radius});
  }
  for (int k = 0; k < impu; ++k)
    s.enemies.insert(s.enemies.end(), {float(imp[k].type), imp[k].x, imp[k].z});
  for (int t = 0; t < triggeru; ++t) s.trigger_kinds.push_back(trigger[t].kind);
  s.player_x = players[player_id].x;
  s.player_z = players[player_id].z;
  return s;
}

void expect_same_world(const world_snapshot& e, const world_snapshot& a) {
  EXPECT_EQ(e.size_x, a.size_x);
  EXPECT_EQ(e.size_z, a.size_z);
  EXPECT_EQ(e.mapa, a.mapa);
  EXPECT_EQ(e.mapa_v, a.mapa_v);
  EXPECT_EQ(e.mapa_m, a.mapa_m);
  EXPECT_EQ(e.mapa_m_rot, a.mapa_m_rot);
  EXPECT_EQ(e.mapa_ip, a.mapa_ip);
  EXPECT_EQ(e.triggeru, a.triggeru);
  EXPECT_EQ(e.lightu, a.lightu);
  EXPECT_EQ(e.impu, a.impu);
  EXPECT_EQ(e.endu, a.endu);
  EXPECT_EQ(e.spawnu, a.spawnu);
  EXPECT_EQ(e.lights, a.lights);
  EXPECT_EQ(e.enemies, a.enemies);
  EXPECT_EQ(e.trigger_kinds, a.trigger_kinds);
  EXPECT_EQ(e.player_x, a.player_x);
  EXPECT_EQ(e.player_z, a.player_z);
}
