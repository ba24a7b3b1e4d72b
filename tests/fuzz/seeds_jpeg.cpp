// Writes small baseline JPEG files, encoded with libjpeg, into the directory
// argv[1]: every luma sampling the decoder reads, grey, with and without
// restart markers.
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <cstdint>
#include <string>
#include <vector>

static bool write_seed(const std::string& path, int width, int height, int components, int luma_h, int luma_v,
                       int quality, unsigned restart_units) {
  std::vector<uint8_t> pixels(size_t(width) * height * components);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 13) ^ (i / 7));
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.comp_info[0].h_samp_factor = luma_h;
  cinfo.comp_info[0].v_samp_factor = luma_v;
  cinfo.restart_interval = restart_units;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &pixels[size_t(cinfo.next_scanline) * width * components];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  FILE* file = std::fopen(path.c_str(), "wb");
  bool ok = file && std::fwrite(out, 1, size, file) == size;
  if (file && std::fclose(file) != 0) ok = false;
  std::free(out);
  return ok;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  struct seed {
    const char* name;
    int width, height, components, luma_h, luma_v, quality;
    unsigned restart_units;
  };
  const seed seeds[] = {
      {"444", 24, 16, 3, 1, 1, 90, 0},      {"422", 33, 9, 3, 2, 1, 60, 0},
      {"420", 40, 24, 3, 2, 2, 75, 0},      {"420_restart", 35, 20, 3, 2, 2, 50, 3},
      {"444_restart_row", 17, 17, 3, 1, 1, 95, 3}, {"grey", 20, 12, 1, 1, 1, 80, 0},
      {"grey_restart", 16, 16, 1, 1, 1, 30, 1}, {"tiny", 1, 1, 3, 2, 2, 100, 0},
  };
  for (const seed& s : seeds)
    if (!write_seed(std::string(argv[1]) + "/" + s.name + ".jpg", s.width, s.height, s.components, s.luma_h,
                    s.luma_v, s.quality, s.restart_units))
      return 1;
  std::printf("%zu JPEG seeds\n", sizeof seeds / sizeof seeds[0]);
  return 0;
}
