// data/player through load_player and the start-up copy.
#include "actors/player.h"
#include "fuzz/definition_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  load_fuzz_content();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write_fuzz_input("data/player", data, size);
  players[player_definition_slot] = player_t{};
  load_player();
  init_live_player();
  return 0;
}
