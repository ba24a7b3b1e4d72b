// Our JPEG decoder against libjpeg-turbo on the same bytes, in one binary.
// libjpeg decodes the way our rules do (accurate integer transform, plain
// upsampling) to RGB, into a new buffer each time as ours does. Every
// iteration runs both, back to back, and times each on the thread's CPU
// clock; "x_libjpeg" is our best time divided by libjpeg's best time on the
// same image (goal: at most 2). The reported time is ours alone.
#include <benchmark/benchmark.h>

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/jpeg.h"

namespace {

// Gradients with fine detail and grain, like a painted backdrop at worst.
std::vector<uint8_t> backdrop(int width, int height) {
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  uint32_t noise = 7;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
      int grain = int(noise >> 28);
      p[0] = uint8_t(std::min(255, x * 255 / width + grain));
      p[1] = uint8_t(std::min(255, y * 255 / height + ((x / 16 + y / 16) % 2) * 30));
      p[2] = uint8_t(std::min(255, (x + y) * 128 / (width + height) + grain * 2));
    }
  return rgb;
}

std::string encode(int width, int height, int luma_sampling) {
  std::vector<uint8_t> rgb = backdrop(width, height);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = luma_sampling;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &rgb[size_t(cinfo.next_scanline) * width * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string file(reinterpret_cast<char*>(out), size);
  std::free(out);
  return file;
}

void libjpeg_decode(const std::string& file) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&cinfo);
  size_t row_bytes = size_t(cinfo.output_width) * 3;
  auto* rgb = static_cast<unsigned char*>(std::malloc(row_bytes * cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = rgb + cinfo.output_scanline * row_bytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  benchmark::DoNotOptimize(rgb);
  std::free(rgb);
}

bool ours_decode(const std::string& file) {
  if (!load_memory_jpg(file.data(), file.size())) return false;
  std::free(jpeg_data);
  jpeg_data = nullptr;
  return true;
}

struct test_image {
  const char* name;
  std::string file;
};

const test_image& image(int which) {
  static const test_image images[] = {
      {"1024x1024 4:2:0", encode(1024, 1024, 2)},
      {"2048x2048 4:4:4", encode(2048, 2048, 1)},
  };
  return images[which];
}

double thread_seconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Decode>
double timed(Decode decode) {
  double start = thread_seconds();
  decode();
  return thread_seconds() - start;
}

void BM_OurDecoder(benchmark::State& state) {
  const test_image& im = image(int(state.range(0)));
  state.SetLabel(im.name);
  double best_ours = 1e9, best_reference = 1e9;
  for (auto _ : state) {
    best_reference = std::min(best_reference, timed([&] { libjpeg_decode(im.file); }));
    double ours = timed([&] {
      if (!ours_decode(im.file)) state.SkipWithError("decode failed");
    });
    best_ours = std::min(best_ours, ours);
    state.SetIterationTime(ours);
  }
  state.counters["x_libjpeg"] = best_ours / best_reference;
  state.counters["best_ms"] = best_ours * 1e3;
  state.counters["libjpeg_best_ms"] = best_reference * 1e3;
}
BENCHMARK(BM_OurDecoder)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
