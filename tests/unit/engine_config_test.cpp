#include <gtest/gtest.h>

#include <string>

#include "base/play_options.h"
#include "content/tagged_reader.h"
#include "core/engine_config.h"
#include "platform/display_settings.h"
#include "platform/multitexture.h"

namespace {

// Restores the built-in defaults, then reads one configuration text.
void read_config(const std::string& text) {
  resolution_x = 800;
  resolution_y = 600;
  color_depth = 32;
  fullscreen = 1;
  c_marks_life = 25.0f;
  c_ultra_blood = 0;
  MULTITEXTURING = 1;
  tagged_reader reader;
  reader.open_text(text);
  read_engine_config(reader);
}

TEST(EngineConfig, EmptyFileKeepsDefaults) {
  read_config("");
  EXPECT_EQ(resolution_x, 800);
  EXPECT_EQ(resolution_y, 600);
  EXPECT_EQ(color_depth, 32);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_FLOAT_EQ(c_marks_life, 25.0f);
  EXPECT_EQ(MULTITEXTURING, 1);
  EXPECT_EQ(c_ultra_blood, 0);
}

TEST(EngineConfig, SetupFileIsReadWhole) {
  read_config("<fullscreen> 0\n<resolution> 1024 768\n<color_depth> 16\n<marks_life> 12.5\n"
              "<MULTITEXTURING_DISABLE>\n<ultra_blood>\n");
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(resolution_x, 1024);
  EXPECT_EQ(resolution_y, 768);
  EXPECT_EQ(color_depth, 16);
  EXPECT_FLOAT_EQ(c_marks_life, 12.5f);
  EXPECT_EQ(MULTITEXTURING, 0);
  EXPECT_EQ(c_ultra_blood, 1);
}

TEST(EngineConfig, LastTagWinsAndOrderDoesNotMatter) {
  read_config("<fullscreen> 0 <resolution> 640 480 <fullscreen> 1");
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(resolution_x, 640);
  read_config("<resolution> 640 480 <fullscreen> 0");
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(resolution_x, 640);
  EXPECT_EQ(resolution_y, 480);
  read_config("<fullscreen> 0 <resolution> 640 480");
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(resolution_y, 480);
}

TEST(EngineConfig, MissingOrNonNumericValuesLeaveDefaults) {
  read_config("<resolution> wide 480 <color_depth> <fullscreen> yes <marks_life>");
  EXPECT_EQ(resolution_x, 800);
  EXPECT_EQ(resolution_y, 600);  // "480" then counts as a stray word
  EXPECT_EQ(color_depth, 32);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_FLOAT_EQ(c_marks_life, 25.0f);
  // A tag right after a tag that lacks its value is still a tag.
  read_config("<color_depth> <resolution> 320 200");
  EXPECT_EQ(resolution_x, 320);
}

TEST(EngineConfig, GarbageAndHugeTokensNeverCrash) {
  std::string garbage("\x00\xff<resol\x01ution>\x7f", 12);
  garbage += std::string(10u << 20, 'z');
  garbage += "<resolution>" + std::string(200, '9');
  read_config(garbage + " <color_depth> 24");
  EXPECT_EQ(color_depth, 24);
  EXPECT_EQ(resolution_x, 800);  // a tag glued to digits is one over-long word, not a tag
  read_config(std::string(200, '<') + "<fullscreen>> 0");
  EXPECT_EQ(fullscreen, 1);
}

}  // namespace
