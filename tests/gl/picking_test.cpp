#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cmath>
#include <vector>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/target_picking.h"
#include "kel/main_loop.h"  // pick_target: picking as a frame does it
#include "platform/display_settings.h"
#include "platform/input.h"
#include "support/gl_context.h"
#include "support/selection_mode_pick.h"

namespace {

constexpr int width = 400;
constexpr int height = 300;
constexpr float player_x = 20.0f;
constexpr float player_z = 30.0f;
constexpr double radians = 3.14159265358979323846 / 180.0;

struct point {
  float x, z;
};

// The player stands facing 0 with the cursor up and to the right of the
// centre; `under_cursor` is the point at strip height that the cursor shows.
class PickingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gl_.open("picking", width, height);
  }
  static void TearDownTestSuite() {
    gl_.close();
  }

  void SetUp() override {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, double(width) / height, 0.1, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    resolution_x = width;
    resolution_y = height;
    mouse_x = 300;
    mouse_y = 100;
    players[player_id].x = player_x;
    players[player_id].z = player_z;
    players[player_id].uhel = 0.0f;
    impu = 0;
    under_cursor_ = point_under_cursor();
  }
  void TearDown() override { impu = 0; }

  // Unprojects the cursor through the camera place_frame_camera places, onto y = 1.
  static point point_under_cursor() {
    camera_view v = place_camera(player_x, player_z, 0.0f, mouse_x, mouse_y, width, height);
    GLint viewport[4] = {0, 0, width, height};
    GLdouble projection[16], modelview[16];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45, double(width) / height, 0.1, 100);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(v.eye_x, v.eye_y, v.eye_z, v.look_x, v.look_y, v.look_z, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glPopMatrix();
    GLdouble nx, ny, nz, fx, fy, fz;
    gluUnProject(mouse_x, height - mouse_y, 0, modelview, projection, viewport, &nx, &ny, &nz);
    gluUnProject(mouse_x, height - mouse_y, 1, modelview, projection, viewport, &fx, &fy, &fz);
    double t = (1.0 - ny) / (fy - ny);
    return {float(nx + t * (fx - nx)), float(nz + t * (fz - nz))};
  }

  // An alert enemy whose strip runs from the player through `at` and on to
  // `strip_end`, 7 cells past the enemy along its heading.
  static imp_t enemy_towards(point at, point strip_end) {
    imp_t e{};
    e.uhel = float(std::atan2(-(strip_end.x - at.x), -(strip_end.z - at.z)) / radians);
    e.x = at.x;
    e.z = at.z;
    e.health = 20;
    e.alert = 1;
    e.visible = 1;
    return e;
  }
  // Heading straight away from the player.
  static imp_t enemy_at(point at) {
    double d = std::hypot(at.x - player_x, at.z - player_z);
    return enemy_towards(at, {float(at.x + (at.x - player_x) / d), float(at.z + (at.z - player_z) / d)});
  }
  void place(std::initializer_list<imp_t> enemies) {
    impu = 0;
    for (const imp_t& e : enemies) imp[impu++] = e;
  }

  static float aim_at(point p) { return aim_uhel_at(player_x, player_z, p.x, p.z); }

  static hidden_gl_window gl_;
  point under_cursor_{};
};

hidden_gl_window PickingTest::gl_;

TEST_F(PickingTest, PlacesTheCameraAndRestoresTheRenderingState) {
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  pick_target();
  camera_view v = place_camera(player_x, player_z, 0.0f, mouse_x, mouse_y, width, height);
  EXPECT_FLOAT_EQ(cpx, v.eye_x);
  EXPECT_FLOAT_EQ(cpy, 14.0f);
  EXPECT_FLOAT_EQ(cpz, player_z + 9.0f);
  EXPECT_FLOAT_EQ(clx, v.look_x);
  EXPECT_FLOAT_EQ(cly, -1.5f);
  EXPECT_FLOAT_EQ(clz, player_z - 1.14f);

  GLint mode;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  EXPECT_EQ(mode, GL_RENDER);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], projection[i]);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(PickingTest, SnapsTheAimOntoTheEnemyUnderTheCursor) {
  // The cursor point lies ahead and to the right of the player, in range.
  ASSERT_GT(under_cursor_.x, player_x + 1);
  ASSERT_LT(under_cursor_.z, player_z - 1);
  place({enemy_at(under_cursor_)});
  pick_target();
  EXPECT_NEAR(players[player_id].uhel, aim_at(under_cursor_), 1e-3);
  EXPECT_GT(players[player_id].uhel, 180.0f);  // right of ahead, in the player's convention
}

TEST_F(PickingTest, OffCursorAsleepOrUnseenEnemiesLeaveTheAimAlone) {
  point mirrored = {2 * player_x - under_cursor_.x, under_cursor_.z};
  imp_t asleep = enemy_at(under_cursor_);
  asleep.alert = 0;
  imp_t unseen = enemy_at(under_cursor_);
  unseen.visible = 0;
  imp_t dead = enemy_at(under_cursor_);
  dead.health = 0;
  place({enemy_at(mirrored), asleep, unseen, dead});
  pick_target();
  EXPECT_FLOAT_EQ(players[player_id].uhel, 0.0f);
}

TEST_F(PickingTest, TheLowestEnemyIndexWinsWhateverItsDepth) {
  // A second strip crosses the cursor point from an enemy off to the side.
  point strip_end = {player_x + 1.5f * (under_cursor_.x - player_x), player_z + 1.5f * (under_cursor_.z - player_z)};
  double axis = std::atan2(strip_end.x - player_x, strip_end.z - player_z) + 30 * radians;
  point aside = {float(strip_end.x + 7 * std::sin(axis)), float(strip_end.z + 7 * std::cos(axis))};
  imp_t near_one = enemy_at(under_cursor_);
  imp_t side_one = enemy_towards(aside, strip_end);
  ASSERT_GT(std::fabs(aim_at(aside) - aim_at(under_cursor_)), 5.0f);

  place({side_one, near_one});
  pick_target();
  EXPECT_NEAR(players[player_id].uhel, aim_at(aside), 1e-3);

  players[player_id].uhel = 0.0f;
  place({near_one, side_one});
  pick_target();
  EXPECT_NEAR(players[player_id].uhel, aim_at(under_cursor_), 1e-3);
}

// An enemy `ahead` cells in front of the player and `right` cells to its
// right, heading `heading` (degrees; 0 runs its strip on towards -z).
imp_t enemy(float right, float ahead, float heading, int alert = 1) {
  imp_t e{};
  e.x = player_x + right;
  e.z = player_z - ahead;
  e.uhel = heading;
  e.health = 20;
  e.alert = alert;
  e.visible = 1;
  return e;
}

// The processor's pick and selection mode agree at every cursor position of
// a grid over the window (edges and corners included), for each placement
// and each facing of the player.
TEST_F(PickingTest, TheProcessorPicksWhatSelectionModePicks) {
  struct placement {
    const char* name;
    std::vector<imp_t> enemies;
  };
  const placement placements[] = {
      {"none", {}},
      {"one ahead", {enemy(0, 6, 0)}},
      {"one ahead to the right, heading off", {enemy(4, 5, -40)}},
      {"several overlapping", {enemy(1, 4, 10), enemy(-1, 5, -10), enemy(0, 8, 0), enemy(2, 3, 30)}},
      {"overlapping, one asleep", {enemy(0, 6, 0, 0), enemy(0.5f, 6, 5)}},
      {"at the edges of range", {enemy(24.9f, 0, 90), enemy(-24.9f, 19.9f, -60), enemy(0, -19.9f, 180)}},
      {"behind the player", {enemy(0, -3, 180), enemy(2, -6, 160), enemy(-1, -2, 0)}},
      {"beside the player, across the view", {enemy(8, 0, 90), enemy(-8, 0.5f, -90)}},
  };
  const float facings[] = {0, 45, 180, 300};
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  int hits = 0, positions = 0;
  for (const placement& p : placements) {
    place({});
    for (const imp_t& e : p.enemies) imp[impu++] = e;
    for (float facing : facings) {
      for (int y = 0; y <= height; y += 6) {
        for (int x = 0; x <= width; x += 8) {
          camera_view v = place_camera(player_x, player_z, facing, x, y, width, height);
          int expected = selection_mode_pick(v, x, y, player_x, player_z);
          ASSERT_EQ(enemy_under_cursor(v, viewport, x, y, player_x, player_z), expected)
              << p.name << ", facing " << facing << ", cursor " << x << "," << y;
          hits += expected >= 0;
          ++positions;
        }
      }
    }
  }
  // The grid must really hit strips, and miss them too.
  EXPECT_GT(hits, positions / 50);
  EXPECT_LT(hits, positions / 2);
}

}  // namespace
