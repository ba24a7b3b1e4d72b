// A one-triangle MD2 whose frames carry the given names, for the unit tests
// and fuzz targets of the definition files that look animations up by name.
// Header-only: the fuzz targets link the engine but not the test support.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/md2_writer.h"

// Writes the model to `path`, creating its folders. False when it cannot.
inline bool write_animated_md2(const std::string& path, const std::vector<std::string>& frame_names) {
  md2_writer_model m;
  m.skin_width = m.skin_height = 2;
  m.tex_coords = {{0, 0}, {2, 0}, {0, 2}};
  m.triangles = {{{0, 1, 2}, {0, 1, 2}}};
  float lift = 0;
  for (const std::string& name : frame_names) {
    lift += 1;
    m.frames.push_back({name, {{{0, 0, lift}}, {{1, 0, lift}}, {{0, 1, lift}}}});
  }
  m.gl_packets = md2_strips_from_triangles(m);
  std::vector<uint8_t> bytes;
  if (!md2_encode(m, bytes)) return false;
  std::filesystem::path p(path);
  std::error_code ignored;
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}
