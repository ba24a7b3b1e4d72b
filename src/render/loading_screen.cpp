#include "render/loading_screen.h"

#include <GL/gl.h>

#include <cstring>

#include "base/loading_log.h"
#include "platform/tick.h"
#include "platform/window.h"
#include "render/fonts.h"
#include "render/textures.h"

constexpr uint32_t failure_pause_ms = 200;

static void draw_log(bool hold) {
  if (!hWnd || !hRC) return;  // nothing to draw on yet: the log is only recorded
  const double started = wall_seconds();
  SetGLTexture(textura_list[font_texture_index]);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3f(0.5f, 1.0f, 0.5f);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPrint(10, 0, "Kel", 1);
  glPrint(10, 20, "Loading...", 1);
  for (int i = 0; i < loading_log_lines; ++i) {
    if (std::strstr(_loaded[i], loading_failed_mark))
      glColor3f(1.0f, 0.1f, 0.1f);
    else
      glColor3f(0.1f, 1.0f - static_cast<float>(i) / loading_log_lines, 0.1f);
    glPrint(30, static_cast<float>(i * 16 + 40), _loaded[i], 0);
  }
  SwapBuffers();
  // A pause for the eye, on the wall clock: the game's clock may stand still
  // while a demo is recorded or played.
  const double shown_ms = (wall_seconds() - started) * 1000.0;
  if (hold && shown_ms < failure_pause_ms) wait_milliseconds(static_cast<uint32_t>(failure_pause_ms - shown_ms));
}

void show_loading_screen_while_loading() { set_loading_presenter(draw_log); }
