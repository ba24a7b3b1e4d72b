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

enum class value_kind { percent, number, on_off };

struct setting_value {
  const char* name;
  value_kind kind;
  setting_range range;
  int step;
  int (*get)();
  void (*set)(int);
  bool kept;  // one of the player's settings, written to data/settings
};

// A played demo may walk the Options menu: it changes what it plays, but
// neither the player's file nor the display's sync.
bool playing_demo() {
  return current_demo_mode() == demo_mode::play || current_demo_mode() == demo_mode::timedemo;
}

const setting_value setting_values[] = {
    {"volume", value_kind::percent, volume_range, 10, [] { return player_settings.volume; },
     [](int v) {
       player_settings.volume = v;
       Sound.set_volume(v);
     },
     true},
    {"pad_sensitivity", value_kind::number, pad_sensitivity_range, 1, [] { return player_settings.pad_sensitivity; },
     [](int v) { player_settings.pad_sensitivity = v; }, true},
    {"vsync", value_kind::on_off, vsync_range, 1, [] { return player_settings.vsync; },
     [](int v) {
       player_settings.vsync = v;
       if (!playing_demo()) set_vertical_sync(v != 0);
     },
     true},
    {"rumble", value_kind::on_off, rumble_range, 1, [] { return player_settings.rumble; },
     [](int v) { player_settings.rumble = v; }, true},
    // Heavy blood belongs to the engine configuration, which only the setup
    // program writes: the menu changes it for this run.
    {"heavy_blood", value_kind::on_off, {0, 1, 0}, 1, [] { return int(c_ultra_blood); },
     [](int v) { c_ultra_blood = static_cast<uint8_t>(v); }, false},
};

const setting_value* find_value(const char* name) {
  for (const setting_value& v : setting_values)
    if (!std::strcmp(v.name, name)) return &v;
  return nullptr;
}

void change(const char* name, int direction) {
  const setting_value* v = find_value(name);
  if (!v) return;
  int now = v->get(), next;
  if (v->kind == value_kind::on_off) {
    next = now ? 0 : 1;
  } else {
    next = now + direction * v->step;
    if (next < v->range.lowest) next = v->range.lowest;
    if (next > v->range.highest) next = v->range.highest;
  }
  if (next == now) return;
  v->set(next);
  if (v->kept && !playing_demo()) save_settings();
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

bool is_setting_value(const char* name) { return find_value(name) != nullptr; }

void setting_value_text(const char* name, char* out, size_t capacity) {
  if (!capacity) return;
  out[0] = '\0';
  const setting_value* v = find_value(name);
  if (!v) return;
  int now = v->get();
  switch (v->kind) {
    case value_kind::percent: std::snprintf(out, capacity, "%d %%", now); break;
    case value_kind::number: std::snprintf(out, capacity, "%d", now); break;
    case value_kind::on_off: std::snprintf(out, capacity, "%s", now ? "on" : "off"); break;
  }
}

void lower_setting_value(const char* name) { change(name, -1); }
void raise_setting_value(const char* name) { change(name, +1); }

void register_setting_commands() {
  Console.register_command("lower:", lower_command);
  Console.register_command("raise:", raise_command);
}
