#include "render/viewport.h"

#include <GL/gl.h>

std::array<int, 4> current_viewport() {
  GLint viewport[4] = {0, 0, 1, 1};  // kept when there is no context to ask
  glGetIntegerv(GL_VIEWPORT, viewport);
  return {viewport[0], viewport[1], viewport[2], viewport[3]};
}
