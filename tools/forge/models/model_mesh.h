// The surface of a model recipe's solids in the rest pose: vertices that
// belong to one part each, and polygons whose corners carry skin coordinates.
#pragma once
#include <vector>

#include "models/model_geometry.h"
#include "models/model_recipe.h"

struct mesh_vertex {
  vec3 position;
  int part = 0;
};

struct mesh_corner {
  int vertex = 0;
  float s = 0, t = 0;  // 0..1 across the skin, t from the picture's top row
};

// A triangle or a quad, counter-clockwise seen from outside.
struct mesh_polygon {
  int count = 3;
  mesh_corner corner[4];
};

struct model_mesh {
  std::vector<mesh_vertex> vertices;
  std::vector<mesh_polygon> polygons;
};

// Appends one solid. Flat faces get vertices of their own so they light
// flat; round surfaces share theirs so they light smooth.
void add_solid(model_mesh& mesh, const model_solid& solid, const std::vector<skin_region>& materials, int skin_width,
               int skin_height);

model_mesh build_rest_mesh(const model_rig& rig, int skin_width, int skin_height);

// Area-weighted vertex normals for the given positions (outward, unit length;
// zero for vertices on no polygon), the way the engine lights a frame.
std::vector<vec3> vertex_normals(const model_mesh& mesh, const std::vector<vec3>& positions);
