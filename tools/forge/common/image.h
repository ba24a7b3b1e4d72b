// The forge's working picture: floating-point colour and alpha plus a relief
// (height) channel that lighting layers turn into shading. Rows run from the
// top of the picture down, as a painter sees it; writers flip where their
// format wants the bottom row first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Texture sides the forge accepts; the engine wants powers of two for its
// textures, and nothing needs more than this.
constexpr int image_max_side = 2048;

struct forge_image {
  int width = 0, height = 0;
  std::vector<float> rgba;    // 4 floats per pixel, 0..1
  std::vector<float> relief;  // 1 float per pixel, any range

  forge_image() = default;
  forge_image(int w, int h);

  float* pixel(int x, int y) { return &rgba[(size_t(y) * width + x) * 4]; }
  const float* pixel(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  float& height_at(int x, int y) { return relief[size_t(y) * width + x]; }
  // Relief with coordinates wrapped around the edges (tiling textures).
  float height_wrapped(int x, int y) const;

  // 3 (RGB) or 4 (RGBA) bytes per pixel, rows top first unless bottom_first.
  std::vector<uint8_t> to_bytes(int channels, bool bottom_first) const;
  // Box-filtered copy scaled down to fit within max_side (used for previews).
  forge_image scaled_to(int new_width, int new_height) const;
};

uint8_t to_byte(float value);
bool is_power_of_two(int n);
