#include <gtest/gtest.h>

#include <cstring>

#include "actors/player.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "base/play_options.h"
#include "core/game_state.h"
#include "frontend/menu_table.h"
#include "kel/main_loop.h"
#include "platform/gamma.h"
#include "platform/input.h"
#include "platform/tick.h"
#include "platform/virtual_keys.h"

namespace {

uint32_t fake_now = 0;
uint32_t fake_clock() { return fake_now; }

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_commands();
    set_tick_source(fake_clock);
    std::memset(keys, 0, sizeof keys);
    active = 1;
    players[player_id].health = 100;
    global_status = status_game;
    game_started = 1;
    c_cheats_enabled = c_immortal = 0;
    last_frame = 0;
    fake_now = 0;
  }
  void TearDown() override { set_tick_source(nullptr); }

  bool frame() {
    bool done = false;
    EXPECT_EQ(run_frame(done), frame_outcome::go_on);
    return done;
  }
};

TEST_F(MainLoopTest, FrameTimeIsTheTickDifference) {
  fake_now = 1000;
  frame();
  EXPECT_FLOAT_EQ(motion_mix, 1.0f);  // the first frame measures from 0
  fake_now = 1050;
  frame();
  EXPECT_FLOAT_EQ(motion_mix, 0.05f);
  EXPECT_EQ(last_frame, 1050u);
}

TEST_F(MainLoopTest, MinimisedWindowRunsNoFrame) {
  fake_now = 500;
  active = 0;
  keys[VK_F12] = 1;
  frame();
  EXPECT_EQ(last_frame, 0u);
  EXPECT_EQ(keys[VK_F12], 1);  // not taken while inactive
}

TEST_F(MainLoopTest, GammaKeysClampEachChannel) {
  gamma_corr[0] = 0.05f;
  gamma_corr[1] = 1.0f;
  gamma_corr[2] = 3.45f;
  for (int i = 0; i < 40; ++i) {
    keys['O'] = 1;
    frame();
    EXPECT_EQ(keys['O'], 0);
  }
  for (float g : gamma_corr) EXPECT_FLOAT_EQ(g, 0.0f);
  keys['P'] = 1;
  frame();
  for (float g : gamma_corr) EXPECT_FLOAT_EQ(g, 0.1f);
  for (int i = 0; i < 40; ++i) {
    keys['P'] = 1;
    frame();
  }
  for (float g : gamma_corr) EXPECT_FLOAT_EQ(g, 3.5f);
}

TEST_F(MainLoopTest, EscapeInGameOpensThePauseMenu) {
  active_menu = 3;
  menu_sel_item = 2;
  keys[VK_ESCAPE] = 1;
  frame();
  EXPECT_EQ(global_status, status_menu);
  EXPECT_EQ(active_menu, 0);
  EXPECT_EQ(menu_sel_item, 0);
  EXPECT_EQ(keys[VK_ESCAPE], 0);
}

TEST_F(MainLoopTest, LogoIsSkippedByEscEnterOrSpace) {
  for (int key : {VK_ESCAPE, VK_RETURN, VK_SPACE}) {
    global_status = status_logo;
    keys[key] = 1;
    frame();
    EXPECT_EQ(global_status, status_menu) << key;
    EXPECT_EQ(keys[VK_ESCAPE] | keys[VK_RETURN] | keys[VK_SPACE], 0);
  }
}

TEST_F(MainLoopTest, QuitEndsTheLoopAfterThisFrame) {
  global_status = status_menu;
  Console.add_command("quit");
  EXPECT_FALSE(frame());  // the menu frame runs the command
  EXPECT_EQ(global_status, status_quit);
  EXPECT_TRUE(frame());
}

TEST_F(MainLoopTest, CheatChordUnlocksImmortality) {
  keys[VK_F4] = 1;
  frame();
  EXPECT_EQ(c_immortal, 0);
  EXPECT_EQ(keys[VK_F4], 1);  // locked: the key is not taken
  for (char c : cheat_chord) keys[static_cast<int>(c)] = 1;
  frame();
  EXPECT_EQ(c_cheats_enabled, 1);
  EXPECT_EQ(c_immortal, 1);
  keys[VK_F4] = 1;
  frame();
  EXPECT_EQ(c_immortal, 0);
}

TEST_F(MainLoopTest, QuickloadKeyEntersTheGameFromAnyState) {
  global_status = status_menu;
  game_started = 0;
  keys[VK_F7] = 1;
  frame();
  EXPECT_EQ(global_status, status_game);
  EXPECT_EQ(game_started, 1);
}

}  // namespace

namespace {

TEST_F(MainLoopTest, DeathKeysOpenTheGameOverMenu) {
  menus = 2;
  std::strcpy(menu[1].name, "gameover");
  players[player_id].health = 0;
  keys[VK_SPACE] = 1;
  frame();
  EXPECT_EQ(global_status, status_menu);
  EXPECT_EQ(game_started, 0);  // a dead player's game cannot be resumed or saved
  EXPECT_EQ(keys[VK_SPACE], 0);
  frame();  // the menu frame runs the queued command
  EXPECT_EQ(active_menu, 1);
  menus = 0;
}

TEST_F(MainLoopTest, LogoGivesWayToTheMenuWhoseKeysActInTheSameFrame) {
  global_status = status_logo;
  int frames = 0;
  for (; global_status == status_logo && frames < 100; ++frames) {
    fake_now += 100;
    frame();
  }
  EXPECT_NEAR(frames, 54, 2);  // 5.2 s of the logo clock, at half speed per frame time
  EXPECT_EQ(global_status, status_menu);

  menus = 1;
  menu[0].item_count = 1;
  std::strcpy(menu[0].menu_item[0], "quit");
  active_menu = menu_sel_item = 0;
  keys[VK_RETURN] = 1;
  EXPECT_FALSE(frame());
  EXPECT_EQ(global_status, status_quit);
  menus = 0;
  menu[0].item_count = 0;
}

TEST_F(MainLoopTest, ImmortalityKeepsHealthAt999) {
  c_immortal = 1;
  players[player_id].health = 3;
  frame();
  EXPECT_EQ(players[player_id].health, 999);
}

}  // namespace
