#include "core/level_watch.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "actors/bullets.h"
#include "actors/player.h"
#include "actors/player_footprint.h"
#include "base/console.h"
#include "core/game_state.h"
#include "core/level_loading.h"
#include "level/kel_map.h"
#include "lighting/lightmap.h"
#include "world/level_paths.h"

namespace {

// What tells one written pack from the next.
struct pack_stamp {
  long long seconds = 0, nanoseconds = 0, size = -1;
  unsigned long long inode = 0;
  bool operator==(const pack_stamp& o) const {
    return seconds == o.seconds && nanoseconds == o.nanoseconds && size == o.size && inode == o.inode;
  }
};

bool watching = false;
char watched_level[sizeof mapa_filename] = {};
pack_stamp watched;

pack_stamp stamp_of(const char* level) {
  char path[sizeof mapa_filename + 8];
  std::snprintf(path, sizeof path, "%s.pack", level);
  struct stat st {};
  pack_stamp s;
  if (::stat(path, &st) != 0) return s;
  s.seconds = st.st_mtim.tv_sec;
  s.nanoseconds = st.st_mtim.tv_nsec;
  s.size = st.st_size;
  s.inode = st.st_ino;
  return s;
}

void reload_level() {
  player_t kept = players[player_id];
  if (KelMapLoader.load_pack(mapa_filename) != 0) {
    char text[sizeof mapa_filename + 64];
    std::snprintf(text, sizeof text, "Level not reloaded: %s.pack is damaged or incomplete", mapa_filename);
    for (char* c = text; *c; ++c)
      if (*c == ' ') *c = '_';  // the message line shows underscores as spaces
    Console.add_message(text);
    std::fprintf(stderr, "kel: %s.pack did not load; the old level goes on\n", mapa_filename);
    return;
  }
  // The pack put the player on the start; that is where a walled-in player goes.
  float start_x = players[player_id].x, start_z = players[player_id].z;
  reset_bullets();
  forget_loaded_lightmap();
  start_loaded_level(false);
  players[player_id] = kept;
  if (player_square_blocked(kept.x, kept.z)) {
    players[player_id].x = start_x;
    players[player_id].z = start_z;
  }
  Console.add_message("Level_reloaded");
  std::fprintf(stderr, "kel: %s reloaded; the player stands at %.3f %.3f (was at %.3f %.3f)\n", mapa_filename,
               double(players[player_id].x), double(players[player_id].z), double(kept.x), double(kept.z));
}

}  // namespace

void set_level_watch(bool on) { watching = on; }

void reload_level_if_changed() {
  if (!watching || global_status != status_game) return;
  pack_stamp now = stamp_of(mapa_filename);
  if (std::strcmp(watched_level, mapa_filename) != 0) {
    // A level just started: its pack as it is now is the one being played.
    std::snprintf(watched_level, sizeof watched_level, "%s", mapa_filename);
    watched = now;
    return;
  }
  if (now == watched || now.size < 0) return;
  watched = now;
  reload_level();
}
