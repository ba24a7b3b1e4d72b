// The forge's recipe format: what it accepts, and that every mistake a modder
// can make is reported with file, line and column.
#include <gtest/gtest.h>

#include <string>

#include "common/recipe.h"

namespace {

std::vector<std::string> errors_of(const std::string& text, std::vector<recipe_entry>* entries = nullptr) {
  diagnostics sink;
  recipe r("demo/x.txt", sink);
  r.parse(text);
  if (entries) *entries = r.entries();
  return sink.messages();
}

TEST(ForgeRecipe, SplitsLinesIntoKeywordsBareValuesAndNamedValues) {
  std::vector<recipe_entry> entries;
  auto errors = errors_of(
      "# a comment line\n"
      "texture size=256 seed=3   # trailing comment\n"
      "\n"
      "text \"two words \\\"quoted\\\"\" at=1,2 color=#ff8000\r\n",
      &entries);
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].keyword.text, "texture");
  EXPECT_EQ(entries[0].keyword.at.line, 2);
  ASSERT_EQ(entries[0].arguments.size(), 2u);
  EXPECT_EQ(entries[0].arguments[1].name, "seed");
  EXPECT_EQ(entries[0].arguments[1].value.text, "3");
  EXPECT_EQ(entries[0].arguments[1].value.at.column, 23);
  ASSERT_EQ(entries[1].arguments.size(), 3u);
  EXPECT_TRUE(entries[1].arguments[0].value.quoted);
  EXPECT_EQ(entries[1].arguments[0].value.text, "two words \"quoted\"");
  // A colour's # is part of the value, not a comment.
  EXPECT_EQ(entries[1].arguments[2].value.text, "#ff8000");
}

TEST(ForgeRecipe, ReportsBrokenLinesWithTheirPosition) {
  auto errors = errors_of("ok a=1\n  \"quoted first\"\ntext \"never closed\nx a=\n");
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0], "demo/x.txt:2:3: a line must start with a keyword");
  EXPECT_EQ(errors[1], "demo/x.txt:3:6: string is not closed before the end of the line");
  EXPECT_EQ(errors[2], "demo/x.txt:4:5: 'a=' needs a value");
}

struct args_case {
  std::string line;
  std::string error;  // empty: accepted
};

class ForgeRecipeArgs : public ::testing::TestWithParam<args_case> {};

// Each line is read as: layer KIND n=<number 0..10> k=<whole 1..4>
// c=<colour> w=<one of up/down> v=<two numbers> s=<size>.
TEST_P(ForgeRecipeArgs, TypedReadsCheckRangesAndReportTheValue) {
  diagnostics sink;
  recipe r("f.txt", sink);
  r.parse(GetParam().line);
  ASSERT_EQ(r.entries().size(), 1u);
  recipe_args args(r, r.entries()[0]);
  double n = 0;
  int k = 1, w = 0, width = 0, height = 0;
  recipe_color c;
  std::vector<double> v;
  args.bare(0, "a kind");
  args.number("n", n, 0, 10);
  args.integer("k", k, 1, 4);
  args.color("c", c);
  args.choice("w", w, {"up", "down"});
  args.numbers("v", v, 2, -1, 1);
  args.size("s", width, height, 1, 64);
  args.finish();
  if (GetParam().error.empty()) {
    EXPECT_EQ(sink.count(), 0) << sink.messages()[0];
  } else {
    ASSERT_EQ(sink.count(), 1);
    EXPECT_EQ(sink.messages()[0], GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForgeRecipeArgs,
    ::testing::Values(
        args_case{"layer noise n=2.5 k=3 c=#102030 w=down v=0.5,-1 s=8x16", ""},
        args_case{"layer noise n=11", "f.txt:1:15: n must be a number from 0 to 10, not '11'"},
        args_case{"layer noise n=1e", "f.txt:1:15: n must be a number from 0 to 10, not '1e'"},
        args_case{"layer noise k=2.5", "f.txt:1:15: k must be a whole number from 1 to 4, not '2.5'"},
        args_case{"layer noise c=#12345", "f.txt:1:15: c must be a colour #rrggbb or #rrggbbaa, not '#12345'"},
        args_case{"layer noise c=#gg0000", "f.txt:1:15: c must be a colour #rrggbb or #rrggbbaa, not '#gg0000'"},
        args_case{"layer noise w=left", "f.txt:1:15: w must be one of up, down, not 'left'"},
        args_case{"layer noise v=0.5", "f.txt:1:15: v must be 2 comma-separated numbers from -1 to 1, not '0.5'"},
        args_case{"layer noise v=0.5,2", "f.txt:1:15: v must be 2 comma-separated numbers from -1 to 1, not '0.5,2'"},
        args_case{"layer noise s=0x4", "f.txt:1:15: s must be N or WxH with sides from 1 to 64, not '0x4'"},
        args_case{"layer noise scael=4", "f.txt:1:13: unknown argument 'scael' for layer"},
        args_case{"layer noise n=1 n=2", "f.txt:1:17: 'n' is given twice"},
        args_case{"layer noise extra", "f.txt:1:13: unexpected 'extra' after layer"},
        args_case{"layer", "f.txt:1:1: layer needs a kind"}));

TEST(ForgeRecipe, UnreadableFileIsReportedByName) {
  diagnostics sink;
  recipe r("/nonexistent/forge/recipe.txt", sink);
  EXPECT_FALSE(r.load());
  ASSERT_EQ(sink.count(), 1);
  EXPECT_EQ(sink.messages()[0], "/nonexistent/forge/recipe.txt: cannot be read");
}

}  // namespace
