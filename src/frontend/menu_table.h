// The menus read from the menu file, and which one is showing.
#pragma once
#include <cstddef>

#include "core/game_state.h"  // active_menu, menu_sel_item: which menu shows

constexpr int menu_capacity = 64;
constexpr int menu_item_capacity = 256;
constexpr size_t menu_text_capacity = 256;
constexpr int menu_slot_capacity = 3;

struct menu_slot_pos {
  int x, y;
};

struct menu_t {
  char name[menu_text_capacity];
  int texture;
  int texture_bg;
  int model;
  char menu_item[menu_item_capacity][menu_text_capacity];
  menu_slot_pos savegame_slot_pos[menu_slot_capacity];
  int slot_count;
  char esc_item[menu_text_capacity];
  int item_count;
};

extern menu_t menu[menu_capacity];
extern int menus;

// Index of the first loaded menu with this name, or -1.
int find_menu(const char* name);
