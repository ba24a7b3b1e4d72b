#include <gtest/gtest.h>

#include <sys/stat.h>  // mkdir

#include <cstdlib>
#include <string>
#include <vector>

#include "content/models.h"
#include "lighting/light_grid.h"
#include "lighting/lightmap.h"
#include "support/scratch_dir.h"
#include "world/level_settings.h"
#include "world/map_grid.h"

namespace {

class LightGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mapa_size_x = mapa_size_z = 16;
    for (int& v : mapa_v) v = cell_free;
    lightu = 0;
    c_ambient_light[0] = c_ambient_light[1] = c_ambient_light[2] = 0.0f;
  }
  void add_light(float x, float z, float radius, float r, float g, float b) {
    light[lightu++] = light_t{x, 1.0f, z, r, g, b, radius};
  }
  const float* at(int x, int z) { return mapa_l[map_index(x, z)]; }
};

TEST_F(LightGridTest, AmbientFillsADarkLevel) {
  c_ambient_light[0] = c_ambient_light[1] = c_ambient_light[2] = 0.2f;
  init_light();
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int c = 0; c < 3; ++c) ASSERT_FLOAT_EQ(at(x, z)[c], 0.2f);
}

TEST_F(LightGridTest, FalloffIsLinearToTheRadius) {
  add_light(5.0f, 2.5f, 5.0f, 1.0f, 1.0f, 1.0f);
  init_light();
  EXPECT_NEAR(at(5, 5)[0], 0.5f, 1e-5f);  // 2.5 away along z
  EXPECT_NEAR(at(5, 0)[1], 0.5f, 1e-5f);
  EXPECT_FLOAT_EQ(at(5, 8)[2], 0.0f);     // 5.5 away: out of reach
  EXPECT_FLOAT_EQ(at(12, 12)[0], 0.0f);
}

TEST_F(LightGridTest, WallsAndClosedDoorsCastShadowsButAjarDoorsAndBarriersDoNot) {
  // The march runs along x (arrival is judged on x), so put the light and
  // the samples on one row.
  add_light(2.0f, 8.0f, 8.0f, 1.0f, 1.0f, 1.0f);
  for (int kind : {cell_wall, cell_door_closed, cell_door_ajar, cell_barrier}) {
    for (int& v : mapa_v) v = cell_free;
    mapa_v[map_index(4, 8)] = kind;  // between (2, 8) and (6, 8)
    init_light();
    bool blocked = kind == cell_wall || kind == cell_door_closed;
    EXPECT_EQ(at(6, 8)[0] == 0.0f, blocked) << "kind " << kind;
    EXPECT_GT(at(3, 8)[0], 0.0f);  // the near side is lit either way
  }
}

TEST_F(LightGridTest, ChannelsAddUpAndClampAndNegativeColoursAddNothing) {
  add_light(4.0f, 4.0f, 100.0f, 0.8f, -0.5f, 0.1f);
  add_light(4.0f, 4.0f, 100.0f, 0.8f, 0.0f, 0.1f);
  init_light();
  EXPECT_FLOAT_EQ(at(4, 4)[0], 1.0f);  // 0.8 + 0.8, clamped
  EXPECT_FLOAT_EQ(at(4, 4)[1], 0.0f);
  EXPECT_NEAR(at(4, 4)[2], 0.2f, 1e-5f);
}

TEST_F(LightGridTest, ALightOnTheSamplePointCountsAsReachedAtFullStrength) {
  light_t on_point{3.0f, 1.0f, 3.0f, 0.4f, 0.4f, 0.4f, 0.0f};
  light_rgb added = light_contribution(on_point, 3.0f, 3.0f);
  EXPECT_FLOAT_EQ(added.r, 0.4f);
}

TEST(LightmapFile, SideFollowsTheLengthAndExtraBytesAreIgnored) {
  scratch_dir dir;
  std::vector<uint8_t> texels;
  int side = 0;
  write_file("a_lm.raw", std::string(196608, '\x40'));
  ASSERT_TRUE(read_lightmap_file("a_lm.raw", texels, side));
  EXPECT_EQ(side, 256);
  EXPECT_EQ(texels.size(), 196608u);

  write_file("b_lm.raw", std::string(200000, '\x7f'));
  ASSERT_TRUE(read_lightmap_file("b_lm.raw", texels, side));
  EXPECT_EQ(side, 258);
  EXPECT_EQ(texels.size(), 258u * 258u * 3u);  // the last 308 bytes are not used
}

TEST(LightmapFile, SideIsExactForEveryLengthAndRefusedPastTheLimit) {
  struct side_case {
    long length;
    int side;
  };
  const side_case cases[] = {
      {-1, 0}, {0, 0}, {2, 0}, {3, 1}, {11, 1}, {12, 2}, {196608, 256}, {200000, 258},
      {3l * 2048 * 2048, 2048}, {lightmap_file_limit, 2048}, {lightmap_file_limit + 1, 0},
      {0x7fffffffffffffffl, 0},  // what seeking to the end of a directory may report
  };
  for (const side_case& c : cases) EXPECT_EQ(lightmap_side_for_length(c.length), c.side) << c.length;
}

TEST(LightmapFile, ADirectoryOrDeviceIsNoLightmap) {
  scratch_dir dir;
  std::vector<uint8_t> texels;
  int side = 0;
  ASSERT_EQ(mkdir("dir_lm.raw", 0755), 0);
  EXPECT_FALSE(read_lightmap_file("dir_lm.raw", texels, side));
  EXPECT_FALSE(read_lightmap_file("/dev/zero", texels, side));
}

TEST(LightmapFile, MissingTinyAndOversizedFilesGiveNoLightmap) {
  scratch_dir dir;
  std::vector<uint8_t> texels;
  int side = 0;
  EXPECT_FALSE(read_lightmap_file("none_lm.raw", texels, side));
  EXPECT_FALSE(file_exists("data/tmp"));
  write_file("tiny_lm.raw", "ab");
  EXPECT_FALSE(read_lightmap_file("tiny_lm.raw", texels, side));
  // 2049 x 2049 texels: past the largest side.
  write_file("big_lm.raw", std::string(2049u * 2049u * 3u, '\0'));
  EXPECT_FALSE(read_lightmap_file("big_lm.raw", texels, side));
}

}  // namespace

namespace {

// The grid may skip lights that cannot reach a cell, but the sums must stay
// exactly those of adding every light in index order.
TEST_F(LightGridTest, SkippingFarLightsChangesNoBit) {
  mapa_size_x = 120;
  mapa_size_z = 90;
  srand(7);
  auto unit = [] { return static_cast<float>(rand()) / RAND_MAX; };
  for (int i = 0; i < 300; ++i)
    add_light(unit() * 125.0f - 2.0f, unit() * 95.0f - 2.0f, unit() * 9.0f, unit(), unit(), unit() - 0.2f);
  for (int i = 0; i < 400; ++i) mapa_v[map_index(rand() % 120, rand() % 90)] = cell_wall;
  c_ambient_light[1] = 0.05f;
  init_light();
  for (int x = 0; x < mapa_size_x; ++x)
    for (int z = 0; z < mapa_size_z; ++z) {
      float sum[3] = {0, 0, 0};
      for (int i = 0; i < lightu; ++i) {
        light_rgb a = light_contribution(light[i], static_cast<float>(x), static_cast<float>(z));
        sum[0] += a.r;
        sum[1] += a.g;
        sum[2] += a.b;
      }
      for (int c = 0; c < 3; ++c) {
        if (c_ambient_light[c] >= sum[c]) sum[c] = c_ambient_light[c];
        if (sum[c] > 1.0f) sum[c] = 1.0f;
        ASSERT_EQ(at(x, z)[c], sum[c]) << x << "," << z;
      }
    }
}

}  // namespace
