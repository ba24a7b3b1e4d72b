#include "frontend/menu_commands.h"

#include <ctime>

#include "base/console.h"
#include "core/game_commands.h"
#include "core/game_state.h"
#include "frontend/menu_table.h"
#include "frontend/savegame_slots.h"

// An unknown name keeps the menu but still resets the selection.
static void show_menu(const char* rest) {
  char name[command_text_capacity];
  command_argument(rest, name);
  int found = find_menu(name);
  if (found >= 0) active_menu = found;
  global_status = status_menu;
  menu_sel_item = 0;
}

// Only a slot that holds a save can be loaded.
static void load_slot(const char* rest) {
  if (!slot_in_use(menu_sel_item)) return;
  char path[command_text_capacity];
  command_argument(rest, path);
  command_load_game(path);
}

// Only a running game can be saved. The highlighted item is the slot, and
// its label becomes the local date and time of the save.
static void save_slot(const char* rest) {
  if (!game_started) return;
  char path[command_text_capacity];
  command_argument(rest, path);
  if (!command_save_game(path)) return;  // a failed save keeps its old label
  std::time_t now = std::time(nullptr);
  std::tm local;
  if (localtime_r(&now, &local)) label_slot_saved_at(menu_sel_item, local);
}

void register_menu_commands() {
  Console.register_command("menu:", show_menu);
  Console.register_command("load:", load_slot);
  Console.register_command("save:", save_slot);
}
