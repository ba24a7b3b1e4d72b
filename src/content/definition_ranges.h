// Numbers a definition may give, held to what a game can use. The ranges are
// the ones docs/forge.md names for modders; a number outside its range is
// clamped and the loading log says so.
#pragma once
#include <cstdint>

class tagged_reader;

struct number_range {
  int32_t low, high;
};

constexpr number_range cartridge_range = {0, 999};      // a magazine, a reload step, an ammo pick-up
constexpr number_range carried_ammo_range = {0, 9999};  // <max_ammo>
constexpr number_range damage_range = {0, 10000};       // hit points one pellet takes
constexpr number_range health_range = {0, 10000};       // health, pain threshold, a medikit's values
constexpr number_range pellet_range = {1, 64};          // <bullets/shell>
constexpr number_range delay_range = {0, 60000};        // milliseconds
constexpr number_range bullet_speed_range = {0, 10000};

// `value` held to `range`.
int32_t clamp_to_range(int32_t value, number_range range);

// Reads " %d " into `value` like reader.scan; a number outside `range` is
// stored clamped and logged as "path: tag N held to LOW..HIGH". False (value
// unchanged) when no number follows.
bool read_number(tagged_reader& reader, const char* path, const char* tag, number_range range, int32_t& value);
