// Recording a game as a demo and playing one back. While either runs, the
// game's clock stands still within a frame (every tick reading of a frame is
// the one taken at its start), and the frame's input is the recorded one, so
// the same frames come out again: the same pictures and sounds.
#pragma once
#include <cstdint>

enum class demo_mode { none, record, play, timedemo };

demo_mode current_demo_mode();

// Recording: the frames are kept in memory and written, whole and atomically,
// by finish_demo. `level` is the level the game starts in ("" for the logo).
// Takes the clock from the present tick source, which it then replaces.
void start_demo_recording(const char* path, const char* level);

// Playing: reads and checks the whole file first. A file that is missing, cut
// short, damaged or from another version is refused (false, with the reason
// on stderr) before anything of it is used. On success the recorded settings
// (heavy blood, marks life, window size) replace the configured ones.
bool start_demo_playback(const char* path, demo_mode mode);

// Playback starts again at the demo's first frame, with its settings put
// back in place (a soak plays one demo many times in one process).
void rewind_demo_playback();

// The seed for the random numbers: the recorded one when playing, otherwise
// the calendar time (which a recording keeps).
unsigned demo_random_seed();
// The level the demo starts in ("" for the logo); only meaningful when playing.
const char* demo_start_level();

// Before each frame: a recording takes the frame's tick and input; playback
// puts the next recorded frame's in place, or returns false when none is left.
bool demo_before_frame();
// After each frame: playback keeps to the recorded times; the timedemo
// measures the frame instead.
void demo_after_frame();

// Frames played or recorded so far.
uint32_t demo_frames_done();

// Prints the timedemo's figures for the frames played since the start or
// the last rewind; nothing for other modes.
void print_demo_figures();

// Ends the demo: writes the recording (false, with the reason on stderr,
// when it cannot be written), or prints the timedemo's figures.
bool finish_demo();
