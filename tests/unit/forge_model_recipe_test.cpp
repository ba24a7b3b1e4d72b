// Model recipes: mistakes are reported where they are, includes place their
// parts, and frame names follow the engine's animation rule.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "models/model_recipe.h"
#include "support/scratch_dir.h"

namespace {

constexpr const char* header = "model skin=data/textures/s.tga\nmaterial m region=0,0,8,8\n";

std::vector<std::string> recipe_errors(const std::string& text, model_rig* out = nullptr) {
  diagnostics sink;
  recipe r("m.txt", sink);
  r.parse(text);
  model_rig rig;
  read_model_recipe(r, rig);
  if (out) *out = rig;
  return sink.messages();
}

std::string first_error(const std::string& text) {
  std::vector<std::string> errors = recipe_errors(text);
  return errors.empty() ? "" : errors[0];
}

TEST(ForgeModelRecipes, MistakesAreReportedWhereTheyAre) {
  EXPECT_EQ(first_error("box center=0,0,0 size=1,1,1 material=m\n"),
            "m.txt:1:1: a model recipe starts with 'model skin=...'");
  EXPECT_EQ(first_error(std::string(header) + "box center=0,0,0 size=1,1,1 material=wood\n"),
            "m.txt:3:38: no material 'wood' (define it with material)");
  EXPECT_EQ(first_error(std::string(header) + "torus center=0,0,0\n"),
            "m.txt:3:1: unknown entry 'torus' (material, part, box, cylinder, capsule, sphere, include, animation, "
            "key, preview)");
  EXPECT_EQ(first_error(std::string(header) + "part a\npart b parent=c\nbox center=0,0,0 size=1,1,1 material=m\n"),
            "m.txt:4:15: no part 'c' is defined before this one");
  EXPECT_EQ(first_error(std::string(header) + "box center=0,0,0 size=1,1,1 material=m\nanimation run2 frames=4\n"),
            "m.txt:4:11: an animation name is 1 to 13 letters or underscores (frame names add two digits)");
  EXPECT_EQ(first_error(std::string(header) +
                        "part a\nbox center=0,0,0 size=1,1,1 material=m\nanimation run frames=4\nkey 5 a move=0,1,0\n"),
            "m.txt:6:5: frame must be a whole number from 1 to 4 (the animation's frames)");
  EXPECT_EQ(first_error(std::string(header) +
                        "box center=0,0,0 size=1,1,1 material=m\nanimation run frames=4\nkey 1 leg rotate=0,0,9\n"),
            "m.txt:5:7: no part 'leg'");
  EXPECT_EQ(first_error(std::string(header) + "box center=0,0,0 size=1,1,1 material=m\npreview frame=run01\n"),
            "m.txt:4:15: no frame 'run01' in this model");
  EXPECT_EQ(first_error(std::string(header) + "cylinder from=0,0,0 to=0,0,0 radius=1 material=m\n"),
            "m.txt:3:24: from= and to= must differ");
  EXPECT_EQ(first_error(std::string(header) + "sphere center=0,0,0 radius=1 material=m sides=2\n"),
            "m.txt:3:47: sides must be a whole number from 3 to 64, not '2'");
  EXPECT_EQ(first_error(header), "m.txt: has no solids");
}

TEST(ForgeModelRecipes, IncludesPlaceTheirPartsAndRefuseModelEntries) {
  scratch_dir dir;
  write_file("gun.inc",
             "part gun pivot=0,0,0\nbox center=-1,0,0 size=2,0.2,0.2 material=m\n"
             "part mag parent=gun pivot=0,-1,0\nbox center=0,-1,0 size=0.2,0.2,0.2 material=m\n");
  write_file("bad.inc", "material x region=0,0,1,1\n");
  write_file("loop.inc", "include \"loop.inc\"\n");
  diagnostics sink;
  recipe r("held.txt", sink);
  r.parse(std::string(header) +
          "part hand pivot=5,0,0\nbox center=5,0,0 size=1,1,1 material=m\n"
          "include \"gun.inc\" at=5,1,0 rotate=0,90,0 scale=2 parent=hand\n");
  model_rig rig;
  ASSERT_TRUE(read_model_recipe(r, rig)) << sink.messages()[0];
  ASSERT_EQ(rig.parts.size(), 4u);  // root, hand, gun, mag
  EXPECT_EQ(rig.parts[2].name, "gun");
  EXPECT_EQ(rig.parts[2].parent, 1);  // hung from parent=
  EXPECT_EQ(rig.parts[3].parent, 2);
  // The magazine's pivot (0, -1, 0) scaled by 2, turned and moved to (5, 1, 0).
  EXPECT_NEAR(rig.parts[3].pivot.x, 5, 1e-5);
  EXPECT_NEAR(rig.parts[3].pivot.y, -1, 1e-5);
  EXPECT_NEAR(rig.parts[3].pivot.z, 0, 1e-5);
  // The barrel's far end (-2, 0, 0) turns 90 degrees about y onto +z, doubled.
  vec3 tip = transform_point(rig.solids[1].place, {-1, 0, 0});
  EXPECT_NEAR(tip.x, 5, 1e-5);
  EXPECT_NEAR(tip.z, 4, 1e-5);
  EXPECT_EQ(rig.solids[1].part, 2);

  std::vector<std::string> errors = recipe_errors(std::string(header) + "include \"bad.inc\"\n");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors[0], "bad.inc:1:1: 'material' belongs in the model's own recipe, not in an include");
  errors = recipe_errors(std::string(header) + "box center=0,0,0 size=1,1,1 material=m\ninclude \"loop.inc\"\n");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors[0], "loop.inc:1:1: includes nest deeper than 4");
}

TEST(ForgeModelRecipes, FrameNamesKeepTheAnimationNameWithTwoDigits) {
  model_rig rig;
  ASSERT_TRUE(recipe_errors(std::string(header) +
                                "box center=0,0,0 size=1,1,1 material=m\nanimation stand frames=2\n"
                                "animation run frames=10 loop=yes\n",
                            &rig)
                  .empty());
  std::vector<std::string> names = model_frame_names(rig);
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[0], "stand01");
  EXPECT_EQ(names[2], "run01");
  EXPECT_EQ(names[11], "run10");
  EXPECT_TRUE(rig.animations[1].loop);

  ASSERT_TRUE(recipe_errors(std::string(header) + "box center=0,0,0 size=1,1,1 material=m\n", &rig).empty());
  EXPECT_EQ(model_frame_names(rig), std::vector<std::string>{"rest01"});
}

}  // namespace
