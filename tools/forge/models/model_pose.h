// Posing a model recipe's parts frame by frame from its animation keys.
#pragma once
#include <vector>

#include "models/model_geometry.h"
#include "models/model_mesh.h"
#include "models/model_recipe.h"

// One transform per part, from the rest pose to frame `frame` (0-based) of
// animation `animation`; with no animations, the rest pose.
std::vector<mat34> pose_parts(const model_rig& rig, int animation, int frame);

// Every vertex of the mesh at frame `index` of the whole model (frames of all
// animations in order).
std::vector<vec3> posed_positions(const model_rig& rig, const model_mesh& mesh, int index);
