// The player's settings file "data/settings": one tag and its value a line,
//   <volume> 0..100   <vsync> 0|1   <pad_sensitivity> 1..10   <rumble> 0|1
// A missing file means the defaults. A bad or missing value gets its default
// and a loading-log line. Lines the game does not know (another version's
// tags, a player's notes) are kept and written back after the known ones.
#pragma once
#include <string>
#include <vector>

#include "base/player_settings.h"

constexpr const char* settings_path = "data/settings";

struct settings_file {
  player_settings_t values;
  std::vector<std::string> kept_lines;  // in file order, without their line breaks
};

// Reads a settings file's text; every value starts at its default.
settings_file read_settings_text(const std::string& text);
// The text that read_settings_text reads back as the same values and lines.
std::string settings_text(const settings_file& file);

// Reads data/settings into player_settings and keeps its unknown lines for
// save_settings.
void load_settings();
// Replaces data/settings (temporary file, sync, rename) with player_settings
// and the kept lines. False, with a loading-log line and the old file as it
// was, when it cannot be written.
bool save_settings();
