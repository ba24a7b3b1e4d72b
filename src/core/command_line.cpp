#include "core/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool map_argument(const char* command_line, char* path, size_t capacity) {
  const char* found = std::strstr(command_line, "-map");
  if (!found || found[4] == '\0') return false;
  std::snprintf(path, capacity, "%s", found + 5);
  return true;
}

// Option lines as the manual page gives them (packaging/man/kel.6.in); the
// installed launcher prints everything after the first empty line below its own.
const char launch_usage[] =
    "Usage: kel [OPTION]... [-map LEVEL]\n"
    "Plays Kel in the current folder, whose data/ holds the game.\n"
    "\n"
    "Options come before -map, which takes the rest of the line:\n"
    "  -map LEVEL       start a new game in LEVEL, e.g. data/maps/depot\n"
    "  -record FILE     record the game as a demo into FILE\n"
    "  -play FILE       play the demo FILE back at its own pace, then quit\n"
    "  -timedemo FILE   play the demo FILE as fast as possible, print the figures\n"
    "  -emptyframes     with -timedemo: as many empty frames instead (the baseline)\n"
    "  -loops N         with -timedemo: play it N times in one process and print\n"
    "                   the resident size after each loop\n"
    "  -watch           with -map: reload the level whenever its files change\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n";

struct demo_option {
  const char* word;
  demo_mode mode;
};
constexpr demo_option demo_options[] = {
    {"-record", demo_mode::record}, {"-play", demo_mode::play}, {"-timedemo", demo_mode::timedemo}};

// The next space-separated word of [at, end) into `word`; false when none.
static bool next_word(const char*& at, const char* end, char* word, size_t capacity, bool& too_long) {
  while (at < end && *at == ' ') ++at;
  if (at >= end) return false;
  const char* start = at;
  while (at < end && *at != ' ') ++at;
  const size_t length = static_cast<size_t>(at - start);
  too_long = length >= capacity;
  std::snprintf(word, capacity, "%.*s", static_cast<int>(length), start);
  return true;
}

static bool read_loop_count(const char* word, int& loops) {
  char* rest = nullptr;
  const long count = std::strtol(word, &rest, 10);
  if (rest == word || *rest != '\0' || count < 1 || count > most_demo_loops) return false;
  loops = static_cast<int>(count);
  return true;
}

bool read_launch_options(const char* command_line, launch_options& options, const char*& problem) {
  const char* at = command_line;
  const char* map = std::strstr(command_line, "-map");
  const char* end = map ? map : command_line + std::strlen(command_line);
  char word[option_path_capacity];
  bool too_long = false;
  while (next_word(at, end, word, sizeof word, too_long)) {
    if (!std::strcmp(word, "-emptyframes")) {
      options.empty_frames = true;
      continue;
    }
    if (!std::strcmp(word, "--help")) {
      options.help = true;
      continue;
    }
    if (!std::strcmp(word, "--version")) {
      options.version = true;
      continue;
    }
    if (!std::strcmp(word, "-loops")) {
      if (!next_word(at, end, word, sizeof word, too_long) || !read_loop_count(word, options.loops)) {
        problem = "-loops needs a number of times from 1 to 10000";
        return false;
      }
      continue;
    }
    if (!std::strcmp(word, "-watch")) {
      options.watch = true;
      continue;
    }
    const demo_option* option = nullptr;
    for (const demo_option& known : demo_options)
      if (!std::strcmp(word, known.word)) option = &known;
    if (!option && word[0] == '-') {
      static char unknown[option_path_capacity + 32];
      std::snprintf(unknown, sizeof unknown, "unknown option %s", word);
      problem = unknown;
      return false;
    }
    if (!option) continue;
    if (options.demo != demo_mode::none) {
      problem = "only one of -record, -play and -timedemo can be given";
      return false;
    }
    if (!next_word(at, end, options.demo_path, sizeof options.demo_path, too_long)) {
      problem = "-record, -play and -timedemo need a file name (before -map)";
      return false;
    }
    if (too_long) {
      problem = "the demo file name is too long";
      return false;
    }
    options.demo = option->mode;
  }
  if (options.empty_frames && options.demo != demo_mode::timedemo) {
    problem = "-emptyframes goes with -timedemo";
    return false;
  }
  if (options.loops != 0 && options.demo != demo_mode::timedemo) {
    problem = "-loops goes with -timedemo";
    return false;
  }
  return true;
}
