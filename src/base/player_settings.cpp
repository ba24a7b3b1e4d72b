#include "base/player_settings.h"

#include <cstring>

player_settings_t player_settings;

const player_setting player_setting_table[player_setting_count] = {
    {"volume", &player_settings_t::volume, volume_range, 10, setting_shown::percent},
    {"vsync", &player_settings_t::vsync, vsync_range, 1, setting_shown::on_off},
    {"pad_sensitivity", &player_settings_t::pad_sensitivity, pad_sensitivity_range, 1, setting_shown::number},
    {"rumble", &player_settings_t::rumble, rumble_range, 1, setting_shown::on_off},
};

const player_setting* find_player_setting(const char* name) {
  for (const player_setting& s : player_setting_table)
    if (!std::strcmp(s.name, name)) return &s;
  return nullptr;
}

bool is_setting_value(const char* name) {
  return find_player_setting(name) || !std::strcmp(name, heavy_blood_value_name);
}
