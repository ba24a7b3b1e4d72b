// The values a menu shows and changes in place (the menu file's <value_item>):
// the player's settings and heavy blood, each by a name (is_setting_value in
// base/player_settings), with its steps and the text it shows. Changing one
// applies it at once and, for the player's settings, writes data/settings.
#pragma once
#include <cstddef>

// The value's text ("70 %", "on", "5"); empty for an unknown name.
void setting_value_text(const char* name, char* out, size_t capacity);
// One step down or up, stopping at the ends; a switch flips either way.
void lower_setting_value(const char* name);
void raise_setting_value(const char* name);

// "lower:NAME" and "raise:NAME".
void register_setting_commands();
