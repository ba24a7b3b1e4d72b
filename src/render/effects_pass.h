// The effects pass of a frame: marks, fire and blood particles drawn as
// blended quads without depth writes, then one step of the particle and
// emitter simulation.
#pragma once

struct view_window;

constexpr const char* blood_texture = "data/textures/particles/blood_wm.tga";
constexpr const char* particle_texture = "data/textures/particles/particle.tga";

// Every live mark, with the blood texture already bound.
void draw_marks();
// Emitter i's particles, with the matrix already at its position and its
// texture bound.
void draw_particles(int i);
// The whole pass, after the enemies and before the shadows.
void draw_effects_pass(const view_window& window);
