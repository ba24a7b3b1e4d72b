// The view volume of a pick region: the part of the scene that a small square
// of the window around the cursor shows through a camera, and whether a flat
// convex polygon reaches into it. Built the way the fixed-function pipeline
// builds the projection of a picking pass (a pick matrix around the cursor,
// the perspective, the look-at), in the same single-precision steps, and the
// polygon clipped as the pipeline clips it, so a polygon counts as under the
// cursor exactly when a selection-mode pass would have reported a hit for it.
#pragma once

// A camera with +y up: where the eye is and the point it looks at.
struct camera_view {
  float eye_x, eye_y, eye_z;
  float look_x, look_y, look_z;
};

// A column-major clip matrix: projection times model-view.
struct pick_volume {
  float clip[16];
};

// `viewport` is (x, y, width, height) as the window's viewport; `window_x`
// and `window_y` are the cursor in window coordinates (y up); the region is
// `region_pixels` wide and high. The perspective is `fov_degrees` vertical,
// with the viewport's aspect, from `near_plane` to `far_plane`.
pick_volume make_pick_volume(const camera_view& camera, double window_x, double window_y, double region_pixels,
                             const int viewport[4], double fov_degrees, double near_plane, double far_plane);

// Whether any part of the convex polygon (corners x, y, z in order, at most
// eight) lies inside the volume.
bool polygon_in_pick_volume(const pick_volume& volume, const float (*corners)[3], int corner_count);
