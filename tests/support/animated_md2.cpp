#include "support/animated_md2.h"

#include "formats/md2_writer.h"
#include "support/scratch_dir.h"

bool write_animated_md2(const std::string& path, const std::vector<std::string>& frame_names) {
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
  write_file(path, std::string(bytes.begin(), bytes.end()));  // creates the folders
  return true;
}
