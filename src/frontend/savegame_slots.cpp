#include "frontend/savegame_slots.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/file_replace.h"
#include "base/loading_log.h"
#include "base/table_index.h"
#include "base/text_escape.h"
#include "content/tagged_reader.h"  // whitespace-separated words, cut to their buffer

char savegame_slot[savegame_slot_count][savegame_label_capacity] = {
    "Prazdno / Empty", "Prazdno / Empty", "Prazdno / Empty"};

bool slot_in_use(int i) {
  return in_table(i, savegame_slot_count) && std::strcmp(savegame_slot[i], empty_slot_label) != 0;
}

void load_savegame_slots() {
  tagged_reader reader;
  if (!reader.open(savegame_slots_path)) {
    save_savegame_slots();
    return;
  }
  char word[savegame_label_capacity];
  for (char* label : savegame_slot) {
    if (!reader.word(word)) break;
    std::memcpy(label, word, sizeof word);
    strunmake_(label);
  }
}

bool save_savegame_slots() {
  std::string text;
  for (const auto& label : savegame_slot) {
    char stored[savegame_label_capacity];
    std::memcpy(stored, label, sizeof stored);
    strmake_(stored);
    text += stored;
    text += '\n';
  }
  if (ensure_folder(savegame_folder) && replace_file(savegame_slots_path, text.data(), text.size())) return true;
  draw_loading_failed("SAVE SLOT LABELS");
  return false;
}

void label_slot_saved_at(int i, const std::tm& when) {
  if (!in_table(i, savegame_slot_count)) return;
  std::snprintf(savegame_slot[i], savegame_label_capacity, "%d.%d.%d %02d:%02d", when.tm_mday, when.tm_mon + 1,
                when.tm_year + 1900, when.tm_hour, when.tm_min);
}
