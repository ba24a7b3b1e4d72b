// Valid data/enemy files for the fuzz corpus.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string dir = argv[1];
  std::ofstream(dir + "/enemy_two")
      << "<name> guard <model> data/fuzz.md2 <texture> skin.tga <texture_pain> pain.tga\n"
         "<health> 40 <health_pain> 15 <speed> 1.5 <range> 8 <shoot_delay> 900 <shoot_delay_2> 300\n"
         "<damage> 7 <bullets/shell> 3 <sound_sight> halt.wav <sound_shoot> shot.wav\n"
         "<sound_pain> ow.wav <sound_death> ugh.wav\n"
         "<anim_stop> stand <anim_chuze> run <anim_utok> byframes 5 5 <anim_smrt> death\n"
         "<next_enemy_type>\n"
         "<name> rat <anim_chuze> run <model> data/fuzz.md2 <speed> 3\n";
  return 0;
}
