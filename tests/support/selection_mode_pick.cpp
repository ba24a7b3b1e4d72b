#include "support/selection_mode_pick.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "actors/enemies.h"

int selection_mode_pick(const camera_view& v, int cursor_x, int cursor_y, float px, float pz) {
  GLuint buffer[512];  // hit records of four words: count, depths, name
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glSelectBuffer(512, buffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(cursor_x, viewport[3] - cursor_y, pick_region_pixels, pick_region_pixels, viewport);
  gluPerspective(pick_fov, double(viewport[2] - viewport[0]) / (viewport[3] - viewport[1]), pick_near, pick_far);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(v.eye_x, v.eye_y, v.eye_z, v.look_x, v.look_y, v.look_z, 0, 1, 0);
  for (int k = 0; k < impu; ++k) {
    if (!is_pick_candidate(imp[k], px, pz)) continue;
    glLoadName(GLuint(k));
    pick_strip strip = pick_strip_for(px, pz, imp[k]);
    glBegin(GL_QUADS);
    for (int c = 0; c < 4; ++c) glVertex3f(strip.x[c], pick_strip_height, strip.z[c]);
    glEnd();
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  GLint hits = glRenderMode(GL_RENDER);
  return hits != 0 && buffer[0] > 0 ? int(buffer[3]) : -1;
}
