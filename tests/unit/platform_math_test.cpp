#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "base/frame_clock.h"
#include "core/command_line.h"
#include "platform/gamma.h"
#include "platform/virtual_keys.h"
#include "world/level_paths.h"

namespace {

TEST(GammaRamp, OneIsTheIdentityAndZeroIsBlack) {
  uint16_t ramp[gamma_ramp_size];
  CalculateGammaRamp(1.0f, ramp);
  for (int i = 0; i < gamma_ramp_size; ++i) EXPECT_EQ(ramp[i], i * 257) << i;
  CalculateGammaRamp(0.0f, ramp);
  for (uint16_t v : ramp) EXPECT_EQ(v, 0);
  CalculateGammaRamp(-2.0f, ramp);
  for (uint16_t v : ramp) EXPECT_EQ(v, 0);
}

TEST(GammaRamp, OtherValuesFollowThePowerCurveAndStayInRange) {
  uint16_t ramp[gamma_ramp_size];
  CalculateGammaRamp(2.0f, ramp);
  EXPECT_EQ(ramp[0], 0);
  EXPECT_EQ(ramp[64], 32768);  // sqrt(1/4) * 65535 + 0.5
  for (int i = 1; i < gamma_ramp_size; ++i) EXPECT_GE(ramp[i], ramp[i - 1]);
  CalculateGammaRamp(3.5f, ramp);
  EXPECT_LE(ramp[255], 65535);
}

TEST(GammaRamp, GammaReadBackFromRamps) {
  uint16_t ramp[gamma_ramp_size];
  float gamma = 0;
  CalculateGammaRamp(1.0f, ramp);
  CalculateGammaFromRamp(&gamma, ramp);
  EXPECT_NEAR(gamma, 1.0f, 0.03f);  // i * 257 is a hair above (i / 256) * 65535

  CalculateGammaRamp(2.2f, ramp);
  CalculateGammaFromRamp(&gamma, ramp);
  EXPECT_NEAR(gamma, 2.2f, 0.05f);

  std::memset(ramp, 0, sizeof ramp);
  CalculateGammaFromRamp(&gamma, ramp);
  EXPECT_EQ(gamma, 1.0f);  // nothing to measure: exactly 1
}

TEST(CommandLine, MapTakesEverythingAfterTheSeparator) {
  char path[path_capacity];
  EXPECT_TRUE(map_argument("-map data/maps/level2", path, sizeof path));
  EXPECT_STREQ(path, "data/maps/level2");
  EXPECT_TRUE(map_argument("-fast -map data/my maps/x", path, sizeof path));
  EXPECT_STREQ(path, "data/my maps/x");
  EXPECT_TRUE(map_argument("-map ", path, sizeof path));
  EXPECT_STREQ(path, "");
  EXPECT_FALSE(map_argument("-map", path, sizeof path));
  EXPECT_FALSE(map_argument("", path, sizeof path));
  EXPECT_FALSE(map_argument("-ma data/maps/test", path, sizeof path));
}

TEST(FrameClock, AFrameShorterThanTwoMillisecondsRestsForTheRest) {
  struct {
    double took;
    uint32_t rest;
  } cases[] = {
      {0.0, 2}, {-0.001, 2},  // a clock that stepped back counts as no time at all
      {0.0005, 2}, {0.001, 1}, {0.0015, 1}, {0.00199, 1}, {0.002, 0}, {0.016, 0}, {1e9, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(frame_rest_milliseconds(c.took), c.rest) << c.took;
}

TEST(FrameClock, UnsignedDifferenceSurvivesTheWrapAround) {
  EXPECT_FLOAT_EQ(frame_seconds(1050, 1000), 0.05f);
  EXPECT_FLOAT_EQ(frame_seconds(20, 0xFFFFFFF6u), 0.03f);  // 10 ms before the wrap, 20 after
  EXPECT_FLOAT_EQ(frame_seconds(5000, 0), 5.0f);           // the first frame covers all of it
}

TEST(VirtualKeys, SdlKeysMapToWindowsNumbers) {
  EXPECT_EQ(vk_from_sdl(SDLK_a), 'A');
  EXPECT_EQ(vk_from_sdl(SDLK_z), 'Z');
  EXPECT_EQ(vk_from_sdl(SDLK_0), '0');
  EXPECT_EQ(vk_from_sdl(SDLK_9), '9');
  EXPECT_EQ(vk_from_sdl(SDLK_F1), 0x70);
  EXPECT_EQ(vk_from_sdl(SDLK_F12), 0x7B);
  EXPECT_EQ(vk_from_sdl(SDLK_LEFT), 0x25);
  EXPECT_EQ(vk_from_sdl(SDLK_DOWN), 0x28);
  EXPECT_EQ(vk_from_sdl(SDLK_KP_ENTER), VK_RETURN);
  EXPECT_EQ(vk_from_sdl(SDLK_ESCAPE), 0x1B);
  EXPECT_EQ(vk_from_sdl(SDLK_CAPSLOCK), 0);
}

}  // namespace

#include "platform/input.h"
#include "platform/window.h"
#include "base/frame_clock.h"
#include "world/level_paths.h"

namespace {

SDL_Event key_event(Uint32 type, SDL_Keycode key) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = key;
  return e;
}

// A tap whose press and release both arrive before a frame still reaches one
// frame; a key held across frames is released as soon as it comes up.
TEST(InputTables, ATapShorterThanAFrameIsSeenByOneFrame) {
  WndProc(key_event(SDL_KEYDOWN, SDLK_F12));
  WndProc(key_event(SDL_KEYUP, SDLK_F12));
  EXPECT_EQ(keys[VK_F12], 1);
  finish_frame_input();
  EXPECT_EQ(keys[VK_F12], 0);

  WndProc(key_event(SDL_KEYDOWN, SDLK_w));
  finish_frame_input();
  EXPECT_EQ(keys['W'], 1);
  WndProc(key_event(SDL_KEYUP, SDLK_w));
  EXPECT_EQ(keys['W'], 0);

  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = 17;
  WndProc(click);
  click.type = SDL_MOUSEBUTTONUP;
  WndProc(click);
  EXPECT_EQ(mouse_lb, 1);
  EXPECT_EQ(mouse_x, 17);
  finish_frame_input();
  EXPECT_EQ(mouse_lb, 0);
}

}  // namespace
