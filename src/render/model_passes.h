// The models the frame draws: level models on their cells (doors open by
// their trigger), the player with the held weapon, the enemies, and the blob
// shadows. Each model is lit by GL_LIGHT1 set from the light sample of its
// cell or of the entity.
#pragma once

struct view_window;

// Level-model step for cell (x, z) in texture pass t: draws the cell's model
// when its skin is texture t. `texture_selected` is the pass's own flag.
void draw_level_model(int x, int z, int t, bool& texture_selected);
void draw_player_pass();
void draw_enemy_pass();
void draw_shadow_pass(const view_window& window);
void draw_shadow(float x, float y, float z, float size);

// A door's cell kind for opening state w (0 closed ... 1 open): 2 below 0.5,
// 3 from 0.5 below 1, 0 at exactly 1.
int door_cell_kind(float w);
// Where a model with `quarter_turns` lands in cell (x, z) so that a model
// filling the unit square fills the cell in every orientation.
void model_cell_offset(int quarter_turns, int& dx, int& dz);
// An enemy is drawn (and casts a shadow) when visible, near the player and lit.
bool enemy_in_view(int k);
