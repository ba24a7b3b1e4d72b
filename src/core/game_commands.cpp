#include "core/game_commands.h"

#include <cstdio>

#include "base/console.h"
#include "base/play_options.h"
#include "core/game_state.h"
#include "core/level_loading.h"
#include "core/new_game.h"
#include "core/savegame.h"
#include "world/level_paths.h"

void command_new_game(const char* level_path) {
  std::snprintf(mapa_filename, sizeof mapa_filename, "%s", level_path);
  reset_player_for_new_game();
  // A level that cannot be loaded leaves the game in the menu the loader chose.
  if (!load_level_with_autosave()) return;
  global_status = status_game;
  game_started = 1;
}

// The state becomes the game's even when the file cannot be read (the game
// goes on as it was), but not when its level is gone: the loader has chosen
// the menu and no level stands ready.
void command_load_game(const char* savegame_path) {
  if (savegame.load(savegame_path) == savegame_level_missing) return;
  global_status = status_game;
  game_started = 1;
}

bool command_save_game(const char* savegame_path) {
  bool saved = savegame.save(savegame_path) == 0;
  if (saved) Console.add_message(game_saved_message);
  global_status = status_game;
  return saved;
}

static void quit(const char*) { global_status = status_quit; }

static void new_game(const char* rest) {
  char path[command_text_capacity];
  command_argument(rest, path);
  command_new_game(path);
}

static void resume(const char*) {
  if (game_started) global_status = status_game;
}

static void ultra_blood_off(const char*) { c_ultra_blood = 0; }
static void ultra_blood_on(const char*) { c_ultra_blood = 1; }

void register_game_commands() {
  Console.register_command("quit", quit);
  Console.register_command("new:", new_game);
  Console.register_command("game", resume);
  Console.register_command("c_ultrablood:0", ultra_blood_off);
  Console.register_command("c_ultrablood:1", ultra_blood_on);
}
