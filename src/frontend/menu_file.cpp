#include "frontend/menu_file.h"

#include <cstring>

#include "base/loading_log.h"
#include "content/models.h"
#include "content/tagged_reader.h"
#include "content/texture_list.h"
#include "frontend/menu_table.h"
#include "frontend/savegame_slots.h"

// An unknown name keeps the previous index.
static void read_texture(tagged_reader& reader, int& index) {
  char name[menu_text_capacity];
  if (!reader.word(name)) return;
  int found = find_texture(name);
  if (found >= 0) index = found;
}

static void read_model(tagged_reader& reader, int& index) {
  char name[menu_text_capacity];
  if (!reader.word(name)) return;
  if (std::strcmp(name, no_mesh_model) == 0) {
    index = -1;
    return;
  }
  int found = find_model_by_mesh(name);
  if (found >= 0) index = found;
}

static void read_item(tagged_reader& reader, menu_t& m, bool& overflow) {
  char item[menu_text_capacity];
  if (!reader.word(item)) return;
  if (m.item_count >= menu_item_capacity) {
    overflow = true;
    return;
  }
  std::memcpy(m.menu_item[m.item_count++], item, sizeof item);
}

// A fourth position is left unread: its numbers are skipped as plain words.
static void read_slot(tagged_reader& reader, menu_t& m) {
  if (m.slot_count >= menu_slot_capacity) return;
  int x = 0, y = 0;
  if (reader.scan(" %d , %d ", &x, &y) != 2) return;
  m.savegame_slot_pos[m.slot_count++] = {x, y};
}

void load_menu() {
  load_savegame_slots();
  std::memset(menu, 0, sizeof menu);
  menus = 0;
  tagged_reader reader;
  if (!reader.open(menu_file_path)) {
    draw_loading_failed("data/menu");
    return;
  }
  // Tags of a menu that does not fit, or before the first menu, have no
  // record: their values are read into this one and forgotten.
  static menu_t discarded;
  menu_t* current = nullptr;
  bool too_many_menus = false, too_many_items = false;
  char word[menu_text_capacity];
  while (reader.word(word)) {
    if (std::strcmp(word, "<menu>") == 0) {
      if (menus < menu_capacity) {
        current = &menu[menus++];
      } else {
        too_many_menus = true;
        current = &discarded;
      }
      std::memset(current, 0, sizeof *current);
      reader.word(current->name);
      continue;
    }
    menu_t& m = current ? *current : discarded;
    if (std::strcmp(word, "<texture_bg>") == 0)
      read_texture(reader, m.texture_bg);
    else if (std::strcmp(word, "<texture>") == 0)
      read_texture(reader, m.texture);
    else if (std::strcmp(word, "<model>") == 0)
      read_model(reader, m.model);
    else if (std::strcmp(word, "<menu_item>") == 0)
      read_item(reader, m, too_many_items);
    else if (std::strcmp(word, "<savegame_slot>") == 0)
      read_slot(reader, m);
    else if (std::strcmp(word, "<esc_item>") == 0)
      reader.word(m.esc_item);
  }
  draw_loading("data/menu");
  if (too_many_menus) draw_loading_failed("data/menu: more than 64 menus, the rest skipped");
  if (too_many_items) draw_loading_failed("data/menu: a menu with more than 256 items, the rest skipped");
}
