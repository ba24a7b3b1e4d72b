#include "levels/level_bench.h"

#include <algorithm>
#include <vector>

#include "common/rng.h"

namespace {

constexpr int room_inside = 10;
constexpr int room_pitch = room_inside + 1;
constexpr int rooms_across = (bench_level_side - 1) / room_pitch;  // 23
constexpr int room_count = rooms_across * rooms_across;
constexpr int door_share_percent = 60;  // of the links between rooms; the rest are openings
constexpr int extra_link_percent = 25;  // links beyond the spanning tree
constexpr int item_rooms = 60;

struct bench_map {
  std::vector<std::string> rows;
  bench_map() : rows(bench_level_side, std::string(bench_level_side, '#')) {}
  char& at(int x, int z) { return rows[size_t(z)][size_t(x)]; }
};

int room_x0(int room) { return (room % rooms_across) * room_pitch + 1; }
int room_z0(int room) { return (room / rooms_across) * room_pitch + 1; }

// A free floor cell of the room that holds nothing yet.
bool place_in_room(bench_map& map, forge_rng& rng, int room, char what) {
  for (int tries = 0; tries < 64; ++tries) {
    int x = room_x0(room) + 1 + int(rng.next() % (room_inside - 2));
    int z = room_z0(room) + 1 + int(rng.next() % (room_inside - 2));
    char& c = map.at(x, z);
    if (c != '.' && c != ',' && c != '_') continue;
    c = what;
    return true;
  }
  return false;
}

// The link between a room and its neighbour towards +x (along_x) or +z.
void open_link(bench_map& map, forge_rng& rng, int room, bool along_x, bool door) {
  int offset = 2 + int(rng.next() % (room_inside - 4));
  int x = along_x ? room_x0(room) + room_inside : room_x0(room) + offset;
  int z = along_x ? room_z0(room) + offset : room_z0(room) + room_inside;
  if (door) {
    map.at(x, z) = along_x ? 'd' : 'D';
    return;
  }
  map.at(x, z) = '.';
  if (along_x)
    map.at(x, z + 1) = '.';
  else
    map.at(x + 1, z) = '.';
}

int find_root(std::vector<int>& parent, int r) {
  while (parent[size_t(r)] != r) r = parent[size_t(r)] = parent[size_t(parent[size_t(r)])];
  return r;
}

}  // namespace

std::string bench_level_rows(uint64_t seed) {
  forge_rng rng(seed);
  bench_map map;
  // One room in eight is floored in wood, one in eight in flagstone; lights,
  // enemies and items stand on plate, which splits those rooms into more
  // groups.
  for (int room = 0; room < room_count; ++room) {
    uint32_t pick = rng.next() % 8;
    char floor = pick == 0 ? ',' : pick == 1 ? '_' : '.';
    for (int x = 0; x < room_inside; ++x)
      for (int z = 0; z < room_inside; ++z) map.at(room_x0(room) + x, room_z0(room) + z) = floor;
  }
  // Every third wall line in the second wall texture, so walls split into
  // groups by texture as well as by their openings.
  for (int line = 0; line < bench_level_side; line += 3 * room_pitch)
    for (int k = 0; k < bench_level_side; ++k) {
      if (map.at(line, k) == '#') map.at(line, k) = '%';
      if (map.at(k, line) == '#') map.at(k, line) = '%';
    }

  // A random spanning tree (shuffled links joined when they connect two
  // parts), plus some extra links so there are loops to walk.
  struct link {
    int room;
    bool along_x;
  };
  std::vector<link> links;
  for (int room = 0; room < room_count; ++room) {
    if (room % rooms_across + 1 < rooms_across) links.push_back({room, true});
    if (room / rooms_across + 1 < rooms_across) links.push_back({room, false});
  }
  for (size_t i = links.size(); i > 1; --i) std::swap(links[i - 1], links[rng.next() % i]);
  std::vector<int> parent(room_count);
  for (int r = 0; r < room_count; ++r) parent[size_t(r)] = r;
  for (const link& l : links) {
    int a = find_root(parent, l.room), b = find_root(parent, l.room + (l.along_x ? 1 : rooms_across));
    bool joins = a != b;
    if (!joins && int(rng.next() % 100) >= extra_link_percent) continue;
    if (joins) parent[size_t(a)] = b;
    open_link(map, rng, l.room, l.along_x, int(rng.next() % 100) < door_share_percent);
  }

  // Rooms in a shuffled order: the first ones get one light, the rest two,
  // so the level holds exactly bench_level_lights lights.
  std::vector<int> order(room_count);
  for (int r = 0; r < room_count; ++r) order[size_t(r)] = r;
  for (size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[rng.next() % i]);
  int single_light_rooms = 2 * room_count - bench_level_lights;
  for (int i = 0; i < room_count; ++i) {
    int room = order[size_t(i)];
    place_in_room(map, rng, room, 'T');
    if (i >= single_light_rooms) place_in_room(map, rng, room, 'L');
  }
  const int start_room = 0, exit_room = room_count - 1;
  map.at(room_x0(start_room) + room_inside / 2, room_z0(start_room) + room_inside / 2) = 'S';
  map.at(room_x0(exit_room) + room_inside / 2, room_z0(exit_room) + room_inside / 2) = 'E';
  int enemies = 0;
  for (int i = 0; enemies < bench_level_enemies; i = (i + 1) % room_count) {
    int room = order[size_t(i)];
    if (room != start_room && place_in_room(map, rng, room, rng.next() % 3 ? 'g' : 'b')) ++enemies;
  }
  for (int i = 0; i < item_rooms; ++i) place_in_room(map, rng, order[size_t(i)], i % 2 ? 'a' : 'm');

  std::string text;
  for (const std::string& row : map.rows) text += "row \"" + row + "\"\n";
  return text;
}
