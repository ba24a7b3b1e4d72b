#include "effects/blood.h"

#include <cmath>
#include <cstdlib>

#include "base/play_options.h"
#include "effects/particles.h"

constexpr float degrees_to_radians = 0.017453292f;
constexpr float gravity = -9.81f;

blood_kind pick_blood() {
  if (c_ultra_blood) return blood_kind::heavy;
  return std::rand() % 100 < 70 ? blood_kind::jet : blood_kind::burst;
}

void fill_blood_template(blood_kind kind, float x, float z, float angle) {
  emitor_t& t = emitor_tmp;
  t.leaves_marks = 1;
  t.r = 1.0f;
  t.g = 0.2f;
  t.b = 0.2f;
  t.ax = t.az = 0.0f;
  t.x = x;
  t.z = z;
  t.y = 1.4f;
  t.ay = gravity;
  switch (kind) {
    case blood_kind::jet: {
      float a = angle * degrees_to_radians;
      t.kind = emitor_jet;
      t.count = 3;
      t.continuous = 1;
      t.vx = -14.0f * std::sin(a);
      t.vy = -2.5f;
      t.vz = -14.0f * std::cos(a);
      t.pvx = -14.0f * std::sin(a);
      t.pvy = -2.0f;
      t.pvz = -14.0f * std::cos(a);
      break;
    }
    case blood_kind::burst:
      t.kind = emitor_burst;
      t.count = 7;
      t.continuous = 0;
      t.vx = t.vy = t.vz = 0.0f;
      t.pvx = 4.0f;
      break;
    case blood_kind::heavy:
      t.kind = emitor_burst;
      t.count = 100;
      t.continuous = 0;
      t.y = 1.0f;
      t.vx = t.vy = t.vz = 0.0f;
      t.pvx = 7.0f;
      t.ay = -7.81f;
      break;
  }
}

void spray_blood(float x, float z, float angle) {
  fill_blood_template(pick_blood(), x, z, angle);
  add_emitor();
}
