// Baking the lightmap of the benchmark level (255 x 255 cells, 1000 lights,
// a few thousand groups) and of the largest campaign level, against the
// engine's own per-cell light of the same level (init_light, what the game
// pays at every level load), measured alternately in the same loop. Goal:
// the benchmark level bakes in seconds, not minutes. Counters: "ratio" (bake
// over init_light), "texels" and "lights".
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "common/file_output.h"
#include "level_forge.h"
#include "levels/level_bench.h"
#include "levels/level_compile.h"
#include "levels/level_content.h"
#include "lighting/light_grid.h"
#include "lightmaps/lightmap_bake.h"

namespace {

using bench_clock = std::chrono::steady_clock;

double seconds_since(bench_clock::time_point start) {
  return std::chrono::duration<double>(bench_clock::now() - start).count();
}

bool content_loaded() {
  static bool loaded = [] {
    std::vector<std::string> problems;
    return load_forged_content(std::string(KEL_FORGED_GAME_DIR) + "/data", problems);
  }();
  return loaded;
}

// Compiles a level source below demo/levels (the benchmark level with its
// generated rows); the world's tables then hold that level.
bool compile_demo_level(const std::string& relative, bool bench_rows, compiled_level& out) {
  std::string path = std::string(KEL_DEMO_DIR) + "/levels/" + relative;
  byte_buffer bytes;
  if (!content_loaded() || !read_file_bytes(path, bytes)) return false;
  diagnostics sink;
  recipe source(path, sink);
  source.parse(std::string(bytes.begin(), bytes.end()) + (bench_rows ? bench_level_rows(bench_level_seed) : ""));
  level_source level;
  return read_level_source(source, level) && compile_level(source, level, out);
}

void BM_bake_vs_engine_cell_light(benchmark::State& state, const char* relative, bool bench_rows) {
  compiled_level level;
  if (!compile_demo_level(relative, bench_rows, level)) {
    state.SkipWithError("the level or the forged content could not be read (build forge_data first)");
    return;
  }
  lightmap_scene scene;
  scene.grid = &level.grid;
  scene.groups = &level.groups.groups;
  scene.lights = level.lights;
  for (int c = 0; c < 3; ++c) scene.ambient[c] = c_ambient_light[c];
  scene.wall_height = c_wall_h;
  double bake_seconds = 0, engine_seconds = 0;
  for (auto _ : state) {
    auto start = bench_clock::now();
    benchmark::DoNotOptimize(bake_lightmap(scene, level.atlas));
    const double t = seconds_since(start);
    state.SetIterationTime(t);
    bake_seconds += t;

    start = bench_clock::now();
    init_light();
    engine_seconds += seconds_since(start);
  }
  state.counters["ratio"] = bake_seconds / engine_seconds;
  state.counters["init_light_ms"] = 1e3 * engine_seconds / double(state.iterations());
  state.counters["texels"] = double(level.atlas.side) * level.atlas.side;
  state.counters["lights"] = double(level.lights.size());
}
BENCHMARK_CAPTURE(BM_bake_vs_engine_cell_light, bench_level, "bench/bench.txt", true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_bake_vs_engine_cell_light, works, "works.txt", false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
