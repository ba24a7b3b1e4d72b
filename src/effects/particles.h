// Particles and emitters: fire on the models that carry one, and blood from
// hits. An emitter owns a fixed block of particles; blood particles collide
// with walls and the floor and leave marks there. Everything is simulated in
// world units and stepped once per drawn frame.
#pragma once
#include <cstdint>

constexpr int emitor_capacity = 2048;
constexpr int emitor_particle_capacity = 120;  // particles per emitter
constexpr int fire_particle_count = 20;        // shared by every fire

// Emitter kinds.
constexpr int32_t emitor_jet = 0;
constexpr int32_t emitor_fire = 1;
constexpr int32_t emitor_burst = 2;

struct emitor_t {
  int32_t in_use;
  int32_t burst;         // particles not yet (re)spawned since add_emitor
  int32_t continuous;    // dead particles respawn while the emitter lives
  int32_t leaves_marks;  // particles collide, leave marks and do not age
  float x, y, z;
  float r, g, b;
  float vx, vz, vy;     // the emitter's own velocity
  float pvx, pvz, pvy;  // jets: particle start velocity; bursts: pvx is the speed
  int32_t kind;
  float ax, ay, az;  // particle acceleration
  int32_t count;     // particles, at most emitor_particle_capacity
};

struct particle_t {
  uint8_t flag;
  float life;   // <= 0 dead; also the opacity
  float decay;  // life per second
  float ox, oy, oz;  // offset from the emitter
  float vx, vy, vz;
};

extern emitor_t emitor[emitor_capacity];
extern int emitoru;  // one past the highest slot that may be in use
extern emitor_t emitor_tmp;  // filled by creators before add_emitor
extern particle_t g_particle[emitor_capacity][emitor_particle_capacity];
extern particle_t particle[fire_particle_count];  // the one flame all fires show

// Level start: the shared flame, every emitter's particles and the marks.
void init_particles();
// Level start, after the world build: frees every emitter and lights one fire
// per model cell whose model carries one.
void init_emitors();
// Copies emitor_tmp into the lowest free slot; a full table creates nothing.
void add_emitor();
// Moves particles, handles their collisions and respawns, and ages the marks
// on the 100 ms tick.
void process_particles();
// Moves emitters and frees the finished ones (on the 100 ms tick).
void process_emitors();
// Both 100 ms ticks as at start-up, for a new run of the same play.
void reset_effect_clocks();

// The particles an emitter draws (its count held to the block).
int emitor_particles(const emitor_t& e);
