#include <gtest/gtest.h>

#include <cmath>

#include "actors/pick_volume.h"
#include "actors/target_picking.h"

namespace {

constexpr float tolerance = 1e-4f;

TEST(CameraPlacement, EyeHangsAboveAndBehindAndLooksAtThePlayerWhenTheCursorIsCentred) {
  camera_view v = place_camera(10.0f, 20.0f, 37.0f, 400, 300, 800, 600);
  EXPECT_FLOAT_EQ(v.eye_x, 10.0f);
  EXPECT_FLOAT_EQ(v.eye_y, 14.0f);
  EXPECT_FLOAT_EQ(v.eye_z, 29.0f);
  EXPECT_FLOAT_EQ(v.look_x, 10.0f);
  EXPECT_FLOAT_EQ(v.look_y, -1.5f);
  EXPECT_FLOAT_EQ(v.look_z, 20.0f);
}

TEST(CameraPlacement, LeadGrowsWithTheCursorsDistanceUpToItsCaps) {
  // Facing 90 (towards decreasing x): only the x lead shows, as x -= fx.
  camera_view near = place_camera(10.0f, 20.0f, 90.0f, 420, 300, 800, 600);
  EXPECT_NEAR(near.look_x, 10.0f - 20.0f / 14.0f, tolerance);
  camera_view far = place_camera(10.0f, 20.0f, 90.0f, 500, 300, 800, 600);
  EXPECT_NEAR(far.look_x, 7.5f, tolerance);
  // Left of centre leads the same way: the distance counts, not the side.
  camera_view left = place_camera(10.0f, 20.0f, 90.0f, 300, 300, 800, 600);
  EXPECT_NEAR(left.look_x, 7.5f, tolerance);

  // Facing 0 (towards decreasing z): below the centre leads up to 4.5 cells,
  // above it only up to 1.14.
  camera_view below = place_camera(10.0f, 20.0f, 0.0f, 400, 590, 800, 600);
  EXPECT_NEAR(below.look_z, 15.5f, tolerance);
  camera_view above = place_camera(10.0f, 20.0f, 0.0f, 400, 10, 800, 600);
  EXPECT_NEAR(above.look_z, 18.86f, tolerance);
}

imp_t alert_enemy(float x, float z) {
  imp_t e{};
  e.x = x;
  e.z = z;
  e.health = 10;
  e.alert = 1;
  e.visible = 1;
  return e;
}

TEST(PickCandidates, OnlyAlertVisibleLivingEnemiesWithinRange) {
  EXPECT_TRUE(is_pick_candidate(alert_enemy(12, 12), 10, 10));
  imp_t asleep = alert_enemy(12, 12);
  asleep.alert = 0;
  EXPECT_FALSE(is_pick_candidate(asleep, 10, 10));
  imp_t hidden = alert_enemy(12, 12);
  hidden.visible = 0;
  EXPECT_FALSE(is_pick_candidate(hidden, 10, 10));
  imp_t dead = alert_enemy(12, 12);
  dead.health = 0;
  EXPECT_FALSE(is_pick_candidate(dead, 10, 10));

  EXPECT_TRUE(is_pick_candidate(alert_enemy(10, 30), 10, 10));
  EXPECT_FALSE(is_pick_candidate(alert_enemy(10, 32), 10, 10));
  EXPECT_TRUE(is_pick_candidate(alert_enemy(35, 10), 10, 10));
  EXPECT_FALSE(is_pick_candidate(alert_enemy(35.5f, 10), 10, 10));
}

TEST(PickStrip, RunsFromThePlayerThroughTheEnemySevenCellsBeyond) {
  // Enemy 3 cells ahead (decreasing z) heading away from the player.
  imp_t e = alert_enemy(10, 7);
  e.uhel = 0;
  pick_strip s = pick_strip_for(10, 10, e);
  EXPECT_NEAR(s.x[0], 10.4f, tolerance);
  EXPECT_NEAR(s.z[0], 10.0f, tolerance);
  EXPECT_NEAR(s.x[2], 9.6f, tolerance);
  EXPECT_NEAR(s.z[2], 0.0f, tolerance);

  // Heading 90 turns the strip's far end towards decreasing x.
  e.uhel = 90;
  s = pick_strip_for(10, 10, e);
  EXPECT_NEAR(s.x[2], 3.0f, tolerance);
  EXPECT_NEAR(s.z[2], 7.4f, tolerance);
}

TEST(AimSnap, FacesTheEnemyInThePlayersAngleConvention) {
  EXPECT_NEAR(aim_uhel_at(10, 10, 10, 5), 360.0f, tolerance);  // not 0
  EXPECT_NEAR(aim_uhel_at(10, 10, 5, 10), 90.0f, tolerance);
  EXPECT_NEAR(aim_uhel_at(10, 10, 15, 10), 270.0f, tolerance);
}

// A pick volume looking straight down onto the origin from 10 above.
TEST(PickVolume, APolygonCountsWhenAnyOfItLiesInsideTheRegion) {
  const camera_view down = {0, 10, 0.001f, 0, 0, 0};
  const int viewport[4] = {0, 0, 100, 100};
  const pick_volume centre = make_pick_volume(down, 50, 50, 1, viewport, 45, 0.1, 100);
  struct row {
    const char* name;
    float x0, x1, y, z0, z1;
    bool inside;
  } rows[] = {
      {"covers the centre", -1, 1, 0, -1, 1, true},
      {"a sliver across the centre", -0.01f, 0.01f, 0, -5, 5, true},
      {"off to the side", 0.5f, 2, 0, -1, 1, false},
      {"beyond the far plane", -1, 1, -200, -1, 1, false},
      {"behind the eye", -1, 1, 20, -1, 1, false},
      {"between eye and near plane", -1, 1, 9.95f, -1, 1, false},
  };
  for (const row& r : rows) {
    const float quad[4][3] = {{r.x0, r.y, r.z0}, {r.x1, r.y, r.z0}, {r.x1, r.y, r.z1}, {r.x0, r.y, r.z1}};
    EXPECT_EQ(polygon_in_pick_volume(centre, quad, 4), r.inside) << r.name;
  }
  // A polygon running from behind the eye to far below it crosses the view.
  const float slanted[4][3] = {{-1, 20, -1}, {1, 20, -1}, {1, -20, 1}, {-1, -20, 1}};
  EXPECT_TRUE(polygon_in_pick_volume(centre, slanted, 4));
  const float too_few[2][3] = {{0, 0, 0}, {1, 0, 0}};
  EXPECT_FALSE(polygon_in_pick_volume(centre, too_few, 2));
}

}  // namespace
