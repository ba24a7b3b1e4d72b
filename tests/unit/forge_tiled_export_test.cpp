// Campaign levels exported to Tiled maps forge back to the very bytes their
// text makes, also after Tiled itself has converted the map to JSON and back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text_render.h"  // default_font_dir
#include "levels/level_compile.h"
#include "levels/level_content.h"
#include "support/level_builder.h"
#include "support/scratch_dir.h"
#include "tiled/kel_tileset.h"
#include "tiled/level_file.h"
#include "tiled/tiled_files.h"

namespace fs = std::filesystem;

namespace {

const char* const campaign[] = {"test", "depot", "works"};
const std::string data_dir = std::string(KEL_FORGED_GAME_DIR) + "/data";

std::string level_text(const std::string& name) { return std::string(KEL_DEMO_DIR) + "/levels/" + name + ".txt"; }

// Forges one source into DIR/NAME (.pack, _guv, _lm.raw[.bz2]); the files' names and bytes.
std::vector<std::pair<std::string, std::string>> forged(const std::string& source_path, const std::string& dir,
                                                        const std::string& name) {
  diagnostics sink;
  recipe source(source_path, sink);
  level_source level;
  compiled_level compiled;
  std::vector<std::string> written;
  std::string failed;
  std::vector<std::pair<std::string, std::string>> files;
  if (!read_level_file(source, read_file(source_path), level) || !compile_level(source, level, compiled) ||
      !write_level_files(compiled, dir + "/" + name, written, failed)) {
    for (const std::string& m : sink.messages()) ADD_FAILURE() << m;
    return files;
  }
  for (const std::string& path : written) files.push_back({fs::path(path).filename().string(), read_file(path)});
  return files;
}

class TiledExport : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> problems;
    ASSERT_TRUE(load_forged_content(data_dir, problems)) << (problems.empty() ? "" : problems[0]);
  }
  void export_level(const std::string& name) {
    diagnostics sink;
    EXPECT_TRUE(export_level_to_tiled(level_text(name), "tiled", data_dir, default_font_dir, sink))
        << (sink.messages().empty() ? "" : sink.messages()[0]);
  }
  scratch_dir dir_;
};

TEST_F(TiledExport, EveryCampaignLevelExportedAndForgedBackIsByteIdentical) {
  for (const char* name : campaign) {
    SCOPED_TRACE(name);
    export_level(name);
    auto from_text = forged(level_text(name), "text", name);
    auto from_tiled = forged("tiled/" + std::string(name) + ".tmx", "tmx", name);
    ASSERT_EQ(from_text.size(), 3u);
    EXPECT_TRUE(from_text == from_tiled);
  }
}

TEST_F(TiledExport, TiledItselfConvertsTheMapToJsonAndBackAndBothForgeTheSame) {
  const std::string name = "depot";
  export_level(name);
  // Tiled's own command line, without a display.
  std::string tiled = "QT_QPA_PLATFORM=offscreen tiled --export-map ";
  ASSERT_EQ(std::system((tiled + "tiled/depot.tmx tiled/depot.tmj 2>/dev/null").c_str()), 0)
      << "Tiled (package tiled, scripts/bootstrap) did not convert the map";
  ASSERT_EQ(std::system((tiled + "tiled/depot.tmj tiled/again.tmx 2>/dev/null").c_str()), 0);
  auto from_text = forged(level_text(name), "text", name);
  ASSERT_EQ(from_text.size(), 3u);
  EXPECT_TRUE(from_text == forged("tiled/depot.tmj", "tmj", name));
  EXPECT_TRUE(from_text == forged("tiled/again.tmx", "again", name));
}

TEST(KelTileset, TilesKeepTheirIdsWhenTheContentGrowsAndNewOnesTakeFreeRows) {
  clear_content();
  add_test_texture("data/textures/walls/stone.tga");
  add_test_texture("data/textures/skins/player.tga");  // no wall or floor: no tile
  add_test_model("data/models/props/torch.def");
  add_test_model("data/models/characters/grunt.def");  // drawn by the game: no tile
  set_test_enemy_types({"grunt"});
  kel_tileset first = make_kel_tileset({});
  int stone_wall = first.find({{"kind", "wall"}, {"texture", "data/textures/walls/stone.tga"}});
  int torch = first.find({{"model", "data/models/props/torch.def"}, {"rotation", "2"}});
  EXPECT_EQ(stone_wall, 0);
  EXPECT_EQ(torch, kel_tileset_columns + 2);
  EXPECT_EQ(first.find({{"texture", "data/textures/skins/player.tga"}, {"kind", "wall"}}), -1);
  EXPECT_EQ(first.find({{"model", "data/models/characters/grunt.def"}, {"rotation", "0"}}), -1);
  EXPECT_GE(first.find({{"enemy", "grunt"}}), 0);

  // The tileset as Tiled reads it back, then a texture listed before stone.
  tiled_tileset previous;
  for (size_t id = 0; id < first.tiles.size(); ++id) {
    if (first.tiles[id].look == kel_tile_look::blank) continue;
    tiled_tile tile{int(id), {}};
    for (const auto& p : first.tiles[id].properties) tile.properties.push_back({p.first, p.second, {}});
    previous.tiles.push_back(tile);
  }
  clear_content();
  add_test_texture("data/textures/floors/new.tga");
  add_test_texture("data/textures/walls/stone.tga");
  add_test_model("data/models/props/torch.def");
  set_test_enemy_types({"grunt"});
  kel_tileset second = make_kel_tileset(previous);
  EXPECT_EQ(second.find({{"kind", "wall"}, {"texture", "data/textures/walls/stone.tga"}}), stone_wall);
  EXPECT_EQ(second.find({{"model", "data/models/props/torch.def"}, {"rotation", "2"}}), torch);
  int added = second.find({{"kind", "wall"}, {"texture", "data/textures/floors/new.tga"}});
  EXPECT_GE(added, int(first.tiles.size()));
  EXPECT_EQ(added % kel_tileset_columns, 0);
  EXPECT_EQ(second.find({{"kind", "floor"}, {"texture", "data/textures/floors/new.tga"}}), added + 1);
}

}  // namespace
