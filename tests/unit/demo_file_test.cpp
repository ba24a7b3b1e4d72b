#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "formats/demo_file.h"

namespace {

demo_frame frame_at(uint32_t tick, int key_down, bool left) {
  demo_frame frame{};
  frame.tick = tick;
  frame.mouse_x = -5;
  frame.mouse_y = 70000;
  frame.width = 320;
  frame.height = 240;
  frame.left_button = left;
  frame.active = true;
  if (key_down) frame.keys[key_down] = 1;
  return frame;
}

// A level demo of three frames: W held, then released while the button goes down.
std::vector<uint8_t> sample_file(std::vector<size_t>* record_ends = nullptr) {
  demo_header header{};
  header.seed = 0xdeadbeef;
  header.start_tick = 4000000000u;
  header.ultra_blood = true;
  header.marks_life = 12.5f;
  std::strcpy(header.level, "data/maps/depot");
  header.pad_sensitivity = 7;
  std::vector<uint8_t> out;
  append_demo_header(out, header);
  demo_frame frames[] = {frame_at(4000000000u, 'W', false), frame_at(4000000033u, 'W', false),
                         frame_at(66, 0, true)};
  frames[1].pad = {true, false, {32767, -32767, 0, 100, 0, 32767}, 0x0801, 0x0001};
  frames[2].pad = {false, true, {}, 0, 0};
  for (size_t i = 0; i < 3; ++i) {
    if (record_ends) record_ends->push_back(out.size());
    append_demo_frame(out, frames[i], i ? &frames[i - 1] : nullptr);
  }
  if (record_ends) record_ends->push_back(out.size());
  demo_set_frame_count(out, 3);
  return out;
}

TEST(DemoFile, RoundTripKeepsHeaderAndEveryFrame) {
  const std::vector<uint8_t> bytes = sample_file();
  demo_recording demo;
  const char* problem = nullptr;
  ASSERT_TRUE(parse_demo(bytes.data(), bytes.size(), demo, problem)) << problem;
  EXPECT_EQ(demo.header.seed, 0xdeadbeefu);
  EXPECT_EQ(demo.header.start_tick, 4000000000u);
  EXPECT_TRUE(demo.header.ultra_blood);
  EXPECT_EQ(demo.header.marks_life, 12.5f);
  EXPECT_STREQ(demo.header.level, "data/maps/depot");
  ASSERT_EQ(demo.frames.size(), 3u);
  EXPECT_EQ(demo.frames[1].tick, 4000000033u);
  EXPECT_EQ(demo.frames[2].tick, 66u);  // across the clock's wrap
  EXPECT_EQ(demo.frames[0].mouse_x, -5);
  EXPECT_EQ(demo.frames[0].mouse_y, 70000);
  EXPECT_EQ(demo.frames[2].width, 320);
  EXPECT_TRUE(demo.frames[1].keys['W']);
  EXPECT_FALSE(demo.frames[2].keys['W']);
  EXPECT_TRUE(demo.frames[2].left_button);
  EXPECT_FALSE(demo.frames[0].left_button);
  int down = 0;
  for (uint8_t key : demo.frames[0].keys) down += key;
  EXPECT_EQ(down, 1);
  EXPECT_EQ(demo.header.pad_sensitivity, 7);
  const demo_pad& pad = demo.frames[1].pad;
  EXPECT_TRUE(pad.connected);
  EXPECT_FALSE(pad.pulled_out);
  EXPECT_EQ(std::vector<int16_t>(pad.axes, pad.axes + demo_pad_axes),
            (std::vector<int16_t>{32767, -32767, 0, 100, 0, 32767}));
  EXPECT_EQ(pad.held, 0x0801);
  EXPECT_EQ(pad.pressed, 0x0001);
  EXPECT_FALSE(demo.frames[0].pad.connected);
  EXPECT_TRUE(demo.frames[2].pad.pulled_out);
}

// Version 1, written before the pad: no sensitivity byte, no pad in a frame.
TEST(DemoFile, VersionOneFilesStillReadWithoutAPad) {
  std::vector<uint8_t> v1 = {'K', 'D', 'E', 'M', 1, 0, 0, 0, 7, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0x20, 0x41,
                             2, 0, 0, 0, 1, 0, 'x'};
  const uint8_t frame[] = {110, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 64, 1, 240, 0, 5, 1, 'W'};
  for (int i = 0; i < 2; ++i) v1.insert(v1.end(), frame, frame + sizeof frame);
  demo_recording demo;
  const char* problem = nullptr;
  ASSERT_TRUE(parse_demo(v1.data(), v1.size(), demo, problem)) << problem;
  EXPECT_STREQ(demo.header.level, "x");
  EXPECT_EQ(demo.header.pad_sensitivity, demo_default_pad_sensitivity);
  EXPECT_FLOAT_EQ(demo.header.marks_life, 10.0f);
  ASSERT_EQ(demo.frames.size(), 2u);
  EXPECT_TRUE(demo.frames[0].keys['W']);
  EXPECT_FALSE(demo.frames[1].keys['W']);  // flipped back
  EXPECT_EQ(demo.frames[1].width, 320);
  EXPECT_FALSE(demo.frames[1].pad.connected);

  // The shipped campaign is a version-1 demo.
  FILE* f = std::fopen(KEL_DEMO_DIR "/campaign/campaign.dem", "rb");
  ASSERT_NE(f, nullptr);
  std::vector<uint8_t> campaign;
  uint8_t block[65536];
  for (size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;) campaign.insert(campaign.end(), block, block + got);
  std::fclose(f);
  ASSERT_GE(campaign.size(), 6u);
  EXPECT_EQ(campaign[4], 1);
  ASSERT_TRUE(parse_demo(campaign.data(), campaign.size(), demo, problem)) << problem;
  EXPECT_GT(demo.frames.size(), 100u);
}

// Every way a file can be wrong is refused with a reason, and the demo
// already held is left as it was.
TEST(DemoFile, DamagedFilesAreRefusedWhole) {
  std::vector<size_t> ends;
  const std::vector<uint8_t> good = sample_file(&ends);
  auto changed = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> bytes = good;
    bytes[at] = value;
    return bytes;
  };
  std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"wrong magic", changed(0, 'X')},
      {"a later version", changed(4, 3)},
      {"version 0", changed(4, 0)},
      {"pad sensitivity 0", changed(ends[0] - 1, 0)},
      {"pad sensitivity 11", changed(ends[0] - 1, 11)},
      {"pad flags", changed(ends[1] - 17, 4)},
      {"pad axis past full travel", changed(ends[1] - 17 + 6, 0x80)},
      {"unknown pad buttons", changed(ends[1] - 3, 0x10)},
      {"unknown pad presses", changed(ends[1] - 1, 0x80)},
      {"unknown header flags", changed(6, 2)},
      {"count above the frames", changed(20, 4)},
      {"frame flags", changed(ends[0] + 16, 8)},
      {"key zero", changed(ends[0] + 18, 0)},
      {"bytes after the end", good},
  };
  cases.back().second.push_back(0);
  for (size_t cut = 1; cut < good.size(); ++cut)
    cases.push_back({"cut at " + std::to_string(cut), std::vector<uint8_t>(good.begin(), good.begin() + cut)});

  demo_recording demo;
  const char* problem = nullptr;
  ASSERT_TRUE(parse_demo(good.data(), good.size(), demo, problem));
  for (const auto& [name, bytes] : cases) {
    problem = nullptr;
    EXPECT_FALSE(parse_demo(bytes.data(), bytes.size(), demo, problem)) << name;
    EXPECT_NE(problem, nullptr) << name;
    EXPECT_EQ(demo.frames.size(), 3u) << name;
    EXPECT_STREQ(demo.header.level, "data/maps/depot") << name;
  }
}

TEST(LaunchOptions, DemoOptionsComeBeforeTheLevel) {
  struct row {
    const char* line;
    bool accepted;
    demo_mode mode;
    const char* path;
    int loops = 0;
  };
  const row rows[] = {
      {"", true, demo_mode::none, ""},
      {"-record a.dem -map data/maps/my -play level", true, demo_mode::record, "a.dem"},
      {"-play  b.dem", true, demo_mode::play, "b.dem"},
      {"-timedemo c.dem -emptyframes", true, demo_mode::timedemo, "c.dem"},
      {"-map data/maps/x -record late.dem", true, demo_mode::none, ""},
      {"-record -map data/maps/test", false, demo_mode::none, ""},
      {"-play", false, demo_mode::none, ""},
      {"-play a.dem -record b.dem", false, demo_mode::none, ""},
      {"-emptyframes -play a.dem", false, demo_mode::none, ""},
      {"-timedemo c.dem -loops 3", true, demo_mode::timedemo, "c.dem", 3},
      {"-loops 1 -play a.dem", false, demo_mode::none, ""},
      {"-timedemo c.dem -loops", false, demo_mode::none, ""},
      {"-timedemo c.dem -loops 0", false, demo_mode::none, ""},
      {"-timedemo c.dem -loops 3x", false, demo_mode::none, ""},
      {"-timedemo c.dem -loops 10001", false, demo_mode::none, ""},
  };
  for (const row& r : rows) {
    launch_options options;
    const char* problem = nullptr;
    EXPECT_EQ(read_launch_options(r.line, options, problem), r.accepted) << r.line;
    if (!r.accepted) {
      EXPECT_NE(problem, nullptr) << r.line;
      continue;
    }
    EXPECT_EQ(options.demo, r.mode) << r.line;
    EXPECT_STREQ(options.demo_path, r.path) << r.line;
    EXPECT_EQ(options.loops, r.loops) << r.line;
  }
}

}  // namespace
