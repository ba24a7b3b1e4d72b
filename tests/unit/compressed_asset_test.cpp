#include <gtest/gtest.h>

#include <bzlib.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/compressed_asset.h"
#include "formats/md2.h"
#include "formats/md2_writer.h"
#include "support/scratch_dir.h"

namespace {

std::string bzip2(const std::string& raw, int block_size_100k = 9) {
  unsigned int size = static_cast<unsigned int>(raw.size() + raw.size() / 50 + 1024);
  std::string packed(size, '\0');
  int status = BZ2_bzBuffToBuffCompress(packed.data(), &size, const_cast<char*>(raw.data()),
                                        static_cast<unsigned int>(raw.size()), block_size_100k, 0, 0);
  EXPECT_EQ(status, BZ_OK);
  packed.resize(size);
  return packed;
}

// Bytes that do not compress to nothing, so a stream spans several blocks.
std::string noise(size_t n, unsigned seed = 1) {
  std::string s(n, '\0');
  for (char& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>((seed >> 16) % 11);
  }
  return s;
}

std::string read_all(FILE* f) {
  std::string s;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) s.append(buffer, got);
  return s;
}

std::string stream_all(asset_stream& stream) {
  std::string s;
  char buffer[3000];  // not a divisor of anything the library uses
  size_t got;
  while ((got = asset_read(stream, buffer, sizeof buffer)) > 0) s.append(buffer, got);
  return s;
}

// What a copy that asks the library for one byte per call delivers.
std::string bytewise_copy(const std::string& packed_path) {
  std::string s;
  BZFILE* b = BZ2_bzopen(packed_path.c_str(), "rb");
  char c;
  while (BZ2_bzread(b, &c, 1) == 1) s += c;
  BZ2_bzclose(b);
  return s;
}

TEST(AssetStream, PlainFileWinsOverTheCompressedCopy) {
  scratch_dir dir;
  write_file("data/a.tga", "plain");
  write_file("data/a.tga.bz2", bzip2("packed"));
  asset_stream s;
  ASSERT_TRUE(asset_open("data/a.tga", s));
  EXPECT_EQ(stream_all(s), "plain");
  asset_close(s);
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(AssetStream, CompressedCopyIsStreamedWithoutTheScratchFile) {
  scratch_dir dir;
  const std::string raw = noise(300000);
  write_file("data/a.tga.bz2", bzip2(raw, 1));
  asset_stream s;
  ASSERT_TRUE(asset_open("data/a.tga", s));
  char head[12];
  EXPECT_EQ(asset_read(s, head, sizeof head), sizeof head);
  EXPECT_EQ(std::string(head, sizeof head), raw.substr(0, 12));
  EXPECT_TRUE(stream_all(s) == raw.substr(12));
  char more;
  EXPECT_EQ(asset_read(s, &more, 1), 0u);
  asset_close(s);
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(AssetStream, MissingOrBrokenCopiesGiveShortReads) {
  scratch_dir dir;
  asset_stream s;
  EXPECT_FALSE(asset_open("data/none.tga", s));

  const std::string raw = noise(250000);
  const std::string packed = bzip2(raw, 1);
  write_file("data/cut.tga.bz2", packed.substr(0, packed.size() / 2));
  ASSERT_TRUE(asset_open("data/cut.tga", s));
  std::vector<char> all(raw.size());
  EXPECT_LT(asset_read(s, all.data(), all.size()), raw.size());
  // After the fault the stream stays finished instead of decoding on from a broken state.
  EXPECT_EQ(asset_read(s, all.data(), all.size()), 0u);
  asset_close(s);

  write_file("data/junk.tga.bz2", "BZh9 this is not a bzip2 stream");
  ASSERT_TRUE(asset_open("data/junk.tga", s));
  EXPECT_EQ(asset_read(s, all.data(), 10), 0u);
  asset_close(s);
}

TEST(ScratchCopy, CompressedCopyLandsInTheScratchFileWhichIsThenEmptied) {
  scratch_dir dir;
  const std::string raw = noise(700000);  // several decoder blocks and copy blocks
  write_file("data/lm.raw.bz2", bzip2(raw, 1));
  bool used = false;
  FILE* f = asset_open_seekable("data/lm.raw", used);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(used);
  EXPECT_TRUE(read_all(f) == raw);
  std::fclose(f);
  EXPECT_TRUE(read_file("data/tmp") == raw);
  scratch_empty();
  EXPECT_TRUE(file_exists("data/tmp"));
  EXPECT_EQ(read_file("data/tmp").size(), 0u);
}

TEST(ScratchCopy, PlainFileIsOpenedDirectlyAndTheScratchFileLeftAlone) {
  scratch_dir dir;
  write_file("data/lm.raw", "plain bytes");
  write_file("data/lm.raw.bz2", bzip2("packed bytes"));
  bool used = true;
  FILE* f = asset_open_seekable("data/lm.raw", used);
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(used);
  EXPECT_EQ(read_all(f), "plain bytes");
  std::fclose(f);
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(ScratchCopy, NothingIsCreatedForAMissingAssetOrByEmptying) {
  scratch_dir dir;
  write_file("data/other", "");
  bool used = true;
  EXPECT_EQ(asset_open_seekable("data/none.raw", used), nullptr);
  EXPECT_FALSE(used);
  scratch_empty();
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(ScratchCopy, WithoutADataFolderTheAssetCountsAsMissing) {
  scratch_dir dir;
  write_file("lm.raw.bz2", bzip2("bytes"));
  bool used = false;
  EXPECT_EQ(asset_open_seekable("lm.raw", used), nullptr);
  EXPECT_FALSE(file_exists("data"));
}

TEST(ScratchCopy, TruncatedCopyKeepsWhatAByteAtATimeCopyWouldKeep) {
  scratch_dir dir;
  const std::string packed = bzip2(noise(450000), 1);  // 100k blocks
  for (size_t cut : {packed.size() / 3, packed.size() * 3 / 4, packed.size() - 1}) {
    write_file("data/lm.raw.bz2", packed.substr(0, cut));
    const std::string expected = bytewise_copy("data/lm.raw.bz2");
    bool used = false;
    FILE* f = asset_open_seekable("data/lm.raw", used);
    ASSERT_NE(f, nullptr) << cut;
    const std::string copied = read_all(f);
    std::fclose(f);
    EXPECT_GT(expected.size(), 0u) << cut;
    EXPECT_EQ(copied.size(), expected.size()) << "cut at " << cut;
    EXPECT_TRUE(copied == expected) << "cut at " << cut;
  }
}

TEST(ScratchCopy, CorruptCopyIsRefusedAndEmptied) {
  scratch_dir dir;
  std::string packed = bzip2(noise(450000), 1);
  packed[packed.size() / 2] ^= 0x40;  // fails a block check
  write_file("data/lm.raw.bz2", packed);
  bool used = false;
  EXPECT_EQ(asset_open_seekable("data/lm.raw", used), nullptr);
  EXPECT_TRUE(used);
  EXPECT_TRUE(file_exists("data/tmp"));
  EXPECT_EQ(read_file("data/tmp").size(), 0u);

  write_file("data/junk.raw.bz2", "this is not a bzip2 stream");
  EXPECT_EQ(asset_open_seekable("data/junk.raw", used), nullptr);
}

TEST(ScratchCopy, CopyThatInflatesPastTheLimitIsRefusedAndEmptied) {
  scratch_dir dir;
  write_file("data/bomb.raw.bz2", bzip2(std::string(static_cast<size_t>(scratch_copy_limit) + 1, 'z')));
  bool used = false;
  EXPECT_EQ(asset_open_seekable("data/bomb.raw", used), nullptr);
  EXPECT_TRUE(used);
  EXPECT_EQ(read_file("data/tmp").size(), 0u);

  write_file("data/fits.raw.bz2", bzip2(std::string(static_cast<size_t>(scratch_copy_limit), 'z')));
  FILE* f = asset_open_seekable("data/fits.raw", used);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  scratch_empty();
}

// The MD2 reader goes through the scratch file.

std::string one_triangle_md2(float height) {
  md2_writer_model m;
  m.tex_coords = {{0, 0}};
  m.triangles = {{{0, 1, 2}, {0, 0, 0}}};
  m.frames = {{"f", {{{0, 0, height}}, {{1, 0, height}}, {{0, 1, height}}}}};
  m.gl_packets = md2_strips_from_triangles(m);
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(md2_encode(m, bytes));
  return std::string(bytes.begin(), bytes.end());
}

float loaded_height(const char* path) {
  md2_model_t* model = md2_readModel(path);
  if (!model) return -1;
  float height = model->frames[0].vertices[0].position[1];  // file z is the game's y
  md2_freeModel(model);
  return height;
}

TEST(Md2Compressed, CompressedOnlyModelLoadsAndLeavesTheScratchFileEmpty) {
  scratch_dir dir;
  write_file("data/models/box.md2.bz2", bzip2(one_triangle_md2(7)));
  EXPECT_EQ(loaded_height("data/models/box.md2"), 7.0f);
  EXPECT_TRUE(file_exists("data/tmp"));
  EXPECT_EQ(read_file("data/tmp").size(), 0u);
}

TEST(Md2Compressed, BrokenCompressedModelFailsAndLeavesNothingBehind) {
  scratch_dir dir;
  const std::string packed = bzip2(one_triangle_md2(7));
  write_file("data/models/box.md2.bz2", packed.substr(0, packed.size() / 2));
  EXPECT_EQ(loaded_height("data/models/box.md2"), -1.0f);
  EXPECT_EQ(read_file("data/tmp").size(), 0u);
}

TEST(Md2Compressed, MissingModelFailsWithoutMakingTheScratchFile) {
  scratch_dir dir;
  write_file("data/models/other.md2", one_triangle_md2(1));
  EXPECT_EQ(loaded_height("data/models/box.md2"), -1.0f);
  EXPECT_FALSE(file_exists("data/tmp"));
}

TEST(Md2Compressed, PlainModelWinsAndTheScratchFileIsUntouched) {
  scratch_dir dir;
  write_file("data/models/box.md2", one_triangle_md2(3));
  write_file("data/models/box.md2.bz2", bzip2(one_triangle_md2(9)));
  EXPECT_EQ(loaded_height("data/models/box.md2"), 3.0f);
  EXPECT_FALSE(file_exists("data/tmp"));
}

}  // namespace
