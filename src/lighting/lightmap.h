// The level's baked lightmap: one square RGB image "<level>_lm.raw" (or its
// ".bz2" copy) applied to walls and floors on the second texture unit.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <vector>

constexpr int lightmap_max_side = 2048;

extern GLuint lightmap;  // texture object of the current lightmap
extern int LMXA;         // its side in texels

// The longest file whose side is still within the limit: 3 * 2049^2 - 1 bytes.
constexpr long lightmap_file_limit = 3l * (lightmap_max_side + 1) * (lightmap_max_side + 1) - 1;

// The side N = trunc(sqrt(length / 3)) of a lightmap file of `length` bytes;
// 0 when no texel fits or the length is negative or past lightmap_file_limit.
int lightmap_side_for_length(long length);

// Reads a lightmap file: side N = trunc(sqrt(length / 3)) and the first 3N^2
// bytes. False when the file is missing, not a regular file, or N would exceed
// 2048 (or is 0).
bool read_lightmap_file(const char* path, std::vector<uint8_t>& texels, int& side);

// Makes the current level's lightmap the texture of unit 1. Without `force`
// the lightmap of the level already loaded is not read again.
void load_lightmap(bool force);
// The next load_lightmap reads the file again even for the same level (its
// file was replaced while playing).
void forget_loaded_lightmap();
