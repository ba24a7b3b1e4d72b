// Seeds for the configuration fuzzer: files as the setup program writes them.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const char* seeds[] = {
      "<fullscreen> 0\n<resolution> 800 600\n<color_depth> 32\n<marks_life> 25.0\n",
      "<fullscreen> 1\n<resolution> 1024 768\n<color_depth> 16\n<marks_life> 5.5\n<MULTITEXTURING_DISABLE>\n",
      "<ultra_blood> <resolution> 640 480 <fullscreen> 0",
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
