// What the queue's game commands do to the running game: start a new game,
// read a savegame, write one, resume, quit and the heavy-blood switch.
#pragma once

// Registers "quit", "new:", "game", "c_ultrablood:0" and "c_ultrablood:1"
// with the console.
void register_game_commands();

void command_new_game(const char* level_path);
void command_load_game(const char* savegame_path);
void command_save_game(const char* savegame_path);
