// Runs a test inside a fresh empty directory, so the game's relative paths
// ("data/opengl", "data/tmp", ...) land there and nowhere else.
#pragma once
#include <string>

class scratch_dir {
 public:
  scratch_dir();   // creates the directory and changes into it
  ~scratch_dir();  // changes back and removes it with everything inside
  const std::string& path() const { return path_; }

 private:
  std::string path_, previous_;
};

// Writes text or bytes to a file below the current directory, creating folders.
void write_file(const std::string& path, const std::string& bytes);
// Reads a whole file; empty when missing.
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
