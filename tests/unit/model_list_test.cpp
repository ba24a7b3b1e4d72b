#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/loading_log.h"
#include "content/model_list.h"
#include "content/models.h"
#include "formats/md2.h"
#include "support/animated_md2.h"
#include "support/scratch_dir.h"

namespace {

struct definition {
  std::string path, text;
};

// data/model.list naming the definitions in order, and the definition files.
void load_definitions(const std::vector<definition>& definitions) {
  std::string list;
  for (const definition& d : definitions) {
    list += d.path + "\n";
    write_file(d.path, d.text);
  }
  write_file("data/model.list", list);
  load_models();
}

TEST(ModelList, TriggerMessageBeforeOrAfterTriggerAndItsDefault) {
  scratch_dir dir;
  load_definitions({
      {"data/m/door", "<model> !void! <trigger_message> Zamceno <trigger_sound> door.wav "
                      "<trigger> door_locked 2.5 red_key"},
      {"data/m/medikit", "<model> !void! <trigger> item medikit 25 100 <trigger_message> Lekarna"},
      {"data/m/key", "<model> !void!\n<trigger>\nitem\nkey\nred_key\n"},
      {"data/m/plain", "<model> !void! <texture> wood.tga"},
  });
  ASSERT_EQ(modelu, 4);
  ASSERT_EQ(trigger_prototypu, 3);
  EXPECT_EQ(model_trigger[3], -1);

  const trigger_t& door = trigger_prototype[model_trigger[0]];
  EXPECT_EQ(door.kind, trigger_door);
  EXPECT_STREQ(door.text[trigger_text_message], "Zamceno");
  EXPECT_STREQ(door.text[trigger_text_sound], "door.wav");
  EXPECT_STREQ(door.text[trigger_text_name], "red_key");
  EXPECT_FLOAT_EQ(door.value[0][0], 2.5f);
  EXPECT_FLOAT_EQ(door.value[0][2], 1.0f);
  EXPECT_EQ(door.pickable, 0);
  EXPECT_EQ(door.is_door, 1);

  const trigger_t& medikit = trigger_prototype[model_trigger[1]];
  EXPECT_EQ(medikit.kind, trigger_medikit);
  EXPECT_STREQ(medikit.text[trigger_text_message], "Lekarna");
  EXPECT_EQ(medikit.value[0][0], 25.0f);
  EXPECT_EQ(medikit.value[0][1], 100.0f);
  EXPECT_EQ(medikit.pickable, 1);
  EXPECT_EQ(medikit.is_door, 0);

  const trigger_t& key = trigger_prototype[model_trigger[2]];
  EXPECT_EQ(key.kind, trigger_key);
  EXPECT_STREQ(key.text[trigger_text_name], "red_key");
  EXPECT_STREQ(key.text[trigger_text_message], no_trigger_message);
  EXPECT_STREQ(model_t_list[3], "wood.tga");
}

TEST(ModelList, TriggerKinds) {
  scratch_dir dir;
  load_definitions({
      {"data/m/door", "<trigger> door 1.5"},
      {"data/m/gun", "<trigger> item weapon shotgun"},
      {"data/m/shells", "<trigger> item ammo shotgun 12"},
      {"data/m/odd", "<trigger> item trophy"},
      {"data/m/none", "<trigger> portal <noshadow>"},
  });
  ASSERT_EQ(trigger_prototypu, 5);
  const trigger_t& door = trigger_prototype[0];
  EXPECT_EQ(door.kind, trigger_door);
  EXPECT_FLOAT_EQ(door.value[0][0], 1.5f);
  EXPECT_FLOAT_EQ(door.value[0][2], 0.0f);
  EXPECT_EQ(door.is_door, 1);
  EXPECT_EQ(trigger_prototype[1].kind, trigger_weapon);
  EXPECT_STREQ(trigger_prototype[1].text[trigger_text_name], "shotgun");
  EXPECT_EQ(trigger_prototype[2].kind, trigger_ammo);
  EXPECT_STREQ(trigger_prototype[2].text[trigger_text_name], "shotgun");
  EXPECT_EQ(trigger_prototype[2].value[0][0], 12.0f);
  // An unknown item is still a pickable item of kind 0; an unknown kind word
  // leaves the prototype as it was but still creates it.
  EXPECT_EQ(trigger_prototype[3].kind, 0);
  EXPECT_EQ(trigger_prototype[3].pickable, 1);
  EXPECT_EQ(trigger_prototype[3].is_door, 0);
  EXPECT_EQ(model_trigger[4], 4);
  EXPECT_EQ(trigger_prototype[4].pickable, 0);
  EXPECT_EQ(trigger_prototype[4].is_door, 0);
  EXPECT_EQ(model_shadow[4], 0);
  EXPECT_EQ(model_shadow[3], 1);
}

// The game, the forge and the campaign bot all ask trigger_is_locked_door;
// it must agree with what the definition reader stores.
TEST(ModelList, OnlyADoorLockedDefinitionMakesALockedDoor) {
  scratch_dir dir;
  const struct {
    const char* definition;
    bool locked;
  } cases[] = {
      {"<trigger> door_locked 2 brass", true},
      {"<trigger> door 2", false},
      {"<trigger> item key brass", false},
      {"<trigger> item trophy", false},  // kind 0 like a door, but never locked
  };
  for (const auto& c : cases) {
    load_definitions({{"data/m/thing", c.definition}});
    ASSERT_EQ(trigger_prototypu, 1) << c.definition;
    EXPECT_EQ(trigger_is_locked_door(trigger_prototype[0]), c.locked) << c.definition;
  }
}

TEST(ModelList, MessageOfAModelWithoutTriggerDoesNotReachTheNextModelsTrigger) {
  scratch_dir dir;
  load_definitions({
      {"data/m/sign", "<trigger_message> Pozor"},
      {"data/m/door", "<trigger> door 1"},
  });
  EXPECT_STREQ(trigger_prototype[model_trigger[1]].text[trigger_text_message], no_trigger_message);
}

TEST(ModelList, VoidLightPlacesALightWithoutMesh) {
  scratch_dir dir;
  load_definitions({
      {"data/m/lamp", "<model> !void! <light_source> r ( 5 ) rgb ( 1 0.5 0 ) xyz ( 0.5 2 0.5 )"},
      {"data/m/torch", "<model> !void! <emitor> fire 1 0.25 0\n"
                       "<light_source2> r(3)rgb(0 0 1)xyz(0.5 1 0.5)\n"
                       "<light_source> r (4) rgb (0.1 0.2 0.3) xyz (0 0 0)"},
  });
  ASSERT_EQ(light_typu, 3);
  EXPECT_EQ(model[0], nullptr);
  EXPECT_STREQ(_loaded[0], "data/model.list");  // no mesh was read for either
  const light_t& lamp = light_type[model_light_type[0]];
  EXPECT_FLOAT_EQ(lamp.radius, 5.0f);
  EXPECT_FLOAT_EQ(lamp.g, 0.5f);
  EXPECT_FLOAT_EQ(lamp.y, 2.0f);
  EXPECT_FLOAT_EQ(lamp.z, 0.5f);
  EXPECT_EQ(model_light_type2[0], -1);
  EXPECT_EQ(model_emitor[0], 0);

  EXPECT_EQ(model_emitor[1], 1);
  EXPECT_FLOAT_EQ(model_emitor_rgb[1][1], 0.25f);
  // Without blanks around the parentheses the light reads the same.
  const light_t& second = light_type[model_light_type2[1]];
  EXPECT_FLOAT_EQ(second.radius, 3.0f);
  EXPECT_FLOAT_EQ(second.b, 1.0f);
  EXPECT_FLOAT_EQ(second.y, 1.0f);
  EXPECT_FLOAT_EQ(light_type[model_light_type[1]].b, 0.3f);
}

TEST(ModelList, LoadingLogShowsMissingFiles) {
  scratch_dir dir;
  load_models();
  EXPECT_STREQ(_loaded[0], "data/model.list - FAILED!");
  EXPECT_EQ(modelu, 0);

  write_file("data/model.list", "data/m/gone data/m/crate");
  write_file("data/m/crate", "<model> data/crate.md2");
  load_models();
  EXPECT_EQ(modelu, 2);
  EXPECT_EQ(model_shadow[0], 1);  // a missing definition keeps the defaults
  EXPECT_EQ(model_trigger[0], -1);
  EXPECT_STREQ(_loaded[2], "data/model.list");
  EXPECT_STREQ(_loaded[1], "data/m/gone - FAILED!");
  EXPECT_STREQ(_loaded[0], "data/crate.md2 - FAILED!");
  EXPECT_EQ(model[1], nullptr);
}

TEST(ModelList, MeshesAreReadWithNormalsAndSharedFilesGiveEachModelItsOwnCopy) {
  scratch_dir dir;
  ASSERT_TRUE(write_animated_md2("data/crate.md2", {"stand01", "stand02"}));
  load_definitions({{"data/m/crate", "<model> data/crate.md2"}, {"data/m/box", "<model> data/crate.md2"}});
  ASSERT_NE(model[0], nullptr);
  ASSERT_NE(model[1], nullptr);
  EXPECT_NE(model[0], model[1]);
  EXPECT_STREQ(_loaded[0], "data/crate.md2");
  EXPECT_STREQ(_loaded[1], "data/crate.md2");
  EXPECT_EQ(find_model_by_mesh("data/crate.md2"), 0);
  // The writer left every normal index at 0; the loader recomputed them from
  // the triangle, so all three vertices share one unit normal.
  const float* n = model[0]->frames[1].vertices[2].normal;
  EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-5f);
  EXPECT_FLOAT_EQ(model[0]->frames[1].vertices[0].normal[2], n[2]);
  load_models();  // the meshes of the first load are released (the leak checker watches)
}

TEST(ModelList, TablesNeverOverflow) {
  scratch_dir dir;
  std::string many_lights, many_triggers;
  for (int i = 0; i <= light_type_capacity; ++i) many_lights += "<light_source> r(1)rgb(1 1 1)xyz(0 0 0) ";
  std::vector<definition> definitions = {{"data/m/lights", many_lights}};
  // Two triggers per model: the prototypes run out at model 100.
  for (int i = 1; i <= model_capacity; ++i)
    definitions.push_back({"data/m/t" + std::to_string(i),
                           "<trigger_message> hi <trigger> item key k <trigger> door 1 <trigger_sound> s.wav"});
  load_definitions(definitions);
  EXPECT_EQ(modelu, model_capacity);
  EXPECT_EQ(light_typu, light_type_capacity);
  EXPECT_EQ(model_light_type[0], light_type_capacity - 1);
  EXPECT_EQ(trigger_prototypu, trigger_prototype_capacity);
  EXPECT_EQ(model_trigger[100], trigger_prototype_capacity - 1);
  EXPECT_EQ(model_trigger[101], -1);
  EXPECT_STREQ(trigger_prototype[trigger_prototype_capacity - 1].text[trigger_text_sound], "s.wav");
  EXPECT_STREQ(_loaded[0], "data/model.list: too many models - FAILED!");
}

TEST(ModelList, OverLongNamesAreRefused) {
  scratch_dir dir;
  std::string long_path = "data/m/" + std::string(content_name_capacity, 'p');
  load_definitions({
      {long_path, "<model> !void! <noshadow>"},
      {"data/m/item", "<model> !void! <model> " + std::string(content_name_capacity, 'q') +
                          " <trigger> item key " + std::string(trigger_text_capacity, 'k')},
  });
  ASSERT_EQ(modelu, 2);
  EXPECT_STREQ(model_d_list[0], "");
  EXPECT_EQ(model_shadow[0], 1);  // its definition was not read
  EXPECT_STREQ(model_list[1], "!void!");
  EXPECT_STREQ(trigger_prototype[model_trigger[1]].text[trigger_text_name], "");
}

}  // namespace
