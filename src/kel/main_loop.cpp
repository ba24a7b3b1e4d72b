#include "kel/main_loop.h"

#include <cstdio>
#include <cstdlib>

#include "actors/enemies.h"
#include "actors/enemy_ai.h"
#include "actors/pad_sticks.h"
#include "actors/player.h"
#include "actors/player_animation.h"
#include "actors/player_movement.h"
#include "actors/shooting.h"
#include "actors/target_picking.h"
#include "actors/weapons.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "base/loading_log.h"
#include "base/player_settings.h"
#include "base/play_options.h"
#include "content/model_list.h"
#include "content/settings_file.h"
#include "content/texture_list.h"
#include "core/command_line.h"
#include "core/demo_session.h"
#include "core/engine_config.h"
#include "core/game_commands.h"
#include "core/game_state.h"
#include "core/level_exit.h"
#include "core/level_watch.h"
#include "core/savegame.h"
#include "core/setting_values.h"
#include "core/triggers.h"
#include "formats/compressed_asset.h"
#include "frontend/menu_commands.h"
#include "frontend/menu_file.h"
#include "frontend/menu_keys.h"
#include "frontend/menu_screen.h"
#include "frontend/savegame_slots.h"
#include "kel/pad_input.h"
#include "kel/soak.h"
#include "kel/start_state.h"
#include "lighting/lightmap.h"
#include "platform/display_settings.h"
#include "platform/gamepad.h"
#include "platform/gamma.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/tick.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "render/fonts.h"
#include "render/loading_screen.h"
#include "render/scene_setup.h"
#include "render/screenshot.h"
#include "render/textures.h"
#include "render/viewport.h"
#include "render/world_view.h"
#include "sound/sound_bank.h"
#include "world/level_paths.h"

static const char* const window_title = "Kel";

static bool open_game_window() {
  return CreateGLWindow(window_title, resolution_x, resolution_y, color_depth, fullscreen != 0, InitGL);
}

// ---- the steps of a frame, in run_frame's order ----

static bool cheat_chord_held() {
  return keys[static_cast<int>(cheat_chord[0])] && keys[static_cast<int>(cheat_chord[1])] &&
         keys[static_cast<int>(cheat_chord[2])] && keys[static_cast<int>(cheat_chord[3])];
}

static void cheat_keys(player_t& player) {
  if (cheat_chord_held()) c_cheats_enabled = 1;
  if (c_cheats_enabled && keys[VK_F5]) fill_every_weapon();
  if (c_cheats_enabled && take_key(VK_F4)) c_immortal = !c_immortal;
  if (c_immortal) player.health = 999;
}

static bool any_of_escape_enter_space() { return keys[VK_ESCAPE] || keys[VK_RETURN] || keys[VK_SPACE]; }

static void clear_escape_enter_space() { keys[VK_ESCAPE] = keys[VK_RETURN] = keys[VK_SPACE] = 0; }

static void game_over_keys(const player_t& player) {
  if (player.health > 0 || global_status != status_game || !any_of_escape_enter_space()) return;
  clear_escape_enter_space();
  Console.add_command("menu:gameover");
  global_status = status_menu;
}

// False when the window could not be made again.
static bool toggle_fullscreen() {
  KillGLWindow();
  fullscreen = !fullscreen;
  if (!open_game_window()) return false;
  load_lightmap(true);
  return true;
}

static void measure_frame_time() {
  motion_mix = frame_seconds(GetTickCount(), last_frame);
  last_frame = GetTickCount();
}

// True when Esc in play opened the pause menu (menu 0, item 0).
static bool pause_key() {
  if (!keys[VK_ESCAPE] || global_status != status_game) return false;
  keys[VK_ESCAPE] = 0;
  global_status = status_menu;
  active_menu = 0;
  menu_sel_item = 0;
  return true;
}

static void logo_frame() {
  if (any_of_escape_enter_space()) {
    clear_escape_enter_space();
    global_status = status_menu;
  } else {
    draw_logo();
  }
}

static void menu_frame() {
  process_menu();
  Console.process_commands();
  draw_menu();
}

// The message only for a save that was written.
static void quicksave_keys() {
  if (game_started && take_key(VK_F6) && savegame.save(quicksave_path) == 0)
    Console.add_message(game_saved_message);
  if (take_key(VK_F7)) command_load_game(quicksave_path);
}

static void change_gamma(float step) {
  for (float& channel : gamma_corr) {
    channel += step;
    if (channel < 0.0f) channel = 0.0f;
    if (channel > 3.5f) channel = 3.5f;
  }
  SDL_SetGamma(gamma_corr[0], gamma_corr[1], gamma_corr[2]);
}

static void gamma_keys() {
  if (take_key('O')) change_gamma(-0.1f);
  if (take_key('P')) change_gamma(+0.1f);
}

void pick_target() { snap_aim_to_enemy(place_frame_camera(), current_viewport().data()); }

// The live player's aiming, picking, shooting and reloading, after the enemies.
static void alive_player_frame() {
  ai_process();
  pad_aiming(player_settings.pad_sensitivity);
  mouse_aiming();
  pick_target();
  shoot_process();
  reload_weapon();
}

frame_outcome run_frame(bool& done) {
  player_t& player = players[player_id];
  cheat_keys(player);
  game_over_keys(player);
  if (take_key(VK_F1) && !toggle_fullscreen()) return frame_outcome::window_lost;
  if (!active) return frame_outcome::go_on;

  if (take_key(VK_F12)) screenshot = 1;
  if (global_status == status_quit) done = true;
  measure_frame_time();
  if (pause_key()) return frame_outcome::go_on;
  if (global_status == status_logo) logo_frame();
  if (global_status == status_menu) menu_frame();
  if (player.health <= 0) game_started = 0;
  quicksave_keys();
  gamma_keys();
  if (global_status != status_game) return frame_outcome::go_on;

  if (player.health > 0)
    alive_player_frame();
  else
    player.anim_state = player_dying;
  // The keys win; without them the pad's left stick walks.
  if (player.health > 0 && !keyboard_control()) pad_walking();

  if (take_key(VK_F12)) screenshot = 1;
  if (player.health <= 0) player.anim_state = player_dying;
  player_anim_body();
  reload_level_if_changed();
  check_level_exit();
  process_triggers();

  Console.process_commands();
  Console.process_message();

  DrawGLScene();
  SwapBuffers();
  return frame_outcome::go_on;
}

void register_commands() {
  register_game_commands();
  register_setting_commands();
  register_menu_commands();
}

static frame_input_fn frame_input = nullptr;

void set_frame_input(frame_input_fn fn) { frame_input = fn; }

// ---- start-up ----

// False when the options end the program at once (wrong ones, --help,
// --version), with its exit status.
static bool read_options(const char* command_line, launch_options& options, int& exit_status) {
  const char* problem = nullptr;
  if (!read_launch_options(command_line, options, problem)) {
    std::fprintf(stderr, "kel: %s\n%s", problem, launch_usage);
    exit_status = 1;
    return false;
  }
  if (options.help || options.version) {
    std::fputs(options.help ? launch_usage : "kel " KEL_VERSION "\n", stdout);
    exit_status = 0;
    return false;
  }
  return true;
}

// Sets up the demo the options ask for and the level to start in (from the
// command line, or from the demo being played); false when it is refused.
static bool start_demo(const launch_options& options, const char* command_line, char* level, size_t capacity) {
  const bool map_given = map_argument(command_line, level, capacity);
  if (!map_given) level[0] = '\0';
  switch (options.demo) {
    case demo_mode::none: return true;
    case demo_mode::record: start_demo_recording(options.demo_path, level); return true;
    case demo_mode::play:
    case demo_mode::timedemo:
      if (!start_demo_playback(options.demo_path, options.demo)) return false;
      std::snprintf(level, capacity, "%s", options.empty_frames ? "" : demo_start_level());
      return true;
  }
  return true;
}

// A timedemo measures the drawing alone: never synced, never resting.
static bool paced(const launch_options& options) { return options.demo != demo_mode::timedemo; }

// The window with the loading screen, and the display gamma it starts from.
static bool open_first_window(const launch_options& options) {
  set_vertical_sync(paced(options) && player_settings.vsync);
  show_loading_screen_while_loading();
  if (!open_game_window()) return false;
  // Without these every screen is blank or white: the player is told why.
  if (const char* missing = texture_list_problem()) MessageBoxA(nullptr, missing, "LOADING ERROR", MB_OK);
  // A display whose ramps cannot be read counts as neutral: starting from 0
  // would make the first "brighter" key press turn the screen almost black.
  gamma_corr[0] = gamma_corr[1] = gamma_corr[2] = 1.0f;
  SDL_GetGamma(&gamma_corr[0], &gamma_corr[1], &gamma_corr[2]);
  return true;
}

static void load_common_data() {
  open_gamepads();
  load_models();
  Sound.set_volume(player_settings.volume);
  Sound.Init();
  load_menu();
  load_weapons();
  load_player();
  load_imp_prototype();
  init_live_player();
}

// Everything before the first frame, up to the first level; false when
// start-up fails, with the exit status.
static bool start_up(const char* command_line, const launch_options& options, char (&level)[path_capacity],
                     int& exit_status) {
  global_status = status_logo;
  set_level_watch(options.watch);
  register_commands();
  load_initGL();
  load_settings();
  if (!start_demo(options, command_line, level, sizeof level)) {
    exit_status = 1;
    return false;
  }
  ensure_screenshot_dir();
  load_textura_list();
  if (!open_first_window(options)) {
    finish_demo();
    exit_status = 0;
    return false;
  }
  load_common_data();

  std::srand(demo_random_seed());
  draw_loading("Common data loaded...");
  draw_loading("...");

  std::snprintf(c_first_filename, sizeof c_first_filename, "%s", "data/maps/test");
  std::snprintf(mapa_filename, sizeof mapa_filename, "%s", c_first_filename);
  remember_start_state();
  if (level[0]) command_new_game(level);
  return true;
}

// ---- the loop ----

enum class loop_end { finished, window_lost };

// A pass shorter than the frame rest waits out the rest.
static void rest_after_frame(double frame_began) {
  const uint32_t rest = frame_rest_milliseconds(wall_seconds() - frame_began);
  if (rest) wait_milliseconds(rest);
}

// One pass per frame until the game quits, the demo has played (every loop
// of a soak) or the window is lost.
static loop_end run_loop(const launch_options& options, const char* level, soak_run& soak) {
  const bool rests = paced(options);
  // A played demo sets `active` from its frames: it must not wait for the window.
  const bool minimised_waits = options.demo == demo_mode::none || options.demo == demo_mode::record;
  bool done = false;
  while (!done) {
    bool quit = false;
    if (take_message(quit)) {
      if (quit) done = true;
      continue;
    }
    const double frame_began = wall_seconds();
    if (frame_input) frame_input();
    if (!demo_before_frame()) {  // the demo played to its end
      if (!start_next_soak_loop(soak, level)) break;
      continue;
    }
    // After the demo step: a recording keeps the pad, a playback puts it in place.
    pad_buttons_as_keys();
    if (options.empty_frames) {
      draw_empty_frame();
      SwapBuffers();
    } else if (run_frame(done) == frame_outcome::window_lost) {
      return loop_end::window_lost;
    }
    demo_after_frame();
    finish_frame_input();
    if (rests) rest_after_frame(frame_began);
    if (!active && minimised_waits) wait_for_message();
  }
  return loop_end::finished;
}

// ---- shutdown ----

// The exit status: 1 when a recorded demo could not be written.
static int shut_down(const soak_run& soak) {
  print_demo_end();
  const bool demo_kept = finish_demo();
  print_soak_end(soak);

  save_savegame_slots();
  SDL_SetGamma(1.0f, 1.0f, 1.0f);
  scratch_empty();
  // The font lists die with the context; delete them while it is still current.
  KillFont();
  KillFont3D();
  KillGLWindow();
  close_platform();
  return demo_kept ? 0 : 1;
}

int WinMain(const char* command_line) {
  launch_options options;
  char level[path_capacity];
  int exit_status = 0;
  if (!read_options(command_line, options, exit_status) || !start_up(command_line, options, level, exit_status))
    return exit_status;
  soak_run soak{options.loops};
  if (run_loop(options, level, soak) == loop_end::window_lost) {
    finish_demo();
    return 0;
  }
  return shut_down(soak);
}
