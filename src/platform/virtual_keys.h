// Windows virtual-key numbers: the key table `keys` is indexed by these.
#pragma once
#include <SDL.h>

constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F12 = 0x7B;
// Letters and digits are their upper-case ASCII codes: 'A'..'Z', '0'..'9'.
constexpr int vk_key(char upper_case_letter_or_digit) { return static_cast<unsigned char>(upper_case_letter_or_digit); }

// The virtual-key number of an SDL key, or 0 when the game has no use for it.
int vk_from_sdl(SDL_Keycode key);
