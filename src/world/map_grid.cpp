#include "world/map_grid.h"

#include <cstdio>
#include <vector>

#include "base/byte_io.h"
#include "base/loading_log.h"
#include "world/level_paths.h"

int mapa[map_cells];
int mapa_v[map_cells];
int mapa_e[map_cells];
int mapa_m[map_cells];
int mapa_m_rot[map_cells];
int mapa_ip[map_cells];
int mapa_g[map_cells];
float mapa_l[map_cells][3];
float mapa_l_md2[map_cells][4];
int mapa_tmp[map_cells];

int mapa_size_x, mapa_size_z;

int mapa_endu;
int mapa_end_x[map_end_capacity], mapa_end_z[map_end_capacity];

int dm_spawnu;
dm_spawn_t dm_spawn[dm_spawn_capacity];

int n_groups;
group_t groups[group_capacity];

// One axis of a position: below 0 reads 0, past size + 0.999 reads the size
// itself. NaN reads 0, and the layer's edge bounds whatever the size says.
static int clamp_axis(float v, int size) {
  if (!(v >= 0.0f)) v = 0.0f;
  if (v > static_cast<float>(size) + 0.999f) v = static_cast<float>(size);
  int cell = static_cast<int>(v);
  return cell < map_dim ? cell : map_dim - 1;
}

static int cell_at(float x, float z) {
  return map_index(clamp_axis(x, mapa_size_x), clamp_axis(z, mapa_size_z));
}

int test_map_v(float x, float z) { return mapa_v[cell_at(x, z)]; }

int test_map_ip(float x, float z) { return mapa_ip[cell_at(x, z)]; }

int test_map_e(float x, float z, int self) {
  int mark = mapa_e[cell_at(x, z)];
  return mark == self ? 0 : mark;
}

// Render-group file: int32 count, 64-byte records, then one int32 group index
// per cell with x outer and z inner (unlike the z-major map planes).
constexpr size_t group_record_bytes = 4 * 4 + 4 * group_lm_count;

// The map size as the group file uses it, kept inside the layers whatever the
// globals say.
static int used_size(int size) { return size < 0 ? 0 : size > map_size_limit ? map_size_limit : size; }

static int level_width() { return used_size(mapa_size_x); }
static int level_depth() { return used_size(mapa_size_z); }
static size_t cell_index_count() { return static_cast<size_t>(level_width()) * level_depth(); }

bool group_inside_map(int x1, int z1, int x2, int z2, int width, int depth) {
  return 0 <= x1 && x1 <= x2 && x2 < width && 0 <= z1 && z1 <= z2 && z2 < depth;
}

int load_groups_vt() {
  char path[level_file_path_capacity];
  if (!level_file_path(path, mapa_filename, "_guv")) return 1;
  FILE* f = std::fopen(path, "rb");
  if (!f) return 1;
  uint8_t head[4];
  bool ok = std::fread(head, 1, sizeof head, f) == sizeof head;
  int32_t count = ok ? get_i32(head) : -1;
  ok = count >= 0 && count <= group_capacity;
  // The whole rest is read before anything is stored, so a short file leaves
  // the previous level's groups intact.
  std::vector<uint8_t> body;
  if (ok) {
    body.resize(static_cast<size_t>(count) * group_record_bytes + 4 * cell_index_count());
    ok = std::fread(body.data(), 1, body.size(), f) == body.size();
  }
  std::fclose(f);
  // Every rectangle is checked before any is stored: the renderer does its
  // arithmetic on them unguarded.
  for (int g = 0; ok && g < count; ++g) {
    const uint8_t* r = &body[static_cast<size_t>(g) * group_record_bytes];
    ok = group_inside_map(get_i32(r), get_i32(r + 4), get_i32(r + 8), get_i32(r + 12), level_width(), level_depth());
  }
  if (!ok) {
    draw_loading_failed(path);  // there, but damaged: unlike a missing file, worth a word
    return 1;
  }

  // The body was sized for exactly these reads.
  byte_reader in(body.data(), body.size());
  for (int g = 0; g < count; ++g) {
    group_t& r = groups[g];
    for (int* v : {&r.x1, &r.z1, &r.x2, &r.z2}) *v = in.i32();
    for (float& lm : r.lm) lm = in.f32();
  }
  n_groups = count;
  for (int x = 0; x < level_width(); ++x)
    for (int z = 0; z < level_depth(); ++z) mapa_g[map_index(x, z)] = in.i32();
  return 0;
}

int save_groups_vt(const char* base) {
  if (n_groups < 0 || n_groups > group_capacity) return 1;
  char path[level_file_path_capacity];
  if (!level_file_path(path, base, "_guv")) return 1;
  std::vector<uint8_t> bytes;
  bytes.reserve(4 + static_cast<size_t>(n_groups) * group_record_bytes + 4 * cell_index_count());
  append_i32(bytes, n_groups);
  for (int g = 0; g < n_groups; ++g) {
    const group_t& r = groups[g];
    for (int v : {r.x1, r.z1, r.x2, r.z2}) append_i32(bytes, v);
    for (float lm : r.lm) append_f32(bytes, lm);
  }
  for (int x = 0; x < level_width(); ++x)
    for (int z = 0; z < level_depth(); ++z) append_i32(bytes, mapa_g[map_index(x, z)]);

  FILE* f = std::fopen(path, "wb");
  if (!f) return 1;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok ? 0 : 1;
}
