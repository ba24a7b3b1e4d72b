#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "actors/player.h"
#include "actors/player_animation.h"
#include "actors/player_movement.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "platform/input.h"
#include "sound/sound_bank.h"
#include "support/test_sounds.h"

namespace {

const char* const death_cry = "data/sound/death.wav";

player_t& live() { return players[player_id]; }

class PlayerAnimation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_sounds({footstep_sound, death_cry}); }
  static void TearDownTestSuite() { close_test_sounds(); }
  void SetUp() override {
    ASSERT_GE(bank_entry(footstep_sound), 0);
    ASSERT_GE(bank_entry(death_cry), 0);
    played(footstep_sound);
    played(death_cry);
    player_id = 0;
    live() = player_t{};
    std::snprintf(live().sound_death, sizeof live().sound_death, "%s", death_cry);
    std::memset(weapon, 0, sizeof weapon);
    weaponu = 0;
    shoot_anim = shoot_anim_init = shoot_anim_frame = shoot_anim_nframe = 0;
    shoot_anim_interpol = 0.0f;
    t_scale = 1.0f;
  }
  void TearDown() override {
    motion_mix = 0.1f;
    shoot_anim = shoot_anim_init = shoot_anim_frame = shoot_anim_nframe = 0;
    shoot_anim_interpol = 0.0f;
    std::memset(keys, 0, sizeof keys);
  }

  // One frame per call at 15 frames a second, one death frame per call at 40.
  static void frame_per_loop_call() { motion_mix = 1.0f / loop_anim_fps; }
  static void frame_per_death_call() { motion_mix = 1.0f / death_anim_fps; }
};

TEST_F(PlayerAnimation, At60FpsTheBodyMovesEveryFourthCallAndWraps) {
  motion_mix = 1.0f / 60.0f;
  live().anim_state = player_standing;
  live().anim_stop[0] = 0;
  live().anim_stop[1] = 1;
  const int expected_frames[] = {1, 0, 1};  // after calls 4, 8 and 12
  for (int call = 1; call <= 12; ++call) {
    int before = live().frame;
    player_anim_body();
    if (call % 4) {
      EXPECT_EQ(live().frame, before) << "call " << call;
      continue;
    }
    EXPECT_EQ(live().frame, expected_frames[call / 4 - 1]) << "call " << call;
    EXPECT_EQ(live().prev_frame, before);
    EXPECT_EQ(live().interpol, 0.0f);
  }
  EXPECT_FALSE(played(footstep_sound));  // standing is silent
}

TEST_F(PlayerAnimation, FootstepsOnTheWalksFirstFrameAndHalfWay) {
  frame_per_loop_call();
  live().anim_state = player_walking;
  live().anim_chuze[0] = 40;
  live().anim_chuze[1] = 45;
  live().frame = 3;  // still on a standing frame
  struct step {
    int frame;
    bool footstep;
  };
  const step steps[] = {{40, true}, {41, false}, {42, true}, {43, false},
                        {44, false}, {45, false}, {40, true}, {41, false}};
  for (const step& s : steps) {
    player_anim_body();
    EXPECT_EQ(live().frame, s.frame);
    EXPECT_EQ(played(footstep_sound), s.footstep) << "frame " << s.frame;
  }
}

TEST_F(PlayerAnimation, DeathCriesOnceAndRestsOnItsLastFrame) {
  frame_per_death_call();
  live().anim_state = player_dying;
  live().anim_smrt[0] = 50;
  live().anim_smrt[1] = 53;
  live().frame = 43;
  live().prev_frame = 42;
  player_anim_body();
  EXPECT_EQ(live().frame, 50);
  EXPECT_TRUE(played(death_cry));
  for (int f = 51; f <= 53; ++f) {
    player_anim_body();
    EXPECT_EQ(live().frame, f);
  }
  EXPECT_EQ(live().prev_frame, 53);
  motion_mix = 0.3f;  // any frame time
  for (int i = 0; i < 10; ++i) player_anim_body();
  EXPECT_EQ(live().frame, 53);
  EXPECT_EQ(live().prev_frame, 53);
  EXPECT_EQ(live().interpol, 0.0f);
  EXPECT_FALSE(played(death_cry));
}

// At 20 frames a second each step covers two death frames and would jump
// over the last one; the body must not die again from the start.
TEST_F(PlayerAnimation, SlowFramesStopTheDeathOnItsLastFrame) {
  motion_mix = 0.05f;
  live().anim_state = player_dying;
  live().anim_smrt[0] = 50;
  live().anim_smrt[1] = 59;
  live().frame = 43;
  int cries = 0;
  for (int i = 0; i < 20; ++i) {
    player_anim_body();
    cries += played(death_cry);
  }
  EXPECT_EQ(cries, 1);
  EXPECT_EQ(live().frame, 59);
  EXPECT_EQ(live().prev_frame, 59);
}

class WeaponAnimation : public PlayerAnimation {
 protected:
  void SetUp() override {
    PlayerAnimation::SetUp();
    weaponu = 2;
    weapon_t& w = weapon[0];
    w.anim_fire[0] = 10, w.anim_fire[1] = 12;
    w.anim_reload1[0] = 20, w.anim_reload1[1] = 21;
    w.anim_reload2[0] = 22, w.anim_reload2[1] = 23;
    w.anim_reload3[0] = 24, w.anim_reload3[1] = 25;
    w.anim_death[0] = 30, w.anim_death[1] = 31;
    live().weapon = 0;
    frame_per_loop_call();
  }
  // As shooting asks for a single shot.
  static void single_shot() {
    shoot_anim = weapon_anim_single_shot;
    shoot_anim_frame = shoot_anim_nframe = 10;
  }
};

TEST_F(WeaponAnimation, ASingleShotPlaysOnceAndTheWeaponRests) {
  single_shot();
  for (int f : {11, 12}) {
    shoot_reload_anim();
    EXPECT_EQ(shoot_anim_frame, f);
    EXPECT_EQ(shoot_anim_init, weapon_anim_single_shot);
  }
  shoot_reload_anim();  // past the last fire frame
  EXPECT_EQ(shoot_anim, weapon_anim_none);
  EXPECT_EQ(shoot_anim_frame, 10);
  shoot_reload_anim();
  EXPECT_EQ(shoot_anim_frame, 0);
  EXPECT_EQ(shoot_anim_nframe, 0);
  EXPECT_EQ(shoot_anim_interpol, 0.0f);
}

TEST_F(WeaponAnimation, AShotAskedForSinceThePreviousStepIsNotCutShort) {
  shoot_anim_init = weapon_anim_reload_end;  // the last step belonged to a reload
  shoot_anim = weapon_anim_single_shot;
  shoot_anim_frame = 12;
  shoot_reload_anim();  // runs past the end, but the request is new
  EXPECT_EQ(shoot_anim, weapon_anim_single_shot);
  EXPECT_EQ(shoot_anim_frame, 10);
  EXPECT_EQ(shoot_anim_init, weapon_anim_single_shot);
  for (int i = 0; i < 3; ++i) shoot_reload_anim();
  EXPECT_EQ(shoot_anim, weapon_anim_none);
}

TEST_F(WeaponAnimation, ReloadPhasesLoopTheirOwnFrames) {
  const struct {
    int32_t request, first;
  } phases[] = {{weapon_anim_reload_start, 20}, {weapon_anim_reload_step, 22}, {weapon_anim_reload_end, 24}};
  for (const auto& phase : phases) {
    shoot_anim = phase.request;
    shoot_anim_frame = 0;
    for (int f : {phase.first, phase.first + 1, phase.first}) {
      shoot_reload_anim();
      EXPECT_EQ(shoot_anim_frame, f) << "request " << phase.request;
    }
    EXPECT_EQ(shoot_anim, phase.request);
    EXPECT_EQ(shoot_anim_init, phase.request);
  }
}

TEST_F(WeaponAnimation, DeathRestsOnItsLastFrameWithoutASound) {
  frame_per_death_call();
  shoot_anim = weapon_anim_death;
  shoot_anim_frame = 11;
  for (int i = 0; i < 10; ++i) shoot_reload_anim();
  EXPECT_EQ(shoot_anim_frame, 31);
  EXPECT_EQ(shoot_anim_nframe, 31);
  EXPECT_FALSE(played(death_cry));
}

TEST_F(WeaponAnimation, SwitchingWeaponsMidShotReturnsToFrameZeroAtOnce) {
  weapon[0].ammo = weapon[1].ammo = 5;
  single_shot();
  shoot_reload_anim();
  ASSERT_EQ(shoot_anim_frame, 11);
  keys['2'] = 1;
  keyboard_control();
  shoot_reload_anim();
  EXPECT_EQ(live().weapon, 1);
  EXPECT_EQ(shoot_anim_frame, 0);
  EXPECT_EQ(shoot_anim_nframe, 0);
  EXPECT_EQ(shoot_anim_interpol, 0.0f);
}

// A weapon index that names no record must not be read through.
TEST_F(WeaponAnimation, AWeaponIndexOutsideTheTableRestsAtFrameZero) {
  for (int32_t index : {-1, weapon_capacity}) {
    live().weapon = index;
    single_shot();
    shoot_reload_anim();
    EXPECT_EQ(shoot_anim_frame, 0) << "weapon " << index;
    EXPECT_EQ(shoot_anim_nframe, 0);
  }
}

}  // namespace
