// The game's command line: options first, then "-map <level path>", which
// takes the rest of the line.
//   -record FILE     record the game as a demo into FILE
//   -play FILE       play the demo FILE at its own pace, then quit
//   -timedemo FILE   play it as fast as the machine allows and print the figures
//   -emptyframes     with -timedemo: run the demo's number of empty frames
//                    (clear and swap only), the baseline for the figures
//   -loops N         with -timedemo: play the demo N times in one process,
//                    from its start each time, printing the resident size
//                    after each loop (a soak for leaks and growth)
//   -watch           reload the level being played when its files change
//                    (core/level_watch.h)
//   --help, --version  print the usage or the version and start nothing
#pragma once
#include <cstddef>

#include "core/demo_session.h"  // demo_mode

// When the command line holds "-map" followed by at least one character, copies
// everything from the second character after "-map" to the end into `path`
// (cut to its capacity) and returns true.
bool map_argument(const char* command_line, char* path, size_t capacity);

constexpr size_t option_path_capacity = 1024;

struct launch_options {
  demo_mode demo = demo_mode::none;
  char demo_path[option_path_capacity] = {};
  bool empty_frames = false;
  int loops = 0;  // soak passes; 0: no soak, the demo plays once
  bool watch = false;
  bool help = false;     // --help
  bool version = false;  // --version
};

constexpr int most_demo_loops = 10000;

// What --help prints, and what goes to stderr after a refused command line.
extern const char launch_usage[];

// Reads the options before "-map" (file names end at a space). False with
// `problem` set for an option without its file, a second demo option or a
// file name too long, a loop count that is not a number from 1 to
// most_demo_loops or goes without -timedemo, or an unknown option; other
// words are passed over.
bool read_launch_options(const char* command_line, launch_options& options, const char*& problem);
