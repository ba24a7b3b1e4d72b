#include "platform/input.h"

uint8_t keys[key_table_size];
int mouse_x, mouse_y;
uint8_t mouse_lb, mouse_rb;
uint8_t active = 1;

bool take_key(int vk) {
  if (vk < 0 || vk >= key_table_size || !keys[vk]) return false;
  keys[vk] = 0;
  return true;
}
