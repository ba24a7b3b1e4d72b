#include "render/hud.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "actors/player.h"
#include "actors/weapons.h"
#include "base/console.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "platform/display_settings.h"
#include "platform/input.h"
#include "platform/multitexture.h"
#include "platform/window.h"
#include "render/fonts.h"
#include "render/frame_stats.h"
#include "render/textures.h"
#include "render/tga_texture.h"
#include "render/viewport.h"
#include "render/visible_rows.h"

float mouse_flick = 0.0f;
int mf_flip = 0;

namespace {

constexpr const char* hud_frame_texture = "data/textures/hud/render.tga";
constexpr const char* crosshair_texture = "data/textures/hud/default.tga";
constexpr const char* window_title_in_play = "x";

// The frame picture is square: its lower quarter hangs below the screen.
constexpr hud_point frame_at = {0, 0};
constexpr int frame_side = 800;
constexpr hud_point weapon_icon_at = {19, 537};
constexpr int weapon_icon_side = 50;
constexpr int crosshair_side = 24;

// Text lines in glPrint's 640 x 480 layout, all in character set 1.
constexpr screen_point fps_at = {0, 0};
constexpr screen_point message_at = {221, 462};
constexpr screen_point ammo_at = {112, 448};
constexpr screen_point health_at = {538, 455};
constexpr int hud_text_set = 1;

constexpr float pulse_low = 0.5f;
constexpr float pulse_high = 1.0f;
constexpr float pulse_max_frame_seconds = 2.0f;

constexpr size_t title_capacity = 256;
char szTitle[title_capacity];

void show_title_when_windowed(const char* title) {
  if (!fullscreen) SetWindowTextA(title);
}

// The weapon in the active player's hands; none while its index is outside
// the loaded weapons (nothing is then read past the table).
const weapon_t* current_weapon() {
  int index = players[player_id].weapon;
  int loaded = table_rows(weaponu, weapon_capacity);
  return index >= 0 && index < loaded ? &weapon[index] : nullptr;
}

}  // namespace

void draw_hud_frame() {
  SetGLTexture(hud_frame_texture);
  int index = find_texture(hud_frame_texture);
  const std::array<int, 4> viewport = current_viewport();
  if (!in_table(index, texture_capacity) || textura_rows[index].height <= 0 || viewport[3] <= 0) {
    draw_ortho_rect_800(frame_at.x, frame_at.y, frame_side, frame_side);
    return;
  }
  double pixels_per_unit_x = static_cast<double>(viewport[2]) / hud_layout_w;
  double pixels_per_unit_y = static_cast<double>(viewport[3]) / hud_layout_h;
  double bottom = viewport[1] + (hud_layout_h - frame_at.y - frame_side) * pixels_per_unit_y;
  std::vector<row_band> rows = window_rows_touched(textura_rows[index], bottom, frame_side * pixels_per_unit_x,
                                                   frame_side * pixels_per_unit_y);
  glEnable(GL_SCISSOR_TEST);
  for (const row_band& band : rows) {
    int first = std::max(band.first, viewport[1]), last = std::min(band.last, viewport[1] + viewport[3]);
    if (first >= last) continue;
    glScissor(viewport[0], first, viewport[2], last - first);
    draw_ortho_rect_800(frame_at.x, frame_at.y, frame_side, frame_side);
  }
  glDisable(GL_SCISSOR_TEST);
}

void draw_ortho_rect_800(int x, int y, int w, int h) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, hud_layout_w, 0, hud_layout_h, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslated(x, hud_layout_h - y - h, 0);
  glBegin(GL_QUADS);
  glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0, 0);
  glVertex2i(0, 0);
  glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0, 1);
  glVertex2i(0, h);
  glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 1, 1);
  glVertex2i(w, h);
  glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 1, 0);
  glVertex2i(w, 0);
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

hud_point crosshair_corner(int mouse_x, int mouse_y, int resolution_x, int resolution_y) {
  // A zero size never comes from a real window; it must not divide.
  int w = resolution_x > 0 ? resolution_x : 1;
  int h = resolution_y > 0 ? resolution_y : 1;
  return {mouse_x * hud_layout_w / w - crosshair_side / 2, mouse_y * hud_layout_h / h - crosshair_side / 2};
}

void advance_crosshair_pulse(float& flick, int& flip, float frame_seconds) {
  // A long stall (loading, a dragged window) would make the crosshair jump.
  if (frame_seconds >= pulse_max_frame_seconds) return;
  flick += flip ? frame_seconds : -frame_seconds;
  if (flick < pulse_low) {
    flick = pulse_low;
    flip = !flip;
  }
  if (flick > pulse_high) {
    flick = pulse_high;
    flip = !flip;
  }
}

float message_opacity(float message_time) { return message_time > 1.0f ? 1.0f : message_time; }

const char* format_fps_line(char* out, size_t capacity, float fps) {
  std::snprintf(out, capacity, "FPS> %f", static_cast<double>(fps));
  return out;
}

const char* format_ammo_line(char* out, size_t capacity, int ammo, int reserve) {
  std::snprintf(out, capacity, "%d/%d", ammo, reserve);
  return out;
}

const char* format_health_line(char* out, size_t capacity, int health) {
  std::snprintf(out, capacity, "%d%%", health);
  return out;
}

void draw_overlay() {
  std::snprintf(szTitle, sizeof szTitle, "%s", window_title_in_play);
  show_title_when_windowed(szTitle);

  const weapon_t* held = current_weapon();
  glColor4f(1, 1, 1, 1);
  draw_hud_frame();
  if (held) {
    SetGLTexture(held->hud_texture);
    draw_ortho_rect_800(weapon_icon_at.x, weapon_icon_at.y, weapon_icon_side, weapon_icon_side);
  }

  glColor4f(1, 1, 1, mouse_flick);
  SetGLTexture(crosshair_texture);
  hud_point cross = crosshair_corner(mouse_x, mouse_y, resolution_x, resolution_y);
  draw_ortho_rect_800(cross.x, cross.y, crosshair_side, crosshair_side);
  advance_crosshair_pulse(mouse_flick, mf_flip, motion_mix);

  glColor4f(1, 1, 1, 1);
  format_fps_line(szTitle, sizeof szTitle, g_nFPS);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glPrint(fps_at.x, fps_at.y, szTitle, hud_text_set);

  glColor4f(1, 1, 1, message_opacity(Console.message_time));
  glPrint(message_at.x, message_at.y, Console.message, hud_text_set);

  glColor4f(1, 1, 1, 1);
  if (held) {
    format_ammo_line(szTitle, sizeof szTitle, held->ammo, held->reserve);
    glPrint(ammo_at.x, ammo_at.y, szTitle, hud_text_set);
  }
  format_health_line(szTitle, sizeof szTitle, players[player_id].health);
  glPrint(health_at.x, health_at.y, szTitle, hud_text_set);

  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
}
