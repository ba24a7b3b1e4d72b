#include "core/engine_config.h"

#include <cstdlib>
#include <cstring>

#include "base/play_options.h"
#include "content/tagged_reader.h"
#include "platform/display_settings.h"
#include "platform/message_box.h"
#include "platform/multitexture.h"
#include "platform/setup_launcher.h"

// The configuration's token buffer: longer tokens are cut (and never match a tag).
constexpr size_t config_token_capacity = 124;

void read_engine_config(tagged_reader& reader) {
  char token[config_token_capacity];
  while (reader.word(token)) {
    if (!std::strcmp(token, "<resolution>")) {
      reader.scan(" %d %d ", &resolution_x, &resolution_y);
    } else if (!std::strcmp(token, "<color_depth>")) {
      reader.scan(" %d ", &color_depth);
    } else if (!std::strcmp(token, "<fullscreen>")) {
      int flag;
      if (reader.scan(" %d ", &flag) == 1) fullscreen = flag != 0;
    } else if (!std::strcmp(token, "<marks_life>")) {
      reader.scan(" %f ", &c_marks_life);
    } else if (!std::strcmp(token, "<ultra_blood>")) {
      c_ultra_blood = 1;
    } else if (!std::strcmp(token, "<MULTITEXTURING_DISABLE>")) {
      MULTITEXTURING = 0;
    }
  }
}

void load_initGL() {
  tagged_reader reader;
  if (!reader.open(engine_config_path)) {
    run_setup_and_wait();
    if (!reader.open(engine_config_path)) {
      MessageBoxA(nullptr, "Nelze nacist: data/opengl", "ERROR", MB_OK | MB_ICONWARNING);
      std::exit(1);
    }
  }
  read_engine_config(reader);
}
