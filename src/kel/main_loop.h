// The game program: WinMain reads the options, starts up (configuration,
// demo, window, content, the first level), runs the loop (per pass: the
// window's messages, the frame-input hook, the demo step or the soak's next
// loop, the pad's buttons, one frame) and shuts down. run_frame is one frame
// in its order (docs/architecture.md, "One frame").
#pragma once

// Letters of the cheat chord, held together.
constexpr char cheat_chord[4] = {'K', 'J', 'X', 'Z'};

// Registers every command with the console: the doers of each room.
void register_commands();

// Runs the game (options: core/command_line.h); returns 1 when a demo cannot
// be played or written or the options are wrong, 0 when the window cannot be (re)created, otherwise the
// parameter of the last message taken (0 after the window was closed).
int WinMain(const char* command_line);

// What one frame asks of the loop.
enum class frame_outcome { go_on, window_lost };

// One frame of the main loop; `done` is set when the game asked to quit.
frame_outcome run_frame(bool& done);

// The frame's picking, a step of run_frame: the world view's camera placed for
// the live player and the cursor, then the aim snapped through it, in the
// viewport GL has, onto the enemy under the cursor.
void pick_target();

// A program that drives the game itself (the campaign bot) sets the input
// tables here: the hook runs once per loop pass, after the window's messages
// and right before the frame, so a recording keeps what it set.
using frame_input_fn = void (*)();
void set_frame_input(frame_input_fn fn);
