// Demo files: a recorded game as the input of every frame, so that playing it
// back runs the very same frames. The layout, byte by byte, is in
// docs/demo_format.md; version 2 adds the game pad to version 1, which is
// still read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr char demo_magic[4] = {'K', 'D', 'E', 'M'};
constexpr uint16_t demo_version = 2;  // the version written
constexpr uint16_t demo_oldest_version = 1;
constexpr int demo_pad_axes = 6;           // left x, left y, right x, right y, left trigger, right trigger
constexpr int demo_pad_button_count = 12;  // bits of the held and pressed masks
constexpr uint8_t demo_default_pad_sensitivity = 5;
constexpr size_t demo_level_capacity = 256;  // with its terminating zero
constexpr int demo_key_count = 256;
// Far more than a long session (a day at 60 frames a second), small enough
// that a damaged count cannot ask for gigabytes.
constexpr uint32_t demo_frame_limit = 1u << 23;

// The pad as a frame saw it; axes in 1/32767 of full travel.
struct demo_pad {
  bool connected, pulled_out;
  int16_t axes[demo_pad_axes];
  uint16_t held, pressed;  // bit b: button b down / pressed during the frame
};

struct demo_frame {
  uint32_t tick;
  int32_t mouse_x, mouse_y;
  uint16_t width, height;
  bool left_button, right_button, active;
  uint8_t keys[demo_key_count];  // 1 while down
  demo_pad pad;                  // version 1: no pad connected
};

struct demo_header {
  uint32_t seed;
  uint32_t start_tick;
  bool ultra_blood;
  float marks_life;
  char level[demo_level_capacity];  // "" when the demo starts at the logo
  uint8_t pad_sensitivity;          // 1..10; version 1: the default
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

// Decodes a whole demo file of version 1 or 2. On failure returns false with `problem` saying
// what is wrong (wrong magic, another version, cut short, a damaged field);
// nothing of a refused file is kept.
bool parse_demo(const uint8_t* bytes, size_t size, demo_recording& demo, const char*& problem);
