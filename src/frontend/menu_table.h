// The menus read from the menu file, and which one is showing.
#pragma once
#include <cstddef>

#include "core/game_state.h"  // active_menu, menu_sel_item: which menu shows

constexpr int menu_capacity = 64;
constexpr int menu_item_capacity = 256;
constexpr size_t menu_text_capacity = 256;
constexpr int menu_slot_capacity = 3;
constexpr int menu_value_capacity = 16;
constexpr size_t menu_value_name_capacity = 32;

struct menu_slot_pos {
  int x, y;
};

// An item that shows a value and changes it in place (Left/Right); its
// command, chosen by Enter, raises the value.
struct menu_value_item {
  int item;  // index into menu_item
  char name[menu_value_name_capacity];
  menu_slot_pos at;  // where the value is printed, 1024 x 768 layout
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
  menu_value_item value_item[menu_value_capacity];
  int value_count;
};

// The value item that item `item` of `m` is, or null.
const menu_value_item* find_value_item(const menu_t& m, int item);

extern menu_t menu[menu_capacity];
extern int menus;

// Index of the first loaded menu with this name, or -1.
int find_menu(const char* name);
