// Demo files: a recorded game as the input of every frame, so that playing it
// back runs the very same frames.
//
// Layout, little-endian:
//   header  "KDEM", u16 version, u16 flags (bit 0 heavy blood), u32 random seed,
//           u32 tick before the first frame, f32 marks life, u32 frame count,
//           u16 level path length, the path's bytes (empty: the game started
//           at the logo)
//   frames  u32 tick, i32 cursor x, i32 cursor y, u16 window width,
//           u16 window height, u8 flags (bit 0 left button, bit 1 right
//           button, bit 2 window active), u8 count of keys that changed since
//           the previous frame, that many key numbers (1..255)
// A frame's keys are the previous frame's with the listed ones flipped; the
// frame before the first has every key up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr char demo_magic[4] = {'K', 'D', 'E', 'M'};
constexpr uint16_t demo_version = 1;
constexpr size_t demo_level_capacity = 256;  // with its terminating zero
constexpr int demo_key_count = 256;
// Far more than a long session (a day at 60 frames a second), small enough
// that a damaged count cannot ask for gigabytes.
constexpr uint32_t demo_frame_limit = 1u << 23;

struct demo_frame {
  uint32_t tick;
  int32_t mouse_x, mouse_y;
  uint16_t width, height;
  bool left_button, right_button, active;
  uint8_t keys[demo_key_count];  // 1 while down
};

struct demo_header {
  uint32_t seed;
  uint32_t start_tick;
  bool ultra_blood;
  float marks_life;
  char level[demo_level_capacity];  // "" when the demo starts at the logo
};

struct demo_recording {
  demo_header header;
  std::vector<demo_frame> frames;
};

// Encodes a header with a frame count of 0; demo_set_frame_count fixes it
// once the frames are appended.
void append_demo_header(std::vector<uint8_t>& out, const demo_header& header);
// Appends `frame`, its keys written as changes from `previous` (nullptr for
// the first frame).
void append_demo_frame(std::vector<uint8_t>& out, const demo_frame& frame, const demo_frame* previous);
// Stores the frame count in an encoded header; false when `out` holds none.
bool demo_set_frame_count(std::vector<uint8_t>& out, uint32_t count);

// Decodes a whole demo file. On failure returns false with `problem` saying
// what is wrong (wrong magic, another version, cut short, a damaged field);
// nothing of a refused file is kept.
bool parse_demo(const uint8_t* bytes, size_t size, demo_recording& demo, const char*& problem);
