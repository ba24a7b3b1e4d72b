#include "core/demo_session.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "base/file_replace.h"
#include "base/play_options.h"
#include "base/player_settings.h"
#include "formats/demo_file.h"
#include "formats/file_length.h"
#include "platform/display_settings.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/tick.h"

// Bigger files are not demos this game wrote: the frame limit at the largest
// frame size.
constexpr long demo_file_limit = 1L << 30;
// A recorded pause longer than this (a minimised window) is played shorter.
constexpr uint32_t longest_played_gap_ms = 1000;

static_assert(pad_button_count == demo_pad_button_count, "a demo frame keeps every pad button");

static demo_mode mode = demo_mode::none;
static char file_path[1024];
static demo_recording demo;
static uint32_t next_frame;      // playback: the frame to put in place next
static std::vector<uint8_t> recorded;  // recording: the encoded file so far
static demo_frame last_recorded;

// The game's clock while a demo runs: one reading per frame.
static uint32_t frame_tick;
static uint32_t standing_clock() { return frame_tick; }
static tick_source_fn recorded_clock;

// Wall-clock bookkeeping for pacing and for the timedemo's figures.
static double first_frame_wall, last_frame_wall, frames_end_wall, played_schedule;
static double slowest_frame_seconds;
static uint32_t slowest_frame;

demo_mode current_demo_mode() { return mode; }

static void remember_path(const char* path) { std::snprintf(file_path, sizeof file_path, "%s", path); }

void start_demo_recording(const char* path, const char* level) {
  mode = demo_mode::record;
  remember_path(path);
  recorded_clock = tick_source();
  demo.header = demo_header{};
  demo.header.seed = static_cast<uint32_t>(std::time(nullptr));
  demo.header.start_tick = recorded_clock();
  demo.header.ultra_blood = c_ultra_blood != 0;
  demo.header.marks_life = c_marks_life;
  demo.header.pad_sensitivity = static_cast<uint8_t>(player_settings.pad_sensitivity);
  std::snprintf(demo.header.level, sizeof demo.header.level, "%s", level);
  recorded.clear();
  recorded.reserve(1 << 20);  // about a quarter of an hour before the first growth
  append_demo_header(recorded, demo.header);
  last_recorded = demo_frame{};
  frame_tick = demo.header.start_tick;
  set_tick_source(standing_clock);
}

static bool read_whole_file(const char* path, std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  const long length = regular_file_length(file, demo_file_limit);
  bool read = length >= 0;
  if (read) {
    bytes.resize(static_cast<size_t>(length));
    read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return read;
}

bool start_demo_playback(const char* path, demo_mode how) {
  std::vector<uint8_t> bytes;
  if (!read_whole_file(path, bytes)) {
    std::fprintf(stderr, "kel: cannot play the demo %s: it cannot be read\n", path);
    return false;
  }
  const char* problem = nullptr;
  if (!parse_demo(bytes.data(), bytes.size(), demo, problem)) {
    std::fprintf(stderr, "kel: cannot play the demo %s: %s\n", path, problem);
    return false;
  }
  mode = how;
  remember_path(path);
  rewind_demo_playback();
  set_tick_source(standing_clock);
  return true;
}

void rewind_demo_playback() {
  next_frame = 0;
  played_schedule = 0.0;
  slowest_frame_seconds = 0.0;
  slowest_frame = 0;
  c_ultra_blood = demo.header.ultra_blood ? 1 : 0;
  c_marks_life = demo.header.marks_life;
  player_settings.pad_sensitivity = demo.header.pad_sensitivity;
  if (!demo.frames.empty()) {
    resolution_x = demo.frames[0].width;
    resolution_y = demo.frames[0].height;
  }
  frame_tick = demo.header.start_tick;
}

unsigned demo_random_seed() {
  return mode == demo_mode::none ? static_cast<unsigned>(std::time(nullptr)) : demo.header.seed;
}

const char* demo_start_level() { return demo.header.level; }

static float* const pad_axes[demo_pad_axes] = {&pad.left_x, &pad.left_y, &pad.right_x,
                                               &pad.right_y, &pad.left_trigger, &pad.right_trigger};

static int16_t recorded_axis(float value) {
  const float held = value < -1.0f ? -1.0f : value > 1.0f ? 1.0f : value;
  return static_cast<int16_t>(std::lround(held * 32767.0f));
}

static demo_pad recorded_pad() {
  demo_pad out{};
  out.connected = pad.connected;
  out.pulled_out = pad.pulled_out;
  for (int a = 0; a < demo_pad_axes; ++a) out.axes[a] = recorded_axis(*pad_axes[a]);
  for (int b = 0; b < pad_button_count; ++b) {
    if (pad.buttons[b]) out.held |= static_cast<uint16_t>(1u << b);
    if (pad.pressed[b]) out.pressed |= static_cast<uint16_t>(1u << b);
  }
  return out;
}

// Two presses of a button within one frame count as one, in the game as in
// the file.
static void put_pad(const demo_pad& in) {
  pad.connected = in.connected;
  pad.pulled_out = in.pulled_out;
  for (int a = 0; a < demo_pad_axes; ++a) *pad_axes[a] = static_cast<float>(in.axes[a]) / 32767.0f;
  for (int b = 0; b < pad_button_count; ++b) {
    pad.buttons[b] = (in.held >> b) & 1;
    pad.pressed[b] = (in.pressed >> b) & 1;
  }
}

static void take_frame_input() {
  demo_frame frame;
  frame.tick = frame_tick = recorded_clock();
  for (int key = 0; key < demo_key_count; ++key) frame.keys[key] = keys[key] ? 1 : 0;
  frame.keys[0] = 0;  // no key: never recorded
  frame.mouse_x = mouse_x;
  frame.mouse_y = mouse_y;
  frame.left_button = mouse_lb != 0;
  frame.right_button = mouse_rb != 0;
  frame.active = active != 0;
  frame.width = static_cast<uint16_t>(resolution_x);
  frame.height = static_cast<uint16_t>(resolution_y);
  // The game goes on with the pad as the file keeps it, so a replay sees the same.
  frame.pad = recorded_pad();
  put_pad(frame.pad);
  append_demo_frame(recorded, frame, demo_frames_done() ? &last_recorded : nullptr);
  last_recorded = frame;
  ++next_frame;
}

static void put_frame_input(const demo_frame& frame) {
  frame_tick = frame.tick;
  std::memcpy(keys, frame.keys, sizeof keys);
  mouse_x = frame.mouse_x;
  mouse_y = frame.mouse_y;
  mouse_lb = frame.left_button;
  mouse_rb = frame.right_button;
  active = frame.active;
  resolution_x = frame.width;
  resolution_y = frame.height;
  put_pad(frame.pad);
}

// Playback waits until the wall clock has caught up with the recorded one.
static void keep_to_recorded_time(uint32_t index) {
  if (index > 0) {
    const uint32_t gap = demo.frames[index].tick - demo.frames[index - 1].tick;
    played_schedule += (gap < longest_played_gap_ms ? gap : longest_played_gap_ms) / 1000.0;
  }
  const double ahead = first_frame_wall + played_schedule - wall_seconds();
  if (ahead > 0.0) wait_milliseconds(static_cast<uint32_t>(ahead * 1000.0));
}

bool demo_before_frame() {
  if (mode == demo_mode::none) return true;  // ordinary play: nothing to take or give
  const double now = wall_seconds();
  if (next_frame == 0) first_frame_wall = now;
  last_frame_wall = now;
  switch (mode) {
    case demo_mode::none: return true;
    case demo_mode::record: take_frame_input(); return true;
    case demo_mode::play:
    case demo_mode::timedemo:
      if (next_frame >= demo.frames.size()) return false;
      if (mode == demo_mode::play) keep_to_recorded_time(next_frame);
      put_frame_input(demo.frames[next_frame++]);
      return true;
  }
  return true;
}

void demo_after_frame() {
  if (mode != demo_mode::timedemo) return;
  frames_end_wall = wall_seconds();
  const double took = frames_end_wall - last_frame_wall;
  if (took > slowest_frame_seconds) {
    slowest_frame_seconds = took;
    slowest_frame = next_frame - 1;
  }
}

uint32_t demo_frames_done() { return next_frame; }

static bool write_recording() {
  if (!demo_set_frame_count(recorded, next_frame) || !replace_file(file_path, recorded.data(), recorded.size())) {
    std::fprintf(stderr, "kel: the demo %s could not be written\n", file_path);
    return false;
  }
  std::printf("demo: %u frames recorded in %s\n", next_frame, file_path);
  return true;
}

static void print_timedemo() {
  const double seconds = next_frame ? frames_end_wall - first_frame_wall : 0.0;
  const double fps = seconds > 0.0 ? next_frame / seconds : 0.0;
  std::printf("timedemo: %u frames, %.3f s, %.1f fps, slowest frame %.2f ms (frame %u)\n", next_frame, seconds, fps,
              slowest_frame_seconds * 1000.0, slowest_frame);
}

void print_demo_figures() {
  if (mode == demo_mode::timedemo) print_timedemo();
}

bool finish_demo() {
  switch (mode) {
    case demo_mode::none: return true;
    case demo_mode::record: return write_recording();
    case demo_mode::timedemo: print_timedemo(); return true;
    case demo_mode::play: return true;
  }
  return true;
}
