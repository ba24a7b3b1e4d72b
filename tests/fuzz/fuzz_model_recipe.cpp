// kel-forge's model recipe reader on arbitrary text, through meshing, posing
// and encoding: whatever the recipe says, the forge must report it or write
// an MD2 the writer accepts, never read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/recipe.h"
#include "models/model_build.h"
#include "models/model_geometry.h"
#include "models/model_mesh.h"
#include "models/model_pose.h"
#include "models/model_recipe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  diagnostics sink;
  recipe source("fuzz.txt", sink);
  source.parse(std::string(reinterpret_cast<const char*>(data), size));
  model_rig rig;
  if (!read_model_recipe(source, rig)) return 0;
  const int skin_side = 256;
  model_mesh mesh = build_rest_mesh(rig, skin_side, skin_side);
  std::string problem;
  if (!mesh_fits_md2(mesh, problem)) return 0;
  md2_writer_model md2;
  std::vector<uint8_t> bytes;
  if (encode_frames(mesh, pose_all_frames(rig, mesh), rig.skin, skin_side, skin_side, md2, problem))
    md2_encode(md2, bytes);
  return 0;
}
