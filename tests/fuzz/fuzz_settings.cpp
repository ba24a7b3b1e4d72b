// Any bytes as the player's settings file: the reader must never crash, every
// value must end inside its range, and what it writes back must read back as
// the same settings and kept lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "content/settings_file.h"

static bool inside(int v, setting_range r) { return v >= r.lowest && v <= r.highest; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  settings_file file = read_settings_text(std::string(reinterpret_cast<const char*>(data), size));
  const player_settings_t& v = file.values;
  if (!inside(v.volume, volume_range) || !inside(v.vsync, vsync_range) ||
      !inside(v.pad_sensitivity, pad_sensitivity_range) || !inside(v.rumble, rumble_range))
    std::abort();
  settings_file again = read_settings_text(settings_text(file));
  if (again.kept_lines != file.kept_lines || again.values.volume != v.volume || again.values.vsync != v.vsync ||
      again.values.pad_sensitivity != v.pad_sensitivity || again.values.rumble != v.rumble)
    std::abort();
  return 0;
}
