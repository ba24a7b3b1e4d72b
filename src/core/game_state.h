// The state the main loop steers by: which screen runs and whether a game is
// in progress.
#pragma once
#include <cstdint>

// global_status values.
constexpr int status_menu = 0;
constexpr int status_game = 1;
constexpr int status_quit = 2;
constexpr int status_logo = 3;

extern int global_status;
extern uint8_t game_started;
extern int active_menu;    // the menu showing in the menu state
extern int menu_sel_item;  // its highlighted item
extern uint8_t no_key_alarm;  // the locked-door alarm sounded for the present contact
