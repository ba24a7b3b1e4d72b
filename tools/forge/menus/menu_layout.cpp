#include "menus/menu_layout.h"

#include <cmath>

bool read_menu_layout(recipe& source, menu_layout& layout) {
  bool found = false;
  for (const recipe_entry& entry : source.entries()) {
    if (entry.keyword.text == "menu") {
      recipe_args args(source, entry);
      args.number("center_x", layout.center_x, 0.0f, 800.0f);
      args.number("top", layout.top, 0.0f, 600.0f);
      args.number("spacing", layout.spacing, 0.0f, 600.0f);
      args.number("width", layout.width, 1.0f, 800.0f);
      args.number("height", layout.height, 1.0f, 600.0f);
      args.number("text_size", layout.text_size, 4.0f, 200.0f);
      args.finish();
      found = true;
    } else if (entry.keyword.text == "menu_item") {
      recipe_args args(source, entry);
      std::string label = args.bare(0, "a label");
      args.finish();
      if (int(layout.items.size()) >= menu_item_capacity)
        source.error(entry.keyword.at, "a menu holds at most " + std::to_string(menu_item_capacity) + " items");
      else
        layout.items.push_back(label);
      found = true;
    }
  }
  return found;
}

layout_box menu_item_box(const menu_layout& layout, int item) {
  float cy = layout.top + layout.spacing * float(item);
  return {layout.center_x - layout.width / 2, cy - layout.height / 2, layout.width, layout.height};
}

menu_plane_point layout_to_menu_plane(float layout_x, float layout_y) {
  const float distance = 3.6f;
  const float half_height = distance * std::tan(22.5f * 3.14159265f / 180.0f);
  const float half_width = half_height * 4.0f / 3.0f;
  // Looking down +z with y up, the screen's right is the world's -x.
  float x = -(layout_x - 400.0f) / 400.0f * half_width;
  float y = (300.0f - layout_y) / 300.0f * half_height;
  // Turning by -90 degrees about y takes a model point (mx, mz) to the world
  // point (x, z) = (-mz, mx); on the plane z = 0 that means mx = 0, mz = -x.
  return {x, y, 0.0f, -x};
}

void slot_label_position(const menu_layout& layout, int item, int& x1024, int& y768) {
  layout_box box = menu_item_box(layout, item);
  // Text starts a little inside the plaque's left end; glyph cells are 16
  // units tall in the 800 x 600 layout, so centre them on the plaque.
  float left = box.x + box.h * 1.2f, top = box.y + box.h / 2 - 8.0f;
  x1024 = int(std::lround(left * 1024.0f / 800.0f));
  y768 = int(std::lround(top * 768.0f / 600.0f));
}
