// Valid data/weapons files for the fuzz corpus.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string dir = argv[1];
  std::ofstream(dir + "/weapons_two")
      << "<all_weapons_sound_empty_magazine> click.wav <all_doors_sound_no_key> locked.wav\n"
         "<weapon> pistol <model> data/fuzz.md2 <texture> skin.tga <hud_texture> hud.tga\n"
         "<sound_fire> bang.wav <sound_reload> reload.wav <shoot_delay> 300 <reload1_delay> 100\n"
         "<reload2_delay> 200 <reload3_delay> 100 <bullets/shell> 1 <damage> 10 <ammo/magazine> 8\n"
         "<max_ammo> 64 <bullet_speed> 40 <ammo/reload> 8 <anim_fire> attack <anim_reload1> byframes 0 1\n"
         "<anim_reload2> run <anim_reload3> stand <anim_death> death\n"
         "<weapon> minigun <anim_fire_loop> <anim_fire> run <damage> 4 <bullets/shell> 3\n";
  std::ofstream(dir + "/weapons_early_tags") << "<damage> 5 <anim_fire_loop> <weapon> knife <damage> 50\n";
  return 0;
}
