#include <gtest/gtest.h>

#include <string>

#include "actors/player.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "support/animated_md2.h"
#include "support/scratch_dir.h"

namespace {

// Content lists with two animated meshes: model 0 "data/zero.md2" (stand and
// die) and model 1 "data/hero.md2" (stand, run, attack, die), and three textures.
class PlayerDefinition : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(write_animated_md2("data/zero.md2", {"stand1", "stand2", "die1"}));
    ASSERT_TRUE(write_animated_md2("data/hero.md2", {"stand01", "stand02", "stand03", "run01", "run02",
                                                     "attack01", "attack02", "death01", "death02"}));
    write_file("data/m/zero", "<model> data/zero.md2");
    write_file("data/m/hero", "<model> data/hero.md2");
    write_file("data/model.list", "data/m/zero data/m/hero");
    write_file("data/tex.list", "wall.tga hero.tga hero_pain.tga");
    load_models();
    ASSERT_EQ(load_textura_list(), 0);
    players[player_definition_slot] = player_t{};
    player_id = 0;
  }
  void TearDown() override { players[player_definition_slot] = player_t{}; }

  const player_t& definition() { return players[player_definition_slot]; }

  scratch_dir dir;
};

TEST_F(PlayerDefinition, ReadsEveryTagWithNamedAndNumberedAnimations) {
  write_file("data/player",
             "<model> data/hero.md2 <texture> hero.tga <texture_pain> hero_pain.tga\n"
             "<sound_pain> au.wav <sound_death> aargh.wav <health_pain> 30 <speed> 2.5\n"
             "<anim_stop> byframes 0 9 <anim_chuze> run <anim_utok> attack <anim_smrt> death\n");
  load_player();
  const player_t& p = definition();
  EXPECT_EQ(p.model, 1);
  EXPECT_EQ(p.texture, 1);
  EXPECT_EQ(p.texture_pain, 2);
  EXPECT_STREQ(p.sound_pain, "au.wav");
  EXPECT_STREQ(p.sound_death, "aargh.wav");
  EXPECT_EQ(p.health_pain, 30);
  EXPECT_FLOAT_EQ(p.speed, 2.5f);
  EXPECT_EQ(p.anim_stop[0], 0);  // byframes whatever the model holds
  EXPECT_EQ(p.anim_stop[1], 9);
  EXPECT_EQ(p.anim_chuze[0], 3);
  EXPECT_EQ(p.anim_chuze[1], 4);
  EXPECT_EQ(p.anim_utok[0], 5);
  EXPECT_EQ(p.anim_utok[1], 6);
  EXPECT_EQ(p.anim_smrt[0], 7);
  EXPECT_EQ(p.anim_smrt[1], 8);
}

TEST_F(PlayerDefinition, AnimationBeforeModelIsResolvedAgainstModelZero) {
  write_file("data/player",
             "<anim_smrt> die <anim_stop> stand <model> data/hero.md2 <anim_chuze> die "
             "<anim_utok> byframes 4 5 <texture> nosuch.tga <model> nosuch.md2");
  load_player();
  const player_t& p = definition();
  EXPECT_EQ(p.model, 1);  // a name that matches nothing leaves the model
  EXPECT_EQ(p.anim_smrt[0], 2);
  EXPECT_EQ(p.anim_smrt[1], 2);
  EXPECT_EQ(p.anim_stop[1], 1);
  EXPECT_EQ(p.anim_chuze[0], 0);  // hero.md2 has no "die": unchanged
  EXPECT_EQ(p.anim_utok[0], 0);   // the attack animation takes names only
  EXPECT_EQ(p.anim_utok[1], 0);
  EXPECT_EQ(p.texture, 0);
}

TEST_F(PlayerDefinition, StartUpCopiesTheDefinitionWithFullHealthAndAtLeastSomeSpeed) {
  write_file("data/player", "<model> data/hero.md2 <speed> fast <health_pain> 20");
  load_player();
  players[0].health = 3;
  players[0].x = 7;
  init_live_player();
  EXPECT_FLOAT_EQ(definition().speed, 1.0f);
  EXPECT_FLOAT_EQ(players[0].speed, 1.0f);
  EXPECT_EQ(players[0].model, 1);
  EXPECT_EQ(players[0].health_pain, 20);
  EXPECT_EQ(players[0].health, player_start_health);
  EXPECT_FLOAT_EQ(players[0].x, 0.0f);

  write_file("data/player", "<speed> 1.75");
  load_player();
  init_live_player();
  EXPECT_FLOAT_EQ(players[0].speed, 1.75f);
}

TEST_F(PlayerDefinition, MissingFileLeavesTheDefinitionEmpty) {
  load_player();
  EXPECT_EQ(definition().model, 0);
  EXPECT_STREQ(definition().sound_pain, "");
  init_live_player();
  EXPECT_FLOAT_EQ(players[0].speed, 1.0f);
}

}  // namespace
