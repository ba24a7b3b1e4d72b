// Textures of one known colour for the GL tests that read back what they drew.
#pragma once
#include <array>
#include <string>

// Writes a side x side TGA of the colour (32-bit with its alpha when `alpha`,
// else 24-bit), creating the folders; records a test failure when it cannot.
void write_solid_tga(const std::string& path, int side, std::array<unsigned char, 4> rgba, bool alpha);
