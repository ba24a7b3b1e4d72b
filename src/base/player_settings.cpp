#include "base/player_settings.h"

player_settings_t player_settings;
