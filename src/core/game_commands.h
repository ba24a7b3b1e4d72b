// What the queue's game commands do to the running game: start a new game,
// read a savegame, write one.
#pragma once

void command_new_game(const char* level_path);
void command_load_game(const char* savegame_path);
void command_save_game(const char* savegame_path);
