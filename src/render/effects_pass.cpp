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
// Particles face the camera, which looks down the level at 45 degrees: their
// quads are tilted back by that much about x.
constexpr float tilt = 0.70710678f;  // cos 45 = sin 45

// The corners of a sprite quad, (+,+), (-,+), (-,-), (+,-), with their
// texture coordinates; `up` and `side` are the quad's axes scaled to its
// half size. Thousands of particles are drawn in one batch this way instead
// of a matrix and a strip each.
static void quad_corners(float x, float y, float z, const float (&side)[3], const float (&up)[3]) {
  static const float signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (const auto& s : signs) {
    glTexCoord2f(s[0] > 0 ? 1.0f : 0.0f, s[1] > 0 ? 1.0f : 0.0f);
    glVertex3f(x + s[0] * side[0] + s[1] * up[0], y + s[0] * side[1] + s[1] * up[1], z + s[0] * side[2] + s[1] * up[2]);
  }
}

void draw_marks() {
  const float h = mark_half_size;
  // Across z as drawn; turned 90 degrees about y across x; laid flat on the floor.
  static const float sides[3][3] = {{h, 0, 0}, {0, 0, -h}, {h, 0, 0}};
  static const float ups[3][3] = {{0, h, 0}, {0, h, 0}, {0, 0, -h}};
  int n = table_rows(marku, mark_capacity);
  glBegin(GL_QUADS);
  for (int i = 0; i < n; ++i) {
    const mark_t& m = mark[i];
    if (!m.alive) continue;
    int f = m.facing == mark_facing_x ? 1 : m.facing == mark_facing_floor ? 2 : 0;
    glColor4f(m.r, m.g, m.b, m.life);
    quad_corners(m.x, m.y, m.z, sides[f], ups[f]);
    g_triangles += 2;
  }
  glEnd();
}

static void draw_particle_block(const emitor_t& e, const particle_t* block, int n, float half) {
  const float side[3] = {half, 0, 0}, up[3] = {0, half * tilt, -half * tilt};
  glBegin(GL_QUADS);
  for (int j = n - 1; j >= 0; --j) {
    const particle_t& p = block[j];
    glColor4f(e.r, e.g, e.b, p.life);
    quad_corners(p.ox, p.oy, p.oz, side, up);
  }
  glEnd();
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
  SetGLTexture(blood_texture);
  for (int i = 0; i < n; ++i)
    if (emitor[i].leaves_marks == 1) draw_at_emitor(i);
  process_particles();
  process_emitors();
}
