#include "playthrough.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/shooting.h"        // reloading
#include "actors/target_picking.h"  // aim_uhel_at
#include "aim_cursor.h"
#include "base/console.h"
#include "base/table_index.h"
#include "content/models.h"
#include "core/game_state.h"
#include "fight.h"
#include "frontend/menu_table.h"
#include "grid_route.h"
#include "level_goals.h"
#include "platform/display_settings.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"
#include "world/level_paths.h"

namespace {

// Frames between key presses in the logo and the menus: a player's pace, and
// each screen shows for a moment in the recording.
constexpr int menu_press_interval = 12;
constexpr int level_shot_frame = 15;
constexpr int fight_shot_frame = 10;
constexpr int victory_shot_frame = 30;
constexpr int victory_quit_frame = 60;
// A fight's progress goes to stderr every so many frames.
constexpr int fight_log_interval = 30;
// Looking ahead this many cells of the way keeps the walk straight.
constexpr int steering_lookahead = 8;
constexpr int route_capacity = 1024;
// Frames without progress before the bot walks at the next cell's centre
// instead of cutting corners.
constexpr int stuck_frames = 30;
constexpr float moved_enough = 0.01f;
// Closer enemies are fought backing away, while there is room behind.
constexpr float back_off_distance = 5.0f;
constexpr float back_off_look = 0.5f;
// The digit keys 1 .. 9 pick weapons 0 .. 8.
constexpr int weapon_keys = 9;

struct level_progress {
  char name[path_capacity];
  int frames;
  int fighting_frames;
  bool fight_shot_taken;
  bool door_shot_taken;
  bool locked_at_start[trigger_capacity];
  float last_x, last_z;
  int still_frames;
  grid_cell goal;
};

uint32_t clock_ms = 1000;
int frame = 0;
int frames_in_state = 0;
int last_status = -1;
bool won = false;
level_progress level;
route_distances routes;
grid_cell route[route_capacity];

void press(int vk) { keys[vk] = 1; }

void face(float uhel) {
  int radius = std::min(resolution_x, resolution_y) * 3 / 8;
  cursor_position c = cursor_for_facing(uhel, players[player_id].uhel, resolution_x, resolution_y, radius);
  mouse_x = c.x;
  mouse_y = c.y;
}

// Moves the highlight to the first item starting with `wanted` and chooses it.
void choose_menu_item(const char* wanted) {
  if (!in_table(active_menu, table_rows(menus, menu_capacity))) return;
  const menu_t& m = menu[active_menu];
  int items = table_rows(m.item_count, menu_item_capacity);
  for (int i = 0; i < items; ++i) {
    if (std::strncmp(m.menu_item[i], wanted, std::strlen(wanted)) != 0) continue;
    press(i == menu_sel_item ? VK_RETURN : (i < menu_sel_item ? VK_UP : VK_DOWN));
    return;
  }
}

void play_menu() {
  if (active_menu == find_menu("victory")) {
    if (!won) std::fprintf(stderr, "campaign_bot: victory at frame %d\n", frame);
    won = true;
    if (frames_in_state == victory_shot_frame) press(VK_F12);
    if (frames_in_state == victory_quit_frame) Console.add_command("quit");
    return;
  }
  if (active_menu == find_menu("gameover")) {
    std::fprintf(stderr, "campaign_bot: the player died in %s at frame %d\n", mapa_filename, frame);
    Console.add_command("quit");
    return;
  }
  if (frames_in_state % menu_press_interval != menu_press_interval - 1) return;
  if (active_menu == find_menu("main")) choose_menu_item("menu:new");
  else if (active_menu == find_menu("new")) choose_menu_item("new:");
  else press(VK_ESCAPE);
}

void start_level() {
  std::snprintf(level.name, sizeof level.name, "%s", mapa_filename);
  level.frames = level.fighting_frames = level.still_frames = 0;
  level.fight_shot_taken = level.door_shot_taken = false;
  level.goal = {-1, -1};
  int rows = table_rows(triggeru, trigger_capacity);
  for (int t = 0; t < trigger_capacity; ++t)
    level.locked_at_start[t] = t < rows && trigger_is_locked_door(trigger[t]);
  const player_t& p = players[player_id];
  level.last_x = p.x;
  level.last_z = p.z;
  std::fprintf(stderr, "campaign_bot: %s at frame %d\n", level.name, frame);
}

// The first time a door that was locked swings half open.
bool locked_door_opening() {
  int rows = table_rows(triggeru, trigger_capacity);
  for (int t = 0; t < rows; ++t)
    if (level.locked_at_start[t] && !trigger_is_locked_door(trigger[t]) && trigger[t].value[0][1] >= 0.5f) return true;
  return false;
}

void fight(int k) {
  const player_t& p = players[player_id];
  if (level.fighting_frames % fight_log_interval == 0)
    std::fprintf(stderr, "campaign_bot: frame %d: fighting enemy %d (health %d), own health %d\n", frame, k,
                 imp[k].health, p.health);
  face(aim_uhel_at(p.x, p.z, imp[k].x, imp[k].z));
  // Facing the enemy, S walks straight away from it: the farther, the fewer
  // of its shots are fired at all.
  float dx = p.x - imp[k].x, dz = p.z - imp[k].z, d = std::hypot(dx, dz);
  if (d > 0.0f && d < back_off_distance &&
      straight_walk_clear(p.x, p.z, p.x + dx / d * back_off_look, p.z + dz / d * back_off_look, 0.01f))
    press(vk_key('S'));
  if (reload_wanted(true))
    mouse_rb = 1;
  else if (reloading == reload_none)
    mouse_lb = 1;
  if (++level.fighting_frames == fight_shot_frame && !level.fight_shot_taken) {
    press(VK_F12);
    level.fight_shot_taken = true;
  }
}

void walk_on() {
  const player_t& p = players[player_id];
  if (reload_wanted(false)) mouse_rb = 1;
  grid_cell here{static_cast<int>(p.x), static_cast<int>(p.z)}, goal{};
  measure_routes(here, routes);
  if (!next_goal(routes, goal)) return;
  if (goal.x != level.goal.x || goal.z != level.goal.z)
    std::fprintf(stderr, "campaign_bot: frame %d: from (%d, %d) to (%d, %d), %d steps\n", frame, here.x, here.z, goal.x,
                 goal.z, steps_to(routes, goal));
  level.goal = goal;
  int n = route_cells(routes, goal, route, route_capacity);
  if (n == 0) return;
  float to_x = route[0].x + 0.5f, to_z = route[0].z + 0.5f;
  if (level.still_frames < stuck_frames) steering_point(p.x, p.z, route, n, steering_lookahead, to_x, to_z);
  face(aim_uhel_at(p.x, p.z, to_x, to_z));
  press(vk_key('W'));
}

void note_progress() {
  const player_t& p = players[player_id];
  bool moved = std::max(std::abs(p.x - level.last_x), std::abs(p.z - level.last_z)) > moved_enough;
  level.still_frames = moved ? 0 : level.still_frames + 1;
  if (level.still_frames > 2 * stuck_frames) level.still_frames = 0;  // try cutting corners again
  level.last_x = p.x;
  level.last_z = p.z;
}

void play_level() {
  if (std::strcmp(level.name, mapa_filename) != 0) start_level();
  const player_t& p = players[player_id];
  if (p.health <= 0) return;  // the dead player's menu comes next
  ++level.frames;
  if (level.frames == level_shot_frame) press(VK_F12);
  if (!level.door_shot_taken && locked_door_opening()) {
    press(VK_F12);
    level.door_shot_taken = true;
  }
  int w = weapon_to_hold();
  if (w >= 0 && w < weapon_keys && w != p.weapon && reloading == reload_none) press('1' + w);
  int k = w >= 0 ? enemy_to_fight() : -1;
  if (k >= 0)
    fight(k);
  else
    walk_on();
  note_progress();
}

}  // namespace

uint32_t bot_clock() { return clock_ms; }

void play_campaign_frame() {
  clock_ms += bot_frame_ms;
  ++frame;
  frames_in_state = global_status == last_status ? frames_in_state + 1 : 0;
  last_status = global_status;
  std::memset(keys, 0, sizeof keys);
  mouse_lb = mouse_rb = 0;
  if (frame > bot_frame_limit) {
    Console.add_command("quit");
    return;
  }
  if (global_status == status_logo && frames_in_state % menu_press_interval == menu_press_interval - 1)
    press(VK_RETURN);
  else if (global_status == status_menu)
    play_menu();
  else if (global_status == status_game)
    play_level();
}

bool campaign_won() { return won; }
int campaign_frames() { return frame; }
