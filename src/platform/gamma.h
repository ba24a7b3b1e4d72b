// Display gamma: three ramps of 256 16-bit entries (red, green, blue).
#pragma once
#include <cstdint>

constexpr int gamma_ramp_size = 256;

// The gamma of red, green and blue as the game last set it.
extern float gamma_corr[3];

void CalculateGammaRamp(float gamma, uint16_t* ramp);
void CalculateGammaFromRamp(float* gamma, const uint16_t* ramp);

// Sets the game window's ramps; 0, or -1 when the display refuses (not an error).
// A display that refuses ramps gets the same change drawn over every frame
// instead, so the gamma keys always show.
int SDL_SetGamma(float red, float green, float blue);
// Reads the window's ramps back as gamma values; -1 leaves them unchanged.
int SDL_GetGamma(float* red, float* green, float* blue);

// The drawn correction: each channel scaled by its factor (1 = none). Set by
// SDL_SetGamma when the display refuses ramps.
void set_drawn_gamma(float red, float green, float blue);
// Scales the frame in the back buffer by the drawn correction, if any; called
// right before every buffer swap.
void apply_drawn_gamma();
