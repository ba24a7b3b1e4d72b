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
// A step that failed: its line, marked at once. The same failure again, with
// nothing else logged in between, is only counted; the next other line is
// preceded by one that says how many were not shown.
void draw_loading_failed(const char* text);
// A failure during play: the line goes into the log and to stdout, marked,
// but the screen is not redrawn (play goes on). Repeats count as above.
void record_loading_failure(const char* text);

// Shows the log: installed by the renderer once a window exists; until then the
// log is only recorded (and echoed to stdout, a line each). `hold` asks to keep
// a failure readable for a moment; it is set for the first failure and then at
// most once per screenful of new lines. Failures that are not held are drawn
// at most ten times a second; every other line is drawn at once.
using loading_presenter_fn = void (*)(bool hold);
void set_loading_presenter(loading_presenter_fn presenter);
