// Labels of the three savegame slots offered by the load and save menus.
#pragma once
#include <cstddef>

constexpr int savegame_slot_count = 3;
constexpr size_t savegame_label_capacity = 256;
constexpr const char* empty_slot_label = "Prazdno / Empty";

extern char savegame_slot[savegame_slot_count][savegame_label_capacity];

// True when slot i exists and holds a save.
bool slot_in_use(int i);
