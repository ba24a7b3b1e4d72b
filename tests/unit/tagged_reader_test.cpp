#include <gtest/gtest.h>

#include "content/tagged_reader.h"

#include <cstring>
#include <string>

namespace {

// Reads one "record" of the kind loaders read: <speed> %f and <frames> %d %d.
struct record {
  float speed = -1;
  int first = -1, last = -1;
  int unknown_words = 0;
};

record read_record(const std::string& text) {
  tagged_reader r;
  r.open_text(text);
  record rec;
  char w[tag_word_capacity];
  while (r.word(w)) {
    if (!std::strcmp(w, "<speed>"))
      r.scan(" %f ", &rec.speed);
    else if (!std::strcmp(w, "<frames>"))
      r.scan(" %d %d ", &rec.first, &rec.last);
    else
      ++rec.unknown_words;
  }
  return rec;
}

TEST(TaggedReader, LayoutOverLinesDoesNotMatter) {
  record one = read_record("<speed> 2.5 <frames> 3 9");
  record many = read_record("\r\n<speed>\n\t2.5\r\n<frames>\n3\n\n9\r\n");
  EXPECT_FLOAT_EQ(one.speed, 2.5f);
  EXPECT_EQ(one.first, 3);
  EXPECT_EQ(one.last, 9);
  EXPECT_FLOAT_EQ(many.speed, one.speed);
  EXPECT_EQ(many.first, one.first);
  EXPECT_EQ(many.last, one.last);
  EXPECT_EQ(many.unknown_words, 0);
}

TEST(TaggedReader, ValueThatIsNotANumberIsReadAgainAsAWord) {
  record rec = read_record("<speed> fast <frames> 1 x 7");
  EXPECT_FLOAT_EQ(rec.speed, -1.0f);   // unchanged
  EXPECT_EQ(rec.first, 1);             // the first value converted
  EXPECT_EQ(rec.last, -1);             // the second did not
  EXPECT_EQ(rec.unknown_words, 3);     // "fast", "x" and "7" come back as words
}

TEST(TaggedReader, TagAtEndOfFileChangesNothing) {
  record rec = read_record("free text before <speed>");
  EXPECT_FLOAT_EQ(rec.speed, -1.0f);
  EXPECT_EQ(rec.unknown_words, 3);
}

TEST(TaggedReader, LastOccurrenceWins) {
  EXPECT_FLOAT_EQ(read_record("<speed> 1 <speed> 3").speed, 3.0f);
}

TEST(TaggedReader, BlanksInFormatsMatchAnyWhitespaceOrNone) {
  for (const char* text : {"r ( 2 ) rgb ( 1 0.5 0 ) xyz ( 0 1 2 )", "r(2)rgb(1 0.5 0)xyz(0 1 2)",
                           "r\n(\n2\n)\nrgb(1\t0.5 0 )xyz(0 1 2)"}) {
    tagged_reader r;
    r.open_text(text);
    float v[7] = {};
    EXPECT_EQ(r.scan(" r ( %f ) rgb ( %f %f %f ) xyz ( %f %f %f )", &v[0], &v[1], &v[2], &v[3], &v[4],
                     &v[5], &v[6]),
              7)
        << text;
    EXPECT_FLOAT_EQ(v[0], 2.0f);
    EXPECT_FLOAT_EQ(v[2], 0.5f);
    EXPECT_FLOAT_EQ(v[6], 2.0f);
    EXPECT_TRUE(r.at_end());
  }
}

TEST(TaggedReader, LiteralMismatchLeavesTheWordWhole) {
  tagged_reader r;
  r.open_text("fog 1 , 2");
  EXPECT_EQ(r.scan(" fire "), 0);
  char w[16];
  ASSERT_TRUE(r.word(w));
  EXPECT_STREQ(w, "fog");
  int a = 0, b = 0;
  EXPECT_EQ(r.scan(" %d , %d ", &a, &b), 2);
  EXPECT_EQ(a + b, 3);
}

TEST(TaggedReader, OverlongWordsAreCutAndSkippedWhole) {
  std::string huge(10u << 20, 'x');
  tagged_reader r;
  r.open_text("<a> " + huge + " <b>");
  char w[8];
  ASSERT_TRUE(r.word(w));
  EXPECT_STREQ(w, "<a>");
  ASSERT_TRUE(r.word(w));
  EXPECT_STREQ(w, "xxxxxxx");
  ASSERT_TRUE(r.word(w));
  EXPECT_STREQ(w, "<b>");
  EXPECT_FALSE(r.word(w));
}

TEST(TaggedReader, NumbersOutOfRangeAreClampedNotUndefined) {
  tagged_reader r;
  r.open_text("99999999999999999999 -99999999999999999999");
  int a = 0, b = 0;
  EXPECT_EQ(r.scan(" %d %d ", &a, &b), 2);
  EXPECT_EQ(a, 2147483647);
  EXPECT_EQ(b, -2147483647 - 1);
}

}  // namespace
