// Checks of the two list files against what the forge made: every name in
// data/tex.list and data/sound.list must be a forged file, every forged
// texture and sound must be listed, and the lists must fit the engine's tables.
#pragma once
#include <set>
#include <string>

#include "common/recipe.h"

struct list_rules {
  const char* what;      // "texture" or "sound", for messages
  int capacity;          // entries the engine's table holds
  size_t name_capacity;  // characters a name may have
};

constexpr list_rules texture_list_rules{"texture", 256, 63};
constexpr list_rules sound_list_rules{"sound", 128, 127};

// Reports problems against `list_path` (file:line:column); `made` holds the
// data paths forged for this list. False when there were problems.
bool check_content_list(const std::string& list_path, const std::string& text, const list_rules& rules,
                        const std::set<std::string>& made, diagnostics& sink);
