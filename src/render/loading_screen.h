// Draws the loading log over a cleared screen and swaps, so every loader's
// line shows at once; a failure stays on screen for 200 ms.
#pragma once

// Installs the drawing into draw_loading (needs the window and the font).
void show_loading_screen_while_loading();
