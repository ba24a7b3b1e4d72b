// kel-forge's checks of the demo's definition files on arbitrary text: the
// first byte picks the file (model.list, a model definition, weapons,
// player, enemy, menu) and the rest replaces it in an otherwise consistent
// demo; every problem must come out as a report.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "checks/definitions_check.h"
#include "common/recipe.h"

namespace {

// The consistent demo every input starts from, file by file; the first byte
// of an input picks which file it replaces.
struct demo_file {
  const char* name;
  const char* text;
};
const demo_file base[] = {
    {"model.list", "data/models/a.def\n"},
    {"models/a.def", "<model> data/models/a.md2 <texture> data/t.tga <trigger> item key k\n"},
    {"weapons",
     "<all_weapons_sound_empty_magazine> data/s.wav <all_doors_sound_no_key> data/s.wav\n"
     "<weapon> gun <model> data/models/a.md2 <anim_fire> run <anim_death> byframes 0 1\n"},
    {"player", "<model> data/models/a.md2 <anim_stop> run <anim_utok> run <speed> 1\n"},
    {"enemy", "<name> imp <model> data/models/a.md2 <anim_smrt> byframes 0 1 <next_enemy_type>\n"},
    {"menu", "<menu> main <texture_bg> data/textures/bg.jpg <menu_item> quit <savegame_slot> 1 , 2 <esc_item> menu:main\n"},
    {"textures/bg.txt", "backdrop size=16\nmenu top=100\nmenu_item \"A\"\n"},
};
constexpr int fuzzed_files = 6;  // all but the backdrop

void write(const std::string& name, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path("demo/" + name).parent_path());
  std::ofstream("demo/" + name, std::ios::binary | std::ios::trunc) << text;
}

definition_catalogue make_catalogue() {
  for (const demo_file& f : base) write(f.name, f.text);
  definition_catalogue c;
  c.textures = {"data/t.tga", "data/textures/bg.jpg"};
  c.sounds = {"data/s.wav"};
  c.meshes["data/models/a.md2"] = mesh_facts{3, {{"run", 0, 2}}, "demo/textures/bg.txt"};
  c.definitions = {"data/models/a.def"};
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const definition_catalogue catalogue = make_catalogue();
  if (size == 0) return 0;
  const demo_file& target = base[data[0] % fuzzed_files];
  write(target.name, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  diagnostics sink;
  check_definitions("demo", catalogue, sink);
  write(target.name, target.text);
  return 0;
}
