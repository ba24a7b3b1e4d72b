// Valid data/menu files for the fuzz corpus (the model and texture names are
// those of the fuzz content).
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string dir = argv[1];
  std::ofstream(dir + "/menu_full")
      << "<menu> main\n<texture_bg> hud.tga\n<model> data/fuzz.md2\n<texture> skin.tga\n"
         "<menu_item> game\n<menu_item> menu:load\n<menu_item> quit\n<esc_item> game\n\n"
         "<menu> load\n<model> !void!\n<menu_item> load:data/savegame/slot1\n<menu_item> menu:main\n"
         "<savegame_slot> 304 , 335\n<savegame_slot> 304 , 417\n<savegame_slot> 304 , 499\n<esc_item> menu:main\n";
  std::ofstream(dir + "/menu_values")
      << "<menu> options\n<model> data/fuzz.md2\n<value_item> volume 710 , 323\n<value_item> vsync 710 , 392\n"
         "<value_item> heavy_blood\n<value_item> nosuch 1 , 2\n<menu_item> menu:main\n<esc_item> menu:main\n";
  std::ofstream(dir + "/labels") << "Prazdno_/_Empty\n6.12.2026_14:05\nPrazdno_/_Empty\n";
  return 0;
}
