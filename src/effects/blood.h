// Blood at a hit: fills emitor_tmp with one of the three blood templates and
// creates the emitter.
#pragma once

enum class blood_kind { jet, burst, heavy };

// Heavy blood when c_ultra_blood is set; otherwise 70 % jets, 30 % bursts.
blood_kind pick_blood();
// Fills the template for a hit at (x, z) by a shot flying at `angle` degrees.
void fill_blood_template(blood_kind kind, float x, float z, float angle);
// Both, then add_emitor.
void spray_blood(float x, float z, float angle);
