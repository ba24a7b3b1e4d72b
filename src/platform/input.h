// What the window's messages leave for the game: keys by virtual-key number,
// the mouse in client pixels, and whether the window is showing.
#pragma once
#include <cstdint>

constexpr int key_table_size = 256;

extern uint8_t keys[key_table_size];  // 1 while the key is down
extern int mouse_x, mouse_y;
extern uint8_t mouse_lb, mouse_rb;
extern uint8_t active;  // 0 while the window is minimised; frames run only when set

// Takes a key press: true once per key-down, clearing the entry.
bool take_key(int vk);
