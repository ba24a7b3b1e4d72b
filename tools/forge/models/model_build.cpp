#include "models/model_build.h"

#include <cmath>
#include <map>
#include <utility>

#include "formats/md2_normals.h"
#include "models/model_pose.h"

namespace {

uint8_t nearest_normal_index(vec3 file_normal) {
  int best = 0;
  float best_dot = -2;
  for (int i = 0; i < md2_normal_count; ++i) {
    float d = file_normal.x * avertexnormals[i][0] + file_normal.y * avertexnormals[i][1] +
              file_normal.z * avertexnormals[i][2];
    if (d > best_dot) {
      best_dot = d;
      best = i;
    }
  }
  return uint8_t(best);
}

}  // namespace

std::vector<posed_frame> pose_all_frames(const model_rig& rig, const model_mesh& mesh) {
  std::vector<posed_frame> frames;
  std::vector<std::string> names = model_frame_names(rig);
  for (size_t f = 0; f < names.size(); ++f) frames.push_back({names[f], posed_positions(rig, mesh, int(f))});
  return frames;
}

bool mesh_fits_md2(const model_mesh& mesh, std::string& problem) {
  if (mesh.vertices.size() <= size_t(md2_max_vertices)) return true;
  problem = "has " + std::to_string(mesh.vertices.size()) + " vertices; an MD2 frame holds at most " +
            std::to_string(md2_max_vertices) + " (use fewer sides or rings)";
  return false;
}

bool encode_frames(const model_mesh& mesh, const std::vector<posed_frame>& frames, const std::string& skin,
                   int skin_width, int skin_height, md2_writer_model& out, std::string& problem) {
  out = md2_writer_model{};
  if (!mesh_fits_md2(mesh, problem)) return false;
  out.skin_width = skin_width;
  out.skin_height = skin_height;
  out.skins.push_back(skin);
  for (const posed_frame& posed : frames) {
    std::vector<vec3> normals = vertex_normals(mesh, posed.positions);
    md2_writer_frame frame;
    frame.name = posed.name;
    for (size_t v = 0; v < posed.positions.size(); ++v) {
      vec3 p = game_to_file(posed.positions[v]);
      frame.vertices.push_back({{p.x, p.y, p.z}, nearest_normal_index(game_to_file(normals[v]))});
    }
    out.frames.push_back(std::move(frame));
  }

  // Skin coordinates in whole texels for the file's table; the GL commands
  // keep the exact fractions.
  std::map<std::pair<int, int>, int16_t> texel_index;
  auto texel = [&](const mesh_corner& c) {
    std::pair<int, int> key{int(std::lround(c.s * float(skin_width))), int(std::lround(c.t * float(skin_height)))};
    auto found = texel_index.find(key);
    if (found != texel_index.end()) return found->second;
    int16_t index = int16_t(out.tex_coords.size());
    out.tex_coords.push_back({int16_t(key.first), int16_t(key.second)});
    texel_index.emplace(key, index);
    return index;
  };
  // The engine's normal of a triangle is -(p1 - p0) x (p2 - p0): the file
  // wants triangles clockwise seen from outside, so every polygon is
  // written backwards.
  for (const mesh_polygon& p : mesh.polygons) {
    mesh_corner c[4];
    for (int k = 0; k < p.count; ++k) c[k] = p.corner[p.count - 1 - k];
    for (int k = 1; k + 1 < p.count; ++k) {
      md2_triangle_t tri;
      const mesh_corner* corners[3] = {&c[0], &c[k], &c[k + 1]};
      for (int i = 0; i < 3; ++i) {
        tri.vertex[i] = int16_t(corners[i]->vertex);
        tri.texCoord[i] = texel(*corners[i]);
      }
      out.triangles.push_back(tri);
    }
    // A quad a b c d is the strip a b d c.
    static const int strip_order[2][4] = {{0, 1, 2, 0}, {0, 1, 3, 2}};
    md2_writer_packet packet;
    for (int k = 0; k < p.count; ++k) {
      const mesh_corner& corner = c[strip_order[p.count == 4][k]];
      packet.vertices.push_back({corner.s, corner.t, corner.vertex});
    }
    out.gl_packets.push_back(std::move(packet));
  }
  if (out.tex_coords.size() > 32767) {
    problem = "needs more texture coordinates than an MD2 file holds";
    return false;
  }
  return true;
}
