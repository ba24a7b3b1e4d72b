#include "effects/particles.h"

#include <cmath>
#include <cstdlib>

#include "base/frame_clock.h"
#include "base/table_index.h"
#include "content/models.h"
#include "effects/marks.h"
#include "platform/tick.h"
#include "world/map_grid.h"

emitor_t emitor[emitor_capacity];
int emitoru;
emitor_t emitor_tmp;
particle_t g_particle[emitor_capacity][emitor_particle_capacity];
particle_t particle[fire_particle_count];

constexpr uint32_t housekeeping_ms = 99;  // the tick runs when more than this has passed
constexpr float fire_height = 1.0f;
constexpr float fire_lift = 9.81f;
constexpr float edge_margin = 0.9f;  // how far past the last row or column things may go
constexpr float floor_mark_height = 0.06f;
constexpr float lowest_emitor = 0.1f;
constexpr float degrees_to_radians = 0.017453292f;

// When the marks and the emitters were last tidied.
static uint32_t marks_tick, emitors_tick;

void reset_effect_clocks() { marks_tick = emitors_tick = 0; }

int emitor_particles(const emitor_t& e) { return table_rows(e.count, emitor_particle_capacity); }

static float random_fraction(int modulus, float divisor) {
  return static_cast<float>(std::rand() % modulus) / divisor;
}

static float fire_decay() { return random_fraction(700, 1000.0f) + 1.0f; }
static float blood_decay() { return random_fraction(300, 1000.0f) + 1.5f; }

static void clear_particle(particle_t& p) {
  p.life = 0.0f;
  p.vx = p.vy = p.vz = 0.0f;
}

void init_particles() {
  for (particle_t& p : particle) {
    p.flag = 1;
    p.life = 1.0f;
    p.decay = fire_decay();
    p.vx = 0.0f;
    p.vy = 0.1f;
    p.vz = 0.0f;
  }
  for (auto& block : g_particle)
    for (particle_t& p : block) clear_particle(p);
  reset_marks();
}

void init_emitors() {
  for (emitor_t& e : emitor) e.in_use = 0;
  emitoru = 0;
  int size_x = table_rows(mapa_size_x, map_dim), size_z = table_rows(mapa_size_z, map_dim);
  int models = table_rows(modelu, model_capacity);
  for (int x = 0; x < size_x; ++x) {
    for (int z = 0; z < size_z; ++z) {
      int m = mapa_m[map_index(x, z)];
      if (m == no_model || !in_table(m, models) || !model_emitor[m]) continue;
      if (emitoru == emitor_capacity) return;
      emitor_t& e = emitor[emitoru++];
      e = emitor_t{};
      e.in_use = 1;
      e.kind = emitor_fire;
      e.count = fire_particle_count;
      e.x = static_cast<float>(x) + 0.5f;
      e.y = fire_height;
      e.z = static_cast<float>(z) + 0.5f;
      e.r = model_emitor_rgb[m][0];
      e.g = model_emitor_rgb[m][1];
      e.b = model_emitor_rgb[m][2];
      e.ay = fire_lift;
    }
  }
}

void add_emitor() {
  int i = 0;
  while (i < emitor_capacity && emitor[i].in_use) ++i;
  if (i == emitor_capacity) return;
  if (i >= emitoru) emitoru = i + 1;
  emitor_t& e = emitor[i];
  e = emitor_tmp;
  e.in_use = 1;
  e.burst = 1;
  int n = emitor_particles(e);
  for (int j = 0; j < n; ++j) clear_particle(g_particle[i][j]);
  if (e.kind == emitor_fire) e.count = fire_particle_count;
}

static int used_emitors() { return table_rows(emitoru, emitor_capacity); }

// One flame for every fire: stepped with the first fire's acceleration.
static void step_fire(float dt) {
  int n = used_emitors(), f = 0;
  while (f < n && emitor[f].kind != emitor_fire) ++f;
  if (f == n) return;
  const emitor_t& e = emitor[f];
  for (particle_t& p : particle) {
    p.ox += p.vx * dt;
    p.oy += p.vy * dt;
    p.oz += p.vz * dt;
    p.vx += e.ax * dt;
    p.vy += e.ay * dt;
    p.vz += e.az * dt;
    p.life -= p.decay * dt;
    if (p.life <= 0.0f) {
      p.flag = 1;
      p.life = 0.6f;
      p.ox = p.oy = 0.0f;
      p.decay = fire_decay();
      p.vx = p.vz = 0.0f;
      p.vy = 1.0f;
    }
  }
}

static void keep_in_map(float origin, float& offset, int size) {
  float edge = static_cast<float>(size) + edge_margin;
  if (origin + offset < 0.0f) offset = -origin;
  if (origin + offset > edge) offset = edge - origin;
}

// A live colliding particle: marks where it enters a wall and where it
// reaches the floor, and dies there.
static void collide(const emitor_t& e, particle_t& p, float old_x, float old_z) {
  float wx = e.x + p.ox, wy = e.y + p.oy, wz = e.z + p.oz;
  int v = test_map_v(wx, wz);
  if (v == cell_wall || v == cell_door_closed) {
    add_mark(wall_hit_side(old_x, old_z, wx, wz), wx, wy, wz, e.r, e.g, e.b);
    p.life = 0.0f;
  }
  if (wy <= 0.0f) {
    add_mark(mark_side_floor, wx, floor_mark_height, wz, e.r, e.g, e.b);
    p.life = 0.0f;
  }
}

static void respawn(const emitor_t& e, particle_t* block, int j) {
  particle_t& p = block[j];
  p.flag = 1;
  p.life = 1.0f;
  p.ox = p.oy = p.oz = 0.0f;
  if (e.kind == emitor_jet) {
    p.vx = e.pvx;
    p.vy = e.pvy;
    p.vz = e.pvz;
    p.decay = blood_decay();
    if (e.continuous && e.burst) p.oy = -random_fraction(50, 100.0f);
  } else if (e.kind == emitor_burst) {
    p.decay = j == 0 ? blood_decay() : block[0].decay;
    float alpha = static_cast<float>(std::rand() % 360) * degrees_to_radians;
    float beta = static_cast<float>(std::rand() % 360) * degrees_to_radians;
    float s = e.pvx * (random_fraction(50, 100.0f) + 0.5f);
    p.vx = -s * std::cos(alpha);
    p.vy = s * std::sin(beta);
    p.vz = s * std::sin(alpha);
  }
}

static void step_emitor_particles(emitor_t& e, particle_t* block, float dt) {
  int n = emitor_particles(e);
  for (int j = 0; j < n; ++j) {
    particle_t& p = block[j];
    float old_x = e.x + p.ox, old_z = e.z + p.oz;
    p.ox += (p.vx - e.vx) * dt;
    p.oy += (p.vy - e.vy) * dt;
    p.oz += (p.vz - e.vz) * dt;
    keep_in_map(e.x, p.ox, mapa_size_x);
    keep_in_map(e.z, p.oz, mapa_size_z);
    p.vx += e.ax * dt;
    p.vy += e.ay * dt;
    p.vz += e.az * dt;
    bool alive = p.life > 0.0f;
    if (!e.burst && e.leaves_marks && !alive) continue;
    if (e.leaves_marks && alive)
      collide(e, p, old_x, old_z);
    else
      p.life -= p.decay * dt;
    if (p.life <= 0.0f && (e.burst || e.continuous)) respawn(e, block, j);
  }
  e.burst = 0;
}

void process_particles() {
  float dt = motion_mix / t_scale;
  step_fire(dt);
  int n = used_emitors();
  for (int i = 0; i < n; ++i) {
    emitor_t& e = emitor[i];
    if (e.in_use && e.kind != emitor_fire) step_emitor_particles(e, g_particle[i], dt);
  }
  uint32_t now = GetTickCount();
  if (ticks_since(now, marks_tick) > housekeeping_ms) {
    age_marks();
    marks_tick = now;
  }
}

static bool any_particle_alive(int i) {
  int n = emitor_particles(emitor[i]);
  for (int j = 0; j < n; ++j)
    if (g_particle[i][j].life > 0.0f) return true;
  return false;
}

static void clamp_to_map(float& v, int size) {
  float edge = static_cast<float>(size) + edge_margin;
  if (!(v >= 0.0f)) v = 0.0f;
  if (v > edge) v = edge;
}

void process_emitors() {
  uint32_t now = GetTickCount();
  if (ticks_since(now, emitors_tick) > housekeeping_ms) {
    emitoru = used_emitors();
    while (emitoru > 0 && !emitor[emitoru - 1].in_use) --emitoru;
    // A free slot stays free: its particles vanished with it.
    for (int i = 0; i < emitoru; ++i) {
      emitor_t& e = emitor[i];
      if (e.in_use && e.kind != emitor_fire && !e.continuous) e.in_use = any_particle_alive(i) ? 1 : 0;
    }
    emitors_tick = now;
  }
  float dt = motion_mix / t_scale;
  int n = used_emitors();
  for (int i = 0; i < n; ++i) {
    emitor_t& e = emitor[i];
    if (!e.in_use || e.kind == emitor_fire) continue;
    e.x += e.vx * dt;
    e.y += e.vy * dt;
    e.z += e.vz * dt;
    clamp_to_map(e.x, mapa_size_x);
    clamp_to_map(e.z, mapa_size_z);
    if (test_map_v(e.x, e.z) != cell_free || e.y < lowest_emitor) e.in_use = 0;
  }
}
