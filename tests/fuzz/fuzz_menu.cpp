// data/menu and the savegame slot labels through load_menu (which reads the
// labels first); the same bytes serve as both files. Every value item must
// name an item of its menu and a value the game can show.
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "base/player_settings.h"  // is_setting_value
#include "frontend/menu_table.h"
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
  for (int i = 0; i < menus; ++i) {
    const menu_t& m = menu[i];
    if (m.value_count < 0 || m.value_count > menu_value_capacity) std::abort();
    for (int v = 0; v < m.value_count; ++v) {
      const menu_value_item& item = m.value_item[v];
      if (item.item < 0 || item.item >= m.item_count || !memchr(item.name, 0, sizeof item.name) ||
          !is_setting_value(item.name))
        std::abort();
    }
  }
  return 0;
}
