#include "render/fonts.h"

#include <cstring>

#include "base/table_index.h"
#include "content/texture_list.h"
#include "platform/multitexture.h"
#include "render/textures.h"
#include "render/tga_texture.h"

GLuint base = 0;
GLuint base3D = 0;

constexpr float glyph_cell = 1.0f / 16.0f;

screen_point screen_font_origin(float x, float y) { return {x * 1.25f, 600.0f - y * 1.25f - 16.0f}; }

static const char* font_path() {
  return in_table(font_texture_index, texture_capacity) ? textura_list[font_texture_index] : "";
}

// One glyph quad of `size` units with the cell's texture coordinates.
static void glyph_quad(int glyph, float size, bool multitexture_call) {
  float cx = static_cast<float>(glyph % 16) / 16.0f;
  float cy = static_cast<float>(glyph / 16) / 16.0f;
  const float corners[4][4] = {
      {cx, 1 - cy - glyph_cell, 0, 0},
      {cx + glyph_cell, 1 - cy - glyph_cell, size, 0},
      {cx + glyph_cell, 1 - cy, size, size},
      {cx, 1 - cy, 0, size},
  };
  glBegin(GL_QUADS);
  for (const auto& c : corners) {
    if (multitexture_call)
      glMultiTexCoord2fARB(GL_TEXTURE0_ARB, c[0], c[1]);
    else
      glTexCoord2f(c[0], c[1]);
    glVertex2f(c[2], c[3]);
  }
  glEnd();
}

static int clamp_set(int set) { return set > 1 ? 1 : (set < 0 ? 0 : set); }

void BuildFont() {
  base = glGenLists(font_glyphs);
  SetGLTexture(font_path());
  for (int i = 0; i < font_glyphs; ++i) {
    glNewList(base + i, GL_COMPILE);
    glyph_quad(i, 16.0f, true);
    glTranslated(screen_font_advance, 0, 0);
    glEndList();
  }
}

void KillFont() {
  glDeleteTextures(200, textura);
  if (base) glDeleteLists(base, font_glyphs);
  base = 0;
}

void BuildFont3D() {
  base3D = glGenLists(font_glyphs);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  for (int i = 0; i < font_glyphs; ++i) {
    glNewList(base3D + i, GL_COMPILE);
    glyph_quad(i, 0.3f, false);
    glTranslated(0.2, 0, 0);
    glEndList();
  }
}

void KillFont3D() {
  if (base3D) glDeleteLists(base3D, font_glyphs);
  base3D = 0;
}

void glPrint(float x, float y, const char* text, int set) {
  SetGLTexture(font_path());
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 800, 0, 600, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  screen_point origin = screen_font_origin(x, y);
  glTranslated(origin.x, origin.y, 0);
  glListBase(base - 32 + 128 * clamp_set(set));
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_BYTE, text);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}

void glPrint3D(float x, float z, const char* text, int set) {
  SetGLTexture(font_path());
  glDisable(GL_DEPTH_TEST);
  glPushMatrix();
  glTranslated(x, 2, z);
  glRotatef(-45.0f, 1, 0, 0);
  glListBase(base3D - 32 + 128 * clamp_set(set));
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_BYTE, text);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}
