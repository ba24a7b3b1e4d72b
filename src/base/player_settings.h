// The player's own settings, kept in data/settings and changed in the Options
// menu: read by the sound bank (volume), the window (vertical sync) and the
// pad controls (aim sensitivity, rumble).
#pragma once

struct setting_range {
  int lowest, highest, fallback;
};

constexpr setting_range volume_range = {0, 100, 100};  // per cent of full gain
constexpr setting_range vsync_range = {0, 1, 1};
constexpr setting_range pad_sensitivity_range = {1, 10, 5};
constexpr setting_range rumble_range = {0, 1, 1};

struct player_settings_t {
  int volume = volume_range.fallback;
  int vsync = vsync_range.fallback;
  int pad_sensitivity = pad_sensitivity_range.fallback;
  int rumble = rumble_range.fallback;
};

extern player_settings_t player_settings;
