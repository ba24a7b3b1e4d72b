#include "render/scene_setup.h"

#include <GL/gl.h>

#include "render/fonts.h"
#include "render/textures.h"

float LightAmbient[4] = {0.75f, 0.75f, 0.75f, 1.0f};
float LightDiffuse[4] = {1.0f, 0.8f, 0.0f, 1.0f};
float LightPosition[4] = {0.0f, 2.0f, 0.0f, 1.0f};

int LoadGLTextures() {
  load_font_textures();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  BuildFont();  // the loading log of the other textures is written with it
  load_ordinary_textures();
  return 0;
}

bool InitGL() {
  LoadGLTextures();
  BuildFont3D();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glLightfv(GL_LIGHT1, GL_AMBIENT, LightAmbient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, LightDiffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, LightPosition);
  glEnable(GL_LIGHT1);
  glEnable(GL_TEXTURE_2D);
  return true;
}

void draw_empty_frame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
