// Seeds for the configuration fuzzer: files as the setup program writes them.
#include <iterator>
#include <string>

#include "seed_files.h"

int main(int argc, char** argv) {
  const char* seeds[] = {
      "<fullscreen> 0\n<resolution> 800 600\n<color_depth> 32\n<marks_life> 25.0\n",
      "<fullscreen> 1\n<resolution> 1024 768\n<color_depth> 16\n<marks_life> 5.5\n<MULTITEXTURING_DISABLE>\n",
      "<ultra_blood> <resolution> 640 480 <fullscreen> 0",
  };
  return write_seed_files(argc, argv, {std::begin(seeds), std::end(seeds)});
}
