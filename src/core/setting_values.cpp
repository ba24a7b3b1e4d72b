#include "core/setting_values.h"

#include <cstdio>
#include <cstring>

#include "base/console.h"
#include "base/play_options.h"
#include "base/player_settings.h"
#include "content/settings_file.h"
#include "core/demo_session.h"
#include "platform/window.h"  // set_vertical_sync
#include "sound/sound_bank.h"

namespace {

// A played demo may walk the Options menu: it changes what it plays, but
// neither the player's file nor the display's sync.
bool playing_demo() {
  return current_demo_mode() == demo_mode::play || current_demo_mode() == demo_mode::timedemo;
}

bool is_heavy_blood(const char* name) { return !std::strcmp(name, heavy_blood_value_name); }

// What a changed setting does at once besides being kept.
void apply(const player_setting& s, int v) {
  if (s.field == &player_settings_t::volume) Sound.set_volume(v);
  if (s.field == &player_settings_t::vsync && !playing_demo()) set_vertical_sync(v != 0);
}

// One step from `now`, stopping at the ends; a switch flips either way.
int stepped(const player_setting& s, int now, int direction) {
  if (s.shown == setting_shown::on_off) return now ? 0 : 1;
  int next = now + direction * s.menu_step;
  if (next < s.range.lowest) next = s.range.lowest;
  if (next > s.range.highest) next = s.range.highest;
  return next;
}

void change(const char* name, int direction) {
  if (is_heavy_blood(name)) {
    // Only the setup program writes the engine configuration: this lasts the run.
    c_ultra_blood = c_ultra_blood ? 0 : 1;
    return;
  }
  const player_setting* s = find_player_setting(name);
  if (!s) return;
  int& value = player_settings.*s->field;
  const int next = stepped(*s, value, direction);
  if (next == value) return;
  value = next;
  apply(*s, next);
  if (!playing_demo()) save_settings();
}

void shown_text(setting_shown shown, int now, char* out, size_t capacity) {
  switch (shown) {
    case setting_shown::percent: std::snprintf(out, capacity, "%d %%", now); break;
    case setting_shown::number: std::snprintf(out, capacity, "%d", now); break;
    case setting_shown::on_off: std::snprintf(out, capacity, "%s", now ? "on" : "off"); break;
  }
}

void lower_command(const char* rest) {
  char name[command_text_capacity];
  command_argument(rest, name);
  lower_setting_value(name);
}

void raise_command(const char* rest) {
  char name[command_text_capacity];
  command_argument(rest, name);
  raise_setting_value(name);
}

}  // namespace

void setting_value_text(const char* name, char* out, size_t capacity) {
  if (!capacity) return;
  out[0] = '\0';
  if (is_heavy_blood(name)) {
    shown_text(setting_shown::on_off, c_ultra_blood, out, capacity);
    return;
  }
  const player_setting* s = find_player_setting(name);
  if (s) shown_text(s->shown, player_settings.*s->field, out, capacity);
}

void lower_setting_value(const char* name) { change(name, -1); }
void raise_setting_value(const char* name) { change(name, +1); }

void register_setting_commands() {
  Console.register_command("lower:", lower_command);
  Console.register_command("raise:", raise_command);
}
