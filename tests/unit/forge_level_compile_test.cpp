// The level compiler on purpose-built levels against content filled directly
// into the engine's tables: names checked at their source position, the pack
// and group files read back by the engine, render groups that tile the map,
// a lightmap layout whose rectangles stay apart, and light that falls off,
// stops at walls and leaves the ambient colour far away.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "levels/level_compile.h"
#include "lightmaps/lightmap_bake.h"
#include "support/level_builder.h"
#include "support/scratch_dir.h"
#include "world/level_paths.h"

namespace {

constexpr float torch_radius = 8.0f;

// Textures "wall" and "floor", a torch with one light, a door, a medikit,
// and the enemy types grunt and brute.
void fill_test_content() {
  clear_content();
  clear_world();
  add_test_texture("wall");
  add_test_texture("floor");
  add_test_texture("stone");
  int warm = add_test_light_type(0.5f, 1.5f, 0.5f, 1.0f, 0.8f, 0.5f, torch_radius);
  add_test_model("data/models/torch", -1, warm);
  add_test_model("data/models/door", add_test_trigger_prototype(trigger_door));
  add_test_model("data/models/medikit", add_test_trigger_prototype(trigger_medikit));
  set_test_enemy_types({"grunt", "brute"});
}

const char* legend =
    "level texels=4\n"
    "settings <ambient_lightsource> 0.1 0.1 0.1 <wall_height> 3\n"
    "legend \"#\" wall texture=wall\n"
    "legend \"%\" wall texture=stone\n"
    "legend \".\" floor texture=floor\n"
    "legend \"t\" like=\".\" model=data/models/torch\n"
    "legend \"D\" door like=\".\" model=data/models/door\n"
    "legend \"+\" like=\".\" model=data/models/medikit\n"
    "legend \"g\" like=\".\" enemy=grunt\n"
    "legend \"b\" like=\".\" enemy=brute\n"
    "legend \"S\" like=\".\" start\n"
    "legend \"E\" like=\".\" exit\n";

// The torch room on the left, a wall with a door, and a long hall.
const char* lit_rows =
    "row \"##########################\"\n"
    "row \"#S..#....................%\"\n"
    "row \"#.t.#.........g..........%\"\n"
    "row \"#...D.....b........+....E%\"\n"
    "row \"##########################\"\n";

struct compiled {
  diagnostics sink;
  compiled_level level;
  bool ok = false;
};

void compile_text(const std::string& text, compiled& out) {
  recipe source("levels/lit.txt", out.sink);
  source.parse(text);
  level_source parsed;
  out.ok = read_level_source(source, parsed) && compile_level(source, parsed, out.level);
}

std::string all_messages(const diagnostics& sink) {
  std::string text;
  for (const std::string& m : sink.messages()) text += m + "\n";
  return text;
}

class ForgeLevelCompile : public ::testing::Test {
 protected:
  void SetUp() override { fill_test_content(); }
};

// The RGB texel of the floor under world point (wx, wz).
const uint8_t* floor_texel(const compiled_level& level, float wx, float wz) {
  int g = level.groups.cell_group[level.grid.index(int(wx), int(wz))];
  for (const lightmap_face& face : level.atlas.faces) {
    if (face.group != g || face.side != lightmap_face_side::floor) continue;
    const level_group& group = level.groups.groups[size_t(g)];
    int tx = face.x + int((wx - float(group.x1)) * float(level.atlas.texels_per_cell));
    int ty = face.y + int((wz - float(group.z1)) * float(level.atlas.texels_per_cell));
    return &level.lightmap[(size_t(ty) * size_t(level.atlas.side) + size_t(tx)) * 3];
  }
  return nullptr;
}

int brightness(const uint8_t* t) { return t[0] + t[1] + t[2]; }

TEST_F(ForgeLevelCompile, FloorBesideATorchIsLitAWallShadowsItAndFarAwayOnlyAmbientRemains) {
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok) << all_messages(c.sink);
  ASSERT_EQ(c.level.lights.size(), 1u);
  // The light stands where the world build puts it: the cell corner plus the offset.
  EXPECT_FLOAT_EQ(c.level.lights[0].x, 2.5f);
  EXPECT_FLOAT_EQ(c.level.lights[0].z, 2.5f);
  const uint8_t* beside = floor_texel(c.level, 3.5f, 2.5f);
  const uint8_t* behind = floor_texel(c.level, 5.5f, 2.5f);  // the wall at x = 4 stands between
  const uint8_t* far = floor_texel(c.level, 22.5f, 2.5f);    // 20 cells away, radius 8
  ASSERT_TRUE(beside && behind && far);
  EXPECT_LT(5.5f - 2.5f, torch_radius);
  EXPECT_GT(brightness(beside), brightness(behind) + 200);
  const uint8_t ambient = 26;  // 0.1 of 255, rounded
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(far[ch], ambient);
    EXPECT_EQ(behind[ch], ambient);
  }
  // Warm light: red above blue beside the torch.
  EXPECT_GT(beside[0], beside[2]);
}

TEST_F(ForgeLevelCompile, WallFacesAreLitOnlyFromTheirOwnSide) {
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok) << all_messages(c.sink);
  // The wall column x = 4 (z 0..2 with the door at z = 3): its -x face looks
  // at the torch, its +x face away from it.
  int g = c.level.groups.cell_group[c.level.grid.index(4, 1)];
  const lightmap_face *minus_x = nullptr, *plus_x = nullptr;
  for (const lightmap_face& f : c.level.atlas.faces) {
    if (f.group != g) continue;
    if (f.side == lightmap_face_side::wall_minus_x) minus_x = &f;
    if (f.side == lightmap_face_side::wall_plus_x) plus_x = &f;
  }
  ASSERT_TRUE(minus_x && plus_x);
  auto texel = [&](const lightmap_face* f, int i, int j) {
    return brightness(&c.level.lightmap[(size_t(f->y + j) * size_t(c.level.atlas.side) + size_t(f->x + i)) * 3]);
  };
  int row = c.level.atlas.wall_rows / 2, across = minus_x->w / 2;
  EXPECT_GT(texel(minus_x, across, row), texel(plus_x, across, row) + 150);
  EXPECT_EQ(texel(plus_x, across, row), 3 * 26);
}

// Every cell in exactly one group whose rectangle holds it, one kind and
// texture per group.
void expect_groups_tile_the_map(const compiled_level& level) {
  const std::vector<level_group>& groups = level.groups.groups;
  std::vector<int> covered(level.grid.kind.size(), 0);
  for (int gi = 0; gi < int(groups.size()); ++gi) {
    const level_group& g = groups[size_t(gi)];
    for (int x = g.x1; x <= g.x2; ++x)
      for (int z = g.z1; z <= g.z2; ++z) {
        size_t i = level.grid.index(x, z);
        ++covered[i];
        EXPECT_EQ(level.groups.cell_group[i], gi);
        EXPECT_EQ(level.grid.kind[i] == cell_wall, g.wall);
        EXPECT_EQ(level.grid.texture[i], g.texture);
      }
  }
  for (int n : covered) EXPECT_EQ(n, 1);
}

TEST_F(ForgeLevelCompile, GroupsTileTheMapByKindAndTexture) {
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok) << all_messages(c.sink);
  expect_groups_tile_the_map(c.level);
  // Doors, items, enemies and the start are floor of the floor texture, so
  // the hall merges into few rectangles.
  EXPECT_LE(c.level.groups.groups.size(), 12u);
}

TEST_F(ForgeLevelCompile, LightmapRectanglesKeepTheirPaddingApartInsideTheAtlas) {
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok) << all_messages(c.sink);
  const lightmap_atlas& atlas = c.level.atlas;
  EXPECT_EQ(atlas.side & (atlas.side - 1), 0);
  EXPECT_EQ(atlas.texels_per_cell, 4);
  EXPECT_EQ(atlas.wall_rows, 12);  // 3 units high
  std::vector<int> owner(size_t(atlas.side) * size_t(atlas.side), -1);
  for (int f = 0; f < int(atlas.faces.size()); ++f) {
    const lightmap_face& face = atlas.faces[size_t(f)];
    ASSERT_GE(face.x - lightmap_padding, 0);
    ASSERT_GE(face.y - lightmap_padding, 0);
    ASSERT_LE(face.x + face.w + lightmap_padding, atlas.side);
    ASSERT_LE(face.y + face.h + lightmap_padding, atlas.side);
    for (int y = face.y - lightmap_padding; y < face.y + face.h + lightmap_padding; ++y)
      for (int x = face.x - lightmap_padding; x < face.x + face.w + lightmap_padding; ++x) {
        int& o = owner[size_t(y) * size_t(atlas.side) + size_t(x)];
        ASSERT_EQ(o, -1) << "faces " << o << " and " << f << " overlap at " << x << "," << y;
        o = f;
      }
  }
}

TEST_F(ForgeLevelCompile, TheDensityDropsUntilTheAtlasFits) {
  // A 120 x 120 checkerboard of one-cell floors: padded, its faces cannot
  // fit 2048 texels at 16 texels a cell.
  std::vector<level_group> groups;
  for (int x = 0; x < 120; ++x)
    for (int z = 0; z < 120; ++z) groups.push_back({x, z, x, z, false, (x + z) % 2});
  lightmap_atlas atlas;
  ASSERT_TRUE(lay_out_lightmap(groups, 4.0f, 16, atlas));
  EXPECT_LT(atlas.texels_per_cell, 16);
  EXPECT_LE(atlas.side, 2048);
  EXPECT_EQ(atlas.faces.size(), groups.size());
}

TEST_F(ForgeLevelCompile, TheEngineReadsThePackGroupsAndLightmapBack) {
  scratch_dir dir;
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok) << all_messages(c.sink);
  std::vector<std::string> written;
  std::string failed;
  ASSERT_TRUE(write_level_files(c.level, "data/maps/lit", written, failed)) << failed;
  EXPECT_EQ(written, (std::vector<std::string>{"data/maps/lit.pack", "data/maps/lit_guv", "data/maps/lit_lm.raw"}));

  clear_world();
  ASSERT_EQ(KelMapLoader.load_pack("data/maps/lit"), 0);
  EXPECT_EQ(mapa_size_x, 26);
  EXPECT_EQ(mapa_size_z, 5);
  EXPECT_FLOAT_EQ(players[player_id].x, 1.0f);
  EXPECT_FLOAT_EQ(players[player_id].z, 1.0f);
  ASSERT_EQ(mapa_endu, 1);
  EXPECT_EQ(mapa_end_x[0], 24);
  EXPECT_EQ(mapa_end_z[0], 3);
  ASSERT_EQ(impu, 2);
  // Enemies in reading order: the grunt (row 2) before the brute (row 3).
  EXPECT_EQ(imp[0].type, 0);
  EXPECT_FLOAT_EQ(imp[0].x, 14.5f);
  EXPECT_EQ(imp[1].type, 1);
  EXPECT_EQ(mapa_v[map_index(4, 3)], cell_door_closed);
  EXPECT_EQ(mapa_m[map_index(4, 3)], 1);
  EXPECT_EQ(mapa[map_index(25, 1)], 2);  // stone
  EXPECT_EQ(lightu, 1);
  EXPECT_EQ(triggeru, 2);
  EXPECT_FLOAT_EQ(c_wall_h, 3.0f);
  EXPECT_FLOAT_EQ(c_wall_cut, 2.2f);

  std::snprintf(mapa_filename, sizeof mapa_filename, "data/maps/lit");
  n_groups = 0;
  ASSERT_EQ(load_groups_vt(), 0);
  ASSERT_EQ(n_groups, int(c.level.groups.groups.size()));
  for (int x = 0; x < mapa_size_x; ++x)
    for (int z = 0; z < mapa_size_z; ++z) {
      const group_t& g = groups[mapa_g[map_index(x, z)]];
      EXPECT_TRUE(g.x1 <= x && x <= g.x2 && g.z1 <= z && z <= g.z2);
    }
  EXPECT_EQ(read_file("data/maps/lit_lm.raw").size(), size_t(c.level.atlas.side) * c.level.atlas.side * 3);
}

TEST_F(ForgeLevelCompile, ABz2OnlyLightmapReplacesAPlainOne) {
  scratch_dir dir;
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok);
  std::vector<std::string> written;
  std::string failed;
  ASSERT_TRUE(write_level_files(c.level, "data/maps/lit", written, failed));
  c.level.lightmap_bz2_only = true;
  written.clear();
  ASSERT_TRUE(write_level_files(c.level, "data/maps/lit", written, failed));
  EXPECT_FALSE(file_exists("data/maps/lit_lm.raw"));
  EXPECT_TRUE(file_exists("data/maps/lit_lm.raw.bz2"));
  EXPECT_EQ(written.back(), "data/maps/lit_lm.raw.bz2");
}

TEST_F(ForgeLevelCompile, AWriteThatFailsLeavesTheOldFilesWholeAndNoScratchBehind) {
  scratch_dir dir;
  compiled c;
  compile_text(std::string(legend) + lit_rows, c);
  ASSERT_TRUE(c.ok);
  std::vector<std::string> written;
  std::string failed;
  ASSERT_TRUE(write_level_files(c.level, "data/maps/lit", written, failed));
  std::string pack = read_file("data/maps/lit.pack"), groups = read_file("data/maps/lit_guv"),
              lightmap = read_file("data/maps/lit_lm.raw");
  // The pack's scratch name taken by a folder: the pack cannot be written.
  std::filesystem::create_directories("data/maps/.lit.forging.pack/x");
  c.level.lightmap.assign(c.level.lightmap.size(), 7);
  EXPECT_FALSE(write_level_files(c.level, "data/maps/lit", written, failed));
  EXPECT_EQ(failed, "data/maps/lit.pack");
  EXPECT_EQ(read_file("data/maps/lit.pack"), pack);
  EXPECT_EQ(read_file("data/maps/lit_guv"), groups);
  EXPECT_EQ(read_file("data/maps/lit_lm.raw"), lightmap);
  EXPECT_FALSE(file_exists("data/maps/.lit.forging_lm.raw"));
  EXPECT_FALSE(file_exists("data/maps/.lit.forging_guv"));
}

TEST_F(ForgeLevelCompile, NamesAndCellRulesAreCheckedAtTheirSourcePosition) {
  struct name_case {
    const char* what;
    const char* line;
    const char* message;
  } cases[] = {
      {"texture", "legend \"x\" floor texture=marble\n", "levels/lit.txt:13:26: no texture 'marble'"},
      {"model", "legend \"x\" like=\".\" model=data/models/chair\n", "levels/lit.txt:13:27: no model 'data/models/chair'"},
      {"enemy", "legend \"x\" like=\".\" enemy=dragon\n", "levels/lit.txt:13:27: no enemy type 'dragon'"},
      {"enemy on a wall", "legend \"x\" like=\"#\" enemy=grunt\n", "levels/lit.txt:13:27: an enemy needs a floor cell"},
      {"door model on floor", "legend \"x\" like=\".\" model=data/models/door\n",
       "levels/lit.txt:13:27: model 'data/models/door' is a door: its cell needs the kind door"},
      {"door without model", "legend \"x\" door texture=floor\n", "levels/lit.txt:13:8: a door cell needs a door model"},
      {"start on a wall", "legend \"x\" like=\"#\" exit\n", "levels/lit.txt:13:8: start and exit cells must be floor"},
  };
  for (const name_case& nc : cases) {
    SCOPED_TRACE(nc.what);
    compiled c;
    compile_text(std::string(legend) + nc.line + lit_rows, c);
    EXPECT_FALSE(c.ok);
    EXPECT_NE(all_messages(c.sink).find(nc.message), std::string::npos) << all_messages(c.sink);
  }
}

TEST_F(ForgeLevelCompile, ALevelNeedingMoreThanTheEnginesTablesIsRefused) {
  // 501 enemies in one row of 255 cells would not fit: use two rows.
  std::string rows = "row \"S" + std::string(254, 'g') + "\"\nrow \"" + std::string(255, 'g') + "\"\n";
  compiled c;
  compile_text(std::string(legend) + rows, c);
  EXPECT_FALSE(c.ok);
  EXPECT_NE(all_messages(c.sink).find("levels/lit.txt:14:252: more than 500 enemies"), std::string::npos)
      << all_messages(c.sink);
}

}  // namespace
