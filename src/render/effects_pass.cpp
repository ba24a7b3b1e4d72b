#include "render/effects_pass.h"

#include <GL/gl.h>

#include "base/table_index.h"
#include "effects/marks.h"
#include "effects/particles.h"
#include "render/frame_stats.h"
#include "render/textures.h"
#include "render/view_window.h"

constexpr float fire_half_size = 0.2f;
constexpr float blood_half_size = 0.1f;
constexpr float sprite_tilt = -45.0f;  // particles face the tilted camera

// One quad centred on the origin of the current matrix, in the xy plane.
static void draw_sprite(float half) {
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(1, 1);
  glVertex3f(half, half, 0);
  glTexCoord2f(0, 1);
  glVertex3f(-half, half, 0);
  glTexCoord2f(1, 0);
  glVertex3f(half, -half, 0);
  glTexCoord2f(0, 0);
  glVertex3f(-half, -half, 0);
  glEnd();
}

void draw_marks() {
  int n = table_rows(marku, mark_capacity);
  for (int i = 0; i < n; ++i) {
    const mark_t& m = mark[i];
    if (!m.alive) continue;
    glPushMatrix();
    glTranslatef(m.x, m.y, m.z);
    if (m.facing == mark_facing_x) glRotatef(90.0f, 0, 1, 0);
    if (m.facing == mark_facing_floor) glRotatef(-90.0f, 1, 0, 0);
    glColor4f(m.r, m.g, m.b, m.life);
    draw_sprite(mark_half_size);
    glPopMatrix();
    g_triangles += 2;
  }
}

static void draw_particle_block(const emitor_t& e, const particle_t* block, int n, float half) {
  for (int j = n - 1; j >= 0; --j) {
    const particle_t& p = block[j];
    glPushMatrix();
    glTranslatef(p.ox, p.oy, p.oz);
    glRotatef(sprite_tilt, 1, 0, 0);
    glColor4f(e.r, e.g, e.b, p.life);
    draw_sprite(half);
    glPopMatrix();
  }
  g_triangles += n;
}

void draw_particles(int i) {
  if (!in_table(i, emitor_capacity)) return;
  const emitor_t& e = emitor[i];
  if (e.kind == emitor_fire) {
    draw_particle_block(e, particle, fire_particle_count, fire_half_size);
  } else if ((e.kind == emitor_jet || e.kind == emitor_burst) && e.in_use) {
    draw_particle_block(e, g_particle[i], emitor_particles(e), e.leaves_marks ? blood_half_size : fire_half_size);
  }
}

static void draw_at_emitor(int i) {
  const emitor_t& e = emitor[i];
  glPushMatrix();
  glTranslatef(e.x, e.y, e.z);
  draw_particles(i);
  glPopMatrix();
}

void draw_effects_pass(const view_window& window) {
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  glColor4f(1, 1, 1, 1);
  glPolygonMode(GL_BACK, GL_FILL);
  SetGLTexture(blood_texture);
  draw_marks();

  SetGLTexture(particle_texture);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  int n = table_rows(emitoru, emitor_capacity);
  for (int i = 0; i < n; ++i) {
    const emitor_t& e = emitor[i];
    if (e.leaves_marks == 1) continue;
    bool in_window = e.x >= window.x0 && e.x <= window.x1 && e.z >= window.z0 && e.z <= window.z1;
    if (e.kind != emitor_fire && !in_window) continue;
    draw_at_emitor(i);
  }
  for (int i = 0; i < n; ++i) {
    if (emitor[i].leaves_marks != 1) continue;
    SetGLTexture(blood_texture);
    draw_at_emitor(i);
  }
  process_particles();
  process_emitors();
}
