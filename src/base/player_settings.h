// The player's own settings, kept in data/settings and changed in the Options
// menu: read by the sound bank (volume), the window (vertical sync) and the
// pad controls (aim sensitivity, rumble). player_setting_table is the one list
// of them: the settings file, the menus' value items and the forge's check of
// menu files all go by it.
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

// How a menu shows a value: "70 %", "5", "on".
enum class setting_shown { percent, number, on_off };

struct player_setting {
  const char* name;  // the tag in data/settings without its angle brackets, and the menus' value name
  int player_settings_t::*field;
  setting_range range;
  int menu_step;  // what one lower: or raise: moves; a switch flips instead
  setting_shown shown;
};

// In the order data/settings is written.
constexpr int player_setting_count = 4;
extern const player_setting player_setting_table[player_setting_count];

// The setting of this name, or null.
const player_setting* find_player_setting(const char* name);

// Heavy blood (c_ultra_blood) is the one menu value that is no player setting:
// it belongs to the engine configuration, and a menu switches it for one run.
constexpr const char* heavy_blood_value_name = "heavy_blood";

// True when a menu's <value_item> may show a value of this name: a player
// setting or heavy blood.
bool is_setting_value(const char* name);
