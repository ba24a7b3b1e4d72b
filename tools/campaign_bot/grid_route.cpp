#include "grid_route.h"

#include <cmath>

#include "actors/player_footprint.h"
#include "base/table_index.h"
#include "content/models.h"
#include "core/triggers.h"  // door_opens_for_player

static bool in_level(int x, int z) {
  return x >= 0 && z >= 0 && x < mapa_size_x && z < mapa_size_z && in_layer(x, z);
}

bool route_cell_open(int x, int z) {
  if (!in_level(x, z)) return false;
  int i = map_index(x, z);
  int v = mapa_v[i];
  if (v == cell_free) return true;
  if (v != cell_door_closed && v != cell_door_ajar) return false;
  int t = mapa_ip[i];
  if (!in_table(t, table_rows(triggeru, trigger_capacity)) || trigger[t].kind != trigger_door) return false;
  return door_opens_for_player(trigger[t]);
}

// Straight steps first, so a way without corners is preferred among equals.
static const int step_dx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
static const int step_dz[8] = {0, 0, 1, -1, 1, -1, 1, -1};

static bool step_allowed(int x, int z, int d) {
  int nx = x + step_dx[d], nz = z + step_dz[d];
  if (!route_cell_open(nx, nz)) return false;
  return d < 4 || (route_cell_open(nx, z) && route_cell_open(x, nz));
}

void measure_routes(grid_cell from, route_distances& out) {
  out.from = from;
  for (int& s : out.steps) s = not_reached;
  if (!in_level(from.x, from.z)) return;
  static grid_cell queue[map_cells];
  int head = 0, tail = 0;
  out.steps[map_index(from.x, from.z)] = 0;
  queue[tail++] = from;
  while (head < tail) {
    grid_cell c = queue[head++];
    int here = out.steps[map_index(c.x, c.z)];
    for (int d = 0; d < 8; ++d) {
      if (!step_allowed(c.x, c.z, d)) continue;
      int i = map_index(c.x + step_dx[d], c.z + step_dz[d]);
      if (out.steps[i] != not_reached) continue;
      out.steps[i] = here + 1;
      queue[tail++] = {c.x + step_dx[d], c.z + step_dz[d]};
    }
  }
}

int steps_to(const route_distances& routes, grid_cell to) {
  return in_layer(to.x, to.z) ? routes.steps[map_index(to.x, to.z)] : not_reached;
}

int route_cells(const route_distances& routes, grid_cell to, grid_cell* out, int capacity) {
  int n = steps_to(routes, to);
  if (n <= 0 || n > capacity) return 0;
  // Back from the goal, each time to a neighbour one step nearer the start.
  grid_cell c = to;
  for (int k = n - 1; k >= 0; --k) {
    out[k] = c;
    for (int d = 0; d < 8; ++d) {
      int px = c.x - step_dx[d], pz = c.z - step_dz[d];
      if (in_layer(px, pz) && routes.steps[map_index(px, pz)] == k && step_allowed(px, pz, d)) {
        c = {px, pz};
        break;
      }
    }
  }
  return n;
}

// The player's square, as movement has it but grown by `margin`, over cells
// open to the route: doors count by whether they will open, not whether they
// stand open now, since the player pushes them on the way.
static bool square_on_open_cells(float x, float z, float margin) {
  for (const square_corner& c : player_square_corners(x, z, margin))
    if (!route_cell_open(static_cast<int>(std::floor(c.x)), static_cast<int>(std::floor(c.z)))) return false;
  return true;
}

bool straight_walk_clear(float x0, float z0, float x1, float z1, float margin) {
  constexpr float sample_step = 0.05f;
  float length = std::hypot(x1 - x0, z1 - z0);
  int samples = static_cast<int>(length / sample_step) + 1;
  // The start is where the player already stands, however close to a wall.
  for (int s = 1; s <= samples; ++s) {
    float f = static_cast<float>(s) / static_cast<float>(samples);
    if (!square_on_open_cells(x0 + (x1 - x0) * f, z0 + (z1 - z0) * f, margin)) return false;
  }
  return true;
}

void steering_point(float x, float z, const grid_cell* route, int count, int lookahead, float& to_x, float& to_z) {
  constexpr float corner_margin = 0.01f;
  to_x = route[0].x + 0.5f;
  to_z = route[0].z + 0.5f;
  int last = count < lookahead ? count : lookahead;
  for (int k = last - 1; k > 0; --k) {
    float cx = route[k].x + 0.5f, cz = route[k].z + 0.5f;
    if (straight_walk_clear(x, z, cx, cz, corner_margin)) {
      to_x = cx;
      to_z = cz;
      return;
    }
  }
}
