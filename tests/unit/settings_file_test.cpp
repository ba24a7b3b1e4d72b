#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "base/loading_log.h"
#include "base/player_settings.h"
#include "content/settings_file.h"
#include "support/scratch_dir.h"

namespace {

std::string values_of(const player_settings_t& s) {
  return std::to_string(s.volume) + " " + std::to_string(s.vsync) + " " + std::to_string(s.pad_sensitivity) + " " +
         std::to_string(s.rumble);
}

TEST(SettingsFile, ValuesReadFromText) {
  struct {
    const char* text;
    const char* values;  // volume vsync pad_sensitivity rumble
    const char* log;     // newest loading-log line, or null when nothing is logged
  } cases[] = {
      {"", "100 1 5 1", nullptr},
      {"<volume> 40\n<vsync> 0\n<pad_sensitivity> 9\n<rumble> 0\n", "40 0 9 0", nullptr},
      {"<rumble> 0\r\n<volume> 0\r\n", "0 1 5 0", nullptr},
      {"  <volume>   100  \n<pad_sensitivity> 1\n", "100 1 1 1", nullptr},
      {"<volume> 30\n<volume> 70\n", "70 1 5 1", nullptr},
      {"<volume> 101\n", "100 1 5 1", "data/settings: <volume> \"101\" is not 0..100, 100 used - FAILED!"},
      {"<volume> 30\n<volume> -1\n", "100 1 5 1", "data/settings: <volume> \"-1\" is not 0..100, 100 used - FAILED!"},
      {"<vsync> 2\n", "100 1 5 1", "data/settings: <vsync> \"2\" is not 0..1, 1 used - FAILED!"},
      {"<vsync> 0 <volume> 10\n", "100 0 5 1", nullptr},  // one setting a line: the rest is not read
      {"<pad_sensitivity> 0\n", "100 1 5 1", "data/settings: <pad_sensitivity> \"0\" is not 1..10, 5 used - FAILED!"},
      {"<rumble> yes\n", "100 1 5 1", "data/settings: <rumble> \"yes\" is not 0..1, 1 used - FAILED!"},
      {"<volume> 50%\n", "100 1 5 1", "data/settings: <volume> \"50%\" is not 0..100, 100 used - FAILED!"},
      {"<volume> 99999999999999999999\n", "100 1 5 1",
       "data/settings: <volume> \"99999999999999999999\" is not 0..100, 100 used - FAILED!"},
      {"<rumble> 0\n<volume>", "100 1 5 0", "data/settings: <volume> \"\" is not 0..100, 100 used - FAILED!"},
  };
  for (const auto& c : cases) {
    draw_loading("before");
    settings_file file = read_settings_text(c.text);
    EXPECT_EQ(values_of(file.values), c.values) << c.text;
    EXPECT_STREQ(_loaded[0], c.log ? c.log : "before") << c.text;
  }
}

TEST(SettingsFile, UnknownLinesAreKeptAndWrittenBackAfterTheKnownOnes) {
  settings_file file = read_settings_text("# my pad is old\n<volume> 20\n\n<fov> 90 wide\r\n<vsync> 0\n");
  EXPECT_EQ((std::vector<std::string>{"# my pad is old", "<fov> 90 wide\r"}), file.kept_lines);
  file.values.volume = 60;
  std::string text = settings_text(file);
  EXPECT_EQ(text, "<volume> 60\n<vsync> 0\n<pad_sensitivity> 5\n<rumble> 1\n# my pad is old\n<fov> 90 wide\r\n");
  settings_file again = read_settings_text(text);
  EXPECT_EQ(values_of(again.values), values_of(file.values));
  EXPECT_EQ(again.kept_lines, file.kept_lines);
}

TEST(SettingsFile, SaveReplacesTheFileAndLoadReadsItBack) {
  scratch_dir dir;
  write_file("data/settings", "<volume> 30\n<colour> blue\n");
  load_settings();
  EXPECT_EQ(player_settings.volume, 30);
  player_settings.volume = 80;
  player_settings.rumble = 0;
  ASSERT_TRUE(save_settings());
  EXPECT_EQ(read_file("data/settings"), "<volume> 80\n<vsync> 1\n<pad_sensitivity> 5\n<rumble> 0\n<colour> blue\n");
  player_settings = player_settings_t{};
  load_settings();
  EXPECT_EQ(values_of(player_settings), "80 1 5 0");
}

TEST(SettingsFile, MissingFileGivesTheDefaults) {
  scratch_dir dir;
  player_settings.volume = 5;
  load_settings();
  EXPECT_EQ(values_of(player_settings), "100 1 5 1");
}

TEST(SettingsFile, FailedSaveKeepsTheOldFileAndSaysSo) {
  scratch_dir dir;
  write_file("data/settings", "<volume> 30\n");
  load_settings();
  // A folder in the temporary file's place makes the write fail.
  std::string pid = std::to_string(getpid());
  ASSERT_EQ(mkdir(("data/settings.new." + pid).c_str(), 0777), 0);
  write_file("data/settings.new." + pid + "/x", "");
  player_settings.volume = 90;
  EXPECT_FALSE(save_settings());
  EXPECT_EQ(read_file("data/settings"), "<volume> 30\n");
  EXPECT_EQ(std::string(_loaded[0]).rfind("data/settings: not written (", 0), 0u) << _loaded[0];
  player_settings = player_settings_t{};
}

}  // namespace
