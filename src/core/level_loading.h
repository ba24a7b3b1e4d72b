// Turning the level path in mapa_filename into a playable level, and moving on
// to the next level when the player reaches an exit cell.
#pragma once

constexpr const char* last_level_name = "last_level";

// Builds the level at mapa_filename; "last_level" queues the victory menu
// instead. A level whose wall map is missing sends the game to the main menu.
// True when a level stands ready to play.
bool load_level(bool autosave);

// Frame step: on an exit cell, load the level that follows (with autosave).
void check_level_exit();
