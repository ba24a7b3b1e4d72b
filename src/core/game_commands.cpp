#include "core/game_commands.h"

#include <cstdio>

#include "core/game_state.h"
#include "core/level_loading.h"
#include "core/new_game.h"
#include "world/level_paths.h"

void command_new_game(const char* level_path) {
  std::snprintf(mapa_filename, sizeof mapa_filename, "%s", level_path);
  reset_player_for_new_game();
  // A level that cannot be loaded leaves the game in the menu the loader chose.
  if (!load_level(true)) return;
  global_status = status_game;
  game_started = 1;
}

void command_load_game(const char*) {
  global_status = status_game;
  game_started = 1;
}

void command_save_game(const char*) {
  global_status = status_game;
}
