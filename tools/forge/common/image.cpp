#include "common/image.h"

#include <algorithm>
#include <cmath>

forge_image::forge_image(int w, int h)
    : width(w), height(h), rgba(size_t(w) * h * 4, 0.0f), relief(size_t(w) * h, 0.0f) {
  for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 1.0f;
}

float forge_image::height_wrapped(int x, int y) const {
  x = ((x % width) + width) % width;
  y = ((y % height) + height) % height;
  return relief[size_t(y) * width + x];
}

uint8_t to_byte(float value) {
  float scaled = std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f;
  return uint8_t(scaled);
}

bool is_power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

std::vector<uint8_t> forge_image::to_bytes(int channels, bool bottom_first) const {
  std::vector<uint8_t> bytes(size_t(width) * height * channels);
  size_t out = 0;
  for (int row = 0; row < height; ++row) {
    int y = bottom_first ? height - 1 - row : row;
    for (int x = 0; x < width; ++x) {
      const float* p = pixel(x, y);
      for (int c = 0; c < channels; ++c) bytes[out++] = to_byte(p[c]);
    }
  }
  return bytes;
}

forge_image forge_image::scaled_to(int new_width, int new_height) const {
  forge_image out(new_width, new_height);
  for (int y = 0; y < new_height; ++y) {
    int y0 = y * height / new_height, y1 = std::max(y0 + 1, (y + 1) * height / new_height);
    for (int x = 0; x < new_width; ++x) {
      int x0 = x * width / new_width, x1 = std::max(x0 + 1, (x + 1) * width / new_width);
      float sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx)
          for (int c = 0; c < 4; ++c) sum[c] += pixel(sx, sy)[c];
      float n = float((x1 - x0) * (y1 - y0));
      for (int c = 0; c < 4; ++c) out.pixel(x, y)[c] = sum[c] / n;
    }
  }
  return out;
}
