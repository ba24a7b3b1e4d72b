// The level's baked lightmap: one square RGB image "<level>_lm.raw" (or its
// ".bz2" copy) applied to walls and floors on the second texture unit.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <vector>

constexpr int lightmap_max_side = 2048;

extern GLuint lightmap;  // texture object of the current lightmap
extern int LMXA;         // its side in texels

// Reads a lightmap file: side N = trunc(sqrt(length / 3)) and the first 3N^2
// bytes. False when the file is missing or N would exceed 2048 (or is 0).
bool read_lightmap_file(const char* path, std::vector<uint8_t>& texels, int& side);

// Makes the current level's lightmap the texture of unit 1. Without `force`
// the lightmap of the level already loaded is not read again.
void load_lightmap(bool force);
