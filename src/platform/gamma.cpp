#include "platform/gamma.h"

#include <SDL.h>

#include <cmath>

#include "platform/window.h"

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
  return SDL_SetWindowGammaRamp(window, ramps[0], ramps[1], ramps[2]) == 0 ? 0 : -1;
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
