// F12 screenshots: the frame just drawn (read back before the buffers swap)
// goes to the next free "data/screenshots/screenshot.%04d.tga".
#pragma once
#include <cstddef>
#include <cstdint>

// Set by F12 (and the menu); the next frame that swaps saves itself and clears it.
extern uint8_t screenshot;

constexpr const char* screenshot_dir = "data/screenshots";
// Numbers run from 0 below this; the names fit screenshot_path_capacity.
constexpr int screenshot_number_limit = 1000000;
constexpr size_t screenshot_path_capacity = 64;

// Creates "data/screenshots" (and "data") when missing, so that screenshots
// are not lost to a missing folder. Failure is silent, as a failed save is.
void ensure_screenshot_dir();

// The first screenshot name, counting from 0, under which no file exists;
// its number, or -1 when every number up to the limit is taken.
int next_screenshot_path(char* path, size_t capacity);

// Reads the whole frame buffer (the viewport's size) as RGB and writes it as
// a 24-bit TGA under the next free name. 1 when the file was written; 0 when
// no memory, no free name or no file could be had (nothing is reported).
// Callers clear `screenshot` afterwards.
int SaveScreenshot();
