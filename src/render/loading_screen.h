// Draws the loading log over a cleared screen and swaps, so every loader's
// line shows at once; a failure the log asks to hold stays on screen for
// 200 ms (the log asks at most once per screenful, so the pauses of one load
// add up to little however many entries fail).
#pragma once

// Installs the drawing into draw_loading (needs the window and the font).
void show_loading_screen_while_loading();
