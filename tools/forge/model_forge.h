// kel-forge's model step, run after the pictures and sounds:
//
//   demo/models/**.txt  -> data/models/**.md2   model recipes (models/model_recipe.h)
//                                               and menu models (menus/model_menu.h)
//   demo/models/**.def  -> data/models/**.def   model definitions, copied
//   demo/models/**.inc                          parts shared by recipes
//
// then demo/model.list, weapons, player, enemy and menu are checked against
// everything forged (checks/definitions_check.h). With previews on, each model is
// drawn from the game camera (menu models through the menu camera over their
// backdrop) for the contact sheet:
//
//   cmake --build build --target contact_sheet   -> docs/contact_sheet.png
#pragma once
#include "common/recipe.h"
#include "forge_run.h"

// Problems go to `sink`; true when there were none.
bool forge_models(const forge_options& options, diagnostics& sink, forge_result& result);
