#include "models/model_mesh.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265358979f;

// Maps (u, v) in 0..1 across a material rectangle to skin coordinates, half a
// texel inside its edges so that filtering does not pick up the neighbours.
struct region_map {
  skin_region r;
  float width, height;
  void at(float u, float v, float& s, float& t) const {
    s = (r.x + 0.5f + u * (r.w - 1)) / width;
    t = (r.y + 0.5f + v * (r.h - 1)) / height;
  }
};

int add_vertex(model_mesh& mesh, const model_solid& solid, vec3 local) {
  mesh.vertices.push_back({transform_point(solid.place, local), solid.part});
  return int(mesh.vertices.size()) - 1;
}

void add_box(model_mesh& mesh, const model_solid& solid, const std::vector<region_map>& maps) {
  vec3 half = solid.size * 0.5f;
  struct face {
    vec3 normal, up;
  };
  // In box_face order: front, back, left, right, top, bottom. Top and bottom
  // show the front edge at the top of their material.
  static const face faces[box_face_count] = {
      {{-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 1, 0}},  {{0, 0, 1}, {0, 1, 0}},
      {{0, 0, -1}, {0, 1, 0}}, {{0, 1, 0}, {-1, 0, 0}}, {{0, -1, 0}, {-1, 0, 0}}};
  auto extent = [&](vec3 axis) { return std::fabs(axis.x) * half.x + std::fabs(axis.y) * half.y + std::fabs(axis.z) * half.z; };
  for (int f = 0; f < box_face_count; ++f) {
    vec3 n = faces[f].normal, up = faces[f].up;
    vec3 right = cross(n * -1.0f, up);
    vec3 centre = n * extent(n);
    vec3 r = right * extent(right), u = up * extent(up);
    const vec3 corners[4] = {centre - r - u, centre + r - u, centre + r + u, centre - r + u};
    const float uv[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    mesh_polygon quad;
    quad.count = 4;
    for (int k = 0; k < 4; ++k) {
      quad.corner[k].vertex = add_vertex(mesh, solid, corners[k]);
      maps[size_t(solid.material[f])].at(uv[k][0], uv[k][1], quad.corner[k].s, quad.corner[k].t);
    }
    mesh.polygons.push_back(quad);
  }
}

// A ring of a surface of revolution about the local y axis: radii along the
// local x and z axes (0 for a pole) and the material row it maps to.
struct lathe_row {
  float y, rx, rz, v;
};

// Rows from the lowest to the highest y. Column k sits at the angle
// -pi + 2 pi k / sides, so the seam is at the back (+x) and the material's
// centre column faces the front (-x), running towards +z like a box front.
void add_lathe(model_mesh& mesh, const model_solid& solid, const region_map& map, const std::vector<lathe_row>& rows) {
  const int sides = solid.sides;
  std::vector<int> first(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    first[i] = int(mesh.vertices.size());
    bool pole = rows[i].rx == 0 && rows[i].rz == 0;
    for (int k = 0; k < (pole ? 1 : sides); ++k) {
      float a = -pi + 2 * pi * float(k) / float(sides);
      add_vertex(mesh, solid, {-rows[i].rx * std::cos(a), rows[i].y, rows[i].rz * std::sin(a)});
    }
  }
  auto corner = [&](size_t row, int k, float u_shift) {
    bool pole = rows[row].rx == 0 && rows[row].rz == 0;
    mesh_corner c;
    c.vertex = first[row] + (pole ? 0 : k % sides);
    float around = (float(k) + u_shift) / float(sides);
    float u = std::clamp(0.5f + (around - 0.5f) * 360.0f / solid.wrap, 0.0f, 1.0f);
    map.at(u, rows[row].v, c.s, c.t);
    return c;
  };
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    bool bottom_pole = rows[i].rx == 0 && rows[i].rz == 0;
    bool top_pole = rows[i + 1].rx == 0 && rows[i + 1].rz == 0;
    if (bottom_pole && top_pole) continue;
    for (int k = 0; k < sides; ++k) {
      mesh_polygon p;
      if (bottom_pole) {
        p.count = 3;
        p.corner[0] = corner(i, k, 0.5f);
        p.corner[1] = corner(i + 1, k + 1, 0);
        p.corner[2] = corner(i + 1, k, 0);
      } else if (top_pole) {
        p.count = 3;
        p.corner[0] = corner(i, k, 0);
        p.corner[1] = corner(i, k + 1, 0);
        p.corner[2] = corner(i + 1, k, 0.5f);
      } else {
        p.count = 4;
        p.corner[0] = corner(i, k, 0);
        p.corner[1] = corner(i, k + 1, 0);
        p.corner[2] = corner(i + 1, k + 1, 0);
        p.corner[3] = corner(i + 1, k, 0);
      }
      mesh.polygons.push_back(p);
    }
  }
}

// A flat disc closing a cylinder end; `up` says whether it faces local +y.
void add_cap(model_mesh& mesh, const model_solid& solid, const region_map& map, float y, float radius, bool up) {
  if (radius <= 0) return;
  const int sides = solid.sides;
  int centre = add_vertex(mesh, solid, {0, y, 0});
  std::vector<mesh_corner> rim(size_t(sides) + 1);
  for (int k = 0; k <= sides; ++k) {
    float a = -pi + 2 * pi * float(k) / float(sides);
    float x = -radius * std::cos(a), z = radius * std::sin(a);
    rim[size_t(k)].vertex = k < sides ? add_vertex(mesh, solid, {x, y, z}) : rim[0].vertex;
    // Seen from outside with the front edge at the top, like a box's top.
    map.at(0.5f + (up ? -z : z) / (2 * radius), 0.5f + x / (2 * radius), rim[size_t(k)].s, rim[size_t(k)].t);
  }
  mesh_corner middle;
  middle.vertex = centre;
  map.at(0.5f, 0.5f, middle.s, middle.t);
  // The columns turn counter-clockwise seen from +y.
  for (int k = 0; k < sides; ++k) {
    mesh_polygon p;
    p.count = 3;
    p.corner[0] = middle;
    p.corner[1] = rim[size_t(up ? k : k + 1)];
    p.corner[2] = rim[size_t(up ? k + 1 : k)];
    mesh.polygons.push_back(p);
  }
}

void add_round(model_mesh& mesh, const model_solid& solid, const region_map& map) {
  std::vector<lathe_row> rows;
  const vec3& size = solid.size;
  if (solid.shape == solid_shape::sphere) {
    // From the south pole up; the material's top row is the north pole.
    for (int i = 0; i <= solid.rings; ++i) {
      float theta = pi * (1 - float(i) / float(solid.rings));
      float ring = i == 0 || i == solid.rings ? 0.0f : std::sin(theta);
      rows.push_back({size.y * std::cos(theta), size.x * ring, size.z * ring, theta / pi});
    }
  } else if (solid.shape == solid_shape::cylinder) {
    rows.push_back({0, size.x, size.x, 0});
    rows.push_back({size.y, size.z, size.z, 1});
    if (solid.caps) {
      add_cap(mesh, solid, map, 0, size.x, false);
      add_cap(mesh, solid, map, size.y, size.z, true);
    }
  } else {
    // Capsule: half spheres of the radius around both ends; the material runs
    // from the pole beyond from= to the pole beyond to=, evenly along the surface.
    float r = size.x, along = size.y;
    float total = pi * r + along;
    for (int i = 0; i <= solid.rings; ++i) {
      float a = -pi / 2 + pi / 2 * float(i) / float(solid.rings);
      float ring = i == 0 ? 0.0f : r * std::cos(a);
      rows.push_back({r * std::sin(a), ring, ring, (r * (a + pi / 2)) / total});
    }
    for (int i = 0; i <= solid.rings; ++i) {
      float a = pi / 2 * float(i) / float(solid.rings);
      float ring = i == solid.rings ? 0.0f : r * std::cos(a);
      rows.push_back({along + r * std::sin(a), ring, ring, (r * pi / 2 + along + r * a) / total});
    }
  }
  add_lathe(mesh, solid, map, rows);
}

}  // namespace

void add_solid(model_mesh& mesh, const model_solid& solid, const std::vector<skin_region>& materials, int skin_width,
               int skin_height) {
  std::vector<region_map> maps;
  for (const skin_region& r : materials) maps.push_back({r, float(skin_width), float(skin_height)});
  if (maps.empty()) maps.push_back({{0, 0, float(skin_width), float(skin_height), {}}, float(skin_width), float(skin_height)});
  if (solid.shape == solid_shape::box)
    add_box(mesh, solid, maps);
  else
    add_round(mesh, solid, maps[size_t(solid.material[0])]);
}

model_mesh build_rest_mesh(const model_rig& rig, int skin_width, int skin_height) {
  model_mesh mesh;
  for (const model_solid& solid : rig.solids) add_solid(mesh, solid, rig.materials, skin_width, skin_height);
  return mesh;
}

std::vector<vec3> vertex_normals(const model_mesh& mesh, const std::vector<vec3>& positions) {
  std::vector<vec3> normals(positions.size());
  for (const mesh_polygon& p : mesh.polygons)
    for (int k = 1; k + 1 < p.count; ++k) {
      int a = p.corner[0].vertex, b = p.corner[k].vertex, c = p.corner[k + 1].vertex;
      vec3 face = cross(positions[size_t(b)] - positions[size_t(a)], positions[size_t(c)] - positions[size_t(a)]);
      for (int v : {a, b, c}) normals[size_t(v)] = normals[size_t(v)] + face;
    }
  for (vec3& n : normals) n = normalized(n);
  return normals;
}
