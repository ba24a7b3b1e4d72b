#include "platform/input.h"

uint8_t keys[key_table_size];
int mouse_x, mouse_y;
uint8_t mouse_lb, mouse_rb;
uint8_t active = 1;
