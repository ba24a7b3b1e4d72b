#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/console.h"
#include "base/frame_clock.h"
#include "base/play_options.h"
#include "core/game_state.h"
#include "frontend/menu_table.h"
#include "frontend/savegame_slots.h"
#include "kel/main_loop.h"

namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_commands();
    Console.process_commands();  // drop anything left by other tests
    Console.message[0] = '\0';
    Console.message_time = 0;
    global_status = status_game;
    game_started = 0;
    c_ultra_blood = 0;
    menus = 2;
    std::strcpy(menu[0].name, "main");
    std::strcpy(menu[1].name, "gameover");
    active_menu = 0;
    menu_sel_item = 0;
    for (auto& slot : savegame_slot) std::strcpy(slot, empty_slot_label);
  }
  void TearDown() override { menus = 0; }
};

TEST_F(ConsoleTest, NewestCommandRunsFirst) {
  // "menu:" queued before "quit": quit runs first, then the menu command takes
  // the game back to the menu state, so the program does not end.
  Console.add_command("menu:gameover");
  Console.add_command("quit");
  Console.process_commands();
  EXPECT_EQ(global_status, status_menu);
  EXPECT_EQ(active_menu, 1);
  EXPECT_EQ(Console.queued(), 0);

  // The other order ends in the quit state.
  Console.add_command("quit");
  Console.add_command("menu:main");
  Console.process_commands();
  EXPECT_EQ(global_status, status_quit);
}

TEST_F(ConsoleTest, MenuCommandUsesUpTheCommandAndResetsSelection) {
  menu_sel_item = 2;
  Console.add_command("menu:nosuchmenu");
  Console.process_commands();
  EXPECT_EQ(active_menu, 0);  // unknown name keeps the menu
  EXPECT_EQ(menu_sel_item, 0);
  EXPECT_EQ(global_status, status_menu);
}

TEST_F(ConsoleTest, FullQueueDropsThe513thCommand) {
  for (int i = 0; i < command_capacity; ++i) Console.add_command("c_ultrablood:1");
  Console.add_command("c_ultrablood:0");  // the 513th: lost
  EXPECT_EQ(Console.queued(), command_capacity);
  Console.process_commands();
  EXPECT_EQ(c_ultra_blood, 1);
}

TEST_F(ConsoleTest, UltrabloodTakesOnlyZeroOrOne) {
  for (const char* junk : {"c_ultrablood:2", "c_ultrablood:", "c_ultrablood:1x", "c_ultrablood:01"}) {
    Console.add_command(junk);
    Console.process_commands();
    EXPECT_EQ(c_ultra_blood, 0) << junk;
  }
  Console.add_command("c_ultrablood:1");
  Console.process_commands();
  EXPECT_EQ(c_ultra_blood, 1);
}

TEST_F(ConsoleTest, MessagesShowSpacesForUnderscoresAndFade) {
  Console.add_command("message:Door_is_locked");
  Console.process_commands();
  EXPECT_STREQ(Console.message, "Door is locked");
  EXPECT_FLOAT_EQ(Console.message_time, 3.0f);

  Console.add_message("NOMESSAGE_TRIGGER");
  EXPECT_STREQ(Console.message, "Door is locked");

  motion_mix = 2.0f;
  Console.process_message();
  Console.process_message();
  EXPECT_FLOAT_EQ(Console.message_time, -1.0f);
  Console.process_message();  // stays below zero
  EXPECT_FLOAT_EQ(Console.message_time, -1.0f);
}

TEST_F(ConsoleTest, OverlongCommandsAreCutTo255Characters) {
  std::string text = "message:" + std::string(400, 'a');
  Console.add_command(text.c_str());
  Console.process_commands();
  EXPECT_EQ(std::strlen(Console.message), command_text_capacity - 1 - 8);
}

TEST_F(ConsoleTest, LoadOnAnEmptySlotDoesNothing) {
  global_status = status_menu;
  Console.add_command("load:data/savegame/slot0");
  Console.process_commands();
  EXPECT_EQ(global_status, status_menu);
  EXPECT_EQ(game_started, 0);

  std::strcpy(savegame_slot[0], "7.12.2026 10:00");
  Console.add_command("load:data/savegame/slot0");
  Console.process_commands();
  EXPECT_EQ(global_status, status_game);
  EXPECT_EQ(game_started, 1);
}

TEST_F(ConsoleTest, GameResumesOnlyAStartedGame) {
  global_status = status_menu;
  Console.add_command("game");
  Console.process_commands();
  EXPECT_EQ(global_status, status_menu);
  game_started = 1;
  Console.add_command("game");
  Console.process_commands();
  EXPECT_EQ(global_status, status_game);
}

}  // namespace
