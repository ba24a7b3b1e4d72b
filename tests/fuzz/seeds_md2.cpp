// Seeds for the MD2 fuzzer: small models as our writer makes them, with
// strips, fans, named animations, and one with no blocks at all.
#include <string>

#include "formats/md2_writer.h"

namespace {

md2_writer_frame frame(const std::string& name, float lift) {
  return {name, {{{0, 0, lift}, 1}, {{4, 0, lift}, 20}, {{4, 4, lift + 2}, 40}, {{0, 4, lift}, 161}}};
}

md2_writer_model animated_quad() {
  md2_writer_model m;
  m.skin_width = 16;
  m.skin_height = 16;
  m.skins = {"models/quad.tga"};
  m.tex_coords = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  m.triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
  for (const char* name : {"stand01", "stand02", "run1", "run2", "run3", "pain"}) m.frames.push_back(frame(name, 0));
  m.gl_packets = {{false, {{0, 0, 0}, {1, 0, 1}, {0, 1, 3}, {1, 1, 2}}},
                  {true, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 1, 3}}}};
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  md2_writer_model quad = animated_quad();
  md2_writer_model stripped = quad;
  stripped.frames.resize(2);
  stripped.gl_packets = md2_strips_from_triangles(stripped);
  const md2_writer_model empty;
  bool ok = md2_write_file(quad, (dir + "/animated_quad.md2").c_str()) &&
            md2_write_file(stripped, (dir + "/strips.md2").c_str()) &&
            md2_write_file(empty, (dir + "/empty.md2").c_str());
  return ok ? 0 : 1;
}
