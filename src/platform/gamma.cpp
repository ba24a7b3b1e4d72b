#include "platform/gamma.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cmath>

#include "platform/window_handle.h"

float gamma_corr[3] = {1.0f, 1.0f, 1.0f};

void CalculateGammaRamp(float gamma, uint16_t* ramp) {
  if (gamma <= 0.0f) {
    for (int i = 0; i < gamma_ramp_size; ++i) ramp[i] = 0;
    return;
  }
  if (gamma == 1.0f) {
    for (int i = 0; i < gamma_ramp_size; ++i) ramp[i] = static_cast<uint16_t>((i << 8) | i);
    return;
  }
  float exponent = 1.0f / gamma;
  for (int i = 0; i < gamma_ramp_size; ++i) {
    double v = std::pow(i / 256.0, static_cast<double>(exponent)) * 65535.0 + 0.5;
    int value = static_cast<int>(v);
    ramp[i] = static_cast<uint16_t>(value > 65535 ? 65535 : value);
  }
}

void CalculateGammaFromRamp(float* gamma, const uint16_t* ramp) {
  *gamma = 1.0f;
  double sum = 0.0;
  int count = 0;
  for (int i = 1; i < gamma_ramp_size; ++i) {
    if (ramp[i] != 0 && ramp[i] != 65535) {
      sum += std::log(ramp[i] / 65535.0) / std::log(i / 256.0);
      ++count;
    }
  }
  if (count && sum != 0.0) *gamma = static_cast<float>(1.0 / (sum / count));
}

int SDL_SetGamma(float red, float green, float blue) {
  uint16_t ramps[3][gamma_ramp_size];
  CalculateGammaRamp(red, ramps[0]);
  CalculateGammaRamp(green, ramps[1]);
  CalculateGammaRamp(blue, ramps[2]);
  SDL_Window* window = hWnd;
  if (!window) return -1;
  if (SDL_SetWindowGammaRamp(window, ramps[0], ramps[1], ramps[2]) == 0) {
    set_drawn_gamma(1.0f, 1.0f, 1.0f);
    return 0;
  }
  set_drawn_gamma(red, green, blue);
  return -1;
}

int SDL_GetGamma(float* red, float* green, float* blue) {
  uint16_t ramps[3][gamma_ramp_size];
  SDL_Window* window = hWnd;
  if (!window || SDL_GetWindowGammaRamp(window, ramps[0], ramps[1], ramps[2]) != 0) return -1;
  CalculateGammaFromRamp(red, ramps[0]);
  CalculateGammaFromRamp(green, ramps[1]);
  CalculateGammaFromRamp(blue, ramps[2]);
  return 0;
}

static float drawn_gamma[3] = {1.0f, 1.0f, 1.0f};

void set_drawn_gamma(float red, float green, float blue) {
  drawn_gamma[0] = red;
  drawn_gamma[1] = green;
  drawn_gamma[2] = blue;
}

static void full_screen_quad() {
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
}

void apply_drawn_gamma() {
  if (drawn_gamma[0] == 1.0f && drawn_gamma[1] == 1.0f && drawn_gamma[2] == 1.0f) return;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_BLEND);
  // Darker: multiply by the factor. Brighter: add the frame to itself times
  // (factor - 1), at most once per pass.
  float scale[3], extra[3];
  for (int c = 0; c < 3; ++c) {
    scale[c] = drawn_gamma[c] < 1.0f ? (drawn_gamma[c] > 0.0f ? drawn_gamma[c] : 0.0f) : 1.0f;
    extra[c] = drawn_gamma[c] > 1.0f ? drawn_gamma[c] - 1.0f : 0.0f;
  }
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glColor3f(scale[0], scale[1], scale[2]);
  full_screen_quad();
  glBlendFunc(GL_DST_COLOR, GL_ONE);
  while (extra[0] > 0.0f || extra[1] > 0.0f || extra[2] > 0.0f) {
    glColor3f(extra[0] < 1.0f ? extra[0] : 1.0f, extra[1] < 1.0f ? extra[1] : 1.0f,
              extra[2] < 1.0f ? extra[2] : 1.0f);
    full_screen_quad();
    for (float& e : extra) e = e > 1.0f ? e - 1.0f : 0.0f;
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}
