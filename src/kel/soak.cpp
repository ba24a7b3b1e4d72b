#include "kel/soak.h"

#include <cstdio>
#include <cstdlib>

#include "core/demo_session.h"
#include "core/game_commands.h"
#include "core/game_state.h"
#include "frontend/menu_table.h"
#include "kel/start_state.h"
#include "platform/resident_size.h"

void print_demo_end() {
  if (current_demo_mode() != demo_mode::play && current_demo_mode() != demo_mode::timedemo) return;
  std::printf("demo: %u frames played, ", demo_frames_done());
  if (global_status == status_menu && active_menu >= 0 && active_menu < menus)
    std::printf("ended in menu \"%s\"\n", menu[active_menu].name);
  else
    std::printf("ended %s\n", global_status == status_logo ? "on the logo" : "in game");
}

static void print_resident_size(int loop, int loops) {
  const long long resident = resident_bytes();
  std::printf("soak: loop %d of %d, resident size %.1f MB\n", loop, loops,
              resident >= 0 ? static_cast<double>(resident) / (1024.0 * 1024.0) : -1.0);
  std::fflush(stdout);
}

bool start_next_soak_loop(soak_run& soak, const char* level) {
  if (soak.loop >= soak.loops) return false;
  print_demo_end();
  print_demo_figures();
  print_resident_size(soak.loop++, soak.loops);
  rewind_demo_playback();
  return_to_start_state();
  std::srand(demo_random_seed());
  if (level[0]) command_new_game(level);
  return true;
}

void print_soak_end(const soak_run& soak) {
  if (soak.loops > 0) print_resident_size(soak.loop, soak.loops);
}
