#include "frontend/menu_screen.h"

#include "base/frame_clock.h"
#include "base/table_index.h"
#include "content/models.h"
#include "core/game_state.h"
#include "core/setting_values.h"
#include "frontend/savegame_slots.h"
#include "platform/window.h"
#include "render/menu_screen.h"
#include "render/screenshot.h"

constexpr float logo_peak = 1.5f;
constexpr float logo_longest_frame = 0.2f;

static float logo_ipol = 0.0f;

menu_slot_pos slot_label_point(menu_slot_pos in_file) {
  return {static_cast<int>(in_file.x * 640LL / 1024), static_cast<int>(in_file.y * 640LL / 1024)};
}

float logo_opacity(float clock) { return clock < logo_peak ? clock : 2 * logo_peak - clock; }

bool advance_logo_clock(float& clock, float frame_seconds) {
  // A long stall (loading, a dragged window) must not skip the logo.
  if (frame_seconds < logo_longest_frame) clock += frame_seconds / 2;
  return clock > logo_end;
}

static void present() {
  if (screenshot) {
    SaveScreenshot();
    screenshot = 0;
  }
  SwapBuffers();
}

void draw_menu() {
  static const menu_t no_menu = {};
  const menu_t& m = in_table(active_menu, menu_capacity) ? menu[active_menu] : no_menu;
  draw_menu_background(m.texture_bg);
  if (m.model != -1)
    draw_menu_model(in_table(m.model, table_rows(modelu, model_capacity)) ? model[m.model] : nullptr, m.texture,
                    menu_sel_item);
  for (int i = 0; i < m.slot_count && i < savegame_slot_count; ++i) {
    menu_slot_pos at = slot_label_point(m.savegame_slot_pos[i]);
    draw_menu_label(at.x, at.y, savegame_slot[i]);
  }
  for (int i = 0; i < m.value_count && i < menu_value_capacity; ++i) {
    char text[32];
    setting_value_text(m.value_item[i].name, text, sizeof text);
    menu_slot_pos at = slot_label_point(m.value_item[i].at);
    draw_menu_label(at.x, at.y, text);
  }
  present();
}

void restart_logo() { logo_ipol = 0.0f; }

void draw_logo() {
  draw_logo_picture(logo_picture, logo_opacity(logo_ipol));
  if (advance_logo_clock(logo_ipol, motion_mix)) global_status = status_menu;
  present();
}
