#include "frontend/savegame_slots.h"

#include <cstring>

char savegame_slot[savegame_slot_count][savegame_label_capacity] = {
    "Prazdno / Empty", "Prazdno / Empty", "Prazdno / Empty"};

bool slot_in_use(int i) {
  return i >= 0 && i < savegame_slot_count && std::strcmp(savegame_slot[i], empty_slot_label) != 0;
}
