#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>

#include "world/level_paths.h"
#include "world/level_settings.h"

namespace {

void apply(std::initializer_list<const char*> words) {
  static char block[level_setting_capacity][level_setting_word_capacity];
  int n = 0;
  for (const char* w : words) std::snprintf(block[n++], level_setting_word_capacity, "%s", w);
  apply_level_settings(block, n);
}

class LevelSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    c_ambient_light[0] = c_ambient_light[1] = c_ambient_light[2] = 0.0f;
    c_wall_h = 4.0f;
    c_wall_cut = 2.2f;
    std::snprintf(c_next_filename, sizeof c_next_filename, "data/maps/earlier");
  }
};

TEST_F(LevelSettings, EveryTagSetsItsTarget) {
  apply({"<ambient_lightsource>", "0.1", "0.2", "-3e-1", "<wall_height>", "6",
         "<wall_height_cut>", "1.5", "<next_level>", "data/maps/second"});
  EXPECT_FLOAT_EQ(c_ambient_light[0], 0.1f);
  EXPECT_FLOAT_EQ(c_ambient_light[1], 0.2f);
  EXPECT_FLOAT_EQ(c_ambient_light[2], -0.3f);
  EXPECT_FLOAT_EQ(c_wall_h, 6.0f);
  EXPECT_FLOAT_EQ(c_wall_cut, 1.5f);
  EXPECT_STREQ(c_next_filename, "data/maps/second");
}

TEST_F(LevelSettings, TheLastOccurrenceWins) {
  apply({"<wall_height>", "3.5", "<wall_height>", "5"});
  EXPECT_FLOAT_EQ(c_wall_h, 5.0f);
}

TEST_F(LevelSettings, AValueThatIsNoNumberIsConsumedAndLeavesTheTarget) {
  // "<wall_height_cut>" is the value of <wall_height>, not a tag of its own.
  apply({"<wall_height>", "<wall_height_cut>", "1.0"});
  EXPECT_FLOAT_EQ(c_wall_h, 4.0f);
  EXPECT_FLOAT_EQ(c_wall_cut, 2.2f);
  apply({"<ambient_lightsource>", "0.5", "bright", "0.25"});
  EXPECT_FLOAT_EQ(c_ambient_light[0], 0.5f);
  EXPECT_FLOAT_EQ(c_ambient_light[1], 0.0f);
  EXPECT_FLOAT_EQ(c_ambient_light[2], 0.25f);
}

TEST_F(LevelSettings, StrayWordsAreSkippedAndTagsMatchWholeWordsOnly) {
  apply({"level", "two", "<Next_level>", "x", "<next_level>x", "y", "<next_level>", "data/maps/three"});
  EXPECT_STREQ(c_next_filename, "data/maps/three");
}

TEST_F(LevelSettings, ALevelWithoutATagKeepsTheEarlierValue) {
  apply({"<next_level>", "data/maps/second", "<wall_height>", "3"});
  apply({"<ambient_lightsource>", "1", "1", "1"});
  EXPECT_STREQ(c_next_filename, "data/maps/second");
  EXPECT_FLOAT_EQ(c_wall_h, 3.0f);
  apply({});
  EXPECT_STREQ(c_next_filename, "data/maps/second");
}

TEST_F(LevelSettings, ATagWithoutItsValuesAtTheEndIsIgnored) {
  apply({"<wall_height>", "3", "<ambient_lightsource>", "1", "1"});
  EXPECT_FLOAT_EQ(c_wall_h, 3.0f);
  EXPECT_FLOAT_EQ(c_ambient_light[0], 0.0f);
  apply({"<next_level>"});
  EXPECT_STREQ(c_next_filename, "data/maps/earlier");
}

}  // namespace
