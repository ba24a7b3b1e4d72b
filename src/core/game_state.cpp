#include "core/game_state.h"

int global_status = status_logo;
uint8_t game_started = 0;
int active_menu = 0;
int menu_sel_item = 0;
uint8_t no_key_alarm = 0;
