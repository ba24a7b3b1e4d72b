// Frame cost of the densest demo level against an empty frame (clear and swap)
// in the same run, and the cost of loading and lighting the 255 x 255 level.
// Run under a display, from any directory:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_frame
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/target_picking.h"
#include "actors/weapons.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "core/game_state.h"
#include "core/level_loading.h"
#include "lighting/light_grid.h"
#include "platform/window.h"
#include "render/world_view.h"

namespace {

const char* level_under_test() {
  const char* level = std::getenv("KEL_BENCH_LEVEL");
  return level ? level : "data/maps/works";
}

bool game_ready() {
  static bool ready = [] {
    if (chdir(KEL_GAME_DIR) != 0) return false;
    load_textura_list();
    if (!CreateGLWindow("Kel bench", 800, 600, 32, false)) return false;
    load_models();
    load_weapons();
    load_player();
    load_imp_prototype();
    init_live_player();
    return true;
  }();
  return ready;
}

void load(const char* level) {
  std::snprintf(mapa_filename, sizeof mapa_filename, "%s", level);
  load_level(false);
}

using bench_clock = std::chrono::steady_clock;

void BM_FrameAgainstEmptyFrame(benchmark::State& state) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  load(level_under_test());
  motion_mix = 0.016f;
  double empty = 0, full = 0;
  for (auto _ : state) {
    auto t0 = bench_clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers();
    glFinish();
    auto t1 = bench_clock::now();
    select_enemy();
    DrawGLScene();
    SwapBuffers();
    glFinish();
    auto t2 = bench_clock::now();
    empty += std::chrono::duration<double>(t1 - t0).count();
    full += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["full_over_empty"] = full / empty;
  state.counters["full_fps"] = static_cast<double>(state.iterations()) / full;
}
BENCHMARK(BM_FrameAgainstEmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LoadBenchmarkLevel(benchmark::State& state) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  for (auto _ : state) {
    load("data/maps/bench");
    load("data/maps/test");  // so the next load reads the lightmap again
  }
}
BENCHMARK(BM_LoadBenchmarkLevel)->Unit(benchmark::kMillisecond);

void BM_InitLightBenchmarkLevel(benchmark::State& state) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  load("data/maps/bench");
  state.counters["lights"] = lightu;
  state.counters["enemies"] = impu;
  for (auto _ : state) init_light();
}
BENCHMARK(BM_InitLightBenchmarkLevel)->Unit(benchmark::kMillisecond);

}  // namespace
