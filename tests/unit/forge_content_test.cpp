// The forge's picture, sound and list checks: mistakes in demo sources are
// reported where they are, and the shapes the engine depends on hold.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "checks/content_lists.h"
#include "common/text_render.h"
#include "menus/menu_layout.h"
#include "pictures/font_texture.h"
#include "pictures/picture_recipe.h"
#include "sounds/sound_recipe.h"
#include "support/scratch_dir.h"

namespace {

std::vector<std::string> picture_errors(const std::string& text, picture* out = nullptr) {
  diagnostics sink;
  recipe r("t.txt", sink);
  r.parse(text);
  font_library fonts(default_font_dir);
  picture p;
  paint_picture(r, fonts, p);
  if (out) *out = std::move(p);
  return sink.messages();
}

TEST(ForgePictures, MistakesInPictureRecipesAreReportedWhereTheyAre) {
  EXPECT_EQ(picture_errors("layer fill\n")[0],
            "t.txt:1:1: a picture recipe starts with 'texture', 'backdrop' or 'font'");
  EXPECT_EQ(picture_errors("texture size=100\n")[0],
            "t.txt:1:1: size must be a power of two on both sides (the engine's textures are)");
  EXPECT_EQ(picture_errors("texture size=8\nlayer marble\n")[0], "t.txt:2:7: unknown layer kind 'marble'");
  EXPECT_EQ(picture_errors("texture size=8\nlayer noise scale=0\n")[0],
            "t.txt:2:19: scale must be a whole number from 1 to 256, not '0'");
  EXPECT_EQ(picture_errors("texture size=8\nsparkle\n")[0],
            "t.txt:2:1: unknown entry 'sparkle' (layer, text, include, menu, menu_item)");
  EXPECT_EQ(picture_errors("texture size=8\nmenu_item \"Quit\"\n")[0], "t.txt:2:1: menu items belong on backdrops");
  EXPECT_EQ(picture_errors("texture size=8\ntext \"x\" at=1,1 face=Missing.ttf\n")[0],
            "t.txt:2:1: font face 'Missing.ttf' cannot be loaded from " + std::string(default_font_dir));
}

TEST(ForgePictures, IncludesPaintTheOtherRecipeAndStopWhenTheyLoop) {
  scratch_dir dir;
  write_file("base.txt", "texture size=4 seed=3\nlayer fill color=#ff0000\n");
  write_file("loop.txt", "texture size=4\ninclude \"loop.txt\"\n");
  diagnostics sink;
  font_library fonts(default_font_dir);
  recipe variant("variant.txt", sink);
  variant.parse("texture size=4\ninclude \"base.txt\"\nlayer rect box=0,0,2,4 color=#0000ff\n");
  picture p;
  ASSERT_TRUE(paint_picture(variant, fonts, p)) << sink.messages()[0];
  EXPECT_FLOAT_EQ(p.image.pixel(3, 0)[0], 1.0f);  // from the included recipe
  EXPECT_FLOAT_EQ(p.image.pixel(0, 0)[2], 1.0f);  // painted over it

  recipe loop("loop.txt", sink);
  ASSERT_TRUE(loop.load());
  EXPECT_FALSE(paint_picture(loop, fonts, p));
  EXPECT_NE(sink.messages().back().find("includes nest deeper than"), std::string::npos);
}

TEST(ForgePictures, TileableLayersMatchAcrossTheEdges) {
  picture p;
  auto errors = picture_errors(
      "texture size=64 seed=9\n"
      "layer noise scale=4 octaves=3 from=#000000 to=#ffffff height=4\n"
      "layer cells count=3 from=#000000 to=#ffffff blend=overlay height=2\n"
      "layer shade\n",
      &p);
  ASSERT_TRUE(errors.empty()) << errors[0];
  // On average the step across each seam is no larger than between any two
  // neighbouring columns or rows inside the picture.
  float seam_x = 0, seam_y = 0, inside = 0;
  for (int a = 0; a < 64; ++a) {
    seam_x += std::fabs(p.image.pixel(63, a)[0] - p.image.pixel(0, a)[0]) / 64;
    seam_y += std::fabs(p.image.pixel(a, 63)[0] - p.image.pixel(a, 0)[0]) / 64;
    for (int b = 0; b < 63; ++b) inside += std::fabs(p.image.pixel(b, a)[0] - p.image.pixel(b + 1, a)[0]) / (64 * 63);
  }
  EXPECT_LE(seam_x, inside * 1.5f);
  EXPECT_LE(seam_y, inside * 1.5f);
}

TEST(ForgeFont, GlyphsFillTheirSetsCellsAndFitTheTenUnitAdvance) {
  EXPECT_EQ(font_cell('A', 0), 33);
  EXPECT_EQ(font_cell('A', 1), 33 + 128);
  EXPECT_EQ(font_cell(31, 0), -1);

  picture p;
  auto errors = picture_errors("font size=256 pixel_size=12\n", &p);
  ASSERT_TRUE(errors.empty()) << errors[0];
  const int cell = 256 / 16;
  auto ink_columns = [&](int index, int& first, int& last) {
    first = cell, last = -1;
    int cx = index % 16 * cell, cy = index / 16 * cell;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x)
        if (p.image.pixel(cx + x, cy + y)[0] > 0.1f) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
  };
  for (int set = 0; set < 2; ++set)
    for (unsigned code : {unsigned('W'), unsigned('M'), unsigned('i'), unsigned('@')}) {
      int first, last;
      ink_columns(font_cell(code, set), first, last);
      ASSERT_GE(last, 0) << "no ink for " << char(code) << " in set " << set;
      EXPECT_GE(first, 0);
      EXPECT_LT(last, cell * 10 / 16) << char(code) << " spills past the advance in set " << set;
    }
  int first, last;
  ink_columns(font_cell(' ', 0), first, last);
  EXPECT_EQ(last, -1);
}

TEST(ForgeSounds, SoundRecipesAreCheckedAndProduceTheirLength) {
  diagnostics sink;
  recipe r("s.txt", sink);
  r.parse("sound length=0.5 rate=8000\nvoice sine freq=440,220 decay=0.2\nvoice noise filter=lowpass cutoff=900\n");
  synthesized_sound sound;
  ASSERT_TRUE(synthesize_sound(r, sound));
  EXPECT_EQ(sound.samples.size(), 4000u);
  float peak = 0;
  for (float s : sound.samples) peak = std::max(peak, std::fabs(s));
  EXPECT_NEAR(peak, 0.8f, 0.01f);  // the default gain
  EXPECT_EQ(sound.samples.front(), 0.0f);  // faded in, no click

  r.parse("sound rate=8000\nvoice hum\nvoice sine freq=0\nchord\n");
  EXPECT_FALSE(synthesize_sound(r, sound));
  ASSERT_EQ(sink.count(), 4);
  EXPECT_EQ(sink.messages()[0], "s.txt:1:1: sound needs length=");
  EXPECT_EQ(sink.messages()[1], "s.txt:2:7: unknown wave 'hum'");
  EXPECT_EQ(sink.messages()[2], "s.txt:3:17: freq must be a number from 1 to 20000, not '0'");
  EXPECT_EQ(sink.messages()[3], "s.txt:4:1: unknown entry 'chord' (voice)");
}

TEST(ForgeLists, ListsMustNameForgedFilesWithinTheEnginesLimits) {
  diagnostics sink;
  std::set<std::string> made = {"data/a.tga", "data/b.tga", "data/c.tga"};
  EXPECT_TRUE(check_content_list("tex.list", "data/a.tga\ndata/b.tga data/c.tga\n", texture_list_rules, made, sink));
  EXPECT_FALSE(check_content_list("tex.list", "data/a.tga\n  data/x.tga data/a.tga\n", texture_list_rules, made, sink));
  ASSERT_EQ(sink.count(), 4);
  EXPECT_EQ(sink.messages()[0], "tex.list:2:3: no recipe makes texture 'data/x.tga'");
  EXPECT_EQ(sink.messages()[1], "tex.list:2:14: 'data/a.tga' is listed twice");
  EXPECT_EQ(sink.messages()[2], "tex.list: texture 'data/b.tga' is forged but not listed");

  diagnostics limits;
  std::string name(128, 'n');
  std::string list;
  std::set<std::string> many = {name};
  for (int i = 0; i < 128; ++i) {
    std::string s = "s" + std::to_string(i);
    many.insert(s);
    list += s + "\n";
  }
  list += name + "\n";
  EXPECT_FALSE(check_content_list("sound.list", list, sound_list_rules, many, limits));
  ASSERT_EQ(limits.count(), 2);
  EXPECT_EQ(limits.messages()[0], "sound.list:129:1: the engine holds at most 128 sounds");
  EXPECT_EQ(limits.messages()[1], "sound.list:129:1: '" + name + "' is longer than 127 characters");
}

TEST(ForgeMenuLayout, LayoutPointsLandWhereTheMenuCameraSeesThem) {
  // Project the plane point back through the menu camera (eye at z = -3.6,
  // 45 degree vertical field of view, 4:3) and compare with the layout.
  for (float lx : {0.0f, 130.0f, 400.0f, 800.0f})
    for (float ly : {0.0f, 260.0f, 600.0f}) {
      menu_plane_point p = layout_to_menu_plane(lx, ly);
      // World x of the model point after the engine's -90 degree turn.
      float world_x = -p.model_z, world_y = p.y;
      float f = 1.0f / std::tan(22.5f * 3.14159265f / 180.0f);
      float ndc_x = -(f / (4.0f / 3.0f)) * world_x / 3.6f;  // screen right is world -x
      float ndc_y = f * world_y / 3.6f;
      EXPECT_NEAR((ndc_x + 1) * 400, lx, 0.01f);
      EXPECT_NEAR((1 - ndc_y) * 300, ly, 0.01f);
      EXPECT_FLOAT_EQ(p.model_x, 0.0f);
    }
  menu_layout layout;
  int x = 0, y = 0;
  slot_label_position(layout, 1, x, y);
  layout_box box = menu_item_box(layout, 1);
  // The engine prints at x * 640 / 1024 in the font layout, which it scales by 1.25.
  EXPECT_GT(x * 0.78125f, box.x);
  EXPECT_LT(y * 0.78125f, box.y + box.h / 2);
  EXPECT_GT(y * 0.78125f + 16, box.y + box.h / 2);
}

}  // namespace
