// Turning the level path in mapa_filename into a playable level.
#pragma once

constexpr const char* last_level_name = "last_level";

// Builds the level at mapa_filename; "last_level" queues the victory menu
// instead. A level whose wall map is missing sends the game to the main menu.
// True when a level stands ready to play.
bool load_level(bool autosave);

// The level KelMapLoader has just built into the world made playable:
// particles, lights, render groups, lightmap and enemies. `show_progress`
// draws the loading steps (a reload while playing goes without them).
void start_loaded_level(bool show_progress);

