#include "render/menu_screen.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "base/table_index.h"
#include "content/texture_list.h"
#include "render/fonts.h"
#include "render/hud.h"  // draw_ortho_rect_800
#include "render/md2_draw.h"
#include "render/textures.h"

constexpr int backdrop_side = 800;
constexpr double menu_eye_z = -3.6;
constexpr int label_font_set = 1;

// An index outside the list binds nothing.
static void bind_entry(int index) {
  SetGLTexture(in_table(index, table_rows(textur, texture_capacity)) ? textura_list[index] : "");
}

static void start_frame() {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  // The last frame of play may have left the scene's lighting on; the menu's
  // pictures show in their own colours.
  glDisable(GL_LIGHTING);
}

void draw_menu_background(int background) {
  start_frame();
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  bind_entry(background);
  glDepthMask(GL_FALSE);
  draw_ortho_rect_800(0, 0, backdrop_side, backdrop_side);
  glDepthMask(GL_TRUE);
}

void draw_menu_model(const md2_model_t* model, int skin, int frame) {
  if (!model) return;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 0, menu_eye_z, 0, 0, 0, 0, 1, 0);
  bind_entry(skin);
  glRotatef(-90.0f, 0, 1, 0);
  md2_drawModel(model, frame, frame, 0.0f);
  glLoadIdentity();
}

void draw_menu_label(int x, int y, const char* text) {
  glColor4f(1, 1, 1, 1);
  glPrint(static_cast<float>(x), static_cast<float>(y), text, label_font_set);
}

void draw_logo_picture(const char* path, float opacity) {
  start_frame();
  glColor4f(1, 1, 1, opacity);
  SetGLTexture(path);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  draw_ortho_rect_800(0, 0, backdrop_side, backdrop_side);
  glDisable(GL_BLEND);
}
