// Any bytes as an MD2 file: the reader either refuses them or hands back a
// model on which every later call (normals, box, animations, and the walk
// that drawing does) stays inside the model's blocks.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "formats/md2.h"

static void use_like_the_game(md2_model_t* model) {
  md2_generateLightNormals(model);
  float box[6];
  md2_getBoundingBox(model, box);
  const int animations = md2_getAnimationCount(model);
  for (int a = 0; a <= animations; ++a) {
    md2_getAnimationName(model, a);
    md2_getAnimationFrames(model, a);
  }
  if (model->numFrames <= 0) return;  // drawing needs a frame to show
  // What md2_drawModel does, minus the GL calls.
  int position = 0;
  md2_gl_packet packet;
  float sink = 0;
  while (md2_next_gl_packet(model, position, packet))
    for (int i = 0; i < packet.count; ++i) {
      const int32_t* entry = packet.words + md2_gl_vertex_words * i;
      float p[3], n[3];
      md2_blend_vertex(model, 0, model->numFrames - 1, 0.5f, md2_gl_vertex_index(entry), p, n);
      sink += md2_gl_s(entry) + md2_gl_t(entry) + p[0] + n[0];
    }
  volatile float keep = sink;
  (void)keep;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* f = std::fopen("fuzz.md2", "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  md2_model_t* model = md2_readModel("fuzz.md2");
  if (model) use_like_the_game(model);
  md2_freeModel(model);
  return 0;
}
