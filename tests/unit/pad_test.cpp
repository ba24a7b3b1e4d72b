#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <cstring>

#include "actors/pad_sticks.h"
#include "actors/player_movement.h"
#include "actors/weapons.h"
#include "base/player_settings.h"
#include "platform/gamepad.h"

namespace {

TEST(PadSticks, LeftStickWalksAlongTheScreenAndRightStickAimsAroundTheCentre) {
  const float d = std::sqrt(0.5f);  // a full diagonal
  struct {
    const char* what;
    float x, y;
    int sensitivity;
    bool walks;
    float direction, speed;  // facing degrees: 0 up the screen, 90 left
    bool aims;
    int aim_x, aim_y;  // in an 800 x 600 window
  } cases[] = {
      {"at rest", 0, 0, 5, false, 0, 0, false, 0, 0},
      {"inside the dead zone", 0.2f, -0.1f, 5, false, 0, 0, false, 0, 0},
      {"up is up the screen", 0, -1, 10, true, 0, 1, true, 400, 0},
      {"down", 0, 1, 10, true, -180, 1, true, 400, 600},
      {"right", 1, 0, 10, true, -90, 1, true, 700, 300},
      {"left", -1, 0, 10, true, 90, 1, true, 100, 300},
      {"up-left diagonal", -d, -d, 10, true, 45, 1, true, 188, 88},
      {"down-right diagonal", d, d, 10, true, -135, 1, true, 612, 512},
      {"half way out walks at a third", 0, -0.5f, 10, true, 0, 1.0f / 3, true, 400, 0},
      {"a square stick's corner is no faster", 1, 1, 10, true, -135, 1, true, 612, 512},
      {"lowest sensitivity aims close", 0, -1, 1, true, 0, 1, true, 400, 240},
      {"middle sensitivity", 1, 0, 5, true, -90, 1, true, 567, 300},
      {"sensitivity past the ends is held to them", 1, 0, 99, true, -90, 1, true, 700, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    stick_walk walk = walk_from_stick(c.x, c.y);
    EXPECT_EQ(walk.moving, c.walks);
    if (c.walks) {
      EXPECT_NEAR(walk.direction, c.direction, 0.01f);
      EXPECT_NEAR(walk.speed, c.speed, 0.001f);
    }
    int ax = -7, ay = -7;
    EXPECT_EQ(aim_from_stick(c.x, c.y, c.sensitivity, 800, 600, ax, ay), c.aims);
    EXPECT_EQ(ax, c.aims ? c.aim_x : -7);
    EXPECT_EQ(ay, c.aims ? c.aim_y : -7);
  }
}

TEST(PadSticks, ShouldersCycleThroughWeaponsWithCartridges) {
  weaponu = 4;
  const int loaded[4][2] = {{5, 0}, {0, 0}, {0, 12}, {1, 1}};  // ammo, reserve
  for (int i = 0; i < 4; ++i) {
    weapon[i].ammo = loaded[i][0];
    weapon[i].reserve = loaded[i][1];
  }
  struct {
    int held, step, next;
  } cases[] = {{0, 1, 2}, {2, 1, 3}, {3, 1, 0}, {0, -1, 3}, {3, -1, 2}, {2, -1, 0}, {1, 1, 2}, {-5, 1, 2}};
  for (const auto& c : cases) EXPECT_EQ(next_weapon_with_cartridges(c.held, c.step), c.next) << c.held << c.step;
  weapon[2].ammo = weapon[2].reserve = weapon[3].ammo = weapon[3].reserve = 0;
  EXPECT_EQ(next_weapon_with_cartridges(0, 1), 0);  // nothing else to take
  weaponu = 0;
  EXPECT_EQ(next_weapon_with_cartridges(0, 1), 0);
}

Uint16 rumbled = 0;
int SDLCALL note_rumble(void*, Uint16 low, Uint16) {
  rumbled = low;
  return 0;
}

// A real SDL game controller: SDL's virtual joystick, plugged in after the
// pad code started, moved, pressed, shaken and pulled out again.
TEST(Gamepad, VirtualPadIsTakenFollowedShakenAndLetGo) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_EVENTS), 0) << SDL_GetError();
  open_gamepads();
  auto pump = [] {
    SDL_Event e;
    while (SDL_PollEvent(&e)) pad_message(e);
  };
  pump();
  EXPECT_FALSE(pad.connected);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.Rumble = note_rumble;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  pump();
  EXPECT_TRUE(pad.connected);

  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_RIGHTY, -32768);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickUpdate();
  pump();
  EXPECT_FLOAT_EQ(pad.left_x, 1.0f);
  EXPECT_FLOAT_EQ(pad.right_y, -1.0f);
  EXPECT_FLOAT_EQ(pad.right_trigger, 1.0f);
  EXPECT_EQ(pad.buttons[pad_a], 1);
  EXPECT_TRUE(take_pad_press(pad_a));
  EXPECT_FALSE(take_pad_press(pad_a));  // one press, taken once
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
  SDL_JoystickUpdate();
  pump();
  EXPECT_EQ(pad.buttons[pad_a], 0);
  EXPECT_FALSE(take_pad_pulled_out());

  rumble_pad(player_hit_rumble, player_hit_rumble_ms);
  EXPECT_EQ(rumbled, 52428);  // 0.8 of full
  rumbled = 0;
  player_settings.rumble = 0;
  rumble_pad(player_hit_rumble, player_hit_rumble_ms);
  EXPECT_EQ(rumbled, 0);  // switched off
  player_settings.rumble = 1;

  SDL_JoystickClose(stick);
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  pump();
  EXPECT_FALSE(pad.connected);
  EXPECT_FLOAT_EQ(pad.left_x, 0.0f);
  EXPECT_TRUE(take_pad_pulled_out());
  EXPECT_FALSE(take_pad_pulled_out());
}

}  // namespace
