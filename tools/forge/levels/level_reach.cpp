#include "levels/level_reach.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "actors/player_footprint.h"  // player_square_span
#include "content/models.h"
#include "world/map_grid.h"

namespace {

static_assert(player_half_width > 0.4f && player_half_width < 0.5f,
              "the footprint covers one or two cells along an axis");

using key_set = std::set<std::string>;

// One axis of footprint classes: 2k covers cell k alone, 2k + 1 covers k and k + 1.
// A class covers what the player's square covers centred in its middle,
// (c + 1) / 2: column k's centre line, or the line between k and k + 1.
int classes(int cells) { return 2 * cells - 1; }
cell_span covered(int c) { return player_square_span((c + 1) * 0.5f); }

const trigger_t* trigger_of(int cell) {
  int t = mapa_ip[cell];
  return t >= 0 && t < triggeru && t < trigger_capacity ? &trigger[t] : nullptr;
}

bool is_locked_door(int cell) {
  const trigger_t* t = trigger_of(cell);
  return mapa_v[cell] == cell_door_closed && t && trigger_is_locked_door(*t);
}

std::string key_of(const trigger_t& t) {
  return std::string(t.text[trigger_text_name], ::strnlen(t.text[trigger_text_name], trigger_text_capacity));
}

std::string place(int x, int z) { return "x " + std::to_string(x) + ", z " + std::to_string(z); }

struct door_override {
  int trigger = -1;
  bool open = false;
};

class reach_search {
 public:
  reach_search(int start_x, int start_z) : width_(mapa_size_x), depth_(mapa_size_z) {
    // Centred on the corner of the start cell: the start column and the one before it.
    start_cx_ = start_x > 0 ? 2 * start_x - 1 : 0;
    start_cz_ = start_z > 0 ? 2 * start_z - 1 : 0;
  }

  // The cells reachable with the keys found along the way; the door
  // `forced` (a trigger index, or -1) stays shut, or open when `open`,
  // whatever keys there are.
  std::vector<uint8_t> cells(door_override forced, key_set& keys, bool take_keys = true) {
    for (;;) {
      key_set found = keys;
      std::vector<uint8_t> touched = sweep(forced, keys, found);
      if (!take_keys || found == keys) return touched;
      keys = found;
    }
  }

  int width() const { return width_; }
  int depth() const { return depth_; }
  bool start_fits(const key_set& keys) const { return fits(start_cx_, start_cz_, {}, keys); }

 private:
  bool lets_in(int cell, door_override forced, const key_set& keys) const {
    int kind = mapa_v[cell];
    if (kind == cell_free) return true;
    if (kind != cell_door_closed) return false;
    const trigger_t* t = trigger_of(cell);
    if (t && mapa_ip[cell] == forced.trigger) return forced.open;
    return !is_locked_door(cell) || keys.count(key_of(*t));
  }

  bool fits(int cx, int cz, door_override forced, const key_set& keys) const {
    const cell_span xs = covered(cx), zs = covered(cz);
    for (int x = xs.first; x <= xs.last; ++x)
      for (int z = zs.first; z <= zs.last; ++z)
        if (!lets_in(map_index(x, z), forced, keys)) return false;
    return true;
  }

  std::vector<uint8_t> sweep(door_override forced, const key_set& keys, key_set& found) const {
    std::vector<uint8_t> touched(map_cells, 0);
    if (width_ <= 0 || depth_ <= 0 || !fits(start_cx_, start_cz_, forced, keys)) return touched;
    int cw = classes(width_), cd = classes(depth_);
    std::vector<uint8_t> seen(size_t(cw) * size_t(cd), 0);
    std::vector<std::pair<int, int>> todo = {{start_cx_, start_cz_}};
    seen[size_t(start_cx_) * size_t(cd) + size_t(start_cz_)] = 1;
    while (!todo.empty()) {
      auto [cx, cz] = todo.back();
      todo.pop_back();
      const cell_span xs = covered(cx), zs = covered(cz);
      for (int x = xs.first; x <= xs.last; ++x)
        for (int z = zs.first; z <= zs.last; ++z) {
          int cell = map_index(x, z);
          touched[size_t(cell)] = 1;
          const trigger_t* t = trigger_of(cell);
          if (t && t->kind == trigger_key) found.insert(key_of(*t));
        }
      const int next[4][2] = {{cx + 1, cz}, {cx - 1, cz}, {cx, cz + 1}, {cx, cz - 1}};
      for (const auto& n : next) {
        if (n[0] < 0 || n[1] < 0 || n[0] >= cw || n[1] >= cd) continue;
        uint8_t& s = seen[size_t(n[0]) * size_t(cd) + size_t(n[1])];
        if (s || !fits(n[0], n[1], forced, keys)) continue;
        s = 1;
        todo.push_back({n[0], n[1]});
      }
    }
    return touched;
  }

  int width_, depth_;
  int start_cx_, start_cz_;
};

bool any_exit(const std::vector<uint8_t>& touched) {
  for (int e = 0; e < mapa_endu && e < map_end_capacity; ++e)
    if (in_layer(mapa_end_x[e], mapa_end_z[e]) && touched[size_t(map_index(mapa_end_x[e], mapa_end_z[e]))])
      return true;
  return false;
}

bool has_key(const std::vector<uint8_t>& touched, const std::string& key) {
  for (int c = 0; c < map_cells; ++c) {
    const trigger_t* t = trigger_of(c);
    if (touched[size_t(c)] && t && t->kind == trigger_key && key_of(*t) == key) return true;
  }
  return false;
}

// The first cell, on the shortest way through open cells (doors open, keys
// or not) from the start to an exit, that the footprint never covers: where
// the player gets stuck.
std::string first_blocked_place(int start_x, int start_z, const std::vector<uint8_t>& touched) {
  int w = mapa_size_x, d = mapa_size_z;
  std::vector<int> from(map_cells, -2);
  std::vector<int> queue = {map_index(start_x, start_z)};
  from[size_t(queue[0])] = -1;
  int goal = -1;
  for (size_t q = 0; q < queue.size() && goal < 0; ++q) {
    int cell = queue[q], x = cell / map_dim, z = cell % map_dim;
    for (int e = 0; e < mapa_endu && e < map_end_capacity; ++e)
      if (mapa_end_x[e] == x && mapa_end_z[e] == z) goal = cell;
    const int next[4][2] = {{x + 1, z}, {x - 1, z}, {x, z + 1}, {x, z - 1}};
    for (const auto& n : next) {
      if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= d) continue;
      int c = map_index(n[0], n[1]);
      if (from[size_t(c)] != -2 || (mapa_v[c] != cell_free && mapa_v[c] != cell_door_closed)) continue;
      from[size_t(c)] = cell;
      queue.push_back(c);
    }
  }
  if (goal < 0) return "walls and barriers close every way to it";
  std::vector<int> path;
  for (int c = goal; c >= 0; c = from[size_t(c)]) path.push_back(c);
  std::reverse(path.begin(), path.end());
  for (int c : path) {
    if (touched[size_t(c)]) continue;
    int x = c / map_dim, z = c % map_dim;
    if (is_locked_door(c))
      return "first blocked at " + place(x, z) + ": a locked door whose key '" + key_of(*trigger_of(c)) +
             "' is not reached";
    return "first blocked at " + place(x, z) + ": the player, 0.9 cells wide, does not get there (a one-cell "
                                               "way must be entered within 0.05 of its centre line)";
  }
  return "first blocked at the exit";
}

}  // namespace

player_reach check_player_reach(int start_x, int start_z) {
  player_reach r;
  reach_search search(start_x, start_z);
  key_set none;
  if (!search.start_fits(none)) {
    r.touched.assign(map_cells, 0);
    r.warnings.push_back("the player does not fit at the start: it stands on the corner of the start cell, "
                         "covering the cell, the one before it in x, in z and diagonally");
    return r;
  }
  key_set no_keys;
  r.exit_needs_a_key = !any_exit(search.cells({}, no_keys, false));
  key_set keys;
  r.touched = search.cells({}, keys);
  r.exit_reached = any_exit(r.touched);
  if (mapa_endu > 0 && !r.exit_reached)
    r.warnings.push_back("the exit cannot be reached from the start; " +
                         first_blocked_place(start_x, start_z, r.touched));
  // Each locked door held shut: is its key found in front of it? And if not,
  // is it behind it (the door forced open finds it)?
  std::set<int> checked;
  for (int x = 0; x < search.width(); ++x)
    for (int z = 0; z < search.depth(); ++z) {
      int cell = map_index(x, z);
      if (!is_locked_door(cell) || !checked.insert(mapa_ip[cell]).second) continue;
      std::string key = key_of(*trigger_of(cell));
      key_set in_front, behind;
      if (has_key(search.cells({mapa_ip[cell], false}, in_front), key)) continue;
      if (has_key(search.cells({mapa_ip[cell], true}, behind), key))
        r.warnings.push_back("the key '" + key + "' of the locked door at " + place(x, z) + " lies only behind it");
      else
        r.warnings.push_back("the key '" + key + "' of the locked door at " + place(x, z) +
                             " cannot be reached anywhere");
    }
  return r;
}
