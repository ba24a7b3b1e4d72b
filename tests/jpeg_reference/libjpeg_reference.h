// libjpeg as the reference for our own JPEG decoder (tests, seeds and
// benchmarks only): encodes pictures with chosen options and decodes files
// the way our decoder's rules do.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

struct jpeg_encoding {
  int quality = 90;
  int luma_h = 2, luma_v = 2;  // 1x1 = 4:4:4, 2x1 = 4:2:2, 2x2 = 4:2:0 (colour pictures)
  int restart_units = 0;       // units between restart markers
  bool grey = false;           // one component
  bool cmyk = false;           // four components
  bool progressive = false;
  bool arithmetic = false;
  bool jfif = true;
  std::string comment;  // a COM segment before the tables
  std::string exif;     // an APP1 segment
};

// Encodes tightly packed rows, top first, of 1 (grey), 4 (cmyk) or 3 bytes a
// pixel. Empty when libjpeg refuses.
std::string libjpeg_encode(const uint8_t* pixels, int width, int height, const jpeg_encoding& e);

// RGB rows, top first, decoded with the accurate integer transform and plain
// (replicating) upsampling into a new buffer. No pixels when libjpeg refuses.
struct libjpeg_picture {
  int width = 0, height = 0;
  std::unique_ptr<uint8_t[]> rgb;
};
libjpeg_picture libjpeg_decode(const std::string& file);
