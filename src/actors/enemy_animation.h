// Enemy animation: the standing, walking and attacking loops at 15 frames per
// second, and the death played once at 40 with the body sliding back, which
// rests on its last frame.
#pragma once

constexpr float death_slide_speed = 0.5f;  // cells per second

// One animation step of enemy k by its anim_state.
void anim_imp(int k);
