// Valid data/player files for the fuzz corpus.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string dir = argv[1];
  std::ofstream(dir + "/player_full")
      << "<model> data/fuzz.md2 <texture> skin.tga <texture_pain> pain.tga\n"
         "<sound_pain> au.wav <sound_death> death.wav <health_pain> 30 <speed> 2.5\n"
         "<anim_stop> stand <anim_chuze> byframes 2 4 <anim_utok> attack <anim_smrt> death\n";
  std::ofstream(dir + "/player_order") << "<anim_stop> run <speed> fast <model> data/fuzz.md2 <anim_smrt> byframes 6 7\n";
  return 0;
}
