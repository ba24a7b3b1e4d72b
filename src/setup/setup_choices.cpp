#include "setup/setup_choices.h"

const setup_rect setup_rects[setup_rect_count] = {
    {6, 75, 128, 107},    {129, 75, 160, 107},  // 640 x 480
    {6, 112, 128, 144},   {129, 112, 160, 144},  // 800 x 600
    {6, 147, 144, 179},   {143, 147, 175, 179},  // 1024 x 768
    {6, 183, 143, 215},   {146, 183, 177, 215},  // 1280 x 960
    {6, 219, 162, 252},   {163, 219, 195, 252},  // 1600 x 1200
    {382, 146, 460, 177}, {400, 180, 434, 210},  // full screen
    {462, 146, 528, 177}, {480, 180, 520, 210},  // windowed
    {90, 435, 243, 455},  {245, 430, 275, 456},  // multitexturing enabled
    {90, 458, 243, 478},  {245, 457, 275, 478},  // multitexturing disabled
    {314, 415, 486, 475},                        // confirm and exit
};

namespace {

struct resolution {
  int width, height;
};
// Choice 2k sets resolution k.
constexpr int resolution_count = 5;
constexpr resolution resolutions[resolution_count] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 960}, {1600, 1200}};
constexpr int first_fullscreen_choice = 2 * resolution_count;
constexpr int first_multitexturing_choice = first_fullscreen_choice + 4;

}  // namespace

int choice_at(const setup_rect* rects, int count, int x, int y) {
  int found = no_choice;
  for (int k = 0; k < count; k += 2) {
    const setup_rect& r = rects[k];
    if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) found = k;
  }
  return found;
}

bool apply_choice(setup_settings& settings, int choice) {
  if (choice < 0 || choice % 2 != 0) return false;
  if (choice < first_fullscreen_choice) {
    settings.resolution_x = resolutions[choice / 2].width;
    settings.resolution_y = resolutions[choice / 2].height;
    settings.resolution_marker = choice + 1;
  } else if (choice < first_multitexturing_choice) {
    settings.fullscreen = choice == first_fullscreen_choice;
    settings.fullscreen_marker = choice + 1;
  } else if (choice < choice_confirm) {
    settings.multitexturing = choice == first_multitexturing_choice;
    settings.multitexturing_marker = choice + 1;
  }
  return choice == choice_confirm;
}

void set_markers(setup_settings& settings) {
  settings.resolution_marker = 3;
  for (int k = 0; k < resolution_count; ++k)
    if (resolutions[k].width == settings.resolution_x) settings.resolution_marker = 2 * k + 1;
  settings.fullscreen_marker = settings.fullscreen ? 11 : 13;
  settings.multitexturing_marker = settings.multitexturing ? 15 : 17;
}
