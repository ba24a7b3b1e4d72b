// A soak (-timedemo FILE -loops N) plays its demo N times in one process, each
// loop from the state start-up left, so that every loop plays the very same
// frames and the resident size shows whether memory is kept. Also the line
// that says where a played demo ended, which a soak prints after every loop.
#pragma once

struct soak_run {
  int loops;     // as -loops asked; 0 without a soak
  int loop = 1;  // the loop playing
};

// "demo: N frames played, ended ..." after a played demo; nothing otherwise.
void print_demo_end();

// The demo has played to its end: false when that was the soak's last loop.
// Otherwise prints the loop's end, figures and resident size, and starts the
// next loop: the demo rewound, `return_to_start_state`, the demo's random seed
// and, when `level` is not empty, that level anew.
bool start_next_soak_loop(soak_run& soak, const char* level);

// The resident size after the last loop; nothing without a soak.
void print_soak_end(const soak_run& soak);
