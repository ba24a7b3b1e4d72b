// libFuzzer target for the level source reader and the level compiler:
// arbitrary bytes are read as a level source and, when they form a level,
// compiled against a small fixed content (groups, lightmap layout and bake
// included), so hostile rows, legends and settings reach every step.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "actors/enemies.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "levels/level_compile.h"
#include "levels/level_source.h"

namespace {

// Larger levels are valid but slow to bake; the fuzzer learns nothing more.
constexpr int fuzz_max_cells = 64 * 64;

void set_up_content() {
  textur = 0;
  for (const char* name : {"w", "f"}) std::snprintf(textura_list[textur++], content_name_capacity, "%s", name);
  trigger_prototype[0] = trigger_t{};
  trigger_prototype[0].kind = trigger_door;
  trigger_prototype[0].is_door = 1;
  trigger_prototypu = 1;
  light_type[0] = {0.5f, 1.2f, 0.5f, 1.0f, 0.6f, 0.3f, 5.0f};
  light_typu = 1;
  modelu = 0;
  for (const char* name : {"door", "torch", "crate"}) {
    std::snprintf(model_d_list[modelu], content_name_capacity, "%s", name);
    model_trigger[modelu] = -1;
    model_light_type[modelu] = -1;
    model_light_type2[modelu] = -1;
    ++modelu;
  }
  model_trigger[0] = 0;
  model_light_type[1] = 0;
  std::snprintf(imp_prototype[0].name, imp_name_capacity, "grunt");
  impu_prototype = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool content = (set_up_content(), true);
  (void)content;
  diagnostics sink;
  recipe source("fuzz.txt", sink);
  source.parse(std::string(reinterpret_cast<const char*>(data), size));
  level_source level;
  if (!read_level_source(source, level) || level.width() * level.depth() > fuzz_max_cells) return 0;
  compiled_level compiled;
  compile_level(source, level, compiled);
  return 0;
}
