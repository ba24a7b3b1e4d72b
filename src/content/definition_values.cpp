#include "content/definition_values.h"

#include <cstdio>
#include <cstring>

#include "base/table_index.h"
#include "content/definition_words.h"
#include "content/models.h"
#include "content/tagged_reader.h"
#include "content/texture_list.h"
#include "formats/md2.h"

void read_texture_index(tagged_reader& reader, int32_t& index) {
  char name[content_name_capacity];
  if (!read_name(reader, name)) return;
  int found = find_texture(name);
  if (found >= 0) index = found;
}

void read_model_index(tagged_reader& reader, int32_t& index) {
  char name[content_name_capacity];
  if (!read_name(reader, name)) return;
  int found = find_model_by_mesh(name);
  if (found >= 0) index = found;
}

static void find_named_animation(int32_t model_index, const char* name, int32_t range[2]) {
  if (!in_table(model_index, model_capacity)) return;
  md2_model_t* mesh = model[model_index];
  if (!mesh) return;
  int count = md2_getAnimationCount(mesh);
  for (int k = 0; k < count; ++k) {
    md2_getAnimationName(mesh, k);
    if (std::strcmp(aname, name) != 0) continue;
    md2_getAnimationFrames(mesh, k);
    range[0] = astart;
    range[1] = aend;
    return;
  }
}

void read_animation(tagged_reader& reader, int32_t model_index, int32_t range[2],
                    animation_forms forms) {
  char name[tag_word_capacity];
  if (!reader.word(name)) return;
  if (forms == animation_forms::names_and_frames && !std::strcmp(name, "byframes")) {
    reader.scan(" %d %d ", &range[0], &range[1]);
    return;
  }
  find_named_animation(model_index, name, range);
}
