// The campaign bot's player. Once per frame, before the frame runs, it reads
// the game's state and sets the input a player would give: keys through the
// logo and the menus to a new game, then in each level the way to the next
// goal, walking with W while facing it, and fights with the cursor and the
// mouse buttons; F12 at a few moments worth a picture; quit after victory.
#pragma once
#include <cstdint>

// The synthetic clock's step: one frame.
constexpr uint32_t bot_frame_ms = 66;
// A playthrough that has not won by then gives up.
constexpr int bot_frame_limit = 10000;

// The synthetic clock: advanced one step by every frame the bot plays.
uint32_t bot_clock();

// This frame's input; the main loop's input hook.
void play_campaign_frame();

// Whether the victory menu showed.
bool campaign_won();
int campaign_frames();
