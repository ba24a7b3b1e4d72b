#include "actors/target_picking.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "actors/player.h"
#include "base/table_index.h"
#include "platform/display_settings.h"
#include "platform/input.h"

float cpx, cpy, cpz;
float clx, cly, clz;

namespace {

constexpr float degrees_to_radians = 0.017453292f;
// The divisor the aim has always used; keeps aim angles as they were.
constexpr double radians_per_degree_aim = 0.01745329238474369;

constexpr float eye_height = 14.0f;
constexpr float eye_behind = 9.0f;
constexpr float look_height = -1.5f;
constexpr float cursor_pixels_per_cell = 14.0f;
constexpr float lead_cap_x = 2.5f;
constexpr float lead_cap_below = 4.5f;  // cursor below the centre: look further ahead
constexpr float lead_cap_above = 1.14f;

constexpr float strip_half_width = 0.4f;
constexpr float strip_beyond = 7.0f;
constexpr float strip_height = 1.0f;

constexpr double pick_fov = 45.0;
constexpr double pick_near = 0.1;
constexpr double pick_far = 100.0;
constexpr double pick_region_pixels = 1.0;

constexpr int hit_header_words = 3;  // name count, minimum depth, maximum depth

}  // namespace

camera_view place_camera(float player_x, float player_z, float player_uhel, int mouse_x, int mouse_y,
                         int resolution_x, int resolution_y) {
  float a = player_uhel * degrees_to_radians;
  int from_centre_x = mouse_x - resolution_x / 2;
  int from_centre_y = mouse_y - resolution_y / 2;
  float fx = static_cast<float>(std::abs(from_centre_x)) / cursor_pixels_per_cell;
  float fz = static_cast<float>(std::abs(from_centre_y)) / cursor_pixels_per_cell;
  if (fx > lead_cap_x) fx = lead_cap_x;
  if (from_centre_y > 0 && fz > lead_cap_below) fz = lead_cap_below;
  if (from_centre_y < 0 && fz > lead_cap_above) fz = lead_cap_above;
  return {player_x, eye_height, player_z + eye_behind,
          player_x - fx * std::sin(a), look_height, player_z - fz * std::cos(a)};
}

bool is_pick_candidate(const imp_t& enemy, float player_x, float player_z) {
  return enemy.visible != 0 && enemy.alert != 0 && enemy.health > 0 && std::fabs(enemy.x - player_x) <= pick_range_x &&
         std::fabs(enemy.z - player_z) <= pick_range_z;
}

pick_strip pick_strip_for(float player_x, float player_z, const imp_t& enemy) {
  float b = enemy.uhel * degrees_to_radians;
  float across_x = strip_half_width * std::cos(b);
  float across_z = strip_half_width * std::sin(b);
  float far_x = enemy.x - strip_beyond * std::sin(b);
  float far_z = enemy.z - strip_beyond * std::cos(b);
  return {{player_x + across_x, player_x - across_x, far_x - across_x, far_x + across_x},
          {player_z - across_z, player_z + across_z, far_z + across_z, far_z - across_z}};
}

float aim_uhel_at(float player_x, float player_z, float target_x, float target_z) {
  return static_cast<float>(std::atan2(target_x - player_x, target_z - player_z) / radians_per_degree_aim + 180.0);
}

int first_hit_name(const GLuint* buffer, int buffer_words, GLint hits) {
  // An overflowing buffer (-1 hits) still holds the first record whole.
  if (hits == 0 || buffer_words <= hit_header_words || buffer[0] == 0) return -1;
  GLuint name = buffer[hit_header_words];
  return name <= static_cast<GLuint>(std::numeric_limits<int>::max()) ? static_cast<int>(name) : -1;
}

// Draws the strips of every candidate in selection mode under a one-pixel
// pick region at the cursor; the number of hits, their records in `buffer`.
static GLint pick_strips(GLuint* buffer, float player_x, float player_z) {
  GLint viewport[4] = {0, 0, 1, 1};  // kept when there is no context to ask
  glGetIntegerv(GL_VIEWPORT, viewport);
  glSelectBuffer(pick_buffer_capacity, buffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(mouse_x, viewport[3] - mouse_y, pick_region_pixels, pick_region_pixels, viewport);
  double aspect_h = static_cast<double>(viewport[3]) - viewport[1];
  gluPerspective(pick_fov, (static_cast<double>(viewport[2]) - viewport[0]) / (aspect_h > 0 ? aspect_h : 1.0), pick_near,
                 pick_far);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(cpx, cpy, cpz, clx, cly, clz, 0, 1, 0);

  int enemies = table_rows(impu, imp_capacity);
  for (int k = 0; k < enemies; ++k) {
    if (!is_pick_candidate(imp[k], player_x, player_z)) continue;
    glLoadName(static_cast<GLuint>(k));
    glColor3f(1, 1, 1);
    pick_strip strip = pick_strip_for(player_x, player_z, imp[k]);
    glBegin(GL_QUADS);
    for (int corner = 0; corner < 4; ++corner) glVertex3f(strip.x[corner], strip_height, strip.z[corner]);
    glEnd();
  }

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return glRenderMode(GL_RENDER);
}

void select_enemy() {
  player_t& player = players[player_id];
  camera_view view = place_camera(player.x, player.z, player.uhel, mouse_x, mouse_y, resolution_x, resolution_y);
  cpx = view.eye_x;
  cpy = view.eye_y;
  cpz = view.eye_z;
  clx = view.look_x;
  cly = view.look_y;
  clz = view.look_z;

  GLuint buffer[pick_buffer_capacity];
  GLint hits = pick_strips(buffer, player.x, player.z);
  int picked = first_hit_name(buffer, pick_buffer_capacity, hits);
  if (picked >= 0 && picked < impu && picked < imp_capacity)
    player.uhel = aim_uhel_at(player.x, player.z, imp[picked].x, imp[picked].z);
}
