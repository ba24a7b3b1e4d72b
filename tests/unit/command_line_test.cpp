// --help, --version and unknown options on the game's command line: what
// main() answers before anything starts.
#include <gtest/gtest.h>

#include <cstring>

#include "core/command_line.h"

namespace {

TEST(LaunchOptions, HelpAndVersionAreAskedForBeforeTheLevel) {
  launch_options options;
  const char* problem = nullptr;
  ASSERT_TRUE(read_launch_options("--help", options, problem));
  EXPECT_TRUE(options.help);
  EXPECT_FALSE(options.version);

  launch_options version;
  ASSERT_TRUE(read_launch_options("-play a.dem --version", version, problem));
  EXPECT_TRUE(version.version);
  EXPECT_EQ(version.demo, demo_mode::play);

  // After -map the words are the level path, whatever they look like.
  launch_options level;
  ASSERT_TRUE(read_launch_options("-map data/maps/x --help -y", level, problem));
  EXPECT_FALSE(level.help);
}

TEST(LaunchOptions, AnUnknownOptionIsRefusedByName) {
  for (const char* line : {"-h", "--setup", "-record a.dem -fast", "-emptyframes --helpme"}) {
    launch_options options;
    const char* problem = nullptr;
    EXPECT_FALSE(read_launch_options(line, options, problem)) << line;
    ASSERT_NE(problem, nullptr) << line;
    EXPECT_NE(std::strstr(problem, "unknown option -"), nullptr) << problem;
  }
  // A stray word that is no option is passed over, as before.
  launch_options options;
  const char* problem = nullptr;
  EXPECT_TRUE(read_launch_options("stray", options, problem));
}

TEST(LaunchOptions, TheUsageNamesEveryOptionAndEndsItsHeaderWithAnEmptyLine) {
  // The installed launcher prints the lines after the first empty one.
  EXPECT_EQ(std::strncmp(launch_usage, "Usage: kel ", 11), 0);
  const char* options = std::strstr(launch_usage, "\n\n");
  ASSERT_NE(options, nullptr);
  for (const char* option : {"-map", "-record", "-play", "-timedemo", "-emptyframes", "-loops", "-watch", "--help", "--version"})
    EXPECT_NE(std::strstr(options, option), nullptr) << option;
}

}  // namespace
