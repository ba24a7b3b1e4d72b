#include "render/world_view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/target_picking.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "platform/multitexture.h"
#include "render/effects_pass.h"
#include "render/hud.h"
#include "render/model_passes.h"
#include "render/screenshot.h"
#include "render/textures.h"
#include "world/level_settings.h"
#include "world/map_grid.h"

float muzzle_flash_strength() {
  const player_t& player = players[player_id];
  if (!in_table(player.weapon, weapon_capacity)) return 0.0f;
  int d = shoot_anim_frame - weapon[player.weapon].anim_fire[0];
  if (d <= 1 && (shoot_anim == weapon_anim_single_shot || shoot_anim == weapon_anim_fire_loop))
    return 2.0f * (static_cast<float>(d) + shoot_anim_interpol) / 3.0f;
  return 0.0f;
}

static const float* corner_light(int x, int z) {
  static const float dark[3] = {0.0f, 0.0f, 0.0f};
  return in_layer(x, z) ? mapa_l[map_index(x, z)] : dark;
}

cell_light_sample sample_cell_light(int x, int z, float player_x, float player_z, float flash) {
  // Corners in the order (x, z), (x + 1, z), (x, z + 1), (x + 1, z + 1).
  const int corner[4][2] = {{x, z}, {x + 1, z}, {x, z + 1}, {x + 1, z + 1}};
  float dist[4], torch[4], r[4], g[4], b[4], white[4];
  for (int i = 0; i < 4; ++i) {
    float dx = corner[i][0] - player_x, dz = corner[i][1] - player_z;
    dist[i] = std::sqrt(dx * dx + dz * dz);
  }
  bool torch_reaches = dist[3] * dist[3] < 25.0f;
  for (int i = 0; i < 4; ++i) {
    torch[i] = torch_reaches ? std::max(0.0f, 0.5f - dist[i] / 5.0f) : 0.0f;
    float f = std::max(0.0f, 1.0f - dist[i] / 6.0f);
    const float* l = corner_light(corner[i][0], corner[i][1]);
    r[i] = l[0] + 0.75f * flash * f;
    g[i] = l[1] + 0.5f * flash * f;
    b[i] = l[2] + 0.2f * flash * f;
    white[i] = torch[i] + l[0];
  }
  cell_light_sample s;
  float w = (white[0] + white[1] + white[2] + white[3]) / 4.0f / 2.0f;
  s.model[0] = (r[0] + r[1] + r[2] + r[3]) / 4.0f + w;
  s.model[1] = (g[0] + g[1] + g[2] + g[3]) / 4.0f + w;
  s.model[2] = (b[0] + b[1] + b[2] + b[3]) / 4.0f + w;
  s.model[3] = w;
  s.torch = torch[0] + torch[3];
  s.r = std::min(r[0], 1.0f);
  s.g = std::min(g[0], 1.0f);
  s.b = std::min(b[0], 1.0f);
  return s;
}

// Walls near the player and near alert enemies are cut down so that nothing
// hides behind them from the camera.
void mark_see_through(const view_window& window, std::vector<uint8_t>& cut) {
  const player_t& player = players[player_id];
  int enemies = table_rows(impu, imp_capacity);
  for (int x = window.x0; x < window.x1; ++x) {
    for (int z = window.z0; z < window.z1; ++z) {
      int cell = map_index(x, z);
      bool marked = z > player.z && z < player.z + 4 && x >= player.x - 2.5f && x <= player.x + 2.5f;
      for (int k = 0; k < enemies && !marked; ++k) {
        const imp_t& e = imp[k];
        if (!e.visible || e.health <= 0 || !(z > e.z && z < e.z + 4)) continue;
        if (e.x > player.x && x >= e.x - 4 && x <= e.x + 1) marked = true;
        if (e.x < player.x && x >= e.x - 1 && x <= e.x + 4) marked = true;
      }
      mapa_tmp[cell] = marked ? 1 : 0;
      int g = mapa_g[cell];
      if (marked && g >= 0 && g < static_cast<int>(cut.size())) cut[g] = 1;
    }
  }
}

// One face of a wall or floor: four corners with base-texture and lightmap
// coordinates.
struct face_vertex {
  float x, y, z, s, t, u, v;
};

static void draw_face(const face_vertex (&corners)[4]) {
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  for (const face_vertex& c : corners) {
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, c.s, c.t);
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, c.u, c.v);
    glVertex3f(c.x, c.y, c.z);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

static void draw_wall_block(const group_t& g, bool cut, int met_x) {
  float h = cut ? c_wall_cut : c_wall_h;
  float x1 = static_cast<float>(g.x1), z1 = static_cast<float>(g.z1);
  float x2 = static_cast<float>(g.x2 + 1), z2 = static_cast<float>(g.z2 + 1);
  float along_z = static_cast<float>(g.z2 - g.z1 + 1), along_x = static_cast<float>(g.x2 - g.x1 + 1);
  const float* lm = g.lm;

  glDisable(GL_TEXTURE_2D);
  float grey = cut ? 0.05f * (c_wall_cut / c_wall_h) : 0.0f;
  glColor3f(grey, grey, grey);
  glBegin(GL_TRIANGLE_STRIP);
  glVertex3f(x1, h, z1);
  glVertex3f(x1, h, z2);
  glVertex3f(x2, h, z1);
  glVertex3f(x2, h, z2);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  g_triangles += 2;

  if (met_x != 0) {
    draw_face({{x1, h, z2, along_z, h, lm[6], lm[5]},
               {x1, h, z1, 0, h, lm[4], lm[5]},
               {x1, 0, z1, 0, 0, lm[4], lm[7]},
               {x1, 0, z2, along_z, 0, lm[6], lm[7]}});
    g_triangles += 2;
  }
  if (met_x != mapa_size_x - 1) {
    draw_face({{x2, h, z1, 0, h, lm[8], lm[9]},
               {x2, h, z2, along_z, h, lm[10], lm[9]},
               {x2, 0, z2, along_z, 0, lm[10], lm[11]},
               {x2, 0, z1, 0, 0, lm[8], lm[11]}});
    g_triangles += 2;
  }
  draw_face({{x2, h, z2, along_x, h, lm[2], lm[1]},
             {x1, h, z2, 0, h, lm[0], lm[1]},
             {x1, 0, z2, 0, 0, lm[0], lm[3]},
             {x2, 0, z2, along_x, 0, lm[2], lm[3]}});
  g_triangles += 2;
}

static void draw_floor(const group_t& g) {
  float x1 = static_cast<float>(g.x1), z1 = static_cast<float>(g.z1);
  float x2 = static_cast<float>(g.x2 + 1), z2 = static_cast<float>(g.z2 + 1);
  float along_x = static_cast<float>(g.x2 - g.x1 + 1), along_z = static_cast<float>(g.z2 - g.z1 + 1);
  const float* lm = g.lm;
  draw_face({{x1, 0, z2, 0, 0, lm[0], lm[3]},
             {x2, 0, z2, along_x, 0, lm[2], lm[3]},
             {x2, 0, z1, along_x, along_z, lm[2], lm[1]},
             {x1, 0, z1, 0, along_z, lm[0], lm[1]}});
  g_triangles += 4;
}

static void store_light_sample(int x, int z, const cell_light_sample& s) {
  std::copy(s.model, s.model + 4, mapa_l_md2[map_index(x, z)]);
  player_t& player = players[player_id];
  if (static_cast<int>(player.x) == x && static_cast<int>(player.z) == z) {
    player.light = s.torch;
    player.light_r = s.r;
    player.light_g = s.g;
    player.light_b = s.b;
  }
  int enemies = table_rows(impu, imp_capacity);
  for (int k = 0; k < enemies; ++k) {
    imp_t& e = imp[k];
    if (e.cell_x == x && e.cell_z == z) {
      e.light = s.torch / 2.0f;
      e.light_r = s.r;
      e.light_g = s.g;
      e.light_b = s.b;
    }
  }
}

static void draw_world_passes(const view_window& window, std::vector<uint8_t>& drawn,
                              const std::vector<uint8_t>& cut, float flash) {
  const player_t& player = players[player_id];
  int passes = std::min(textur, texture_capacity - 1);
  for (int t = 0; t <= passes; ++t) {
    bool selected = false;
    for (int x = window.x0; x < window.x1; ++x) {
      for (int z = window.z0; z < window.z1; ++z) {
        int cell = map_index(x, z);
        if (mapa[cell] == t) {
          store_light_sample(x, z, sample_cell_light(x, z, player.x, player.z, flash));
          if (!selected) {
            SetGLTexture(textura_list[t]);
            selected = true;
          }
          glPolygonMode(GL_FRONT, GL_FILL);
          int g = mapa_g[cell];
          if (mapa_v[cell] != cell_barrier && g >= 0 && g < static_cast<int>(drawn.size()) && !drawn[g]) {
            if (mapa_v[cell] == cell_wall)
              draw_wall_block(groups[g], cut[g] != 0, x);
            else
              draw_floor(groups[g]);
            drawn[g] = 1;
          }
        }
        draw_level_model(x, z, t, selected);
      }
    }
  }
}

int DrawGLScene() {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(cpx, cpy, cpz, clx, cly, clz, 0, 1, 0);
  if (motion_mix > 0) g_nFPS = 1.0f / motion_mix;
  g_triangles = 0;
  g_tex_used = 0;
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  int group_count = std::clamp(n_groups, 0, group_capacity);
  std::vector<uint8_t> drawn(group_count, 0), cut(group_count, 0);

  const player_t& player = players[player_id];
  view_window window = view_window_around(player.x, player.z);
  mark_see_through(window, cut);
  float flash = muzzle_flash_strength();
  if (MULTITEXTURING) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  draw_world_passes(window, drawn, cut, flash);
  draw_player_pass();
  draw_enemy_pass();
  draw_effects_pass(window);
  draw_shadow_pass(window);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  draw_overlay();

  glFlush();
  if (screenshot) {
    SaveScreenshot();
    screenshot = 0;
  }
  ++g_nFrames;
  return 1;
}
