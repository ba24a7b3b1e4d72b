#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "actors/enemies.h"
#include "actors/player.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "level/kel_map.h"
#include "support/level_builder.h"
#include "support/scratch_dir.h"

namespace {

// Loader-sized objects live in static storage.
C_KelMap authored;
C_KelMap other;

class KelMapFiles : public ::testing::Test {
 protected:
  scratch_dir dir;
  void SetUp() override {
    clear_world();
    fill_sample_level(authored);
    KelMapLoader.clear_map();
  }
  // The world the sample level builds into, made straight from the authored copy.
  world_snapshot authored_world() {
    clear_world();
    authored.update_globals();
    world_snapshot s = take_world_snapshot();
    clear_world();
    return s;
  }
};

TEST_F(KelMapFiles, PackRoundTripKeepsEveryFieldAndBuildsTheSameWorld) {
  world_snapshot expected = authored_world();
  ASSERT_EQ(authored.save_pack_l("level"), 0);
  ASSERT_EQ(KelMapLoader.load_pack("level"), 0);
  expect_same_level(authored, KelMapLoader);
  expect_same_world(expected, take_world_snapshot());
  EXPECT_EQ(read_file("level.pack").substr(0, 10), "KelaPackMv");
}

TEST_F(KelMapFiles, SeparateFilesRoundTripKeepsEveryFieldAndBuildsTheSameWorld) {
  world_snapshot expected = authored_world();
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  ASSERT_EQ(KelMapLoader.load_maps("level"), 0);
  expect_same_level(authored, KelMapLoader);
  expect_same_world(expected, take_world_snapshot());
  EXPECT_FALSE(KelMapLoader.missing_t || KelMapLoader.missing_m || KelMapLoader.missing_ai);
  // The pack is the five files back to back after its magic.
  ASSERT_EQ(authored.save_pack_l("level"), 0);
  std::string joined;
  for (const char* suffix : {"_v", "_t", "_m", "_ai", "_c"}) joined += read_file(std::string("level") + suffix);
  EXPECT_EQ(read_file("level.pack"), "KelaPack" + joined);
}

TEST_F(KelMapFiles, AnyEightBytesServeAsThePackMagic) {
  ASSERT_EQ(authored.save_pack_l("level"), 0);
  std::string pack = read_file("level.pack");
  write_file("odd.pack", std::string("\0\xff" "abc\n\t ", 8) + pack.substr(8));
  EXPECT_EQ(KelMapLoader.load_pack("odd"), 0);
  expect_same_level(authored, KelMapLoader);
  write_file("short.pack", pack.substr(0, 7));
  EXPECT_EQ(KelMapLoader.load_pack("short"), 1);
  EXPECT_EQ(KelMapLoader.load_pack("absent"), 1);
}

TEST_F(KelMapFiles, PlanesAreStoredRowByRowAlongX) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  std::string v = read_file("level_v");
  // "Mv", size 6 x 4, start (1, 1), two exits, one spawn point, then the plane.
  ASSERT_EQ(v.substr(0, 7), std::string("Mv\x06\x04\x01\x01\x02", 7));
  size_t plane = 7 + 2 * 2 + 1 + 3 * 1;
  ASSERT_EQ(v.size(), plane + 6 * 4);
  EXPECT_EQ(v[plane + 1 * 6 + 2], cell_door_closed);  // cell (2, 1)
  EXPECT_EQ(v[plane + 2 * 6 + 1], cell_barrier);      // cell (1, 2)
  std::string m = read_file("level_m");
  // Row z = 1: six model bytes, then six rotation bytes.
  EXPECT_EQ(m[2 + 12 + 2], 0);
  EXPECT_EQ(m[2 + 12 + 6 + 2], 1);
  EXPECT_EQ(m.substr(2 + 48, 3), std::string("Ml\x03", 3));
  std::string ai = read_file("level_ai");
  EXPECT_EQ(ai.substr(0, 6), std::string("AI\x02\0\0\0", 6));
  EXPECT_EQ(ai.substr(12), "Pl\x02" "boss grunt ");
  EXPECT_EQ(read_file("level_c"), "<wall_height> 3.5 <next_level> data/maps/second ");
}

TEST_F(KelMapFiles, MissingOptionalFilesGiveResultOneAndTheFallbacks) {
  world_snapshot full = authored_world();
  for (const char* suffix : {"_t", "_m", "_ai", "_c"}) {
    SCOPED_TRACE(suffix);
    ASSERT_EQ(authored.save_maps_l("level"), 0);
    std::remove((std::string("level") + suffix).c_str());
    clear_world();
    for (int& t : mapa) t = 9;
    c_wall_h = 4.0f;
    EXPECT_EQ(KelMapLoader.load_maps("level"), 1);
    world_snapshot got = take_world_snapshot();
    EXPECT_EQ(got.mapa_v, full.mapa_v);
    EXPECT_EQ(KelMapLoader.missing_t, std::string(suffix) == "_t");
    EXPECT_EQ(KelMapLoader.missing_m, std::string(suffix) == "_m");
    EXPECT_EQ(KelMapLoader.missing_ai, std::string(suffix) == "_ai");
    if (std::string(suffix) == "_t") {
      EXPECT_EQ(got.mapa, std::vector<int>(24, 0));
    } else {
      EXPECT_EQ(got.mapa, full.mapa);
    }
    if (std::string(suffix) == "_m") {
      EXPECT_EQ(got.mapa_m, std::vector<int>(24, no_model));
      EXPECT_EQ(got.triggeru, 0);
      EXPECT_EQ(got.lightu, 0);
    } else {
      EXPECT_EQ(got.mapa_m, full.mapa_m);
      EXPECT_EQ(got.lightu, 2);
    }
    EXPECT_EQ(got.impu, std::string(suffix) == "_ai" ? 0 : 2);
    if (std::string(suffix) == "_c") {
      EXPECT_EQ(KelMapLoader.settings_count, 0);
      EXPECT_FLOAT_EQ(c_wall_h, 4.0f);
    } else {
      EXPECT_FLOAT_EQ(c_wall_h, 3.5f);
    }
  }
}

TEST_F(KelMapFiles, WithoutTheWallFileNothingIsReadOrBuilt) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  ASSERT_EQ(KelMapLoader.load_maps("level"), 0);
  world_snapshot before = take_world_snapshot();
  std::remove("level_v");
  EXPECT_EQ(KelMapLoader.load_maps("level"), 2);
  expect_same_level(authored, KelMapLoader);
  expect_same_world(before, take_world_snapshot());
}

// A second level that shares nothing with the sample: no names and no
// settings, so every byte of its pack is needed.
void fill_other_level() {
  other.clear_map();
  other.set_map_size(3, 5);
  for (int x = 0; x < 3; ++x)
    for (int z = 0; z < 5; ++z) other.set_map_data(x, z, kel_map_layer_v, cell_wall);
  other.set_imp_count(1);
  other.set_imp(0, 0, 1, 1);
  other.add_end(2, 2);
}

TEST_F(KelMapFiles, ATruncatedPackLeavesTheLoaderAndTheWorldAsTheyWere) {
  ASSERT_EQ(authored.save_pack_l("level"), 0);
  ASSERT_EQ(KelMapLoader.load_pack("level"), 0);
  world_snapshot before = take_world_snapshot();
  fill_other_level();
  ASSERT_EQ(other.save_pack_l("other"), 0);
  std::string pack = read_file("other.pack");
  for (size_t cut = 8; cut < pack.size(); ++cut) {
    write_file("cut.pack", pack.substr(0, cut));
    ASSERT_EQ(KelMapLoader.load_pack("cut"), 1) << cut;
  }
  expect_same_level(authored, KelMapLoader);
  expect_same_world(before, take_world_snapshot());
  write_file("cut.pack", pack);
  EXPECT_EQ(KelMapLoader.load_pack("cut"), 0);
  expect_same_level(other, KelMapLoader);
}

TEST_F(KelMapFiles, ATruncatedSeparateFileCountsAsMissing) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  std::string t = read_file("level_t");
  write_file("level_t", t.substr(0, t.size() - 10));  // "door_skin " lost
  EXPECT_EQ(KelMapLoader.load_maps("level"), 1);
  EXPECT_TRUE(KelMapLoader.missing_t);
  EXPECT_EQ(mapa[map_index(2, 1)], 0);

  std::string v = read_file("level_v");
  write_file("level_v", v.substr(0, v.size() - 1));
  clear_world();
  EXPECT_EQ(KelMapLoader.load_maps("level"), 2);
  EXPECT_EQ(mapa_size_x, 0);
}

TEST_F(KelMapFiles, EnemyCountsBeyondTheTableAreRefused) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  std::string ai = read_file("level_ai");
  for (uint32_t count : {501u, 0x80000000u, 0xffffffffu}) {
    std::string bad = ai;
    for (int b = 0; b < 4; ++b) bad[2 + b] = char(count >> (8 * b));
    bad.append(3 * 600, '\1');
    write_file("level_ai", bad);
    EXPECT_EQ(KelMapLoader.load_maps("level"), 1);
    EXPECT_TRUE(KelMapLoader.missing_ai);
    EXPECT_EQ(impu, 0);
  }
  authored.imp_count = kel_map_imp_capacity + 1;
  EXPECT_EQ(authored.save_maps_l("level"), 1);
  EXPECT_EQ(authored.save_pack_l("level"), 1);
  authored.imp_count = kel_map_imp_capacity;
  EXPECT_EQ(authored.save_pack_l("level"), 0);
  EXPECT_EQ(KelMapLoader.load_pack("level"), 0);
  EXPECT_EQ(impu, kel_map_imp_capacity);
}

TEST_F(KelMapFiles, SettingsBlocksFitTheTableOrAreRefused) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  write_file("level_c", "");
  EXPECT_EQ(KelMapLoader.load_maps("level"), 0);
  EXPECT_EQ(KelMapLoader.settings_count, 0);
  write_file("level_c", "  <next_level>\r\n\tdata/maps/x");  // no whitespace after the last word
  EXPECT_EQ(KelMapLoader.load_maps("level"), 0);
  ASSERT_EQ(KelMapLoader.settings_count, 2);
  EXPECT_STREQ(KelMapLoader.settings[1], "data/maps/x");

  std::string block;
  for (int i = 0; i < level_setting_capacity; ++i) block += "w" + std::to_string(i) + " ";
  write_file("level_c", block);
  EXPECT_EQ(KelMapLoader.load_maps("level"), 0);
  EXPECT_EQ(KelMapLoader.settings_count, level_setting_capacity);
  write_file("level_c", block + "<wall_height> 9");
  EXPECT_EQ(KelMapLoader.load_maps("level"), 1);
  EXPECT_EQ(KelMapLoader.settings_count, 0);
}

TEST_F(KelMapFiles, OverlongNamesAreCutAndTheirRestSkipped) {
  ASSERT_EQ(authored.save_maps_l("level"), 0);
  std::string t = read_file("level_t");
  std::string head = t.substr(0, t.find("Tl") + 2);
  write_file("level_t", head + "\x02" + std::string(300, 'n') + " wall ");
  EXPECT_EQ(KelMapLoader.load_maps("level"), 0);
  EXPECT_EQ(std::string(KelMapLoader.texture_names[0]), std::string(255, 'n'));
  EXPECT_STREQ(KelMapLoader.texture_names[1], "wall");
}

TEST_F(KelMapFiles, WritersRefuseWordsTheReadersCouldNotGiveBack) {
  EXPECT_EQ(authored.add_texture_name(""), -1);
  EXPECT_EQ(authored.add_texture_name("two words"), -1);
  EXPECT_EQ(authored.add_model_name(std::string(256, 'm').c_str()), -1);
  EXPECT_EQ(authored.add_imp_name(std::string(255, 'i').c_str()), 2);
  EXPECT_EQ(authored.add_setting("tab\there"), -1);
  std::strcpy(authored.model_names[1], "data/my models/door");
  EXPECT_EQ(authored.save_pack_l("level"), 1);
  EXPECT_EQ(authored.save_pack_l(std::string(260, 'p').c_str()), 1);
  EXPECT_EQ(KelMapLoader.load_pack(std::string(260, 'p').c_str()), 1);
  EXPECT_EQ(KelMapLoader.load_maps(std::string(260, 'p').c_str()), 2);
}

TEST_F(KelMapFiles, AuthoringSettersKeepToTheirTables) {
  EXPECT_EQ(authored.set_map_size(256, 3), 1);
  EXPECT_EQ(authored.set_map_data(256, 0, kel_map_layer_v, 1), 1);
  EXPECT_EQ(authored.set_map_data(0, 0, 4, 1), 1);
  EXPECT_EQ(authored.set_map_data(0, 0, kel_map_layer_m, 256), 1);
  EXPECT_EQ(authored.set_imp(kel_map_imp_capacity, 0, 0, 0), 1);
  EXPECT_EQ(authored.set_imp_count(kel_map_imp_capacity + 1), 1);
  authored.clear_map();
  for (int i = 0; i < kel_map_point_capacity; ++i) ASSERT_EQ(authored.add_end(i, 0), 0);
  EXPECT_EQ(authored.add_end(0, 0), 1);
  for (int i = 0; i < kel_map_names_capacity; ++i)
    ASSERT_EQ(authored.add_texture_name(("t" + std::to_string(i)).c_str()), i);
  EXPECT_EQ(authored.add_texture_name("one_more"), -1);
  for (int i = 0; i < level_setting_capacity; ++i) ASSERT_EQ(authored.add_setting("w"), i);
  EXPECT_EQ(authored.add_setting("w"), -1);
}

// Builds a level of free floor with the given model cells.
class KelMapBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    clear_world();
    clear_content();
    KelMapLoader.clear_map();
    KelMapLoader.set_map_size(10, 8);
  }
  void put(int x, int z, int name, int v = cell_free) {
    KelMapLoader.set_map_data(x, z, kel_map_layer_m, name);
    KelMapLoader.set_map_data(x, z, kel_map_layer_v, v);
  }
};

TEST_F(KelMapBuild, NeighbouringDoorCellsShareOneTrigger) {
  add_test_model("door", add_test_trigger_prototype(trigger_door));
  add_test_model("medikit", add_test_trigger_prototype(trigger_medikit));
  KelMapLoader.add_model_name("medikit");  // 0
  KelMapLoader.add_model_name("door");     // 1
  put(2, 2, 1, cell_door_closed);  // along x
  put(3, 2, 1, cell_door_closed);
  put(6, 2, 1, cell_door_closed);  // along z
  put(6, 3, 1, cell_door_closed);
  put(2, 6, 0);                    // an item, and a door beside it
  put(3, 6, 1, cell_door_closed);
  KelMapLoader.update_globals();

  ASSERT_EQ(triggeru, 4);
  int item = mapa_ip[map_index(2, 6)];
  EXPECT_EQ(item, 0);  // names are placed in list order: the medikit first
  EXPECT_EQ(trigger[item].kind, trigger_medikit);
  int door_x = mapa_ip[map_index(2, 2)];
  EXPECT_EQ(mapa_ip[map_index(3, 2)], door_x);
  int door_z = mapa_ip[map_index(6, 2)];
  EXPECT_EQ(mapa_ip[map_index(6, 3)], door_z);
  EXPECT_NE(door_x, door_z);
  int lone = mapa_ip[map_index(3, 6)];
  EXPECT_NE(lone, item);
  EXPECT_EQ(trigger[lone].kind, trigger_door);
  EXPECT_STREQ(trigger[door_x].text[trigger_text_message], "message_0");
  // Free cells in front of and behind a door reach it; walls do not.
  EXPECT_EQ(mapa_ip[map_index(2, 1)], door_x);
  EXPECT_EQ(mapa_ip[map_index(3, 3)], door_x);
  EXPECT_EQ(mapa_ip[map_index(1, 2)], door_x);
  EXPECT_EQ(mapa_ip[map_index(5, 3)], door_z);
  EXPECT_EQ(mapa_ip[map_index(0, 0)], no_trigger);
  EXPECT_EQ(mapa_ip[map_index(2, 6)], item);  // the item keeps its own trigger
}

TEST_F(KelMapBuild, DoorsAtTheLayerEdgeStayInsideIt) {
  KelMapLoader.set_map_size(255, 255);
  add_test_model("door", add_test_trigger_prototype(trigger_door));
  KelMapLoader.add_model_name("door");
  put(0, 0, 0, cell_door_closed);
  put(254, 254, 0, cell_door_closed);
  mapa_ip[map_index(255, 254)] = no_trigger;  // the column past the map
  KelMapLoader.update_globals();
  EXPECT_EQ(triggeru, 2);
  EXPECT_EQ(mapa_ip[map_index(255, 254)], 1);
  EXPECT_EQ(mapa_ip[map_index(1, 0)], 0);
}

TEST_F(KelMapBuild, ModelLightsArePlacedFromTheCellCorner) {
  int a = add_test_light_type(0.5f, 2.0f, 0.5f, 1.0f, 0.5f, 0.0f, 5.0f);
  int b = add_test_light_type(0.1f, 1.0f, 0.9f, 0.0f, 0.0f, 1.0f, 2.0f);
  add_test_model("two_lights", -1, a, b);
  add_test_model("second_only", -1, -1, b);
  KelMapLoader.add_model_name("two_lights");
  KelMapLoader.add_model_name("second_only");
  put(3, 4, 0);
  put(7, 1, 1);
  KelMapLoader.update_globals();
  ASSERT_EQ(lightu, 3);
  EXPECT_FLOAT_EQ(light[0].x, 3.5f);
  EXPECT_FLOAT_EQ(light[0].y, 2.0f);
  EXPECT_FLOAT_EQ(light[0].z, 4.5f);
  EXPECT_FLOAT_EQ(light[0].radius, 5.0f);
  EXPECT_FLOAT_EQ(light[1].x, 3.1f);
  EXPECT_FLOAT_EQ(light[1].z, 4.9f);
  EXPECT_FLOAT_EQ(light[1].b, 1.0f);
  EXPECT_FLOAT_EQ(light[2].x, 7.1f);
  EXPECT_FLOAT_EQ(light[2].z, 1.9f);
  EXPECT_EQ(triggeru, 0);
}

TEST_F(KelMapBuild, EnemiesStandAtCellCentresAndThePlayerAtTheCorner) {
  set_test_enemy_types({"grunt", "boss", "rat"});
  KelMapLoader.add_imp_name("rat");
  KelMapLoader.add_imp_name("grunt");
  KelMapLoader.add_imp_name("nobody");
  KelMapLoader.set_imp_count(4);
  KelMapLoader.set_imp(0, 0, 3, 7);
  KelMapLoader.set_imp(1, 1, 0, 0);
  KelMapLoader.set_imp(2, 2, 1, 1);  // unknown name: keeps the raw byte
  KelMapLoader.set_imp(3, 9, 2, 2);  // byte past the name list, likewise
  KelMapLoader.set_start(3, 7);
  KelMapLoader.update_globals();
  ASSERT_EQ(impu, 4);
  EXPECT_FLOAT_EQ(imp[0].x, 3.5f);
  EXPECT_FLOAT_EQ(imp[0].z, 7.5f);
  EXPECT_EQ(imp[0].type, 2);
  EXPECT_EQ(imp[1].type, 0);
  EXPECT_EQ(imp[2].type, 2);
  EXPECT_EQ(imp[3].type, 9);
  EXPECT_FLOAT_EQ(players[player_id].x, 3.0f);
  EXPECT_FLOAT_EQ(players[player_id].z, 7.0f);
}

TEST_F(KelMapBuild, TexturesResolveByNameAndTheLaterListEntryWins) {
  add_test_texture("stone");
  add_test_texture("grass");
  add_test_texture("stone");
  KelMapLoader.add_texture_name("grass");
  KelMapLoader.add_texture_name("stone");
  KelMapLoader.add_texture_name("lava");
  KelMapLoader.set_map_data(0, 0, kel_map_layer_t, 0);
  KelMapLoader.set_map_data(1, 0, kel_map_layer_t, 1);
  KelMapLoader.set_map_data(2, 0, kel_map_layer_t, 2);
  KelMapLoader.set_map_data(3, 0, kel_map_layer_t, 200);
  mapa[map_index(2, 0)] = 77;
  mapa[map_index(3, 0)] = 78;
  KelMapLoader.update_globals();
  EXPECT_EQ(mapa[map_index(0, 0)], 1);
  EXPECT_EQ(mapa[map_index(1, 0)], 2);
  EXPECT_EQ(mapa[map_index(2, 0)], 77);  // unknown name: left as it was
  EXPECT_EQ(mapa[map_index(3, 0)], 78);
}

TEST_F(KelMapBuild, BuildingTwiceGivesTheSameWorld) {
  fill_sample_level(KelMapLoader);
  KelMapLoader.update_globals();
  world_snapshot once = take_world_snapshot();
  KelMapLoader.update_globals();
  expect_same_world(once, take_world_snapshot());
  EXPECT_EQ(once.triggeru, 2);
  EXPECT_EQ(once.lightu, 2);
}

TEST_F(KelMapBuild, FullTriggerAndLightTablesTakeNoMore) {
  int lamp = add_test_light_type(0, 1, 0, 1, 1, 1, 2);
  add_test_model("lit_item", add_test_trigger_prototype(trigger_ammo), lamp, lamp);
  KelMapLoader.add_model_name("lit_item");
  KelMapLoader.set_map_size(30, 30);
  for (int x = 0; x < 30; ++x)
    for (int z = 0; z < 30; ++z) put(x, z, 0);
  KelMapLoader.update_globals();
  EXPECT_EQ(triggeru, trigger_capacity);
  EXPECT_EQ(lightu, light_capacity);
  EXPECT_EQ(mapa_ip[map_index(29, 29)], no_trigger);
  EXPECT_EQ(mapa_m[map_index(29, 29)], 0);
}

TEST_F(KelMapBuild, TheWorldCopiedBackSavesAndLoadsAgain) {
  scratch_dir dir;
  fill_sample_level(KelMapLoader);
  KelMapLoader.update_globals();
  mapa_m[map_index(4, 2)] = no_model;  // the medikit was picked up
  mapa_m_rot[map_index(2, 1)] = 2;
  mapa[map_index(1, 1)] = 2;
  ASSERT_EQ(KelMapLoader.save_maps("saved"), 0);
  // The name lists are now the content lists themselves.
  EXPECT_EQ(KelMapLoader.texture_name_count, textur);
  EXPECT_STREQ(KelMapLoader.model_names[0], "data/models/torch");
  world_snapshot edited = take_world_snapshot();
  clear_world();
  ASSERT_EQ(KelMapLoader.load_maps("saved"), 0);
  world_snapshot loaded = take_world_snapshot();
  EXPECT_EQ(loaded.mapa, edited.mapa);
  EXPECT_EQ(loaded.mapa_v, edited.mapa_v);
  EXPECT_EQ(loaded.mapa_m, edited.mapa_m);
  EXPECT_EQ(loaded.mapa_m_rot, edited.mapa_m_rot);
  EXPECT_EQ(loaded.triggeru, 1);  // only the door is left
}

TEST_F(KelMapBuild, AWorldTheFormatCannotHoldIsNotSaved) {
  scratch_dir dir;
  for (int i = 0; i < texture_capacity; ++i) add_test_texture(("t" + std::to_string(i)).c_str());
  KelMapLoader.update_globals();
  EXPECT_EQ(KelMapLoader.use_globals(), 0);
  EXPECT_EQ(KelMapLoader.texture_name_count, kel_map_names_capacity);
  mapa[map_index(5, 5)] = 255;  // the 256th texture has no place in a one-byte list
  EXPECT_EQ(KelMapLoader.save_maps("saved"), 1);
  EXPECT_FALSE(file_exists("saved_v"));
  mapa[map_index(5, 5)] = 254;
  mapa_m_rot[map_index(5, 6)] = 300;
  EXPECT_EQ(KelMapLoader.use_globals(), 1);
}

}  // namespace
