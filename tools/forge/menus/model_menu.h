// The menu model: frame i outlines item i of a menu backdrop, so that the
// engine's draw_menu (model frame = highlighted item, menu camera at
// z = -3.6) frames the plaque the backdrop painted for that item.
//
//   menu_highlight backdrop="../../textures/backdrops/menu_main.txt" skin=data/textures/menu/highlight.tga
//
// The backdrop path is relative to the recipe; its menu and menu_item entries
// give the plaques (menus/menu_layout.h). Frames are named item01, item02, ...
#pragma once
#include <string>
#include <vector>

#include "common/recipe.h"
#include "models/model_build.h"
#include "models/model_mesh.h"

struct menu_highlight {
  std::string skin;           // texture data path
  std::string backdrop;       // the backdrop recipe's path
  model_mesh mesh;
  std::vector<posed_frame> frames;
};

bool is_menu_highlight_recipe(const recipe& source);

// False when the recipe or its backdrop has errors (reported).
bool read_menu_highlight(recipe& source, menu_highlight& out);
