// data/menu and the savegame slot labels through load_menu (which reads the
// labels first); the same bytes serve as both files.
#include <sys/stat.h>

#include "frontend/menu_file.h"
#include "frontend/savegame_slots.h"
#include "fuzz/definition_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  load_fuzz_content();
  mkdir("data/savegame", 0777);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write_fuzz_input(menu_file_path, data, size);
  write_fuzz_input(savegame_slots_path, data, size);
  load_menu();
  return 0;
}
