#include <gtest/gtest.h>

#include <vector>

#include "base/byte_io.h"

namespace {

// Every width in file order, low byte first, signs and float bits kept.
TEST(ByteIo, FieldsAreLittleEndianBothWays) {
  std::vector<uint8_t> out;
  append_u16(out, 0x1234);
  append_i16(out, -2);
  append_u32(out, 0x89abcdefu);
  append_i32(out, -300);
  append_f32(out, -1.5f);
  const std::vector<uint8_t> expected = {0x34, 0x12, 0xfe, 0xff, 0xef, 0xcd, 0xab, 0x89,
                                         0xd4, 0xfe, 0xff, 0xff, 0x00, 0x00, 0xc0, 0xbf};
  ASSERT_EQ(out, expected);
  EXPECT_EQ(get_u16(out.data()), 0x1234);
  byte_reader in(out.data(), out.size());
  in.take(2);
  EXPECT_EQ(in.i16(), -2);
  EXPECT_EQ(in.u32(), 0x89abcdefu);
  EXPECT_EQ(in.i32(), -300);
  EXPECT_EQ(in.f32(), -1.5f);
}

// A field that does not fit whole gives 0 and leaves the rest for smaller reads.
TEST(ByteIo, ReaderNeverStepsPastItsSpan) {
  const uint8_t bytes[] = {1, 0, 0, 7, 7};
  byte_reader in(bytes, 3);
  EXPECT_EQ(in.i16(), 1);
  EXPECT_EQ(in.i32(), 0);
  EXPECT_EQ(in.take(2), nullptr);
  EXPECT_EQ(in.take(1), bytes + 2);
  EXPECT_EQ(in.f32(), 0.0f);
}

}  // namespace
