// Damaged Tiled tile data is refused with a message and the place it was
// found, whatever the encoding; a tileset the forge writes reads back with
// the same tiles; an exported map spills extra marks onto further layers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/level_builder.h"
#include "support/scratch_dir.h"
#include "tiled/kel_tileset.h"
#include "tiled/level_file.h"
#include "tiled/tiled_export.h"
#include "tiled/tiled_layer_data.h"
#include "tiled/tiled_xml.h"

namespace {

struct data_case {
  const char* what;
  const char* encoding;  // "csv", or the compression after base64 ("" for none)
  std::string text;
  size_t count;
  const char* message;
  size_t offset;
};

TEST(ForgeTiledData, DamagedTileDataIsRefusedWithWhereAndWhy) {
  const data_case cases[] = {
      {"letter in CSV", "csv", "1,2,x,4", 4, "expected a tile id", 4},
      {"missing comma", "csv", "1,2 3,4", 4, "expected ',' between tile ids", 4},
      {"id above 32 bits", "csv", "1,4294967296", 2, "a tile id above 4294967295", 2},
      {"too many ids", "csv", "1,2,3", 2, "more than the layer's 2 cells", 4},
      {"too few ids", "csv", "1,2\n", 3, "holds 2 cells, the layer 3", 3},
      {"not base64", "", "AQAA*AAA", 1, "not base64", 4},
      {"data after padding", "", "AQ==AAAA", 1, "after its padding", 4},
      {"short base64", "", "AQAA", 2, "holds 3 bytes; the layer's 2 cells need 8", 0},
      {"long base64", "", "AQAAAAIAAAA=", 1, "more than the layer's 1 cells", 0},
      {"zlib cut short", "zlib", "eJzLSM3J", 2, "zlib data is damaged or cut short", 0},
      {"gzip that is zlib", "gzip", "eJxjZGBgYAJiZiBmAWIAAIgACw==", 6, "gzip data is damaged", 0},
  };
  for (const data_case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint32_t> gids;
    std::vector<size_t> offsets;
    tiled_data_error error;
    bool ok = std::string(c.encoding) == "csv" ? decode_tiled_csv(c.text, c.count, gids, offsets, error)
                                               : decode_tiled_base64(c.text, c.encoding, c.count, gids, error);
    EXPECT_FALSE(ok);
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    EXPECT_EQ(error.offset, c.offset) << error.message;
  }
}

void small_content() {
  clear_content();
  add_test_texture("data/textures/walls/stone.tga");
  add_test_texture("data/textures/floors/flag.tga");
  add_test_model("data/models/doors/door.def", add_test_trigger_prototype(trigger_door));
  add_test_model("data/models/props/torch.def");
  set_test_enemy_types({"grunt"});
}

TEST(ForgeTiledData, TheForgesTilesetReadsBackWithEveryTileAndProperty) {
  scratch_dir dir;
  small_content();
  kel_tileset made = make_kel_tileset({});
  write_file("levels/kel.tsx", kel_tileset_tsx(made, "kel.png"));
  diagnostics sink;
  recipe owner("levels/x.tmx", sink);
  tiled_tileset read;
  ASSERT_TRUE(read_tsx_file(owner, "kel.tsx", {1, 1}, read)) << sink.messages()[0];
  EXPECT_EQ(read.tile_count, int(made.tiles.size()));
  size_t listed = 0;
  for (const tiled_tile& t : read.tiles) {
    std::vector<std::pair<std::string, std::string>> p;
    for (const tiled_property& q : t.properties) p.push_back({q.name, q.value});
    EXPECT_EQ(made.find(p), t.id);
    ++listed;
  }
  // Stone and flag as wall and floor, the door 4 turns, the torch 4 + 4 as a
  // barrier, the invisible barrier, start, exit, grunt.
  EXPECT_EQ(listed, 2u * 2 + 4 + 8 + 4);
}

TEST(ForgeTiledData, AnExportSpillsACellsSecondMarkOntoAnotherLayerAndReadsBackTheSame) {
  small_content();
  diagnostics sink;
  recipe text("levels/x.txt", sink);
  text.parse(
      "level\nlegend \"#\" wall texture=data/textures/walls/stone.tga\n"
      "legend \".\" floor texture=data/textures/floors/flag.tga\n"
      "legend \"S\" like=\".\" start enemy=grunt\nlegend \"E\" like=\".\" exit\n"
      "legend \"d\" door like=\".\" model=data/models/doors/door.def rotation=3\n"
      "row \"#####\"\nrow \"#S.E#\"\nrow \"##d##\"\n");
  level_source level;
  ASSERT_TRUE(read_level_source(text, level)) << sink.messages()[0];
  std::string tmx, error;
  ASSERT_TRUE(level_to_tmx(level, make_kel_tileset({}), "kel.tsx", tmx, error)) << error;
  EXPECT_NE(tmx.find("name=\"marks 2\""), std::string::npos);

  scratch_dir dir;
  write_file("levels/kel.tsx", kel_tileset_tsx(make_kel_tileset({}), "kel.png"));
  recipe map("levels/x.tmx", sink);
  level_source back;
  ASSERT_TRUE(read_level_file(map, tmx, back)) << sink.messages()[0];
  for (int z = 0; z < level.depth(); ++z)
    for (int x = 0; x < level.width(); ++x) {
      const legend_entry& a = level.legend[size_t(level.legend_at(x, z))];
      const legend_entry& b = back.legend[size_t(back.legend_at(x, z))];
      EXPECT_EQ(std::make_tuple(a.kind, a.texture, a.model, a.rotation, a.enemy, a.start, a.exit),
                std::make_tuple(b.kind, b.texture, b.model, b.rotation, b.enemy, b.start, b.exit))
          << "x " << x << ", z " << z;
    }

  // A texture outside walls/ and floors/ has no tile: the export says which.
  level.legend[0].texture = "data/textures/skins/player.tga";
  EXPECT_FALSE(level_to_tmx(level, make_kel_tileset({}), "kel.tsx", tmx, error));
  EXPECT_NE(error.find("texture=data/textures/skins/player.tga"), std::string::npos) << error;
}

}  // namespace
