// What the setup program reads from an old "data/opengl" and the exact
// file it writes in its place.
#pragma once
#include <cstdio>
#include <string>

#include "setup/setup_choices.h"

constexpr const char* setup_config_path = "data/opengl";

// The largest width or height taken from an old file; anything larger (or
// not positive) is replaced by 800 x 600.
constexpr int setup_resolution_limit = 16384;

// Reads "<resolution> W H", "<fullscreen> F" and "<MULTITEXTURING_DISABLE>"
// over the settings and sets the markers; every other word is skipped. A tag
// whose values are not all whole integers keeps what was there, and the word
// that failed is read again as an ordinary word.
void read_setup_config(std::FILE* in, setup_settings& settings);
// The same from a file; a file that cannot be read leaves the defaults.
setup_settings load_setup_config(const char* path);

// The five lines (four when multitexturing is allowed) that setup writes.
std::string setup_config_text(const setup_settings& settings);

// Replaces the file at `path` with the text: written to a temporary file in
// the same directory, synced and renamed over the old one, so the old file
// survives a failure at any point. On failure returns false with `error` set.
bool write_setup_config(const char* path, const std::string& text, std::string& error);
