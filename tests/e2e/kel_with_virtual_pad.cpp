// The game with a pad that a test script plays: SDL's virtual game controller,
// driven by lines the script appends to ./pad.in while the game runs:
//   plug | unplug | axis NAME VALUE (-1..1) | press NAME | release NAME
// Axis names: leftx lefty rightx righty lefttrigger righttrigger; buttons:
// a b x y back start leftshoulder rightshoulder up down left right.
// Everything else is the kel program.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "kel/main_loop.h"

namespace {

SDL_Joystick* stick = nullptr;
int stick_index = -1;
std::streamoff read_up_to = 0;

int axis_named(const std::string& name) {
  const char* names[] = {"leftx", "lefty", "rightx", "righty", "lefttrigger", "righttrigger"};
  for (int i = 0; i < 6; ++i)
    if (name == names[i]) return i;  // SDL_CONTROLLER_AXIS_* in this order
  return -1;
}

int button_named(const std::string& name) {
  struct {
    const char* name;
    SDL_GameControllerButton button;
  } buttons[] = {{"a", SDL_CONTROLLER_BUTTON_A},
                 {"b", SDL_CONTROLLER_BUTTON_B},
                 {"x", SDL_CONTROLLER_BUTTON_X},
                 {"y", SDL_CONTROLLER_BUTTON_Y},
                 {"back", SDL_CONTROLLER_BUTTON_BACK},
                 {"start", SDL_CONTROLLER_BUTTON_START},
                 {"leftshoulder", SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
                 {"rightshoulder", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
                 {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
                 {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
                 {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
                 {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
  for (const auto& b : buttons)
    if (name == b.name) return b.button;
  return -1;
}

void run(const std::string& line) {
  std::istringstream in(line);
  std::string verb, name;
  in >> verb >> name;
  if (verb == "plug" && !stick) {
    stick_index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                            SDL_CONTROLLER_BUTTON_MAX, 0);
    stick = stick_index >= 0 ? SDL_JoystickOpen(stick_index) : nullptr;
    if (!stick) std::fprintf(stderr, "pad: cannot plug in: %s\n", SDL_GetError());
  } else if (verb == "unplug" && stick) {
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(stick_index);
    stick = nullptr;
  } else if (verb == "axis" && stick && axis_named(name) >= 0) {
    float value = 0;
    in >> value;
    SDL_JoystickSetVirtualAxis(stick, axis_named(name), static_cast<Sint16>(value < 0 ? value * 32768 : value * 32767));
  } else if ((verb == "press" || verb == "release") && stick && button_named(name) >= 0) {
    SDL_JoystickSetVirtualButton(stick, button_named(name), verb == "press" ? 1 : 0);
  } else {
    std::fprintf(stderr, "pad: not understood: %s\n", line.c_str());
  }
}

// Once per frame: the lines added since the last look.
void read_new_lines() {
  std::ifstream in("pad.in");
  if (!in) return;
  in.seekg(read_up_to);
  std::string line;
  while (std::getline(in, line)) {
    if (in.eof()) break;  // a line still being written
    read_up_to = in.tellg();
    if (!line.empty()) run(line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  set_frame_input(read_new_lines);
  return WinMain(command_line.c_str());
}
