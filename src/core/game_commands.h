// What the queue's game commands do to the running game: start a new game,
// read a savegame, write one, resume, quit and the heavy-blood switch.
#pragma once

// Registers "quit", "new:", "game", "c_ultrablood:0" and "c_ultrablood:1"
// with the console.
void register_game_commands();

constexpr const char* game_saved_message = "Hra ulozena/Game saved";

// A new game from the level at `level_path`, with its autosave.
void command_new_game(const char* level_path);
// Reads the savegame and switches to the game.
void command_load_game(const char* savegame_path);
// Writes the savegame, says so on the message line and returns to the game;
// true when it was written.
bool command_save_game(const char* savegame_path);
