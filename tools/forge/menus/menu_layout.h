// Where a menu's items sit on its backdrop, shared by the backdrop painter
// and by whatever builds the menu model (whose frame i highlights item i) and
// the menu file's slot positions, so the three line up.
//
// Positions are in the 800 x 600 layout the engine draws menus in; a backdrop
// covers 800 x 800 of it (its lower quarter is never seen), so a backdrop of
// S x S pixels has S / 800 pixels per layout unit.
#pragma once
#include <string>
#include <vector>

#include "common/recipe.h"

constexpr int menu_item_capacity = 256;  // items the engine keeps per menu

struct menu_layout {
  float center_x = 400;  // items are centred on this x
  float top = 250;       // centre line of the first item
  float spacing = 60;    // between item centre lines
  float width = 320;     // plaque width
  float height = 44;     // plaque height
  float text_size = 26;  // label size
  std::vector<std::string> items;
};

struct layout_box {
  float x, y, w, h;
};

// Reads the `menu` and `menu_item` entries of a backdrop recipe; false when
// there are none. Problems are reported through the recipe.
bool read_menu_layout(recipe& source, menu_layout& layout);

// Item i's plaque in layout units.
layout_box menu_item_box(const menu_layout& layout, int item);

// A point of the 800 x 600 layout on the plane through the origin facing the
// menu camera (eye at z = -3.6 looking at the origin, 45 degree vertical field
// of view, 4:3). The engine turns the menu model by -90 degrees about y before
// drawing it; model_x/model_z undo that, so a model vertex at
// (model_x, y, model_z) appears at the layout point.
struct menu_plane_point {
  float x, y;              // on the plane, before the model's turn
  float model_x, model_z;  // in the model's own coordinates
};
menu_plane_point layout_to_menu_plane(float layout_x, float layout_y);

// Where the menu file's <savegame_slot> puts slot i's label (1024 x 768
// layout, as the menu file wants it) so the label starts inside item i's plaque.
void slot_label_position(const menu_layout& layout, int item, int& x1024, int& y768);
