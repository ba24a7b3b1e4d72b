// A model definition file through load_models. The list names the same
// definition twice after a real model, so that what one model leaves in the
// tables meets the next one; load_models clears its own tables each run.
#include "content/model_list.h"
#include "fuzz/definition_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  load_fuzz_content();
  std::ofstream("data/model.list") << "data/fuzz_model data/fuzz_input data/fuzz_input\n";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write_fuzz_input("data/fuzz_input", data, size);
  load_models();
  return 0;
}
