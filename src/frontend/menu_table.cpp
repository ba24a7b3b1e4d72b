#include "frontend/menu_table.h"

#include <cstring>

menu_t menu[menu_capacity];
int menus = 0;

int find_menu(const char* name) {
  for (int i = 0; i < menus && i < menu_capacity; ++i)
    if (std::strcmp(menu[i].name, name) == 0) return i;
  return -1;
}

const menu_value_item* find_value_item(const menu_t& m, int item) {
  for (int i = 0; i < m.value_count && i < menu_value_capacity; ++i)
    if (m.value_item[i].item == item) return &m.value_item[i];
  return nullptr;
}
