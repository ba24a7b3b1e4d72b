// data/weapons through load_weapons.
#include "actors/weapons.h"
#include "fuzz/definition_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  load_fuzz_content();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write_fuzz_input("data/weapons", data, size);
  for (weapon_t& w : weapon) w = weapon_t{};
  weaponu = 0;
  load_weapons();
  return 0;
}
