#include <gtest/gtest.h>

#include <string>

#include "base/play_options.h"
#include "base/player_settings.h"
#include "content/settings_file.h"
#include "core/setting_values.h"
#include "support/scratch_dir.h"

namespace {

std::string text_of(const char* name) {
  char text[32];
  setting_value_text(name, text, sizeof text);
  return text;
}

TEST(SettingValues, StepsStopAtTheEndsAndSwitchesFlip) {
  scratch_dir dir;
  load_settings();
  c_ultra_blood = 0;
  struct {
    const char* name;
    int times;      // negative: lowered, positive: raised
    const char* shown;
  } cases[] = {
      {"volume", 0, "100 %"},       {"volume", 1, "100 %"},  {"volume", -3, "70 %"},
      {"volume", -20, "0 %"},       {"volume", 2, "20 %"},   {"pad_sensitivity", 0, "5"},
      {"pad_sensitivity", 7, "10"}, {"pad_sensitivity", -20, "1"},
      {"vsync", 0, "on"},           {"vsync", -1, "off"},    {"vsync", -1, "on"},
      {"rumble", 1, "off"},         {"heavy_blood", 0, "off"}, {"heavy_blood", 1, "on"},
      {"nosuch", 1, ""},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < c.times; ++i) raise_setting_value(c.name);
    for (int i = 0; i > c.times; --i) lower_setting_value(c.name);
    EXPECT_EQ(text_of(c.name), c.shown) << c.name << " " << c.times;
  }
  EXPECT_EQ(c_ultra_blood, 1);
  c_ultra_blood = 0;
  player_settings = player_settings_t{};
}

// The menus, the menu file reader and the forge take their names from one
// table: a name it accepts must also have a value to show.
TEST(SettingValues, EveryAcceptedNameShowsAValue) {
  const struct {
    const char* name;
    bool known;
  } names[] = {{"volume", true}, {"vsync", true},     {"pad_sensitivity", true}, {"rumble", true},
               {"heavy_blood", true}, {"<volume>", false}, {"Volume", false},         {"", false}};
  for (const auto& n : names) {
    EXPECT_EQ(is_setting_value(n.name), n.known) << n.name;
    EXPECT_EQ(!text_of(n.name).empty(), n.known) << n.name;
  }
}

TEST(SettingValues, AChangedSettingIsWrittenAtOnceButHeavyBloodIsNot) {
  scratch_dir dir;
  write_file("data/settings", "<volume> 50\n# kept\n");
  load_settings();
  lower_setting_value("volume");
  EXPECT_EQ(read_file("data/settings"), "<volume> 40\n<vsync> 1\n<pad_sensitivity> 5\n<rumble> 1\n# kept\n");
  write_file("data/settings", "untouched");
  raise_setting_value("heavy_blood");
  EXPECT_EQ(read_file("data/settings"), "untouched");  // heavy blood lives in data/opengl
  for (int i = 0; i < 12; ++i) raise_setting_value("volume");
  write_file("data/settings", "untouched");
  raise_setting_value("volume");  // already at 100: nothing to write
  EXPECT_EQ(read_file("data/settings"), "untouched");
  c_ultra_blood = 0;
  player_settings = player_settings_t{};
}

}  // namespace
