#include "frontend/menu_keys.h"

#include <cstdio>

#include "base/console.h"
#include "base/table_index.h"
#include "frontend/menu_table.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"

void process_menu() {
  static const menu_t no_menu = {};
  const menu_t& m = in_table(active_menu, menu_capacity) ? menu[active_menu] : no_menu;
  const char* command = no_menu_command;
  if (take_key(VK_UP)) --menu_sel_item;
  if (take_key(VK_DOWN)) ++menu_sel_item;
  if (menu_sel_item < 0) menu_sel_item = m.item_count - 1;
  if (menu_sel_item > m.item_count - 1) menu_sel_item = 0;
  if (menu_sel_item < 0) menu_sel_item = 0;  // no items at all
  if (take_key(VK_ESCAPE) && m.esc_item[0]) command = m.esc_item;
  bool enter = take_key(VK_RETURN);
  bool space = take_key(VK_SPACE);
  if ((enter || space) && in_table(menu_sel_item, table_rows(m.item_count, menu_item_capacity)))
    command = m.menu_item[menu_sel_item];
  // Left and Right change a value item in place.
  const bool left = take_key(VK_LEFT), right = take_key(VK_RIGHT);
  char change[command_text_capacity];
  if (left != right) {
    if (const menu_value_item* v = find_value_item(m, menu_sel_item)) {
      std::snprintf(change, sizeof change, "%s:%s", left ? "lower" : "raise", v->name);
      command = change;
    }
  }
  Console.add_command(command);
}
