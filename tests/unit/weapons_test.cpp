#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "actors/weapons.h"
#include "base/loading_log.h"
#include "content/model_list.h"
#include "content/models.h"
#include "support/animated_md2.h"
#include "support/scratch_dir.h"

namespace {

// Model 0 is "data/hands.md2" (fire, reload); model 1 "data/shotgun.md2" (shoot, pump).
class WeaponDefinitions : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(write_animated_md2("data/hands.md2", {"fire1", "fire2", "reload1"}));
    ASSERT_TRUE(write_animated_md2("data/shotgun.md2", {"shoot1", "shoot2", "shoot3", "pump1", "pump2"}));
    write_file("data/model.list", "data/m/hands data/m/shotgun");
    write_file("data/m/hands", "<model> data/hands.md2");
    write_file("data/m/shotgun", "<model> data/shotgun.md2");
    load_models();
    for (weapon_t& w : weapon) w = weapon_t{};
    weaponu = 0;
    c_snd_awsem[0] = c_snd_adsnk[0] = '\0';
  }

  scratch_dir dir;
};

TEST_F(WeaponDefinitions, GlobalSoundsAnywhereAndRecordTagsOnlyAfterAWeapon) {
  write_file("data/weapons",
             "<damage> 99 <anim_fire_loop> <all_weapons_sound_empty_magazine> click.wav\n"
             "<weapon> pistol <damage> 10 <ammo/magazine> 8 <anim_fire> fire <sound_fire> bang.wav\n"
             "<weapon> shotgun <model> data/shotgun.md2 <anim_fire_loop> <bullets/shell> 6\n"
             "<anim_fire> shoot <anim_reload2> pump <anim_death> byframes 7 12 <hud_texture> sg.tga\n"
             "<all_doors_sound_no_key> locked.wav <max_ammo> 40 <ammo/reload> 1 <shoot_delay> 700\n"
             "<reload1_delay> 100 <reload2_delay> 200 <reload3_delay> 300 <bullet_speed> 50 <texture> sg_skin.tga\n"
             "<sound_reload> pump.wav <anim_reload1> fire\n");
  load_weapons();
  ASSERT_EQ(weaponu, 2);
  EXPECT_STREQ(c_snd_awsem, "click.wav");
  EXPECT_STREQ(c_snd_adsnk, "locked.wav");

  const weapon_t& pistol = weapon[0];
  EXPECT_STREQ(pistol.name, "pistol");
  EXPECT_EQ(pistol.damage, 10);  // the 99 before any weapon went nowhere
  EXPECT_EQ(pistol.magazine, 8);
  EXPECT_EQ(pistol.fire_loop, 0);
  EXPECT_STREQ(pistol.sound_fire, "bang.wav");
  // No <model>: animations are looked up in model 0.
  EXPECT_EQ(pistol.model, 0);
  EXPECT_EQ(pistol.anim_fire[0], 0);
  EXPECT_EQ(pistol.anim_fire[1], 1);

  const weapon_t& shotgun = weapon[1];
  EXPECT_EQ(shotgun.fire_loop, 1);
  EXPECT_EQ(shotgun.model, 1);
  EXPECT_STREQ(shotgun.model_name, "data/shotgun.md2");
  EXPECT_EQ(shotgun.shells, 6);
  EXPECT_EQ(shotgun.anim_fire[0], 0);
  EXPECT_EQ(shotgun.anim_fire[1], 2);
  EXPECT_EQ(shotgun.anim_reload2[0], 3);
  EXPECT_EQ(shotgun.anim_reload2[1], 4);
  EXPECT_EQ(shotgun.anim_death[0], 7);
  EXPECT_EQ(shotgun.anim_death[1], 12);
  EXPECT_EQ(shotgun.anim_reload1[1], 0);  // the shotgun has no "fire"
  EXPECT_STREQ(shotgun.hud_texture, "sg.tga");
  EXPECT_STREQ(shotgun.texture, "sg_skin.tga");
  EXPECT_STREQ(shotgun.sound_reload, "pump.wav");
  EXPECT_EQ(shotgun.max_ammo, 40);
  EXPECT_EQ(shotgun.ammo_reload, 1);
  EXPECT_EQ(shotgun.shoot_delay, 700);
  EXPECT_EQ(shotgun.reload1_delay, 100);
  EXPECT_EQ(shotgun.reload2_delay, 200);
  EXPECT_EQ(shotgun.reload3_delay, 300);
  EXPECT_EQ(shotgun.bullet_speed, 50);
}

TEST_F(WeaponDefinitions, WeaponsBeyondTheTableAreDroppedWhole) {
  std::string file;
  for (int i = 0; i <= weapon_capacity; ++i) file += "<weapon> w" + std::to_string(i) + " <damage> " + std::to_string(i) + "\n";
  file += "<all_doors_sound_no_key> late.wav";
  write_file("data/weapons", file);
  load_weapons();
  EXPECT_EQ(weaponu, weapon_capacity);
  EXPECT_STREQ(weapon[weapon_capacity - 1].name, "w19");
  EXPECT_EQ(weapon[weapon_capacity - 1].damage, weapon_capacity - 1);
  EXPECT_STREQ(c_snd_adsnk, "late.wav");
}

TEST_F(WeaponDefinitions, MissingFileIsAnnouncedAndKeepsTheTable) {
  write_file("data/weapons", "<weapon> knife");
  load_weapons();
  ASSERT_EQ(weaponu, 1);
  std::remove("data/weapons");
  // No display: the box falls back to stderr instead of waiting for a click.
  std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  testing::internal::CaptureStderr();
  load_weapons();
  std::string said = testing::internal::GetCapturedStderr();
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  EXPECT_NE(said.find("ERROR: Nelze nacist: data/weapons"), std::string::npos) << said;
  EXPECT_EQ(weaponu, 1);
}

// Numbers no game could use are held to the ranges docs/forge.md names, and
// each one held says so on the loading log.
TEST_F(WeaponDefinitions, NumbersOutsideTheirRangesAreClampedAndLogged) {
  struct number_case {
    const char* tag;
    const char* value;
    int32_t weapon_t::*field;
    int32_t stored;
  };
  const number_case cases[] = {
      {"<ammo/magazine>", "2147483647", &weapon_t::magazine, 999},
      {"<max_ammo>", "12000", &weapon_t::max_ammo, 9999},
      {"<ammo/reload>", "-3", &weapon_t::ammo_reload, 0},
      {"<damage>", "-2147483648", &weapon_t::damage, 0},
      {"<bullets/shell>", "0", &weapon_t::shells, 1},
      {"<bullets/shell>", "100000", &weapon_t::shells, 64},
      {"<shoot_delay>", "86400000", &weapon_t::shoot_delay, 60000},
      {"<bullet_speed>", "40", &weapon_t::bullet_speed, 40},  // inside: as written, no line
  };
  for (const number_case& c : cases) {
    write_file("data/weapons", std::string("<weapon> w ") + c.tag + " " + c.value + " <damage_after> 1\n");
    std::memset(_loaded, 0, sizeof _loaded);
    weapon[0] = weapon_t{};
    load_weapons();
    EXPECT_EQ(weapon[0].*c.field, c.stored) << c.tag << " " << c.value;
    bool held = c.stored != std::atoi(c.value);
    EXPECT_EQ(std::strstr(_loaded[0], "data/weapons: ") != nullptr && std::strstr(_loaded[0], c.tag) != nullptr,
              held)
        << c.tag << " " << c.value << ": " << _loaded[0];
  }
}

}  // namespace
