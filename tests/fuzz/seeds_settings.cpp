// Seeds for the settings fuzzer: files as the game writes them, with a line it
// does not know.
#include <iterator>
#include <string>

#include "seed_files.h"

int main(int argc, char** argv) {
  const char* seeds[] = {
      "<volume> 100\n<vsync> 1\n<pad_sensitivity> 5\n<rumble> 1\n",
      "<volume> 40\n<vsync> 0\n<pad_sensitivity> 10\n<rumble> 0\n# notes\n<later_tag> 3 4\n",
      "<volume> 101\r\n<vsync> x\r\n",
  };
  return write_seed_files(argc, argv, {std::begin(seeds), std::end(seeds)});
}
