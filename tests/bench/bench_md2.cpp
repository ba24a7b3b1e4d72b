// Reading a large MD2 model (2048 vertices, 200 frames) against reading the
// same file's bytes into memory: the ratio is what decoding and checking cost
// on top of the I/O.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "formats/md2.h"
#include "formats/md2_writer.h"
#include "support/scratch_dir.h"

namespace {

using bench_clock = std::chrono::steady_clock;
constexpr const char* model_path = "bench.md2";

// A 32 x 64 grid of vertices wrapped into a tube that breathes over 200 frames.
md2_writer_model large_model() {
  constexpr int rows = 32, columns = 64, frames = 200;
  md2_writer_model m;
  m.skin_width = m.skin_height = 256;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      m.tex_coords.push_back({static_cast<int16_t>(c * 4), static_cast<int16_t>(r * 8)});
  for (int r = 0; r + 1 < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const int16_t a = static_cast<int16_t>(r * columns + c);
      const int16_t b = static_cast<int16_t>(r * columns + (c + 1) % columns);
      const int16_t d = static_cast<int16_t>(a + columns), e = static_cast<int16_t>(b + columns);
      m.triangles.push_back({{a, b, e}, {a, b, e}});
      m.triangles.push_back({{a, e, d}, {a, e, d}});
    }
  for (int f = 0; f < frames; ++f) {
    md2_writer_frame frame{"breathe" + std::to_string(f % 100), {}};
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c) {
        const float angle = 6.2831853f * c / columns;
        const float radius = 10 + 2 * std::sin(0.1f * f + 0.3f * r);
        frame.vertices.push_back({{radius * std::cos(angle), radius * std::sin(angle), 2.0f * r},
                                  static_cast<uint8_t>((r * columns + c) % 162)});
      }
    m.frames.push_back(frame);
  }
  m.gl_packets = md2_strips_from_triangles(m);
  return m;
}

std::vector<char> read_file_bytes(const char* path) {
  std::vector<char> bytes;
  if (FILE* f = std::fopen(path, "rb")) {
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    std::fclose(f);
  }
  return bytes;
}

double seconds_since(bench_clock::time_point start) {
  return std::chrono::duration<double>(bench_clock::now() - start).count();
}

// Reported time: md2_readModel + md2_freeModel. Counter "ratio": that time over
// reading the file's bytes, measured alternately in the same loop.
void BM_md2_read_vs_plain_file_read(benchmark::State& state) {
  scratch_dir dir;
  if (!md2_write_file(large_model(), model_path)) {
    state.SkipWithError("could not write the model");
    return;
  }
  double model_seconds = 0, bytes_seconds = 0;
  for (auto _ : state) {
    auto start = bench_clock::now();
    md2_model_t* model = md2_readModel(model_path);
    benchmark::DoNotOptimize(model);
    md2_freeModel(model);
    const double t = seconds_since(start);
    state.SetIterationTime(t);
    model_seconds += t;

    start = bench_clock::now();
    std::vector<char> bytes = read_file_bytes(model_path);
    benchmark::DoNotOptimize(bytes.data());
    bytes_seconds += seconds_since(start);
  }
  state.counters["file_bytes"] = static_cast<double>(read_file_bytes(model_path).size());
  state.counters["plain_read_us"] = 1e6 * bytes_seconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = model_seconds / bytes_seconds;
}
BENCHMARK(BM_md2_read_vs_plain_file_read)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_md2_generateLightNormals(benchmark::State& state) {
  scratch_dir dir;
  md2_write_file(large_model(), model_path);
  md2_model_t* model = md2_readModel(model_path);
  if (!model) {
    state.SkipWithError("could not read the model");
    return;
  }
  for (auto _ : state) md2_generateLightNormals(model);
  md2_freeModel(model);
}
BENCHMARK(BM_md2_generateLightNormals)->Unit(benchmark::kMillisecond);

}  // namespace
