#include "world/level_settings.h"

#include "world/level_paths.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>


float c_ambient_light[3] = {0.0f, 0.0f, 0.0f};
float c_wall_h = 4.0f;
float c_wall_cut = 2.2f;

// One value word read as "%f": a leading number counts, anything else leaves
// the target as it was.
static void read_number(const char* word, float& target) {
  char* end = nullptr;
  float v = std::strtof(word, &end);
  if (end != word) target = v;
}

void apply_level_settings(const char (*words)[level_setting_word_capacity], int count) {
  if (count > level_setting_capacity) count = level_setting_capacity;
  int i = 0;
  while (i < count) {
    const char* w = words[i];
    if (!std::strcmp(w, "<ambient_lightsource>")) {
      if (i + 3 >= count) break;
      for (int c = 0; c < 3; ++c) read_number(words[i + 1 + c], c_ambient_light[c]);
      i += 4;
    } else if (!std::strcmp(w, "<wall_height>")) {
      if (i + 1 >= count) break;
      read_number(words[i + 1], c_wall_h);
      i += 2;
    } else if (!std::strcmp(w, "<wall_height_cut>")) {
      if (i + 1 >= count) break;
      read_number(words[i + 1], c_wall_cut);
      i += 2;
    } else if (!std::strcmp(w, "<next_level>")) {
      if (i + 1 >= count) break;
      std::snprintf(c_next_filename, sizeof c_next_filename, "%s", words[i + 1]);
      i += 2;
    } else {
      ++i;
    }
  }
}
