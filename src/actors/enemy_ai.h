// Enemy behaviour: enemies stand until they see the player along a ray
// through the grid, then walk axis by axis to where they last saw the player
// and at intervals decide whether to attack. Enemies more than 20 cells away
// are frozen.
#pragma once
#include <cstdint>

constexpr float enemy_reaction_distance = 20.0f;
constexpr float sight_ray_step = 0.1f;
constexpr float think_idle = 0.75f;      // seconds to the next decision out of sight or range
constexpr float think_declined = 0.1f;   // after a decision not to attack
constexpr float think_least_attack = 0.5f;

// Level start: every enemy idle, unseen, on frame 0.
void ai_init();
// Level start: every enemy at its type's full health.
void ai_init_health();
// One frame of all enemies.
void ai_process();

// ---- the pieces, apart from the tables ----

// Unit steps along the line (dx, dz): the larger axis moves 1, the other its
// share, each with the sign of its difference. False, with both steps 0, when
// there is no direction (both 0, or not finite).
bool axis_steps(float dx, float dz, float& sx, float& sz);

struct sight_result {
  bool seen;            // the ray reached the player
  bool touched_solid;   // it entered a non-free cell on the way
  bool crossed_ajar;    // it crossed a half-open door
  float rx, rz;         // where it stopped
};
// Marches from (x, z) towards (px, pz) in tenth-cell steps along the main
// axis; walls, closed doors and barriers stop it, half-open doors do not.
// Always ends: a bounded number of steps.
sight_result sight_ray(float x, float z, float px, float pz);

// The attack chance in percent at distance d: 100 at contact, 50 at range.
float attack_chance(float d, float range);

// The body angle that faces (target_x, target_z) from (x, z).
float heading_to(float x, float z, float target_x, float target_z);
