#include "level_goals.h"

#include <cstring>

#include "actors/player.h"
#include "actors/weapons.h"
#include "base/table_index.h"
#include "content/models.h"

static const weapon_t* weapon_named(const char* name) {
  int rows = table_rows(weaponu, weapon_capacity);
  for (int i = 0; i < rows; ++i)
    if (std::strncmp(weapon[i].name, name, weapon_name_capacity) == 0) return &weapon[i];
  return nullptr;
}

static bool item_wanted(const trigger_t& item, int steps) {
  const weapon_t* w = weapon_named(item.text[trigger_text_name]);
  switch (item.kind) {
    case trigger_weapon: return w && !w->owned;
    case trigger_key: return true;
    case trigger_ammo:
      return w && w->owned && w->ammo + w->reserve < w->max_ammo && steps <= ammo_detour_steps;
    case trigger_medikit: {
      int health = players[player_id].health;
      return health <= medikit_wanted_health && health < item.value[0][1] && steps <= medikit_detour_steps;
    }
    default: return false;
  }
}

// An item's own cell shows its model; the trigger is reached from there alone.
static int item_at(int x, int z) {
  int i = map_index(x, z);
  int t = mapa_ip[i];
  if (mapa_m[i] == no_model || !in_table(t, table_rows(triggeru, trigger_capacity))) return -1;
  return trigger[t].kind != trigger_door && trigger[t].pickable ? t : -1;
}

static bool nearer(int steps, int best) { return steps != not_reached && (best == not_reached || steps < best); }

bool next_goal(const route_distances& routes, grid_cell& goal) {
  int best = not_reached;
  int size_x = table_rows(mapa_size_x, map_dim), size_z = table_rows(mapa_size_z, map_dim);
  for (int x = 0; x < size_x; ++x)
    for (int z = 0; z < size_z; ++z) {
      int t = item_at(x, z), steps = steps_to(routes, {x, z});
      if (t >= 0 && nearer(steps, best) && item_wanted(trigger[t], steps)) {
        best = steps;
        goal = {x, z};
      }
    }
  if (best != not_reached) return true;
  int exits = table_rows(mapa_endu, map_end_capacity);
  for (int i = 0; i < exits; ++i) {
    grid_cell exit{mapa_end_x[i], mapa_end_z[i]};
    int steps = steps_to(routes, exit);
    if (nearer(steps, best)) {
      best = steps;
      goal = exit;
    }
  }
  return best != not_reached;
}
