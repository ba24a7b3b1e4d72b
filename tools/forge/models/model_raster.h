// A small software renderer for the contact sheet: models drawn the way the
// game shows them, so the art can be judged without starting the game.
#pragma once
#include <vector>

#include "common/image.h"
#include "models/model_geometry.h"
#include "models/model_mesh.h"

struct raster_model {
  const model_mesh* mesh = nullptr;
  std::vector<vec3> positions;  // one per mesh vertex
  const forge_image* skin = nullptr;
};

// The models from the game camera's direction (14 above, 9 behind, looking
// down past them), lit from above, scaled to fill a size x size picture.
forge_image render_game_view(const std::vector<raster_model>& models, int size);

// A menu model through the menu camera (eye at z = -3.6 looking at the
// origin, turned -90 degrees as the engine draws it) over its backdrop, in
// the 800 x 600 layout scaled to width x (width * 3 / 4). Unlit, as in the menu.
forge_image render_menu_view(const raster_model& model, const forge_image& backdrop, int width);
