// The GL viewport in force, for code that maps window pixels without asking
// GL itself (target picking).
#pragma once
#include <array>

// (x, y, width, height); (0, 0, 1, 1) when no context is current to ask.
std::array<int, 4> current_viewport();
