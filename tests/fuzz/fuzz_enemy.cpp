// data/enemy through load_imp_prototype.
#include "actors/enemies.h"
#include "fuzz/definition_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  load_fuzz_content();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write_fuzz_input("data/enemy", data, size);
  for (imp_prototype_t& t : imp_prototype) t = imp_prototype_t{};
  load_imp_prototype();
  return 0;
}
