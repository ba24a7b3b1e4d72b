// Labels of the three savegame slots offered by the load and save menus, and
// the small text file that keeps them between runs: one word per slot, its
// spaces stored as underscores.
#pragma once
#include <cstddef>
#include <ctime>

#include "core/savegame.h"  // savegame_folder

constexpr int savegame_slot_count = 3;
constexpr size_t savegame_label_capacity = 256;
constexpr const char* empty_slot_label = "Prazdno / Empty";
constexpr const char* savegame_slots_path = "data/savegame/slots";

extern char savegame_slot[savegame_slot_count][savegame_label_capacity];

// True when slot i exists and holds a save.
bool slot_in_use(int i);

// Reads the labels; a label longer than the buffer is cut, and slots the file
// does not name keep their labels. A missing file is created from the
// current labels (a first start writes three empty labels).
void load_savegame_slots();
// Writes the labels (creating data/savegame when missing) through a
// temporary file, so a failed write keeps the previous file; false, with a
// failed line on the loading log, when the file could not be written.
bool save_savegame_slots();

// Labels slot i with the moment it was saved, "6.12.2026 14:05"; a slot
// outside the three is left alone.
void label_slot_saved_at(int i, const std::tm& when);
