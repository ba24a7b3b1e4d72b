// Seeds for the setup program's reader: files as it writes them and as
// players may have edited them.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const char* seeds[] = {
      "<fullscreen> 0\n<resolution> 1024 768\n<color_depth> 32\n<marks_life> 25.0\n<MULTITEXTURING_DISABLE>\n",
      "<ultra_blood> <resolution> 720 576 <fullscreen> 1",
      "<resolution> 1600 <fullscreen> x",
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
