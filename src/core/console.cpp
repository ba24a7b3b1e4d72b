#include "core/console.h"

#include <cstdio>
#include <cstring>

#include "base/frame_clock.h"
#include "base/play_options.h"
#include "core/game_commands.h"
#include "core/game_state.h"
#include "core/text_escape.h"
#include "frontend/menu_table.h"
#include "frontend/savegame_slots.h"

C_Console Console;

void C_Console::add_command(const char* text) {
  if (command_count >= command_capacity) return;
  commands[command_count++] = text;
}

// The first whitespace-free word after the prefix, cut to the work buffer.
static void argument_after(const char* command, size_t prefix_length, char (&word)[command_text_capacity]) {
  const char* p = command + prefix_length;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  size_t n = 0;
  while (p[n] && p[n] != ' ' && p[n] != '\t' && p[n] != '\n' && p[n] != '\r' && n + 1 < sizeof word) {
    word[n] = p[n];
    ++n;
  }
  word[n] = '\0';
}

static bool starts_with(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

void C_Console::execute(const char* command) {
  char arg[command_text_capacity];
  if (starts_with(command, "menu:")) {
    argument_after(command, 5, arg);
    int found = find_menu(arg);
    if (found >= 0) active_menu = found;
    global_status = status_menu;
    menu_sel_item = 0;
    return;  // the command is used up: no later rule sees it
  }
  if (std::strcmp(command, "quit") == 0) global_status = status_quit;
  if (starts_with(command, "message:")) add_message(command + 8);
  if (starts_with(command, "load:") && slot_in_use(menu_sel_item)) {
    argument_after(command, 5, arg);
    command_load_game(arg);
  }
  if (starts_with(command, "save:") && game_started) {
    argument_after(command, 5, arg);
    command_save_game(arg);
  }
  if (starts_with(command, "new:")) {
    argument_after(command, 4, arg);
    command_new_game(arg);
  }
  if (std::strcmp(command, "game") == 0 && game_started) global_status = status_game;
  if (std::strcmp(command, "c_ultrablood:0") == 0) c_ultra_blood = 0;
  if (std::strcmp(command, "c_ultrablood:1") == 0) c_ultra_blood = 1;
}

void C_Console::process_commands() {
  char command[command_text_capacity];
  while (command_count > 0) {
    --command_count;
    std::snprintf(command, sizeof command, "%s", commands[command_count].c_str());
    commands[command_count].clear();
    commands[command_count].shrink_to_fit();
    execute(command);
  }
}

void C_Console::add_message(const char* text) {
  if (std::strcmp(text, "NOMESSAGE_TRIGGER") == 0) return;
  std::snprintf(message, sizeof message, "%s", text);
  strunmake_(message);
  message_time = message_show_seconds;
}

void C_Console::process_message() {
  if (message_time >= 0.0f) message_time -= motion_mix;
}
