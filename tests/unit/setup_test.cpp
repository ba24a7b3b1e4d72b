#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "setup/setup_choices.h"
#include "setup/setup_config.h"
#include "support/scratch_dir.h"

namespace {

struct old_file_case {
  const char* name;
  std::string text;  // written to data/opengl unless `file` is false
  bool file;
  int width, height, fullscreen, multitexturing;
  int resolution_marker, fullscreen_marker, multitexturing_marker;
};

TEST(SetupConfig, ReadsTheOldFile) {
  const std::string long_word(10u << 20, 'z');
  const old_file_case cases[] = {
      {"no file", "", false, 800, 600, 1, 1, 3, 11, 15},
      {"640", "<resolution> 640 480", true, 640, 480, 1, 1, 1, 11, 15},
      {"800", "<resolution> 800 600", true, 800, 600, 1, 1, 3, 11, 15},
      {"1024", "<resolution> 1024 768", true, 1024, 768, 1, 1, 5, 11, 15},
      {"1280", "<resolution> 1280 960", true, 1280, 960, 1, 1, 7, 11, 15},
      {"1600", "<resolution> 1600 1200", true, 1600, 1200, 1, 1, 9, 11, 15},
      {"720 x 576 kept under the 800 marker", "<resolution> 720 576", true, 720, 576, 1, 1, 3, 11, 15},
      {"windowed, disabled, other tags skipped",
       "<ultra_blood> <color_depth> 16 <fullscreen> 0 <marks_life> 2.5 <MULTITEXTURING_DISABLE>", true, 800, 600, 0,
       0, 3, 13, 17},
      {"junk after the tag is read again", "<resolution> wide 480 <fullscreen> 0", true, 800, 600, 0, 1, 3, 13, 15},
      {"half a resolution", "<resolution> 1024 <fullscreen> 0", true, 800, 600, 0, 1, 3, 13, 15},
      {"nothing after the tag", "<fullscreen> 0 <resolution>", true, 800, 600, 0, 1, 3, 13, 15},
      {"zero width", "<resolution> 0 768", true, 800, 600, 1, 1, 3, 11, 15},
      {"negative height", "<resolution> 1024 -768", true, 800, 600, 1, 1, 3, 11, 15},
      {"absurd width", "<resolution> 16385 768", true, 800, 600, 1, 1, 3, 11, 15},
      {"beyond int", "<resolution> 99999999999 768", true, 800, 600, 1, 1, 3, 11, 15},
      {"a tag with a NUL in it", std::string("<fullscreen>\0 0", 15), true, 800, 600, 1, 1, 3, 11, 15},
      {"10 MB word", long_word + " <resolution> 1024 768", true, 1024, 768, 1, 1, 5, 11, 15},
      {"over-long words match nothing",
       "<MULTITEXTURING_DISABLE>" + long_word + " <resolution> 1024" + std::string(200, '0'), true, 800, 600, 1, 1, 3,
       11, 15},
  };
  for (const old_file_case& c : cases) {
    scratch_dir dir;
    if (c.file) write_file("data/opengl", c.text);
    setup_settings s = load_setup_config("data/opengl");
    EXPECT_EQ(s.resolution_x, c.width) << c.name;
    EXPECT_EQ(s.resolution_y, c.height) << c.name;
    EXPECT_EQ(s.fullscreen, c.fullscreen) << c.name;
    EXPECT_EQ(s.multitexturing, c.multitexturing) << c.name;
    EXPECT_EQ(s.resolution_marker, c.resolution_marker) << c.name;
    EXPECT_EQ(s.fullscreen_marker, c.fullscreen_marker) << c.name;
    EXPECT_EQ(s.multitexturing_marker, c.multitexturing_marker) << c.name;
  }
  scratch_dir dir;
  std::filesystem::create_directories("data/opengl");
  EXPECT_EQ(load_setup_config("data/opengl").resolution_x, 800);
}

TEST(SetupConfig, WritesExactlyTheChosenLines) {
  const char* sizes[] = {"640 480", "800 600", "1024 768", "1280 960", "1600 1200"};
  for (int resolution = 0; resolution < 5; ++resolution)
    for (int fullscreen = 0; fullscreen < 2; ++fullscreen)
      for (int multitexturing = 0; multitexturing < 2; ++multitexturing) {
        setup_settings s;
        const int choices[] = {2 * resolution, fullscreen ? 10 : 12, multitexturing ? 14 : 16};
        for (int choice : choices) {
          EXPECT_FALSE(apply_choice(s, choice));
          EXPECT_FALSE(apply_choice(s, choice));  // a held button applies it again
        }
        EXPECT_EQ(s.resolution_marker, choices[0] + 1);
        EXPECT_EQ(s.fullscreen_marker, choices[1] + 1);
        EXPECT_EQ(s.multitexturing_marker, choices[2] + 1);
        std::string expected = std::string("<fullscreen> ") + (fullscreen ? "1" : "0") + "\n<resolution> " +
                               sizes[resolution] + "\n<color_depth> 32\n<marks_life> 25.0\n" +
                               (multitexturing ? "" : "<MULTITEXTURING_DISABLE>\n");
        EXPECT_EQ(setup_config_text(s), expected);
      }
  setup_settings s;
  EXPECT_TRUE(apply_choice(s, choice_confirm));
}

TEST(SetupConfig, WriteReplacesTheFileOrLeavesItWhole) {
  namespace fs = std::filesystem;
  scratch_dir dir;
  write_file("data/opengl", "<fullscreen> 1\n<ultra_blood>\n");
  std::string error;
  ASSERT_TRUE(write_setup_config("data/opengl", "new\n", error)) << error;
  EXPECT_EQ(read_file("data/opengl"), "new\n");
  // A directory in the file's place cannot be replaced: it stays, and so
  // does nothing else.
  fs::remove("data/opengl");
  fs::create_directories("data/opengl/keep");
  EXPECT_FALSE(write_setup_config("data/opengl", "new\n", error));
  EXPECT_NE(error.find("data/opengl"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory("data/opengl/keep"));
  EXPECT_EQ(std::distance(fs::directory_iterator("data"), fs::directory_iterator()), 1);
  EXPECT_FALSE(write_setup_config("missing/opengl", "new\n", error));
}

TEST(SetupChoices, HitTestTakesTheHighestEvenRectangleEdgesIncluded) {
  const struct {
    int x, y, choice;
  } points[] = {
      {6, 75, 0},     {128, 107, 0},   {5, 75, no_choice},  {6, 74, no_choice},  {129, 90, no_choice},  // marker 1
      {143, 150, 4},  {144, 179, 4},   {145, 150, no_choice},  // inside marker 5 only
      {90, 456, no_choice},  {90, 458, 16},  {314, 415, 18},  {486, 475, 18},  {487, 475, no_choice},
      {-1, -1, no_choice},  {639, 479, no_choice},
  };
  for (const auto& p : points) EXPECT_EQ(choice_at(p.x, p.y), p.choice) << p.x << "," << p.y;
  const setup_rect overlapping[] = {{0, 0, 10, 10}, {0, 0, 30, 30}, {5, 5, 20, 20}};
  EXPECT_EQ(choice_at(overlapping, 3, 7, 7), 2);
  EXPECT_EQ(choice_at(overlapping, 3, 2, 2), 0);
  EXPECT_EQ(choice_at(overlapping, 3, 25, 25), no_choice);
}

}  // namespace
