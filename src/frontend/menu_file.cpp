#include "frontend/menu_file.h"

#include <cstdio>
#include <cstring>

#include "base/loading_log.h"
#include "base/player_settings.h"  // is_setting_value
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

struct value_item_problems {
  bool unknown_name = false, no_position = false, too_many = false;
};

// "<value_item> name x , y": an item like any other (its command raises the
// value, so the item order still matches the model's frames) that also prints
// the value at (x, y). A name no value has, or a missing position, leaves a
// plain item that changes nothing.
static void read_value_item(tagged_reader& reader, menu_t& m, bool& overflow, value_item_problems& problems) {
  char name[menu_text_capacity];
  if (!reader.word(name)) return;
  menu_slot_pos at = {0, 0};
  const bool placed = reader.scan(" %d , %d ", &at.x, &at.y) == 2;
  if (m.item_count >= menu_item_capacity) {
    overflow = true;
    return;
  }
  const int item = m.item_count++;
  // An over-long name is cut; no value has a name that long.
  std::snprintf(m.menu_item[item], menu_text_capacity, "raise:%.*s",
                static_cast<int>(menu_text_capacity - sizeof "raise:"), name);
  const bool known = std::strlen(name) < menu_value_name_capacity && is_setting_value(name);
  if (!known) {
    problems.unknown_name = true;
    return;
  }
  if (!placed) {
    problems.no_position = true;
    return;
  }
  if (m.value_count >= menu_value_capacity) {
    problems.too_many = true;
    return;
  }
  menu_value_item& v = m.value_item[m.value_count++];
  v.item = item;
  std::snprintf(v.name, sizeof v.name, "%s", name);
  v.at = at;
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
  value_item_problems value_problems;
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
    else if (std::strcmp(word, "<value_item>") == 0)
      read_value_item(reader, m, too_many_items, value_problems);
    else if (std::strcmp(word, "<esc_item>") == 0)
      reader.word(m.esc_item);
  }
  draw_loading("data/menu");
  if (too_many_menus) draw_loading_failed("data/menu: more than 64 menus, the rest skipped");
  if (too_many_items) draw_loading_failed("data/menu: a menu with more than 256 items, the rest skipped");
  if (value_problems.unknown_name) draw_loading_failed("data/menu: a <value_item> names no value the game has");
  if (value_problems.no_position) draw_loading_failed("data/menu: a <value_item> without its x , y position");
  if (value_problems.too_many) draw_loading_failed("data/menu: a menu with more than 16 value items, the rest not shown");
}
