#include "formats/demo_file.h"

#include <cmath>
#include <cstring>

#include "base/byte_io.h"

constexpr size_t frame_count_offset = 20;
constexpr size_t fixed_header_bytes = 26;  // up to the level path's bytes
constexpr size_t fixed_frame_bytes = 18;   // up to the changed keys
constexpr size_t pad_bytes = 1 + 2 * demo_pad_axes + 2 + 2;  // version 2, after the keys
constexpr uint8_t known_frame_flags = 7;
constexpr uint8_t known_pad_flags = 3;
constexpr uint16_t known_pad_buttons = (1u << demo_pad_button_count) - 1;

void append_demo_header(std::vector<uint8_t>& out, const demo_header& header) {
  std::memcpy(append_room(out, sizeof demo_magic), demo_magic, sizeof demo_magic);
  append_u16(out, demo_version);
  append_u16(out, header.ultra_blood ? 1 : 0);
  append_u32(out, header.seed);
  append_u32(out, header.start_tick);
  append_f32(out, header.marks_life);
  append_u32(out, 0);
  const size_t length = strnlen(header.level, demo_level_capacity - 1);
  append_u16(out, static_cast<uint16_t>(length));
  std::memcpy(append_room(out, length), header.level, length);
  out.push_back(header.pad_sensitivity);
}

void append_demo_frame(std::vector<uint8_t>& out, const demo_frame& frame, const demo_frame* previous) {
  append_u32(out, frame.tick);
  append_i32(out, frame.mouse_x);
  append_i32(out, frame.mouse_y);
  append_u16(out, frame.width);
  append_u16(out, frame.height);
  out.push_back(static_cast<uint8_t>((frame.left_button ? 1 : 0) | (frame.right_button ? 2 : 0) |
                                     (frame.active ? 4 : 0)));
  const size_t count_at = out.size();
  out.push_back(0);
  // Key 0 is no key: nothing ever presses it, and it is never recorded.
  for (int key = 1; key < demo_key_count; ++key) {
    const bool was_down = previous && previous->keys[key];
    if ((frame.keys[key] != 0) != was_down) {
      out.push_back(static_cast<uint8_t>(key));
      ++out[count_at];
    }
  }
  const demo_pad& pad = frame.pad;
  out.push_back(static_cast<uint8_t>((pad.connected ? 1 : 0) | (pad.pulled_out ? 2 : 0)));
  for (int16_t axis : pad.axes) append_i16(out, axis);
  append_u16(out, pad.held);
  append_u16(out, pad.pressed);
}

bool demo_set_frame_count(std::vector<uint8_t>& out, uint32_t count) {
  if (out.size() < frame_count_offset + 4) return false;
  put_u32(out.data() + frame_count_offset, count);
  return true;
}

static bool refuse(const char*& problem, const char* why) {
  problem = why;
  return false;
}

static bool parse_header(const uint8_t* bytes, size_t size, demo_header& header, uint32_t& count,
                         uint16_t& version, const char*& problem) {
  if (size < sizeof demo_magic || std::memcmp(bytes, demo_magic, sizeof demo_magic) != 0)
    return refuse(problem, "not a demo file");
  if (size < sizeof demo_magic + 2) return refuse(problem, "cut short in its header");
  version = get_u16(bytes + 4);
  if (version < demo_oldest_version || version > demo_version)
    return refuse(problem, "made by another version of the game");
  if (size < fixed_header_bytes) return refuse(problem, "cut short in its header");
  const uint16_t flags = get_u16(bytes + 6);
  header.seed = get_u32(bytes + 8);
  header.start_tick = get_u32(bytes + 12);
  header.marks_life = get_f32(bytes + 16);
  count = get_u32(bytes + frame_count_offset);
  const uint16_t level_length = get_u16(bytes + 24);
  if (flags > 1) return refuse(problem, "damaged: unknown header flags");
  header.ultra_blood = flags & 1;
  if (!std::isfinite(header.marks_life)) return refuse(problem, "damaged: marks life is not a number");
  if (level_length >= demo_level_capacity) return refuse(problem, "damaged: level path too long");
  if (size - fixed_header_bytes < level_length) return refuse(problem, "cut short in its header");
  const uint8_t* level = bytes + fixed_header_bytes;
  if (std::memchr(level, '\0', level_length)) return refuse(problem, "damaged: level path");
  std::memcpy(header.level, level, level_length);
  header.level[level_length] = '\0';
  header.pad_sensitivity = demo_default_pad_sensitivity;
  if (version >= 2) {
    if (size - fixed_header_bytes - level_length < 1) return refuse(problem, "cut short in its header");
    header.pad_sensitivity = level[level_length];
    if (header.pad_sensitivity < 1 || header.pad_sensitivity > 10)
      return refuse(problem, "damaged: pad sensitivity");
  }
  return true;
}

static bool parse_pad(byte_reader& in, demo_pad& pad, const char*& problem) {
  const uint8_t* bytes = in.take(pad_bytes);
  if (!bytes) return refuse(problem, "cut short in a frame");
  if (bytes[0] & ~known_pad_flags) return refuse(problem, "damaged: unknown pad flags");
  pad.connected = bytes[0] & 1;
  pad.pulled_out = bytes[0] & 2;
  for (int a = 0; a < demo_pad_axes; ++a) {
    pad.axes[a] = get_i16(bytes + 1 + 2 * a);
    if (pad.axes[a] < -32767) return refuse(problem, "damaged: pad axis");
  }
  pad.held = get_u16(bytes + 1 + 2 * demo_pad_axes);
  pad.pressed = get_u16(bytes + 3 + 2 * demo_pad_axes);
  if ((pad.held | pad.pressed) & ~known_pad_buttons) return refuse(problem, "damaged: unknown pad buttons");
  return true;
}

static bool parse_frame(byte_reader& in, uint16_t version, demo_frame& frame, const char*& problem) {
  const uint8_t* fixed = in.take(fixed_frame_bytes);
  if (!fixed) return refuse(problem, "cut short in a frame");
  frame.tick = get_u32(fixed);
  frame.mouse_x = get_i32(fixed + 4);
  frame.mouse_y = get_i32(fixed + 8);
  frame.width = get_u16(fixed + 12);
  frame.height = get_u16(fixed + 14);
  const uint8_t flags = fixed[16], changes = fixed[17];
  if (flags & ~known_frame_flags) return refuse(problem, "damaged: unknown frame flags");
  frame.left_button = flags & 1;
  frame.right_button = flags & 2;
  frame.active = flags & 4;
  const uint8_t* changed = in.take(changes);
  if (!changed) return refuse(problem, "cut short in a frame");
  for (int i = 0; i < changes; ++i) {
    if (changed[i] == 0) return refuse(problem, "damaged: key number 0");
    frame.keys[changed[i]] ^= 1;
  }
  frame.pad = demo_pad{};
  return version < 2 || parse_pad(in, frame.pad, problem);
}

bool parse_demo(const uint8_t* bytes, size_t size, demo_recording& demo, const char*& problem) {
  demo_header header{};
  uint32_t count = 0;
  uint16_t version = 0;
  if (!parse_header(bytes, size, header, count, version, problem)) return false;
  const size_t header_bytes = fixed_header_bytes + std::strlen(header.level) + (version >= 2 ? 1 : 0);
  const size_t smallest_frame = fixed_frame_bytes + (version >= 2 ? pad_bytes : 0);
  if (count > demo_frame_limit || count > (size - header_bytes) / smallest_frame)
    return refuse(problem, "cut short: fewer frames than its header says");
  byte_reader in(bytes + header_bytes, size - header_bytes);
  std::vector<demo_frame> frames(count);
  demo_frame keys_up{};
  const demo_frame* previous = &keys_up;
  for (demo_frame& frame : frames) {
    std::memcpy(frame.keys, previous->keys, sizeof frame.keys);
    if (!parse_frame(in, version, frame, problem)) return false;
    previous = &frame;
  }
  if (in.take(1)) return refuse(problem, "damaged: bytes after the last frame");
  demo.header = header;
  demo.frames.swap(frames);
  return true;
}
