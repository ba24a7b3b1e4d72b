// Display gamma: three ramps of 256 16-bit entries (red, green, blue).
#pragma once
#include <cstdint>

constexpr int gamma_ramp_size = 256;

void CalculateGammaRamp(float gamma, uint16_t* ramp);
void CalculateGammaFromRamp(float* gamma, const uint16_t* ramp);

// Sets the game window's ramps; 0, or -1 when the display refuses (not an error).
int SDL_SetGamma(float red, float green, float blue);
// Reads the window's ramps back as gamma values; -1 leaves them unchanged.
int SDL_GetGamma(float* red, float* green, float* blue);
