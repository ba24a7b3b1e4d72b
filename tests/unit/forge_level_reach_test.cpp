// The forge's reachability check with the player's real footprint: the
// warnings a modder gets for levels the player cannot finish.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "levels/level_compile.h"
#include "support/level_builder.h"

namespace {

void fill_reach_content() {
  clear_content();
  clear_world();
  add_test_texture("wall");
  add_test_texture("floor");
  add_test_model("door", add_test_trigger_prototype(trigger_door));
  int locked = add_test_trigger_prototype(trigger_door);
  trigger_prototype[locked].value[0][2] = 1.0f;
  std::snprintf(trigger_prototype[locked].text[trigger_text_name], trigger_text_capacity, "brass");
  add_test_model("locked", locked);
  int key = add_test_trigger_prototype(trigger_key);
  std::snprintf(trigger_prototype[key].text[trigger_text_name], trigger_text_capacity, "brass");
  add_test_model("key", key);
}

const char* legend =
    "level texels=1\n"
    "legend \"#\" wall texture=wall\n"
    "legend \".\" floor texture=floor\n"
    "legend \"S\" like=\".\" start\n"
    "legend \"E\" like=\".\" exit\n"
    "legend \"D\" door like=\".\" model=door\n"
    "legend \"L\" door like=\".\" model=locked\n"
    "legend \"k\" like=\".\" model=key\n";

struct reach_case {
  const char* what;
  const char* rows;
  const char* warning;  // expected in the warnings, or null for none
};

TEST(ForgeLevelReach, TheForgeWarnsWhereThePlayersFootprintCannotFinishTheLevel) {
  const reach_case cases[] = {
      {"open room", "row \"######\"\nrow \"#....#\"\nrow \"#.S..#\"\nrow \"#...E#\"\nrow \"######\"\n", nullptr},
      {"one-cell corridor and door are passed on their centre line",
       "row \"#########\"\nrow \"#...#####\"\nrow \"#.S.....#\"\nrow \"#...##D##\"\nrow \"######E##\"\n"
       "row \"#########\"\n",
       nullptr},
      {"walled-off exit", "row \"#######\"\nrow \"#....##\"\nrow \"#.S..#E\"\nrow \"#######\"\n",
       "the exit cannot be reached from the start; walls and barriers close every way to it"},
      {"start against the wall: the footprint covers the cell before it", "row \"#####\"\nrow \"#S.E#\"\nrow \"#####\"\n",
       "the player does not fit at the start"},
      {"key before its door", "row \"########\"\nrow \"#k..#..#\"\nrow \"#.S.L.E#\"\nrow \"#...#..#\"\nrow \"########\"\n",
       nullptr},
      {"key only behind its door",
       "row \"########\"\nrow \"#...#.k#\"\nrow \"#.S.L.E#\"\nrow \"#...#..#\"\nrow \"########\"\n",
       "the key 'brass' of the locked door at x 4, z 2 lies only behind it"},
      {"locked door without its key on the way",
       "row \"########\"\nrow \"#...#..#\"\nrow \"#.S.L.E#\"\nrow \"#...#..#\"\nrow \"########\"\n",
       "the exit cannot be reached from the start; first blocked at x 4, z 2: a locked door whose key 'brass' is not reached"},
  };
  for (const reach_case& c : cases) {
    SCOPED_TRACE(c.what);
    fill_reach_content();
    diagnostics sink;
    recipe source("levels/r.txt", sink);
    source.parse(std::string(legend) + c.rows);
    level_source level;
    compiled_level compiled;
    ASSERT_TRUE(read_level_source(source, level) && compile_level(source, level, compiled))
        << (sink.messages().empty() ? "" : sink.messages()[0]);
    std::string warnings;
    for (const std::string& w : sink.warnings()) warnings += w + "\n";
    if (!c.warning)
      EXPECT_EQ(warnings, "");
    else
      EXPECT_NE(warnings.find(std::string("levels/r.txt: warning: ") + c.warning), std::string::npos) << warnings;
  }
}

}  // namespace
