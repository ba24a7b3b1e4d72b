#include "render/model_passes.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/player_animation.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/table_index.h"
#include "content/models.h"
#include "formats/md2.h"
#include "platform/window.h"
#include "render/frame_stats.h"
#include "render/md2_draw.h"
#include "render/scene_setup.h"
#include "render/textures.h"
#include "render/tga_texture.h"
#include "render/view_window.h"
#include "world/map_grid.h"

constexpr const char* shadow_texture = "data/textures/particles/shadow.tga";

static void set_model_light(float dr, float dg, float db, float ar, float ag, float ab) {
  LightDiffuse[0] = dr;
  LightDiffuse[1] = dg;
  LightDiffuse[2] = db;
  LightAmbient[0] = ar;
  LightAmbient[1] = ag;
  LightAmbient[2] = ab;
  glLightfv(GL_LIGHT1, GL_DIFFUSE, LightDiffuse);
  glLightfv(GL_LIGHT1, GL_AMBIENT, LightAmbient);
}

static const md2_model_t* model_at(int index) {
  return index >= 0 && index < modelu && index < model_capacity ? model[index] : nullptr;
}

static const char* texture_path(int index) {
  return in_table(index, texture_capacity) ? textura_list[index] : "";
}

int door_cell_kind(float w) {
  int kind = cell_free;
  if (w < 1.0f) kind = cell_door_ajar;
  if (w < 0.5f) kind = cell_door_closed;
  return kind;
}

void model_cell_offset(int quarter_turns, int& dx, int& dz) {
  static const int offsets[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  dx = dz = 0;
  if (quarter_turns >= 0 && quarter_turns < 4) {
    dx = offsets[quarter_turns][0];
    dz = offsets[quarter_turns][1];
  }
}

void draw_level_model(int x, int z, int t, bool& texture_selected) {
  int cell = map_index(x, z);
  int m = mapa_m[cell];
  if (m < 0 || m >= modelu || m >= model_capacity || std::strcmp(model_list[m], no_mesh_model) == 0) return;
  const float* lit = mapa_l_md2[cell];
  if (!(lit[0] > 0 || lit[1] > 0 || lit[2] > 0 || lit[3] > 0)) return;  // an unlit cell shows no model
  if (!in_table(t, texture_capacity) || std::strcmp(model_t_list[m], textura_list[t]) != 0) return;
  const player_t& player = players[player_id];
  int px = static_cast<int>(player.x), pz = static_cast<int>(player.z);
  if (x < px - 24 || x > px + 24 || z < pz - 19 || z > pz + 19) return;

  float w = 0.0f;
  int last_frame = 0;
  int ip = test_map_ip(static_cast<float>(x), static_cast<float>(z));
  if (in_table(ip, table_rows(triggeru, trigger_capacity)) && trigger[ip].kind == trigger_door) {
    w = trigger[ip].value[0][1];
    last_frame = 1;
    mapa_v[cell] = door_cell_kind(w);
  }

  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  set_model_light(lit[0], lit[1], lit[2], lit[3] / 2, lit[3] / 2, lit[3] / 2);
  if (!texture_selected) {
    // Bound directly: the texture table's cache does not learn of it.
    glBindTexture(GL_TEXTURE_2D, textura[t]);
    texture_selected = true;
    if (textura_alphaflag[t]) {
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glEnable(GL_BLEND);
    }
  }
  glPolygonMode(GL_BACK, GL_FILL);
  glPushMatrix();
  int rot = mapa_m_rot[cell], dx, dz;
  model_cell_offset(rot, dx, dz);
  glTranslatef(static_cast<float>(x + dx), 0.0f, static_cast<float>(z + dz));
  if (rot >= 0 && rot < 4) glRotatef(rot * 90.0f, 0, 1, 0);
  md2_drawModel(model[m], 0, last_frame, w);
  glPopMatrix();
  glPolygonMode(GL_BACK, GL_LINE);
  glDisable(GL_LIGHTING);
}

void draw_player_pass() {
  player_t& player = players[player_id];
  glEnable(GL_TEXTURE_2D);
  glPolygonMode(GL_BACK, GL_FILL);
  glEnable(GL_LIGHTING);
  glPushMatrix();
  set_model_light(player.light_r, player.light_g, player.light_b, player.light + player.light_r,
                  player.light + player.light_g, player.light + player.light_b);
  SetGLTexture(texture_path(player.health > player.health_pain ? player.texture : player.texture_pain));
  glTranslatef(player.x, 0.0f, player.z);
  glRotatef(player.uhel - 90.0f, 0, 1, 0);
  md2_drawModel(model_at(player.model), player.prev_frame, player.frame, player.interpol);
  if (in_table(player.weapon, weapon_capacity))
    md2_drawModel(model_at(weapon[player.weapon].model), shoot_anim_nframe, shoot_anim_frame,
                  shoot_anim_interpol);
  if (player.health < 1) shoot_anim = weapon_anim_death;
  shoot_reload_anim();
  glDisable(GL_LIGHTING);
  glPopMatrix();
  glEnable(GL_LIGHTING);
}

bool enemy_in_view(int k) {
  const imp_t& e = imp[k];
  const player_t& player = players[player_id];
  return e.visible && near_enough_to_draw(e.x, e.z, player.x, player.z) &&
         e.light + e.light_r + e.light_g + e.light_b != 0.0f;
}

static int enemy_count() { return table_rows(impu, imp_capacity); }

void draw_enemy_pass() {
  for (int k = 0; k < enemy_count(); ++k) {
    if (!enemy_in_view(k)) continue;
    const imp_t& e = imp[k];
    if (!in_table(e.type, imp_prototype_capacity)) continue;
    const imp_prototype_t& type = imp_prototype[e.type];
    SetGLTexture(texture_path(type.health_pain >= e.health ? type.texture_pain : type.texture));
    float dr = e.light + e.light_r, dg = e.light + e.light_g, db = e.light + e.light_b;
    set_model_light(dr, dg, db, 0.75f * dr, 0.75f * dg, 0.75f * db);
    glPushMatrix();
    glTranslatef(e.x, 0.0f, e.z);
    glRotatef(e.uhel + 90.0f, 0, 1, 0);
    md2_drawModel(model_at(type.model), e.prev_frame, e.frame, e.interpol);
    glPopMatrix();
  }
}

void draw_shadow(float x, float y, float z, float size) {
  float s = size / 2.0f;
  glBegin(GL_TRIANGLES);
  glTexCoord2f(0, 0);
  glVertex3f(x - s, y, z + s);
  glTexCoord2f(1, 0);
  glVertex3f(x + s, y, z + s);
  glTexCoord2f(1, 1);
  glVertex3f(x + s, y, z - s);
  glTexCoord2f(1, 1);
  glVertex3f(x + s, y, z - s);
  glTexCoord2f(0, 1);
  glVertex3f(x - s, y, z - s);
  glTexCoord2f(0, 0);
  glVertex3f(x - s, y, z + s);
  glEnd();
  g_triangles += 2;
}

void draw_shadow_pass(const view_window& window) {
  glColor4f(1, 1, 1, 1);
  SetGLTexture(shadow_texture);
  glDepthMask(GL_FALSE);
  const player_t& player = players[player_id];
  draw_shadow(player.x, 0.05f, player.z, 1.5f);
  for (int x = window.x0; x < window.x1; ++x)
    for (int z = window.z0; z < window.z1; ++z) {
      int m = mapa_m[map_index(x, z)];
      if (m == no_model || m < 0 || m >= modelu || m >= model_capacity) continue;
      if (std::strcmp(model_list[m], no_mesh_model) == 0 || !model_shadow[m]) continue;
      draw_shadow(x + 0.5f, 0.05f, z + 0.5f, 2.5f);
    }
  for (int k = 0; k < enemy_count(); ++k)
    if (enemy_in_view(k)) draw_shadow(imp[k].x, 0.05f, imp[k].z, 1.5f);
}
