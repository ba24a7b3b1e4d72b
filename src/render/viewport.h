// The GL viewport in force: the drawable the HUD is fitted to and a
// screenshot reads, and the one target picking is handed, since actors/ may
// not ask GL itself.
#pragma once
#include <array>

// (x, y, width, height); (0, 0, 1, 1) when no context is current to ask.
std::array<int, 4> current_viewport();
