// Target picking on the processor against the selection-mode pass it
// replaced, timed in the same run over the same cursor sweep: 24 alert
// enemies around the player, the cursor moved over a grid of the window.
// Run under a display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_picking
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <cmath>

#include "actors/enemies.h"
#include "actors/target_picking.h"
#include "support/gl_context.h"
#include "support/selection_mode_pick.h"

namespace {

constexpr int width = 800, height = 600;
constexpr float player_x = 40, player_z = 40;

bool context_ready() {
  static hidden_gl_window gl;
  static bool ready = [] {
    gl.open("picking bench", width, height);
    glViewport(0, 0, width, height);
    impu = 24;
    for (int k = 0; k < impu; ++k) {
      imp_t& e = imp[k];
      e = imp_t{};
      const float around = 0.26f * k;
      e.x = player_x + (3 + k % 7) * std::sin(around);
      e.z = player_z - (3 + k % 5) * std::cos(around);
      e.uhel = 57.0f * k;
      e.health = 20;
      e.alert = e.visible = 1;
    }
    return gl.context != nullptr;
  }();
  return ready;
}

using bench_clock = std::chrono::steady_clock;

void BM_ProcessorPickAgainstSelectionMode(benchmark::State& state) {
  if (!context_ready()) return state.SkipWithError("no GL context");
  const int viewport[4] = {0, 0, width, height};
  double processor = 0, selection = 0;
  int cursor = 0, agree = 0, sweeps = 0;
  for (auto _ : state) {
    const int x = cursor % 40 * (width / 40), y = cursor / 40 % 30 * (height / 30);
    ++cursor;
    const camera_view view = place_camera(player_x, player_z, 0.0f, x, y, width, height);
    auto t0 = bench_clock::now();
    const int mine = enemy_under_cursor(view, viewport, x, y, player_x, player_z);
    auto t1 = bench_clock::now();
    const int theirs = selection_mode_pick(view, x, y, player_x, player_z);
    glFinish();
    auto t2 = bench_clock::now();
    processor += std::chrono::duration<double>(t1 - t0).count();
    selection += std::chrono::duration<double>(t2 - t1).count();
    agree += mine == theirs;
    ++sweeps;
    benchmark::DoNotOptimize(mine);
  }
  state.counters["selection_over_processor"] = selection / processor;
  state.counters["agreeing_share"] = static_cast<double>(agree) / sweeps;
}
BENCHMARK(BM_ProcessorPickAgainstSelectionMode)->MinTime(2.0);

}  // namespace
