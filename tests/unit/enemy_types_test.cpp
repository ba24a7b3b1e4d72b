#include <gtest/gtest.h>

#include <string>

#include "actors/enemies.h"
#include "base/loading_log.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "support/animated_md2.h"
#include "support/scratch_dir.h"

namespace {

// Model 0 "data/rat.md2", model 1 "data/guard.md2"; textures listed in an
// order unrelated to the order the types name them in.
class EnemyTypes : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(write_animated_md2("data/rat.md2", {"idle1", "idle2", "bite1"}));
    ASSERT_TRUE(write_animated_md2("data/guard.md2", {"stand01", "stand02", "walk01", "walk02", "walk03",
                                                      "shoot01", "fall01", "fall02"}));
    write_file("data/model.list", "data/m/rat data/m/guard");
    write_file("data/m/rat", "<model> data/rat.md2");
    write_file("data/m/guard", "<model> data/guard.md2");
    write_file("data/tex.list", "guard_pain.tga wall.tga rat.tga guard.tga");
    load_models();
    ASSERT_EQ(load_textura_list(), 0);
    for (imp_prototype_t& t : imp_prototype) t = imp_prototype_t{};
  }

  scratch_dir dir;
};

TEST_F(EnemyTypes, RecordsFollowTheFileAndNamesResolveWhateverTheListOrder) {
  write_file("data/enemy",
             "<name> guard <model> data/guard.md2 <texture> guard.tga <texture_pain> guard_pain.tga\n"
             "<health> 40 <health_pain> 15 <speed> 1.5 <range> 8 <shoot_delay> 900 <shoot_delay_2> 300\n"
             "<damage> 7 <bullets/shell> 3 <sound_sight> halt.wav <sound_shoot> shot.wav\n"
             "<sound_pain> ow.wav <sound_death> ugh.wav\n"
             "<anim_stop> stand <anim_chuze> walk <anim_utok> byframes 5 5 <anim_smrt> fall\n"
             "<next_enemy_type>\n"
             "<anim_chuze> bite <name> rat <texture> rat.tga <model> data/rat.md2 <anim_stop> idle\n"
             "<next_enemy_type>\n"
             "<name> ghost <model> data/ghost.md2 <texture> ghost.tga <anim_utok> byframes 1 2\n");
  load_imp_prototype();
  ASSERT_EQ(impu_prototype, 2);

  const imp_prototype_t& guard = imp_prototype[0];
  EXPECT_STREQ(guard.name, "guard");
  EXPECT_EQ(guard.model, 1);
  EXPECT_EQ(guard.texture, 3);
  EXPECT_EQ(guard.texture_pain, 0);
  EXPECT_EQ(guard.health, 40);
  EXPECT_EQ(guard.health_pain, 15);
  EXPECT_FLOAT_EQ(guard.speed, 1.5f);
  EXPECT_FLOAT_EQ(guard.range, 8.0f);
  EXPECT_EQ(guard.shoot_delay, 900);
  EXPECT_EQ(guard.shoot_delay_2, 300);
  EXPECT_EQ(guard.damage, 7);
  EXPECT_EQ(guard.shells, 3);
  EXPECT_STREQ(guard.sound_sight, "halt.wav");
  EXPECT_STREQ(guard.sound_shoot, "shot.wav");
  EXPECT_STREQ(guard.sound_pain, "ow.wav");
  EXPECT_STREQ(guard.sound_death, "ugh.wav");
  EXPECT_EQ(guard.anim_stop[1], 1);
  EXPECT_EQ(guard.anim_chuze[0], 2);
  EXPECT_EQ(guard.anim_chuze[1], 4);
  EXPECT_EQ(guard.anim_utok[0], 5);  // enemies take "byframes" for attacks too
  EXPECT_EQ(guard.anim_smrt[0], 6);
  EXPECT_EQ(guard.anim_smrt[1], 7);

  const imp_prototype_t& rat = imp_prototype[1];
  EXPECT_STREQ(rat.name, "rat");
  EXPECT_EQ(rat.model, 0);
  EXPECT_EQ(rat.texture, 2);
  EXPECT_EQ(rat.anim_chuze[0], 2);  // before <model>: looked up in model 0
  EXPECT_EQ(rat.anim_chuze[1], 2);
  EXPECT_EQ(rat.anim_stop[1], 1);

  const imp_prototype_t& ghost = imp_prototype[2];
  EXPECT_STREQ(ghost.name, "ghost");
  EXPECT_EQ(ghost.model, 0);  // unknown names leave the fields
  EXPECT_EQ(ghost.texture, 0);
  EXPECT_EQ(ghost.anim_utok[1], 2);
}

TEST_F(EnemyTypes, MissingFileGivesOnlyTheEmptyFirstType) {
  impu_prototype = 5;
  load_imp_prototype();
  EXPECT_EQ(impu_prototype, 0);
  EXPECT_STREQ(imp_prototype[0].name, "");
}

TEST_F(EnemyTypes, TypesBeyondTheTableAreDropped) {
  std::string file;
  for (int i = 0; i <= imp_prototype_capacity; ++i)
    file += "<name> t" + std::to_string(i) + " <health> " + std::to_string(i) + " <next_enemy_type>\n";
  write_file("data/enemy", file);
  load_imp_prototype();
  EXPECT_EQ(impu_prototype, imp_prototype_capacity - 1);
  EXPECT_STREQ(imp_prototype[imp_prototype_capacity - 1].name, "t255");
  EXPECT_EQ(imp_prototype[imp_prototype_capacity - 1].health, 255);
  EXPECT_STREQ(_loaded[0], "data/enemy: too many enemy types - FAILED!");
}

}  // namespace
