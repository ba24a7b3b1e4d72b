// The checks of the definition files: a consistent set passes, and each kind
// of mistake the engine would silently skip is reported where it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/definitions_check.h"
#include "menus/menu_layout.h"
#include "support/scratch_dir.h"

namespace {

// A small consistent demo: one model, one weapon, one enemy type and the
// menus the game needs, two of them over a backdrop with two items.
class DefinitionChecks : public testing::Test {
 protected:
  void SetUp() override {
    catalogue.textures = {"data/textures/skin.tga", "data/textures/bg.jpg"};
    catalogue.sounds = {"data/sound/bang.wav", "data/sound/click.wav"};
    mesh_facts body;
    body.frames = 6;
    body.animations = {{"stand", 0, 1}, {"run", 2, 3}, {"death", 4, 5}};
    catalogue.meshes["data/models/body.md2"] = body;
    mesh_facts highlight;
    highlight.frames = 2;
    highlight.animations = {{"item", 0, 1}};
    highlight.backdrop = "demo/textures/bg.txt";
    catalogue.meshes["data/models/menu.md2"] = highlight;
    catalogue.definitions = {"data/models/body.def", "data/models/key.def", "data/models/door.def",
                             "data/models/menu.def"};
    write_file("demo/textures/bg.txt", "backdrop size=16\nmenu top=100 spacing=50\nmenu_item \"A\"\nmenu_item \"B\"\n");
    write_file("demo/model.list", "data/models/body.def data/models/key.def\ndata/models/door.def data/models/menu.def\n");
    write_file("demo/models/body.def", "<model> data/models/body.md2 <texture> data/textures/skin.tga\n");
    write_file("demo/models/key.def", "<model> !void! <trigger> item key red <trigger_sound> data/sound/bang.wav\n");
    write_file("demo/models/door.def",
               "<model> !void! <trigger> door_locked 1.5 red <light_source> r(4)rgb(1 1 1)xyz(0.5 2 0.5)\n");
    write_file("demo/models/menu.def", "<model> data/models/menu.md2 <texture> data/textures/skin.tga\n");
    write_file("demo/weapons", weapons);
    write_file("demo/player",
               "<model> data/models/body.md2 <texture> data/textures/skin.tga <texture_pain> data/textures/skin.tga\n"
               "<sound_pain> data/sound/bang.wav <sound_death> data/sound/bang.wav <health_pain> 30 <speed> 1\n"
               "<anim_stop> stand <anim_chuze> run <anim_utok> stand <anim_smrt> byframes 4 5\n");
    write_file("demo/enemy", enemy);
    int x = 0, y = 0;
    menu_layout layout;
    layout.top = 100;
    layout.spacing = 50;
    slot_label_position(layout, 0, x, y);
    slot = std::to_string(x) + " , " + std::to_string(y);
    write_file("demo/menu", menu_text());
  }

  std::string menu_text(const std::string& main_extra = "") {
    return "<menu> main <texture_bg> data/textures/bg.jpg <model> data/models/menu.md2 <texture> "
           "data/textures/skin.tga\n<menu_item> new:data/maps/test <menu_item> load:data/savegame/slot1\n"
           "<savegame_slot> " + slot + "\n<esc_item> game\n" + main_extra +
           "<menu> gameover <menu_item> quit\n<menu> victory <menu_item> menu:main\n";
  }

  std::vector<std::string> problems() {
    diagnostics sink;
    check_definitions("demo", catalogue, sink);
    return sink.messages();
  }

  std::string first_problem() {
    std::vector<std::string> all = problems();
    return all.empty() ? "" : all[0];
  }

  const std::string weapons =
      "<all_weapons_sound_empty_magazine> data/sound/click.wav <all_doors_sound_no_key> data/sound/click.wav\n"
      "<weapon> gun <model> data/models/body.md2 <hud_texture> data/textures/skin.tga\n"
      "<sound_fire> data/sound/bang.wav <sound_reload> data/sound/bang.wav <damage> 5 <ammo/magazine> 6\n"
      "<ammo/reload> 1 <max_ammo> 30 <shoot_delay> 100 <reload1_delay> 1 <reload2_delay> 2 <reload3_delay> 3\n"
      "<anim_fire> run <anim_reload1> stand <anim_reload2> stand <anim_reload3> stand <anim_death> death\n";
  const std::string enemy =
      "<name> imp <model> data/models/body.md2 <texture> data/textures/skin.tga <texture_pain> data/textures/skin.tga\n"
      "<sound_pain> data/sound/bang.wav <sound_death> data/sound/bang.wav <sound_sight> data/sound/bang.wav\n"
      "<sound_shoot> data/sound/bang.wav <speed> 1.5 <range> 8 <shoot_delay> 900 <shoot_delay_2> 300 <damage> 4\n"
      "<health> 30 <health_pain> 10 <anim_stop> stand <anim_chuze> run <anim_utok> byframes 0 1 <anim_smrt> death\n";

  scratch_dir dir;
  definition_catalogue catalogue;
  std::string slot;
};

TEST_F(DefinitionChecks, AConsistentSetPasses) { EXPECT_EQ(problems(), std::vector<std::string>{}); }

TEST_F(DefinitionChecks, NamesThatMatchNothingAreReportedAtTheirWord) {
  write_file("demo/models/body.def", "<model> data/models/body.md2\n<texture> data/textures/skin.png\n");
  EXPECT_EQ(first_problem(), "demo/models/body.def:2:11: texture 'data/textures/skin.png' is not in tex.list");
  SetUp();
  write_file("demo/models/key.def", "<model> data/models/nothing.md2 <trigger_sound> data/sound/boom.wav\n");
  std::vector<std::string> all = problems();
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], "demo/models/key.def:1:9: model 'data/models/nothing.md2' is not a mesh the forge makes "
                    "(demo/models/**.txt)");
  EXPECT_EQ(all[1], "demo/models/key.def:1:49: sound 'data/sound/boom.wav' is not in sound.list");
  SetUp();
  write_file("demo/player", "<anim_stop> stand <model> data/models/body.md2 <anim_chuze> walk <anim_utok> byframes 0 1\n");
  all = problems();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[0], "demo/player:1:13: <anim_stop> names an animation before the record's <model>");
  EXPECT_EQ(all[1], "demo/player:1:61: model data/models/body.md2 has no animation 'walk'");
  EXPECT_EQ(all[2], "demo/player:1:78: model data/models/body.md2 has no animation 'byframes'");
}

TEST_F(DefinitionChecks, ValuesAndTagsTheEngineWouldSkipAreReported) {
  write_file("demo/enemy", enemy + "<next_enemy_type> <name> imp <helth> 30 <speed> fast <anim_smrt> byframes 4 9\n");
  std::vector<std::string> all = problems();
  ASSERT_GE(all.size(), 4u);
  EXPECT_EQ(all[0], "demo/enemy:5:19: enemy type 'imp' is defined twice");
  EXPECT_EQ(all[1], "demo/enemy:5:30: '<helth>' is not a tag of the enemy file");
  EXPECT_EQ(all[2], "demo/enemy:5:38: stray word '30' (values belong right after their tag)");
  EXPECT_EQ(all[3], "demo/enemy:5:49: <speed> needs a number, not 'fast'");
  SetUp();
  write_file("demo/weapons", "<damage> 4\n" + weapons + "<weapon> knife <damage> 9\n");
  all = problems();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[0], "demo/weapons:1:1: <damage> comes before the first <weapon>, so the engine ignores it");
  EXPECT_EQ(all[1], "demo/weapons:1:10: stray word '4' (values belong right after their tag)");
  EXPECT_EQ(all[2], "demo/weapons: weapon 'knife' has no <model>");
  SetUp();
  write_file("demo/models/door.def", "<model> !void! <light_source> r ( 4 ) rgb 1 1 1 ) xyz ( 0 0 0 )\n");
  EXPECT_EQ(first_problem(),
            "demo/models/door.def:1:43: <light_source> needs '(' here (its values read ' r ( %f ) rgb ( %f %f %f ) "
            "xyz ( %f %f %f )')");
}

TEST_F(DefinitionChecks, WeaponsKeysAndMenusMustExistWhereverTheyAreNamed) {
  write_file("demo/models/key.def", "<model> !void! <trigger> item weapon spoon\n");
  std::vector<std::string> all = problems();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0], "demo/models/key.def:1:38: no weapon 'spoon' in the weapons file");
  EXPECT_EQ(all[1], "demo/models/door.def:1:42: no key item carries the key 'red' that opens this door");
  SetUp();
  write_file("demo/menu", menu_text() + "<menu> extra <menu_item> menu:options <menu_item> jump\n");
  all = problems();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0], "demo/menu:7:51: 'jump' is not a command (game, quit, new:, load:, save:, menu:, message:)");
  EXPECT_EQ(all[1], "demo/menu:7:26: no menu 'options'");
}

TEST_F(DefinitionChecks, MenusMustMatchTheirBackdrop) {
  write_file("demo/menu", menu_text("<menu_item> quit\n<savegame_slot> 1 , 2\n"));
  std::vector<std::string> all = problems();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0], "demo/menu:1:1: menu 'main' has 3 items but its backdrop paints 2");
  EXPECT_EQ(all[1], "demo/menu:1:1: menu 'main': slot 1 label should sit at 375 , 182 on item 1's plaque");
}

}  // namespace
