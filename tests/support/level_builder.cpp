#include "support/level_builder.h"

#include <gtest/gtest.h>

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
