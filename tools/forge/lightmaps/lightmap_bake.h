// Baking the level's lightmap: every texel of every face is lit from its own
// world point by the level's lights (the placed models' light sources), with
// walls and closed doors casting shadows, linear falloff over the plane to
// each light's radius, and the level's ambient colour as the floor of every
// channel (the rules of the engine's per-cell light, so models and walls
// agree).
#pragma once
#include <cstdint>
#include <vector>

#include "content/models.h"
#include "lightmaps/groups_merge.h"
#include "lightmaps/lightmap_atlas.h"

struct lightmap_scene {
  const cell_grid* grid = nullptr;
  const std::vector<level_group>* groups = nullptr;
  std::vector<light_t> lights;
  float ambient[3] = {0.0f, 0.0f, 0.0f};
  float wall_height = 4.0f;
};

// N x N RGB texels, row 0 first, as the engine uploads "<level>_lm.raw".
std::vector<uint8_t> bake_lightmap(const lightmap_scene& scene, const lightmap_atlas& atlas);
