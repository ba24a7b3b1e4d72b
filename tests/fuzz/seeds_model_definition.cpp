// Valid model definition files for the fuzz corpus: every tag and trigger kind.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string dir = argv[1];
  std::ofstream(dir + "/door_locked")
      << "<model> data/fuzz.md2 <texture> skin.tga <trigger_message> Locked <trigger_sound> door.wav\n"
         "<trigger> door_locked 2.5 red_key <noshadow>\n";
  std::ofstream(dir + "/door") << "<model> data/fuzz.md2 <trigger> door 1.5 <trigger_message> Door\n";
  std::ofstream(dir + "/items") << "<model> !void! <trigger> item medikit 25 100 <trigger> item ammo pistol 12\n"
                                   "<trigger> item weapon shotgun <trigger> item key red_key\n";
  std::ofstream(dir + "/torch")
      << "<model> !void! <emitor> fire 1 0.5 0 <light_source> r ( 5 ) rgb ( 1 0.5 0 ) xyz ( 0.5 2 0.5 )\n"
         "<light_source2> r(3)rgb(0 0 1)xyz(0.5 1 0.5)\n";
  return 0;
}
