// Marks: small coloured decals on wall faces and the floor where blood or a
// bullet struck. They fade at the end of their life; on cells with a trigger
// (doors and items that move or vanish) they live only briefly.
#pragma once
#include <cstdint>

constexpr int mark_capacity = 8192;
constexpr float mark_trigger_life = 1.5f;  // seconds on a trigger cell
constexpr float mark_half_size = 0.2f;

// Sides passed to add_mark: which way the hitter moved into the wall.
constexpr int mark_side_from_pos_z = 0;  // moved towards -z: the wall's +z face
constexpr int mark_side_none = 1;
constexpr int mark_side_from_neg_x = 2;  // moved towards +x: the wall's -x face
constexpr int mark_side_from_pos_x = 3;  // moved towards -x: the wall's +x face
constexpr int mark_side_floor = 4;

// How the quad stands.
constexpr int mark_facing_z = 0;  // across z: a face of constant z
constexpr int mark_facing_x = 1;  // across x: a face of constant x
constexpr int mark_facing_floor = 2;

// Savegames store this record field by field; keep the order.
struct mark_t {
  uint8_t alive;
  int32_t facing;
  float life;   // also the quad's opacity
  float decay;  // life lost per ageing tick
  float r, g, b;
  float x, y, z;
};

extern mark_t mark[mark_capacity];
extern int marku;  // one past the highest slot that may be alive

// The side of a wall hit from the positions before and after the move into
// it (their cells by truncation).
int wall_hit_side(float old_x, float old_z, float new_x, float new_z);

// Creates a mark in the first free slot; a full table drops it.
void add_mark(int side, float x, float y, float z, float r, float g, float b);

// Level start: no marks.
void reset_marks();

// The 100 ms housekeeping: shrink and compact the table, then age every mark.
void age_marks();
