// The level source format: what it accepts, and that every mistake of form is
// reported at its file:line:column (and stops the forge with a failure).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "levels/level_source.h"
#include "support/scratch_dir.h"
#include "world/map_grid.h"

namespace {

const char* small_level =
    "level texels=2 lightmap=bz2\n"
    "settings <ambient_lightsource> 0.25 0.2 0.15 <next_level> data/maps/two\n"
    "legend \"#\" wall texture=stone\n"
    "legend \".\" floor texture=tiles   # plain floor\n"
    "legend \"d\" door like=\".\" model=door rotation=1\n"
    "legend \"g\" like=\"d\" floor enemy=grunt\n"
    "legend \"S\" like=\".\" start\n"
    "legend \"E\" like=\".\" exit\n"
    "row \"#####\"\n"
    "row \"#S.d#\"\n"
    "row \"#gE.#\"\n";

struct parsed {
  diagnostics sink;
  level_source level;
  bool ok = false;
};

void parse(const std::string& text, parsed& out) {
  recipe source("levels/x.txt", out.sink);
  source.parse(text);
  out.ok = read_level_source(source, out.level);
}

std::string all_messages(const diagnostics& sink) {
  std::string text;
  for (const std::string& m : sink.messages()) text += m + "\n";
  return text;
}

TEST(ForgeLevelSource, ReadsLegendRowsSettingsAndLightmapChoices) {
  parsed p;
  parse(small_level, p);
  ASSERT_TRUE(p.ok) << all_messages(p.sink);
  EXPECT_EQ(p.level.width(), 5);
  EXPECT_EQ(p.level.depth(), 3);
  EXPECT_EQ(p.level.texels_per_cell, 2);
  EXPECT_TRUE(p.level.lightmap_bz2_only);
  // Row i is z = i and character j is x = j.
  const legend_entry& enemy = p.level.legend[size_t(p.level.legend_at(1, 2))];
  EXPECT_EQ(enemy.symbol, 'g');
  // like= copies kind, texture, model and rotation; a kind word overrides it.
  EXPECT_EQ(enemy.kind, cell_free);
  EXPECT_EQ(enemy.texture, "tiles");
  EXPECT_EQ(enemy.model, "door");
  EXPECT_EQ(enemy.rotation, 1);
  EXPECT_EQ(enemy.enemy, "grunt");
  const legend_entry& door = p.level.legend[size_t(p.level.legend_at(3, 1))];
  EXPECT_EQ(door.kind, cell_door_closed);
  EXPECT_TRUE(p.level.legend[size_t(p.level.legend_at(1, 1))].start);
  EXPECT_TRUE(p.level.legend[size_t(p.level.legend_at(2, 2))].exit);
  EXPECT_EQ(p.level.cell_at(3, 1).line, 10);
  EXPECT_EQ(p.level.cell_at(3, 1).column, 9);
  EXPECT_EQ(p.level.settings.next_level, "data/maps/two");
  EXPECT_FLOAT_EQ(p.level.settings.ambient[0], 0.25f);
}

TEST(ForgeLevelSource, LeftOutSettingsAreWrittenWithTheEnginesStartValues) {
  parsed p;
  parse(small_level, p);
  ASSERT_TRUE(p.ok);
  std::vector<std::string> expected = {"<ambient_lightsource>", "0.25", "0.2", "0.15", "<next_level>",
                                       "data/maps/two", "<wall_height>", "4", "<wall_height_cut>", "2.2"};
  EXPECT_EQ(p.level.settings.words, expected);
  EXPECT_FLOAT_EQ(p.level.settings.wall_height, 4.0f);

  // Walls lower than the start-up cut height are never cut up to it.
  parsed low;
  parse(std::string(small_level) + "settings <wall_height> 1.5\n", low);
  ASSERT_TRUE(low.ok) << all_messages(low.sink);
  const std::vector<std::string>& words = low.level.settings.words;
  EXPECT_EQ(std::vector<std::string>(words.end() - 2, words.end()),
            (std::vector<std::string>{"<wall_height_cut>", "1.5"}));
}

TEST(ForgeLevelSource, SettingsSayingTheSameStoreTheSameWords) {
  parsed in_order, shuffled;
  parse(small_level, in_order);
  // Another order, a repeated tag (the last wins) and numbers written longer.
  std::string text = small_level;
  text.replace(text.find("settings"), text.find('\n', text.find("settings")) - text.find("settings"),
               "settings <next_level> data/maps/two <ambient_lightsource> 0.9 0.9 0.9\n"
               "settings <wall_height> 4.0 <ambient_lightsource> 0.250 0.20 0.15");
  parse(text, shuffled);
  ASSERT_TRUE(shuffled.ok) << all_messages(shuffled.sink);
  EXPECT_EQ(shuffled.level.settings.words, in_order.level.settings.words);
}

struct form_case {
  const char* what;
  std::string text;
  const char* message;  // expected "file:line:column: ..." prefix and words
};

TEST(ForgeLevelSource, MistakesOfFormAreReportedWhereTheyAre) {
  std::string head = "level\nlegend \"#\" wall texture=w\nlegend \".\" floor texture=f\nlegend \"S\" like=\".\" start\n";
  const form_case cases[] = {
      {"unknown legend character", head + "row \"####\"\nrow \"#S?#\"\n",
       "levels/x.txt:6:8: character '?' is not in the legend"},
      {"ragged row", head + "row \"####\"\nrow \"#S.\"\nrow \"####\"\n",
       "levels/x.txt:6:9: row is 3 cells wide, the first row 4"},
      {"no start", head + "row \"####\"\nrow \"#..#\"\n",
       "levels/x.txt:5:6: no start position"},
      {"two starts", head + "row \"#SS#\"\n", "levels/x.txt:5:8: a second start position (the first is at 5:7)"},
      {"first line", "legend \"#\" wall texture=w\n", "levels/x.txt:1:1: a level source starts with the line 'level'"},
      {"unknown keyword", head + "rows \"#S#\"\n", "levels/x.txt:5:1: unknown keyword 'rows'"},
      {"legend twice", head + "legend \"S\" wall texture=w\nrow \"#S#\"\n",
       "levels/x.txt:5:8: legend character 'S' is defined twice"},
      {"long legend character", head + "legend \"ab\" wall texture=w\nrow \"#S#\"\n",
       "levels/x.txt:5:8: a legend character is one printable character"},
      {"no kind", head + "legend \"x\" texture=w\nrow \"#S#\"\n", "levels/x.txt:5:8: legend 'x' needs a kind"},
      {"bad kind", head + "legend \"x\" lava texture=w\nrow \"#S#\"\n",
       "levels/x.txt:5:12: expected floor, wall, door, barrier, start or exit, not 'lava'"},
      {"no texture", head + "legend \"x\" wall\nrow \"#S#\"\n", "levels/x.txt:5:8: legend 'x' needs texture="},
      {"like unknown", head + "legend \"x\" like=\"q\"\nrow \"#S#\"\n",
       "levels/x.txt:5:17: like= names a legend character defined above"},
      {"rotation", head + "legend \"x\" like=\".\" rotation=4\nrow \"#S#\"\n",
       "levels/x.txt:5:30: rotation must be a whole number from 0 to 3"},
      {"unknown setting", head + "settings <wall_hieght> 3\nrow \"#S#\"\n",
       "levels/x.txt:5:10: unknown setting '<wall_hieght>'"},
      {"setting value", head + "settings <ambient_lightsource> 0.2 red 0.2\nrow \"#S#\"\n",
       "levels/x.txt:5:36: <ambient_lightsource> needs a number from 0 to 1, not 'red'"},
      {"missing value", head + "row \"#S#\"\nsettings <next_level>\n",
       "levels/x.txt:6:10: <next_level> needs 1 value"},
      {"cut above height", head + "settings <wall_height> 2 <wall_height_cut> 3\nrow \"#S#\"\n",
       "levels/x.txt:1:1: <wall_height_cut> must not exceed <wall_height>"},
      {"no rows", head, "levels/x.txt:1:1: a level needs at least one row"},
      {"too wide", head + "row \"S" + std::string(255, '.') + "\"\n", "levels/x.txt:5:6: a row has 1 to 255 cells"},
  };
  for (const form_case& c : cases) {
    SCOPED_TRACE(c.what);
    parsed p;
    parse(c.text, p);
    EXPECT_FALSE(p.ok);
    EXPECT_NE(all_messages(p.sink).find(c.message), std::string::npos) << all_messages(p.sink);
  }
}

TEST(ForgeLevelSource, TheForgeStopsWithTheSourcePositionOnAFaultyLevel) {
  scratch_dir dir;
  write_file("demo/levels/bad.txt",
             "level\nlegend \"#\" wall texture=w\nlegend \"S\" wall texture=w start\nrow \"#S#\"\nrow \"#!#\"\n");
  std::string command = std::string(KEL_FORGE_BINARY) + " demo out 2> errors.txt";
  EXPECT_NE(std::system(command.c_str()), 0);
  std::string errors = read_file("errors.txt");
  EXPECT_NE(errors.find("demo/levels/bad.txt:5:7: character '!' is not in the legend"), std::string::npos)
      << errors;
}

}  // namespace
