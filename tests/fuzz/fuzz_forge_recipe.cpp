// libFuzzer target for the forge's recipe reader: arbitrary bytes are parsed
// as a recipe and then read the way each recipe kind reads it (picture,
// sound, list), so the typed reads and every painter see hostile values.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "checks/content_lists.h"
#include "common/recipe.h"
#include "common/text_render.h"
#include "pictures/picture_recipe.h"
#include "sounds/sound_recipe.h"

namespace {
// Large pictures and long sounds are valid but slow; the fuzzer learns
// nothing more from them.
constexpr int fuzz_picture_side = 16;
constexpr double fuzz_sound_seconds = 0.25;

// True when the header's `name` is absent (and `absent_ok`) or its value
// passes `check`.
template <typename Check>
bool header_within(recipe& r, const char* name, bool absent_ok, Check check) {
  if (r.entries().empty()) return true;
  for (const recipe_argument& a : r.entries()[0].arguments)
    if (a.name == name) {
      diagnostics quiet;
      recipe probe("probe", quiet);
      probe.parse(std::string("x ") + name + "=" + a.value.text);
      if (probe.entries().empty()) return false;
      recipe_args args(probe, probe.entries()[0]);
      return check(args);
    }
  return absent_ok;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static font_library fonts(default_font_dir);
  std::string text(reinterpret_cast<const char*>(data), size);
  diagnostics sink;
  recipe r("fuzz.txt", sink);
  r.parse(text);
  bool short_sound = header_within(r, "length", true, [](recipe_args& a) {
    double seconds = 0;
    return a.number("length", seconds, 0, fuzz_sound_seconds);
  });
  bool small_picture = header_within(r, "size", false, [](recipe_args& a) {
    int w = 0, h = 0;
    return a.size("size", w, h, 1, fuzz_picture_side);
  });
  if (!r.entries().empty() && r.entries()[0].keyword.text == "sound") {
    synthesized_sound sound;
    if (short_sound) synthesize_sound(r, sound);
  } else if (small_picture) {
    picture p;
    paint_picture(r, fonts, p);
  }
  check_content_list("fuzz.list", text, texture_list_rules, {"data/a.tga"}, sink);
  return 0;
}
