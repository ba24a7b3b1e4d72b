// Sound recipes: demo/sounds/NAME.txt becomes data/sound/NAME.wav.
//
//   sound length=0.4 rate=22050 seed=3 gain=0.9
//   voice KIND at=0 length=0.3 attack=0.002 hold=0 decay=0.25 curve=2
//         freq=220,110 filter=lowpass cutoff=3000,400 resonance=0.7
//         gain=1 drive=0 repeat=2,0.15
//
// KIND is sine, square, saw, triangle, noise or crackle (sparse clicks).
// Two comma-separated values sweep from the first to the second over the
// voice. The voices are summed, gently saturated and scaled so the loudest
// sample reaches gain=.
#pragma once
#include <vector>

#include "common/recipe.h"

constexpr unsigned sound_default_rate = 22050;
constexpr float sound_max_seconds = 10.0f;

struct synthesized_sound {
  unsigned rate = sound_default_rate;
  std::vector<float> samples;  // -1..1, mono
};

// False when the recipe has errors.
bool synthesize_sound(recipe& source, synthesized_sound& out);
