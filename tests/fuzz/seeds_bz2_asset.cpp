// Seeds for the compressed-asset fuzzer: bzip2 copies of an empty file, of
// text, of a one-triangle MD2, and of a stream long enough to span blocks.
#include <bzlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/md2_writer.h"

static bool write_packed(const std::string& path, const std::string& raw, int block_size_100k) {
  unsigned int size = static_cast<unsigned int>(raw.size() + raw.size() / 50 + 1024);
  std::vector<char> packed(size);
  if (BZ2_bzBuffToBuffCompress(packed.data(), &size, const_cast<char*>(raw.data()),
                               static_cast<unsigned int>(raw.size()), block_size_100k, 0, 0) != BZ_OK)
    return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(packed.data(), 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];

  md2_writer_model triangle;
  triangle.tex_coords = {{0, 0}};
  triangle.triangles = {{{0, 1, 2}, {0, 0, 0}}};
  triangle.frames = {{"idle1", {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 1}}}}};
  triangle.gl_packets = md2_strips_from_triangles(triangle);
  std::vector<uint8_t> md2;
  if (!md2_encode(triangle, md2)) return 1;

  std::string blocks;  // three 100k blocks of a pattern that still compresses small
  for (int i = 0; blocks.size() < 250000; ++i) blocks += static_cast<char>((i * 7) % 13 + (i / 1000) % 3);

  bool ok = write_packed(dir + "/empty.bz2", "", 9) &&
            write_packed(dir + "/text.bz2", "<model> data/models/box.md2\n<texture> data/box.tga\n", 9) &&
            write_packed(dir + "/model.bz2", std::string(md2.begin(), md2.end()), 9) &&
            write_packed(dir + "/blocks.bz2", blocks, 1);
  return ok ? 0 : 1;
}
