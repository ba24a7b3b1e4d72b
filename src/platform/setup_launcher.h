// Starts the setup program that sits next to the game executable, in the
// game's working directory, and waits for it to finish.
#pragma once

// False when the program is missing or could not be started.
bool run_setup_and_wait();
