// Bullets: pellets of the player's and the enemies' shots, traced through the
// grid in 0.1-cell steps within the frame they are fired. A wall or closed
// door stops a pellet with a mark; an enemy (or, for enemy shots, the player)
// in the cell it enters takes its damage and bleeds.
#pragma once
#include <cstdint>

constexpr int bullet_slots = 500;     // slots in use
constexpr int bullet_capacity = 504;  // room in the tables
constexpr float bullet_step = 0.1f;
constexpr float bullet_range = 50.0f;  // bullet_s at which a pellet ends

struct bullet_t {
  int32_t damage;
};

extern float bullet_x[bullet_capacity], bullet_z[bullet_capacity];
extern float bullet_uhel[bullet_capacity];  // degrees; 0 moves towards decreasing z
extern float bullet_s[bullet_capacity];     // distance travelled, from 1.0
extern float bullet_v[bullet_capacity];     // -1: traced at once
extern int32_t bullet_active[bullet_capacity];
extern bullet_t bullets[bullet_capacity];

// Level start: every slot free and traced at once.
void reset_bullets();

// The pellet offsets of a shot with `shells` pellets: i runs from -half to
// +half, each pellet 2 * i degrees off the aim. An even count gets one more
// pellet (2 gives 3); 1 or less gives one; far more than the table holds is
// cut to it.
int pellet_half_spread(int32_t shells);

// Aim jitter of one pellet: -0.5 ... +0.4 degrees in tenths.
float pellet_jitter();

// Takes the first free slot for a pellet at (x, z) flying at `uhel`; -1 when
// every slot is busy (the pellet is dropped).
int launch_bullet(float x, float z, float uhel, int32_t damage);

// Traces slot j until it ends. `ignore` is the mapa_e mark the pellet passes
// (the shooter's own; -1 for the player). A hit enemy cries when `cry` is set
// (player shots).
void trace_bullet(int j, int ignore, bool cry);

// Hit points taken without wrapping round the int32 range.
void take_health(int32_t& health, int32_t damage);
