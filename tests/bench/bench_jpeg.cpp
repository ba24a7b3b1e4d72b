// Our JPEG decoder against libjpeg-turbo on the same bytes, in one binary.
// libjpeg decodes the way our rules do (accurate integer transform, plain
// upsampling) to RGB, into a new buffer each time as ours does. Every
// iteration runs both, back to back, and times each on the thread's CPU
// clock; "x_libjpeg" is our best time divided by libjpeg's best time on the
// same image (goal: at most 2). The reported time is ours alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "formats/jpeg.h"
#include "libjpeg_reference.h"

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
  jpeg_encoding e;
  e.luma_h = e.luma_v = luma_sampling;
  return libjpeg_encode(backdrop(width, height).data(), width, height, e);
}

void reference_decode(const std::string& file) {
  libjpeg_picture picture = libjpeg_decode(file);
  benchmark::DoNotOptimize(picture.rgb.get());
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
    best_reference = std::min(best_reference, timed([&] { reference_decode(im.file); }));
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
