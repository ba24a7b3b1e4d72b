// Seeds for fuzz_definitions_check: a valid text for each file it picks.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string seeds[] = {
      std::string(1, '\0') + "data/models/a.def data/models/a.def\n",
      std::string(1, '\1') + "<model> !void! <trigger> door_locked 1.5 k <light_source> r(4)rgb(1 1 1)xyz(0.5 2 0.5)\n"
                             "<emitor> fire 1 0.5 0 <trigger_message> Hello <noshadow>\n",
      std::string(1, '\2') + "<all_weapons_sound_empty_magazine> data/s.wav <all_doors_sound_no_key> data/s.wav\n"
                             "<weapon> gun <model> data/models/a.md2 <damage> 4 <anim_fire> byframes 0 2\n",
      std::string(1, '\3') + "<model> data/models/a.md2 <texture> data/t.tga <health_pain> 30 <anim_smrt> run\n",
      std::string(1, '\4') + "<name> imp <speed> 1.5 <next_enemy_type> <name> ogre <range> 4\n",
      std::string(1, '\5') + "<menu> main <menu_item> menu:other <menu> other <savegame_slot> 3 , 4 <model> !void!\n",
  };
  int n = 0;
  for (const std::string& seed : seeds)
    std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary) << seed;
  return 0;
}
