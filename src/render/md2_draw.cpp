#include "render/md2_draw.h"

#include <GL/gl.h>

void md2_drawModel(const md2_model_t* model, int frameA, int frameB, float t) {
  if (!model || frameA < 0 || frameB < 0 || frameA >= model->numFrames || frameB >= model->numFrames) return;
  int position = 0;
  md2_gl_packet packet;
  while (md2_next_gl_packet(model, position, packet)) {
    glBegin(packet.fan ? GL_TRIANGLE_FAN : GL_TRIANGLE_STRIP);
    for (int i = 0; i < packet.count; ++i) {
      const int32_t* entry = packet.words + md2_gl_vertex_words * i;
      float p[3], n[3];
      md2_blend_vertex(model, frameA, frameB, t, md2_gl_vertex_index(entry), p, n);
      // Image rows are stored bottom-up.
      glTexCoord2f(md2_gl_s(entry), 1.0f - md2_gl_t(entry));
      glNormal3fv(n);
      glVertex3fv(p);
    }
    glEnd();
  }
  g_triangles += model->numTriangles;
}
