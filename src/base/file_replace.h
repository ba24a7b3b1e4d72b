// Files that hold a player's data (savegames, slot labels) are replaced whole:
// the new contents go to a temporary file beside the old one, are flushed and
// synced, and only then renamed over it, so a crash or a full disk while
// writing leaves the previous file as it was.
#pragma once
#include <cstddef>

// Writes `size` bytes as the new contents of `path`. False, with the old file
// untouched, no temporary file left and errno telling why, when any step fails.
bool replace_file(const char* path, const void* bytes, size_t size);

// Creates the folder and the folders above it when missing; true when the
// folder exists afterwards.
bool ensure_folder(const char* path);
