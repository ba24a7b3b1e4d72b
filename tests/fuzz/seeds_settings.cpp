// Seeds for the settings fuzzer: files as the game writes them, with a line it
// does not know.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const char* seeds[] = {
      "<volume> 100\n<vsync> 1\n<pad_sensitivity> 5\n<rumble> 1\n",
      "<volume> 40\n<vsync> 0\n<pad_sensitivity> 10\n<rumble> 0\n# notes\n<later_tag> 3 4\n",
      "<volume> 101\r\n<vsync> x\r\n",
  };
  int n = 0;
  for (const char* seed : seeds) {
    std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fputs(seed, f);
      std::fclose(f);
    }
  }
  return 0;
}
