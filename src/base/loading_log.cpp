#include "base/loading_log.h"

#include <cstdio>
#include <cstring>

char _loaded[loading_log_lines][loading_line_capacity];

static loading_presenter_fn presenter = nullptr;

void set_loading_presenter(loading_presenter_fn p) { presenter = p; }

static void show(bool last_failed) {
  std::printf("%s\n", _loaded[0]);
  std::fflush(stdout);  // a log piped to a file shows each step as it happens
  if (presenter) presenter(last_failed);
}

void draw_loading(const char* text) {
  std::memmove(_loaded[1], _loaded[0], sizeof _loaded[0] * (loading_log_lines - 1));
  std::snprintf(_loaded[0], loading_line_capacity, "%s", text);
  show(false);
}

void mark_loading_failed() {
  size_t len = std::strlen(_loaded[0]);
  std::snprintf(_loaded[0] + len, loading_line_capacity - len, "%s", loading_failed_mark);
  show(true);
}

void draw_loading_failed(const char* text) {
  draw_loading(text);
  mark_loading_failed();
}
