// The loading log: a scrolling list of what is being loaded, newest line first.
// Every loader reports here; a failed step is its line marked " - FAILED!".
#pragma once
#include <cstddef>

constexpr int loading_log_lines = 27;
constexpr size_t loading_line_capacity = 256;
constexpr const char* loading_failed_mark = " - FAILED!";

// Line 0 is the newest. Lines keep their contents for the whole run.
extern char _loaded[loading_log_lines][loading_line_capacity];

// Adds a line and shows the log at once.
void draw_loading(const char* text);
// Marks the newest line as failed and shows the log.
void mark_loading_failed();
// A step that failed: its line, marked at once.
void draw_loading_failed(const char* text);

// Shows the log: installed by the renderer once a window exists; until then the
// log is only recorded (and echoed to stdout, a line each).
using loading_presenter_fn = void (*)(bool last_failed);
void set_loading_presenter(loading_presenter_fn presenter);
