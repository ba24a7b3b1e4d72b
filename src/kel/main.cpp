// The game program: joins its arguments into one command line and runs the game.
#include <string>

#include "kel/main_loop.h"

int main(int argc, char** argv) {
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  return WinMain(command_line.c_str());
}
