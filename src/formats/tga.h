// Uncompressed true-colour TGA (24 or 32 bits, no ID field, no colour map):
// the engine's texture and screenshot format. Decoding lives here, apart from
// the GL upload, so that it can run without a rendering context.
#pragma once
#include <cstddef>

// The fixed leading bytes every TGA we read or write starts with.
constexpr size_t tga_template_size = 12;
// Width, height, bits per pixel and descriptor follow the template.
constexpr size_t tga_tail_size = 6;
constexpr unsigned tga_max_side = 65535;  // the header holds 16-bit sizes

// A decoded image: red, green, blue[, alpha] per pixel, rows in file order
// (a bottom-left file gives the bottom row first, as OpenGL wants it).
struct tga_image {
  unsigned width = 0, height = 0;
  unsigned bits = 0;  // 24 or 32
  unsigned char* pixels = nullptr;

  tga_image() = default;
  tga_image(const tga_image&) = delete;
  tga_image& operator=(const tga_image&) = delete;
  ~tga_image();
  bool has_alpha() const { return bits == 32; }
};

// Reads `path`, or when it cannot be opened its ".bz2" copy as a stream
// (nothing goes through the scratch file). 1 on success, 0 on any rejection:
// missing file, wrong template, zero size, depth other than 24/32, short data.
int tga_decode(const char* path, tga_image& image);

// Writes width x height pixels of bits/8 bytes (red, green, blue[, alpha]).
// The buffer is swapped in place to blue-green-red order first, as the file
// wants it, so the caller's buffer is changed. 1 when the whole file was
// written; 0 for a depth other than 24/32, a size that does not fit the
// header, or a file that cannot be created or written.
int SaveTGA(unsigned char* data, unsigned width, unsigned height, unsigned bits, const char* path);
