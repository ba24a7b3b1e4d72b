#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "base/loading_log.h"

namespace {

int presented = 0, held = 0;
void record(bool hold) {
  ++presented;
  held += hold ? 1 : 0;
}

std::string numbered(const char* stem, int i) {
  char line[64];
  std::snprintf(line, sizeof line, "%s %d", stem, i);
  return line;
}

// A long load with many failures stays quick: repeats of one failure are
// counted instead of shown, and the screen holds a failure at most once per
// screenful of lines.
TEST(LoadingLog, FailuresAreHeldAtMostOncePerScreenfulAndRepeatsAreCounted) {
  struct log_case {
    const char* name;
    std::function<void()> steps;
    int holds;
    const char* newest[3];
  };
  const log_case cases[] = {
      {"ten thousand equal failures",
       [] {
         for (int i = 0; i < 10000; ++i) draw_loading_failed("data/lamp: too many light types");
         draw_loading("AI");
       },
       1,
       {"AI", "(9999 more failures like it not shown)", "data/lamp: too many light types - FAILED!"}},
      {"sixty different failures",
       [] {
         for (int i = 0; i < 60; ++i) draw_loading_failed(numbered("missing", i).c_str());
       },
       3,
       {"missing 59 - FAILED!", "missing 58 - FAILED!", "missing 57 - FAILED!"}},
      {"each line shown, then marked",
       [] {
         for (int i = 0; i < 54; ++i) {
           draw_loading(numbered("texture", i).c_str());
           mark_loading_failed();
         }
       },
       2,
       {"texture 53 - FAILED!", "texture 52 - FAILED!", "texture 51 - FAILED!"}},
      {"failures during play are recorded, never shown",
       [] {
         for (int i = 0; i < 5; ++i) record_loading_failure("data/textures/wall.tga");
         record_loading_failure("data/textures/floor.tga");
       },
       0,
       {"data/textures/floor.tga - FAILED!", "(4 more failures like it not shown)",
        "data/textures/wall.tga - FAILED!"}},
  };
  for (const log_case& c : cases) {
    set_loading_presenter(nullptr);
    for (int i = 0; i < loading_log_lines; ++i) draw_loading("start");  // a full screen since any hold
    set_loading_presenter(record);
    presented = held = 0;
    c.steps();
    set_loading_presenter(nullptr);
    EXPECT_EQ(held, c.holds) << c.name;
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(_loaded[i], c.newest[i]) << c.name << ", line " << i;
  }
  EXPECT_EQ(presented, 0);  // the play case never drew the loading screen
}

}  // namespace
