// Models as the MD2 files the engine reads: one frame per animation frame,
// named as the animation lookup expects, positions in the file's axes, and
// the polygons as strips.
#pragma once
#include <string>
#include <vector>

#include "formats/md2_writer.h"
#include "models/model_mesh.h"
#include "models/model_recipe.h"

struct posed_frame {
  std::string name;
  std::vector<vec3> positions;  // one per mesh vertex, game axes
};

// Every frame of a model recipe, in order.
std::vector<posed_frame> pose_all_frames(const model_rig& rig, const model_mesh& mesh);

// False, with the reason, when the mesh has more vertices than a frame holds.
bool mesh_fits_md2(const model_mesh& mesh, std::string& problem);

// False, with the reason in `problem`, when the model breaks the format's limits.
bool encode_frames(const model_mesh& mesh, const std::vector<posed_frame>& frames, const std::string& skin,
                   int skin_width, int skin_height, md2_writer_model& out, std::string& problem);

// Game axes (y up) to the file's (z up).
inline vec3 game_to_file(vec3 g) { return {g.x, -g.z, g.y}; }
