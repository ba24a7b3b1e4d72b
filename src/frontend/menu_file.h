// Reads the menus from data/menu: "<menu> name" starts a record, and the tags
// after it (<texture_bg>, <model>, <texture>, <menu_item>, <value_item>,
// <savegame_slot>, <esc_item>) fill it. Models and textures are named by their paths in the
// model and texture lists.
#pragma once

constexpr const char* menu_file_path = "data/menu";

// Reads the savegame slot labels, then the menu file into the menu table,
// which starts empty. A missing file leaves no menus. Menus past the table's
// 64, items past a menu's 256, slot positions past three and tags before the
// first <menu> are skipped; the first two, and a missing file, are reported
// on the loading log.
void load_menu();
