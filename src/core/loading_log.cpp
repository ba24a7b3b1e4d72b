#include "core/loading_log.h"

#include <cstdio>
#include <cstring>

char _loaded[loading_log_lines][loading_line_capacity];

static loading_presenter_fn presenter = nullptr;

void set_loading_presenter(loading_presenter_fn p) { presenter = p; }

static void copy_cut(char* dst, const char* src, size_t capacity) {
  std::snprintf(dst, capacity, "%s", src);
}

void draw_loading(const char* text) {
  bool last_failed = std::strcmp(text, "_last_failed") == 0;
  if (!last_failed) {
    std::memmove(_loaded[1], _loaded[0], sizeof _loaded[0] * (loading_log_lines - 1));
    copy_cut(_loaded[0], text, loading_line_capacity);
  } else {
    size_t len = std::strlen(_loaded[0]);
    copy_cut(_loaded[0] + len, loading_failed_mark, loading_line_capacity - len);
  }
  std::printf("%s\n", _loaded[0]);
  std::fflush(stdout);  // a log piped to a file shows each step as it happens
  if (presenter) presenter(last_failed);
}
