// RIFF WAVE, mono 16-bit PCM: the sounds the engine loads through ALUT.
#pragma once
#include <vector>

#include "common/file_output.h"

// Samples are -1..1 and are clipped there.
byte_buffer encode_wav(const std::vector<float>& samples, unsigned rate);
