// The ".bz2" copy of a 1024 x 1024 RGB lightmap decompressed into the scratch
// file, against BZ2_bzRead of the same file straight into memory (goal: within
// 1.3x). The byte-per-call copy is measured the same way, for comparison.
#include <benchmark/benchmark.h>
#include <bzlib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/compressed_asset.h"
#include "support/scratch_dir.h"

namespace {

using bench_clock = std::chrono::steady_clock;
constexpr const char* asset_path = "data/lightmap.raw";
constexpr const char* packed_path = "data/lightmap.raw.bz2";
constexpr int side = 1024;

// Smooth light pools with a little noise, as a baked lightmap looks.
std::string lightmap_bytes() {
  std::string raw(static_cast<size_t>(side) * side * 3, '\0');
  unsigned seed = 7;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      seed = seed * 1103515245u + 12345u;
      const float light = 0.5f + 0.5f * std::sin(x * 0.02f) * std::cos(y * 0.015f);
      for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>(40 + 180 * light * (1 - 0.2f * c)) + static_cast<int>((seed >> 16) % 5);
        raw[(static_cast<size_t>(y) * side + x) * 3 + c] = static_cast<char>(v);
      }
    }
  return raw;
}

bool write_packed_lightmap() {
  const std::string raw = lightmap_bytes();
  unsigned int size = static_cast<unsigned int>(raw.size() + raw.size() / 50 + 1024);
  std::vector<char> packed(size);
  if (BZ2_bzBuffToBuffCompress(packed.data(), &size, const_cast<char*>(raw.data()),
                               static_cast<unsigned int>(raw.size()), 9, 0, 0) != BZ_OK)
    return false;
  write_file(packed_path, std::string(packed.data(), size));
  return true;
}

double seconds_since(bench_clock::time_point start) {
  return std::chrono::duration<double>(bench_clock::now() - start).count();
}

// The reference: the whole decompressed asset into memory with large reads.
size_t read_into_memory(std::vector<char>& out) {
  FILE* f = std::fopen(packed_path, "rb");
  int error = BZ_OK;
  BZFILE* b = BZ2_bzReadOpen(&error, f, 0, 0, nullptr, 0);
  size_t total = 0;
  while (error == BZ_OK && total < out.size()) {
    const int got = BZ2_bzRead(&error, b, out.data() + total, static_cast<int>(out.size() - total));
    if (got > 0) total += static_cast<size_t>(got);
  }
  BZ2_bzReadClose(&error, b);
  std::fclose(f);
  return total;
}

// The copy as first written: one byte per BZ2_bzread call.
void copy_one_byte_per_call() {
  BZFILE* b = BZ2_bzopen(packed_path, "rb");
  FILE* scratch = std::fopen(scratch_file_path, "wb");
  char byte;
  while (BZ2_bzread(b, &byte, 1) == 1) std::fputc(byte, scratch);
  BZ2_bzclose(b);
  std::fclose(scratch);
}

void scratch_copy() {
  bool used = false;
  if (FILE* f = asset_open_seekable(asset_path, used)) std::fclose(f);
  scratch_empty();
}

// Reported time: the copy under test. Counter "ratio": that time over the
// in-memory reference, measured alternately in the same loop.
template <void (*copy)()>
void BM_copy_vs_bzread_into_memory(benchmark::State& state) {
  scratch_dir dir;
  if (!write_packed_lightmap()) {
    state.SkipWithError("could not compress the lightmap");
    return;
  }
  std::vector<char> memory(static_cast<size_t>(side) * side * 3);
  double copy_seconds = 0, memory_seconds = 0;
  for (auto _ : state) {
    auto start = bench_clock::now();
    copy();
    const double t = seconds_since(start);
    state.SetIterationTime(t);
    copy_seconds += t;

    start = bench_clock::now();
    benchmark::DoNotOptimize(read_into_memory(memory));
    memory_seconds += seconds_since(start);
  }
  state.counters["bzread_ms"] = 1e3 * memory_seconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = copy_seconds / memory_seconds;
}
BENCHMARK_TEMPLATE(BM_copy_vs_bzread_into_memory, scratch_copy)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_copy_vs_bzread_into_memory, copy_one_byte_per_call)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
