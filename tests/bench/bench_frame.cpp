// Frame cost of the densest demo level against an empty frame (clear and swap)
// in the same run, next to the cost of a single screen-covering quad with the
// level's two textures (the floor under any frame on this renderer), and the cost of loading and lighting the 255 x 255 level.
// Mid-fight on the 255 x 255 level (all 500 enemies alert, the trigger held,
// 2048 heavy-blood bursts alive): one logic step, and one whole frame, each
// against the same empty frame.
// Run under a display, from any directory:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_frame
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "actors/enemies.h"
#include "actors/enemy_ai.h"
#include "actors/player.h"
#include "actors/shooting.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/play_options.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "core/level_loading.h"
#include "effects/blood.h"
#include "effects/particles.h"
#include "kel/main_loop.h"  // pick_target: picking as a frame does it
#include "lighting/light_grid.h"
#include "lighting/lightmap.h"
#include "platform/input.h"
#include "platform/multitexture.h"
#include "platform/window.h"
#include "render/scene_setup.h"
#include "render/textures.h"
#include "render/world_view.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

namespace {

const char* level_under_test() {
  const char* level = std::getenv("KEL_BENCH_LEVEL");
  return level ? level : "data/maps/works";
}

bool game_ready() {
  static bool ready = [] {
    if (chdir(KEL_GAME_DIR) != 0) return false;
    load_textura_list();
    if (!CreateGLWindow("Kel bench", 800, 600, 32, false, InitGL)) return false;
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

// Times `draw` (one frame, swapped and finished) against an empty frame (clear
// and swap) in every iteration and reports the ratio of their totals.
template <typename Draw>
void time_against_empty_frame(benchmark::State& state, Draw draw) {
  double empty = 0, full = 0;
  for (auto _ : state) {
    auto t0 = bench_clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers();
    glFinish();
    auto t1 = bench_clock::now();
    draw();
    SwapBuffers();
    glFinish();
    auto t2 = bench_clock::now();
    empty += std::chrono::duration<double>(t1 - t0).count();
    full += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["full_over_empty"] = full / empty;
  state.counters["full_fps"] = static_cast<double>(state.iterations()) / full;
}

void BM_FrameAgainstEmptyFrame(benchmark::State& state) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  load(level_under_test());
  motion_mix = 0.016f;
  time_against_empty_frame(state, [] {
    pick_target();
    DrawGLScene();
  });
}
BENCHMARK(BM_FrameAgainstEmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The least any frame of play can cost on this renderer: one quad over the
// whole window with a floor texture on unit 0 and the lightmap on unit 1,
// both filtered as the level's are.
void BM_ScreenQuadWithFloorAndLightmap(benchmark::State& state) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  load(level_under_test());
  time_against_empty_frame(state, [] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const player_t& player = players[player_id];
    SetGLTexture(textura_list[mapa[map_index(static_cast<int>(player.x), static_cast<int>(player.z))]]);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightmap);
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    glBegin(GL_QUADS);
    for (const auto& c : corners) {
      glMultiTexCoord2fARB(GL_TEXTURE0_ARB, c[0] * 20, c[1] * 15);  // 40 x 30 pixels a cell
      glMultiTexCoord2fARB(GL_TEXTURE1_ARB, c[0] * 0.1f, c[1] * 0.1f);
      glVertex2f(c[0], c[1]);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  });
}
BENCHMARK(BM_ScreenQuadWithFloorAndLightmap)->Unit(benchmark::kMillisecond)->MinTime(3.0);

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

// The fight as it stands between two timed steps: every enemy alert and
// heading for the player, the player alive with a loaded weapon and the
// trigger held, and every emitter slot a heavy-blood burst around the player.
void keep_the_fight_going() {
  player_t& player = players[player_id];
  player.health = 999;
  weapon_t& w = weapon[player.weapon];
  w.ammo = w.magazine > 0 ? w.magazine : 1;
  w.shoot_delay = 0;
  mouse_lb = 1;
  for (int k = 0; k < impu; ++k) {
    imp[k].alert = imp[k].visible = 1;
    imp[k].target_x = player.x;
    imp[k].target_z = player.z;
  }
  c_ultra_blood = 1;
  for (int i = 0; i < emitor_capacity; ++i) {
    if (emitor[i].in_use) continue;
    fill_blood_template(blood_kind::heavy, player.x + static_cast<float>(i % 9) - 4.0f,
                        player.z + static_cast<float>(i % 7) - 3.0f, static_cast<float>(i));
    add_emitor();
  }
}

void fight_step() {
  ai_process();
  shoot_process();
  process_particles();
  process_emitors();
}

// Like time_against_empty_frame, with the fight topped up untimed before
// every timed part.
template <typename Step>
void time_fight_against_empty_frame(benchmark::State& state, Step step) {
  if (!game_ready()) return state.SkipWithError("no window or game data");
  load("data/maps/bench");
  motion_mix = 0.016f;
  double empty = 0, full = 0;
  for (auto _ : state) {
    keep_the_fight_going();
    auto t0 = bench_clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers();
    glFinish();
    auto t1 = bench_clock::now();
    step();
    auto t2 = bench_clock::now();
    empty += std::chrono::duration<double>(t1 - t0).count();
    full += std::chrono::duration<double>(t2 - t1).count();
  }
  mouse_lb = 0;
  c_ultra_blood = 0;
  state.counters["step_over_empty"] = full / empty;
  state.counters["step_per_s"] = static_cast<double>(state.iterations()) / full;
}

void BM_FightLogicAgainstEmptyFrame(benchmark::State& state) { time_fight_against_empty_frame(state, fight_step); }
BENCHMARK(BM_FightLogicAgainstEmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_FightFrameAgainstEmptyFrame(benchmark::State& state) {
  time_fight_against_empty_frame(state, [] {
    ai_process();
    pick_target();
    shoot_process();
    DrawGLScene();  // steps the particles and emitters itself
    SwapBuffers();
    glFinish();
  });
}
BENCHMARK(BM_FightFrameAgainstEmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
