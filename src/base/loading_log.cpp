#include "base/loading_log.h"

#include <chrono>
#include <cstdio>
#include <cstring>

char _loaded[loading_log_lines][loading_line_capacity];

static loading_presenter_fn presenter = nullptr;

// A failure is held on screen only when a whole screenful of lines has gone by
// since the last hold, so a list of broken entries cannot stall the load.
static int lines_since_hold = loading_log_lines;
// The newest failed line while nothing else has come since, and how many
// copies of it were swallowed: a file with ten thousand equal faults shows one.
static char last_failure[loading_line_capacity];
static int unshown_repeats = 0;
// Failures that are not held are drawn at most this often: a burst of them
// (a list of two hundred missing files) would otherwise cost a full redraw
// each. Ordinary lines are always drawn, so progress never looks stale.
constexpr std::chrono::milliseconds failure_redraw_gap{100};
static std::chrono::steady_clock::time_point last_presented;

void set_loading_presenter(loading_presenter_fn p) { presenter = p; }

static void echo() {
  std::printf("%s\n", _loaded[0]);
  std::fflush(stdout);  // a log piped to a file shows each step as it happens
}

static void show(bool failed) {
  echo();
  bool hold = failed && lines_since_hold >= loading_log_lines;
  if (hold) lines_since_hold = 0;
  auto now = std::chrono::steady_clock::now();
  if (!presenter || (failed && !hold && now - last_presented < failure_redraw_gap)) return;
  last_presented = now;
  presenter(hold);
}

static void add_line(const char* text) {
  std::memmove(_loaded[1], _loaded[0], sizeof _loaded[0] * (loading_log_lines - 1));
  std::snprintf(_loaded[0], loading_line_capacity, "%s", text);
  ++lines_since_hold;
}

static void append_mark() {
  size_t len = std::strlen(_loaded[0]);
  std::snprintf(_loaded[0] + len, loading_line_capacity - len, "%s", loading_failed_mark);
}

// Says how many repeats were swallowed, once something else is logged; on
// screen too when `present` (not during play).
static void report_unshown_repeats(bool present) {
  last_failure[0] = '\0';
  if (unshown_repeats == 0) return;
  char line[loading_line_capacity];
  std::snprintf(line, sizeof line, "(%d more failures like it not shown)", unshown_repeats);
  unshown_repeats = 0;
  add_line(line);
  if (present)
    show(false);
  else
    echo();
}

// True when `text` repeats the failure just logged; it is then only counted.
static bool swallowed_repeat(const char* text) {
  if (last_failure[0] == '\0' || std::strncmp(text, last_failure, loading_line_capacity - 1) != 0) return false;
  ++unshown_repeats;
  return true;
}

static void remember_failure(const char* text) {
  std::snprintf(last_failure, sizeof last_failure, "%s", text);
}

void draw_loading(const char* text) {
  report_unshown_repeats(true);
  add_line(text);
  show(false);
}

void mark_loading_failed() {
  remember_failure(_loaded[0]);
  append_mark();
  show(true);
}

void draw_loading_failed(const char* text) {
  if (swallowed_repeat(text)) return;
  report_unshown_repeats(true);
  add_line(text);
  mark_loading_failed();
}

void record_loading_failure(const char* text) {
  if (swallowed_repeat(text)) return;
  report_unshown_repeats(false);
  add_line(text);
  remember_failure(text);
  append_mark();
  echo();
}
