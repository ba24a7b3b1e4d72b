#include "frontend/menu_table.h"

#include <cstring>

menu_t menu[menu_capacity];
int menus = 0;

int find_menu(const char* name) {
  for (int i = 0; i < menus && i < menu_capacity; ++i)
    if (std::strcmp(menu[i].name, name) == 0) return i;
  return -1;
}
