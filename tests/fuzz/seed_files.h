// The seeders' common end: each seed written whole to DIR/seedN, DIR being
// the seeder's one argument. Returns the seeder's exit status (2: no DIR).
#pragma once
#include <cstdio>
#include <string>
#include <vector>

inline int write_seed_files(int argc, char** argv, const std::vector<std::string>& seeds) {
  if (argc != 2) return 2;
  int n = 0;
  for (const std::string& seed : seeds) {
    const std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(seed.data(), 1, seed.size(), f);
      std::fclose(f);
    }
  }
  return 0;
}
