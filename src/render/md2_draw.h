// Drawing MD2 models through GL; the models themselves are formats/md2's.
#pragma once
#include "formats/md2.h"
#include "render/frame_stats.h"  // g_triangles, raised by each model drawn

// Draws the blend of two frames with the current texture, colour and matrices.
// Frame numbers outside the model draw nothing.
void md2_drawModel(const md2_model_t* model, int frameA, int frameB, float t);
