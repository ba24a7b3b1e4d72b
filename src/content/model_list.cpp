#include "content/model_list.h"

#include <cstring>

#include "base/loading_log.h"
#include "content/definition_words.h"
#include "content/model_definition.h"
#include "content/models.h"
#include "content/tagged_reader.h"
#include "formats/md2.h"

static void clear_model_tables() {
  for (int m = 0; m < model_capacity; ++m) {
    md2_freeModel(model[m]);
    model[m] = nullptr;
  }
  std::memset(model_d_list, 0, sizeof model_d_list);
  std::memset(model_list, 0, sizeof model_list);
  std::memset(model_t_list, 0, sizeof model_t_list);
  std::memset(model_emitor_rgb, 0, sizeof model_emitor_rgb);
  for (trigger_t& p : trigger_prototype) p = trigger_t{};
  for (light_t& l : light_type) l = light_t{};
  modelu = 0;
  trigger_prototypu = 0;
  light_typu = 0;
}

static void read_model_list(tagged_reader& list) {
  while (!list.at_end()) {
    if (modelu >= model_capacity) {
      log_content_failure("data/model.list", "too many models");
      return;
    }
    int m = modelu;
    reset_model_row(m);
    // A name too long for the table keeps its row, with defaults, so that the
    // rows after it keep their indices.
    if (!read_name(list, model_d_list[m]))
      log_content_failure("data/model.list", "name too long");
    else if (!read_model_definition(model_d_list[m], m))
      log_content_failure(model_d_list[m]);
    modelu = m + 1;
  }
}

static void load_meshes() {
  for (int m = 0; m < modelu; ++m) {
    // No <model> at all (or an unreadable definition, already on the log):
    // there is no path to read.
    if (!model_list[m][0] || !std::strcmp(model_list[m], no_mesh_model)) continue;
    draw_loading(model_list[m]);
    model[m] = md2_readModel(model_list[m]);
    if (!model[m]) {
      mark_loading_failed();
      continue;
    }
    md2_generateLightNormals(model[m]);
  }
}

void load_models() {
  clear_model_tables();
  draw_loading("data/model.list");
  tagged_reader list;
  if (!list.open("data/model.list")) {
    mark_loading_failed();
    return;
  }
  read_model_list(list);
  load_meshes();
}

