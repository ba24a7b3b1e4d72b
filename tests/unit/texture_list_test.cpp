#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "content/texture_list.h"
#include "support/scratch_dir.h"

namespace {

TEST(TextureList, FileOrderGivesTheIndices) {
  scratch_dir dir;
  write_file("data/tex.list", "data/wall.tga data/floor.tga\r\n\n  data/door.tga\r\n");
  ASSERT_EQ(load_textura_list(), 0);
  ASSERT_EQ(textur, 3);
  EXPECT_STREQ(textura_list[0], "data/wall.tga");
  EXPECT_STREQ(textura_list[2], "data/door.tga");
  EXPECT_EQ(find_texture("data/door.tga"), 2);
  EXPECT_EQ(find_texture("data/door"), -1);
}

TEST(TextureList, MissingFileLeavesTheListEmpty) {
  scratch_dir dir;
  write_file("data/tex.list", "a b c");
  ASSERT_EQ(load_textura_list(), 0);
  std::remove("data/tex.list");
  EXPECT_EQ(load_textura_list(), 1);
  EXPECT_EQ(textur, 0);
  EXPECT_EQ(find_texture("a"), -1);
}

TEST(TextureList, OverLongNameKeepsItsSlotAndTheListStopsAtCapacity) {
  scratch_dir dir;
  std::string list = "first " + std::string(content_name_capacity, 'x') + " third " +
                     std::string(content_name_capacity - 1, 'y');
  for (int i = 0; i < texture_capacity; ++i) list += " extra" + std::to_string(i);
  write_file("data/tex.list", list);
  ASSERT_EQ(load_textura_list(), 0);
  EXPECT_EQ(textur, texture_capacity);
  EXPECT_STREQ(textura_list[1], "");  // refused, not cut to a different name
  EXPECT_EQ(find_texture("third"), 2);
  EXPECT_EQ(std::string(textura_list[3]), std::string(content_name_capacity - 1, 'y'));
  EXPECT_STREQ(textura_list[texture_capacity - 1], "extra251");
}

}  // namespace
