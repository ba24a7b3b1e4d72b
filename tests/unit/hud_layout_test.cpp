#include <gtest/gtest.h>

#include <filesystem>

#include "render/hud.h"
#include "render/screenshot.h"
#include "support/scratch_dir.h"

namespace {

TEST(CrosshairCorner, CentresTheCrosshairOnTheCursorInTheLayout) {
  hud_point centre = crosshair_corner(512, 384, 1024, 768);
  EXPECT_EQ(centre.x, 388);
  EXPECT_EQ(centre.y, 288);
  // Integer scaling truncates: 1 * 800 / 1024 is 0.
  hud_point corner = crosshair_corner(1, 1, 1024, 768);
  EXPECT_EQ(corner.x, -12);
  EXPECT_EQ(corner.y, -12);
  hud_point far = crosshair_corner(1023, 767, 1024, 768);
  EXPECT_EQ(far.x, 799 - 12);
  EXPECT_EQ(far.y, 599 - 12);
}

TEST(CrosshairCorner, AZeroSizedWindowDoesNotDivideByZero) {
  hud_point p = crosshair_corner(3, 2, 0, 0);
  EXPECT_EQ(p.x, 3 * 800 - 12);
  EXPECT_EQ(p.y, 2 * 600 - 12);
}

TEST(CrosshairPulse, SwingsBetweenHalfAndFullOpacityHalfASecondEachWay) {
  float flick = 0.0f;
  int flip = 0;
  advance_crosshair_pulse(flick, flip, 0.01f);  // the first frame lifts it to the floor
  EXPECT_FLOAT_EQ(flick, 0.5f);
  EXPECT_EQ(flip, 1);
  advance_crosshair_pulse(flick, flip, 0.25f);
  EXPECT_FLOAT_EQ(flick, 0.75f);
  EXPECT_EQ(flip, 1);
  advance_crosshair_pulse(flick, flip, 0.3f);
  EXPECT_FLOAT_EQ(flick, 1.0f);
  EXPECT_EQ(flip, 0);
  advance_crosshair_pulse(flick, flip, 0.2f);
  EXPECT_FLOAT_EQ(flick, 0.8f);
  EXPECT_EQ(flip, 0);
}

TEST(CrosshairPulse, AFrameOfTwoSecondsOrMoreLeavesItAlone) {
  float flick = 0.7f;
  int flip = 1;
  advance_crosshair_pulse(flick, flip, 2.0f);
  advance_crosshair_pulse(flick, flip, 30.0f);
  EXPECT_FLOAT_EQ(flick, 0.7f);
  EXPECT_EQ(flip, 1);
  advance_crosshair_pulse(flick, flip, 1.99f);
  EXPECT_FLOAT_EQ(flick, 1.0f);
  EXPECT_EQ(flip, 0);
}

TEST(HudText, LinesReadAsThePlayerExpects) {
  char line[256];
  EXPECT_STREQ(format_ammo_line(line, sizeof line, 7, 30), "7/30");
  EXPECT_STREQ(format_health_line(line, sizeof line, 100), "100%");
  EXPECT_STREQ(format_fps_line(line, sizeof line, 62.5f), "FPS> 62.500000");
  // A short buffer is cut, never overrun.
  char tiny[4];
  EXPECT_STREQ(format_ammo_line(tiny, sizeof tiny, 123, 456), "123");
}

class ScreenshotNames : public ::testing::Test {
 protected:
  scratch_dir dir_;
  char path_[screenshot_path_capacity];
};

TEST_F(ScreenshotNames, TakesTheFirstFreeNumberCountingFromZero) {
  EXPECT_EQ(next_screenshot_path(path_, sizeof path_), 0);
  EXPECT_STREQ(path_, "data/screenshots/screenshot.0000.tga");
  write_file("data/screenshots/screenshot.0000.tga", "a");
  write_file("data/screenshots/screenshot.0001.tga", "b");
  write_file("data/screenshots/screenshot.0003.tga", "d");
  EXPECT_EQ(next_screenshot_path(path_, sizeof path_), 2);
  EXPECT_STREQ(path_, "data/screenshots/screenshot.0002.tga");
}

TEST_F(ScreenshotNames, TheFolderIsMadeAtStartUpAndAnExistingOneIsKept) {
  ensure_screenshot_dir();
  EXPECT_TRUE(std::filesystem::is_directory("data/screenshots"));
  write_file("data/screenshots/screenshot.0000.tga", "old");
  ensure_screenshot_dir();
  EXPECT_EQ(read_file("data/screenshots/screenshot.0000.tga"), "old");
}

}  // namespace
