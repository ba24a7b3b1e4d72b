// The forged demo models and definition files, read back through the
// engine's own loaders: every listed mesh loads, every named animation
// resolves, the weapons, the player, the enemy types and the menus find what
// they name; and the models fit where the engine draws them (doors in their
// cell in every quarter turn, held weapons in the hands, menu highlights
// around their items).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapons.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/tagged_reader.h"
#include "content/texture_list.h"
#include "formats/md2.h"
#include "menus/menu_layout.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// A scratch directory whose data/ is the forged game's, read-only use.
class ForgedModels : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory_symlink(fs::path(KEL_FORGED_GAME_DIR) / "data", "data");
    ASSERT_EQ(load_textura_list(), 0);
    load_models();
  }
  scratch_dir dir;
};

// First and last frame of the named animation, through the engine's lookup.
bool animation_range(const md2_model_t* m, const char* name, int range[2]) {
  for (int a = 0; a < md2_getAnimationCount(m); ++a) {
    md2_getAnimationName(m, a);
    if (std::strcmp(aname, name)) continue;
    md2_getAnimationFrames(m, a);
    range[0] = astart;
    range[1] = aend;
    return true;
  }
  return false;
}

void expect_range(const md2_model_t* m, const char* name, const int32_t actual[2]) {
  int expected[2];
  ASSERT_TRUE(animation_range(m, name, expected)) << name;
  EXPECT_EQ(actual[0], expected[0]) << name;
  EXPECT_EQ(actual[1], expected[1]) << name;
  EXPECT_LT(actual[0], actual[1] + 1) << name;
}

int find_model_definition(const char* name) {
  for (int m = 0; m < modelu; ++m)
    if (!std::strcmp(model_d_list[m], name)) return m;
  return -1;
}

TEST_F(ForgedModels, EveryListedMeshLoadsAndEverySkinIsAListedTexture) {
  ASSERT_GE(modelu, 20);
  int meshes = 0, lights = 0, fires = 0;
  for (int m = 0; m < modelu; ++m) {
    SCOPED_TRACE(model_d_list[m]);
    ASSERT_NE(model_list[m][0], '\0');
    if (model_light_type[m] >= 0) ++lights;
    if (model_emitor[m]) ++fires;
    if (!std::strcmp(model_list[m], no_mesh_model)) continue;
    ++meshes;
    ASSERT_NE(model[m], nullptr);
    EXPECT_GT(model[m]->numFrames, 0);
    EXPECT_GT(model[m]->numGlCommands, 1);
    EXPECT_GE(find_texture(model_t_list[m]), 0);
  }
  EXPECT_GE(meshes, 20);
  EXPECT_GE(lights, 2);  // the torch and the mesh-less lamps
  EXPECT_GE(fires, 1);
}

TEST_F(ForgedModels, TriggerItemsAndDoorsCarryWhatTheLevelsNeed) {
  int kinds[6] = {};
  bool locked = false, plain = false;
  for (int m = 0; m < modelu; ++m) {
    if (model_trigger[m] < 0) continue;
    const trigger_t& t = trigger_prototype[model_trigger[m]];
    ASSERT_GE(t.kind, 0);
    ASSERT_LE(t.kind, 5);
    ++kinds[t.kind];
    if (t.kind == trigger_door) {
      EXPECT_GT(t.value[0][0], 0.0f);
      (t.value[0][2] == 1.0f ? locked : plain) = true;
    }
    if (t.kind != trigger_door) {
      EXPECT_EQ(t.pickable, 1);
    }
  }
  EXPECT_TRUE(locked && plain);
  EXPECT_EQ(kinds[trigger_weapon], 3);
  EXPECT_GE(kinds[trigger_ammo], 3);
  EXPECT_GE(kinds[trigger_medikit], 1);
  EXPECT_GE(kinds[trigger_key], 1);
}

TEST_F(ForgedModels, WeaponsFindTheirMeshesAndEveryAnimation) {
  load_weapons();
  ASSERT_EQ(weaponu, 3);
  EXPECT_STREQ(c_snd_awsem, "data/sound/empty.wav");
  EXPECT_STREQ(c_snd_adsnk, "data/sound/locked.wav");
  const char* names[] = {"pistol", "shotgun", "automatic"};
  for (int w = 0; w < weaponu; ++w) {
    const weapon_t& W = weapon[w];
    SCOPED_TRACE(W.name);
    EXPECT_STREQ(W.name, names[w]);
    ASSERT_NE(model[W.model], nullptr);
    EXPECT_STREQ(model_list[W.model], W.model_name);
    expect_range(model[W.model], "fire", W.anim_fire);
    expect_range(model[W.model], "unload", W.anim_reload1);
    expect_range(model[W.model], "reload", W.anim_reload2);
    expect_range(model[W.model], "ready", W.anim_reload3);
    expect_range(model[W.model], "death", W.anim_death);
    // At rest the weapon model shows frame 0: the idle pose, not a fire frame.
    EXPECT_GT(W.anim_fire[0], 0);
    EXPECT_GE(find_texture(W.hud_texture), 0);
  }
  EXPECT_EQ(weapon[1].shells, 4);
  EXPECT_EQ(weapon[2].fire_loop, 1);
}

TEST_F(ForgedModels, PlayerAndEnemyTypesResolveModelsSkinsAndAnimations) {
  players[player_definition_slot] = player_t{};
  load_player();
  const player_t& p = players[player_definition_slot];
  ASSERT_NE(model[p.model], nullptr);
  EXPECT_STREQ(model_list[p.model], "data/models/characters/player.md2");
  EXPECT_STREQ(textura_list[p.texture], "data/textures/characters/player.tga");
  EXPECT_STREQ(textura_list[p.texture_pain], "data/textures/characters/player_pain.tga");
  expect_range(model[p.model], "stand", p.anim_stop);
  expect_range(model[p.model], "run", p.anim_chuze);
  expect_range(model[p.model], "attack", p.anim_utok);
  expect_range(model[p.model], "death", p.anim_smrt);
  EXPECT_GT(p.speed, 0.0f);

  load_imp_prototype();
  ASSERT_EQ(impu_prototype, 1);
  const char* names[] = {"grunt", "brute"};
  for (int t = 0; t <= impu_prototype; ++t) {
    const imp_prototype_t& T = imp_prototype[t];
    SCOPED_TRACE(names[t]);
    EXPECT_STREQ(T.name, names[t]);
    ASSERT_NE(model[T.model], nullptr);
    EXPECT_NE(T.model, p.model);
    EXPECT_NE(T.texture, T.texture_pain);
    expect_range(model[T.model], "stand", T.anim_stop);
    expect_range(model[T.model], "run", T.anim_chuze);
    expect_range(model[T.model], "attack", T.anim_utok);
    expect_range(model[T.model], "death", T.anim_smrt);
    EXPECT_GT(T.health, T.health_pain);
  }
  EXPECT_NE(imp_prototype[0].model, imp_prototype[1].model);
}

// data/menu read by the menu rules: every name resolves, and the slot labels
// of the load and save menus sit on their first three items.
TEST_F(ForgedModels, MenusResolveThroughTheTaggedReader) {
  tagged_reader in;
  ASSERT_TRUE(in.open("data/menu"));
  struct menu_seen {
    std::string name;
    int model = -2, texture = -1, background = -1, slots = 0;
    std::vector<std::string> items;
    std::string esc;
  };
  std::vector<menu_seen> menus;
  char word[tag_word_capacity];
  while (in.word(word)) {
    std::string tag = word;
    if (tag == "<menu>") {
      ASSERT_TRUE(in.word(word));
      menus.emplace_back();
      menus.back().name = word;
      continue;
    }
    ASSERT_FALSE(menus.empty()) << tag;
    menu_seen& m = menus.back();
    if (tag == "<savegame_slot>") {
      int x = 0, y = 0;
      ASSERT_EQ(in.scan(" %d , %d ", &x, &y), 2);
      ++m.slots;
      continue;
    }
    ASSERT_TRUE(in.word(word)) << tag;
    if (tag == "<value_item>") {  // an item that also prints its value
      int x = 0, y = 0;
      EXPECT_EQ(in.scan(" %d , %d ", &x, &y), 2) << word;
      m.items.push_back(std::string("raise:") + word);
      continue;
    }
    if (tag == "<model>") m.model = std::strcmp(word, no_mesh_model) ? find_model_by_mesh(word) : -1;
    else if (tag == "<texture>") m.texture = find_texture(word);
    else if (tag == "<texture_bg>") m.background = find_texture(word);
    else if (tag == "<menu_item>") m.items.push_back(word);
    else if (tag == "<esc_item>") m.esc = word;
    else ADD_FAILURE() << "unexpected word " << tag;
  }
  ASSERT_GE(menus.size(), 5u);
  EXPECT_EQ(menus[0].esc, "game");  // Esc in game shows menu 0, and Esc there resumes
  std::vector<std::string> names;
  for (const menu_seen& m : menus) {
    SCOPED_TRACE(m.name);
    names.push_back(m.name);
    ASSERT_GE(m.model, 0);
    ASSERT_NE(model[m.model], nullptr);
    EXPECT_EQ(model[m.model]->numFrames, int(m.items.size()));
    EXPECT_GE(m.texture, 0);
    EXPECT_GE(m.background, 0);
    for (size_t i = 0; i < m.items.size(); ++i) {
      if (m.items[i].rfind("load:", 0) == 0 || m.items[i].rfind("save:", 0) == 0) {
        EXPECT_LT(int(i), m.slots);  // a slot item has its label
        EXPECT_NE(m.items[i].find(std::to_string(i + 1)), std::string::npos);  // slots in order
      }
    }
  }
  for (const char* needed : {"main", "new", "load", "save", "options", "gameover", "victory"})
    EXPECT_NE(std::find(names.begin(), names.end(), needed), names.end()) << needed;
}

// Frame f of model m placed as the engine places a level model turned r
// quarter turns on cell (cx, cz): the four corners of its bounding box in x, z.
void placed_extent(const md2_model_t* m, int frame, int r, int cx, int cz, float lo[2], float hi[2]) {
  static const float offset[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  float a = float(r) * 3.14159265f / 2;
  lo[0] = lo[1] = 1e9f;
  hi[0] = hi[1] = -1e9f;
  for (int v = 0; v < m->numVertices; ++v) {
    const float* p = m->frames[frame].vertices[v].position;
    // glRotatef(r * 90, 0, 1, 0) after glTranslatef.
    float x = cx + offset[r][0] + p[0] * std::cos(a) + p[2] * std::sin(a);
    float z = cz + offset[r][1] - p[0] * std::sin(a) + p[2] * std::cos(a);
    lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
    lo[1] = std::min(lo[1], z), hi[1] = std::max(hi[1], z);
  }
}

TEST_F(ForgedModels, DoorsFillTheirCellClosedInEveryTurnAndClearTheWayOpen) {
  int door = find_model_definition("data/models/doors/door.def");
  ASSERT_GE(door, 0);
  const md2_model_t* m = model[door];
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->numFrames, 2);
  const float tolerance = 0.01f;
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE(r);
    float lo[2], hi[2];
    placed_extent(m, 0, r, 4, 7, lo, hi);
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_GE(lo[axis], float(axis ? 7 : 4) - tolerance);
      EXPECT_LE(hi[axis], float(axis ? 8 : 5) + tolerance);
    }
    // The door spans the cell one way, from side to side.
    bool across_x = hi[0] - lo[0] > 0.98f, across_z = hi[1] - lo[1] > 0.98f;
    EXPECT_NE(across_x, across_z);
  }
  // Open, no part of a leaf stands in the doorway below the lintel.
  for (int v = 0; v < m->numVertices; ++v) {
    const float* p = m->frames[1].vertices[v].position;
    if (p[1] < 1.9f) {
      EXPECT_TRUE(p[0] < 0.07f || p[0] > 0.93f) << v << ": " << p[0];
    }
  }
  int locked = find_model_definition("data/models/doors/door_locked.def");
  ASSERT_GE(locked, 0);
  EXPECT_STREQ(model_list[locked], model_list[door]);
  EXPECT_STRNE(model_t_list[locked], model_t_list[door]);
}

TEST_F(ForgedModels, LevelModelsStayInsideTheirCell) {
  for (int m = 0; m < modelu; ++m) {
    std::string name = model_d_list[m];
    if (!model[m] || name.find("/characters/") != std::string::npos || name.find("/weapons/") != std::string::npos ||
        name.find("/menu/") != std::string::npos)
      continue;
    SCOPED_TRACE(name);
    for (int f = 0; f < std::min(model[m]->numFrames, 1); ++f) {
      float lo[2], hi[2];
      placed_extent(model[m], f, 0, 0, 0, lo, hi);
      EXPECT_GE(lo[0], -0.01f);
      EXPECT_GE(lo[1], -0.01f);
      EXPECT_LE(hi[0], 1.01f);
      EXPECT_LE(hi[1], 1.01f);
    }
  }
}

TEST_F(ForgedModels, CharactersStandOnTheFloorFacingMinusXAndFallOver) {
  load_weapons();
  players[player_definition_slot] = player_t{};
  load_player();
  load_imp_prototype();
  std::vector<int> bodies = {players[player_definition_slot].model, imp_prototype[0].model, imp_prototype[1].model};
  for (int b : bodies) {
    SCOPED_TRACE(model_list[b]);
    const md2_model_t* m = model[b];
    int stand[2], death[2];
    ASSERT_TRUE(animation_range(m, "stand", stand));
    ASSERT_TRUE(animation_range(m, "death", death));
    float box[6];
    md2_getBoundingBox(m, box);
    EXPECT_NEAR(box[2], 0.0f, 0.02f);  // feet on the floor
    EXPECT_GT(box[3], 1.0f);           // taller than a cell is wide
    // The weapon (held or built in) reaches furthest forward, towards -x.
    EXPECT_GT(-box[0], box[1]);
    float top = -1e9f;
    for (int v = 0; v < m->numVertices; ++v) top = std::max(top, m->frames[death[1]].vertices[v].position[1]);
    EXPECT_LT(top, 0.6f);  // lying down at the end of the death
  }
  // The held weapons rest in the player's hands.
  for (int w = 0; w < weaponu; ++w) {
    float box[6];
    md2_getBoundingBox(model[weapon[w].model], box);
    SCOPED_TRACE(weapon[w].name);
    EXPECT_LT(box[0], -0.4f);
    EXPECT_GT(box[2], 0.75f);
    EXPECT_LT(box[3], 1.15f);
  }
}

// Menu model frame f seen through draw_menu's camera, as a box in the 800 x 600 layout.
layout_box menu_frame_box(const md2_model_t* m, int f) {
  const float tan_half = std::tan(22.5f * 3.14159265f / 180.0f);
  float lo_x = 1e9f, hi_x = -1e9f, lo_y = 1e9f, hi_y = -1e9f;
  for (int v = 0; v < m->numVertices; ++v) {
    const float* p = m->frames[f].vertices[v].position;
    // Turned -90 degrees about y, eye at z = -3.6 looking at +z; screen right is -x.
    float x = -p[2], y = p[1], z = p[0];
    float depth = z + 3.6f;
    float sx = 400 + (-x / depth / (tan_half * 4 / 3)) * 400;
    float sy = 300 - (y / depth / tan_half) * 300;
    lo_x = std::min(lo_x, sx), hi_x = std::max(hi_x, sx);
    lo_y = std::min(lo_y, sy), hi_y = std::max(hi_y, sy);
  }
  return {lo_x, lo_y, hi_x - lo_x, hi_y - lo_y};
}

TEST_F(ForgedModels, MenuHighlightFrameIFramesItemIOfItsBackdrop) {
  struct pairing {
    const char* definition;
    const char* backdrop;
  } pairs[] = {{"data/models/menu/main.def", "textures/backdrops/menu_main.txt"},
               {"data/models/menu/load.def", "textures/backdrops/menu_load.txt"},
               {"data/models/menu/gameover.def", "textures/backdrops/gameover.txt"}};
  for (const pairing& p : pairs) {
    SCOPED_TRACE(p.definition);
    int m = find_model_definition(p.definition);
    ASSERT_GE(m, 0);
    diagnostics sink;
    recipe backdrop(std::string(KEL_DEMO_DIR) + "/" + p.backdrop, sink);
    ASSERT_TRUE(backdrop.load());
    menu_layout layout;
    ASSERT_TRUE(read_menu_layout(backdrop, layout));
    ASSERT_EQ(model[m]->numFrames, int(layout.items.size()));
    for (int i = 0; i < model[m]->numFrames; ++i) {
      layout_box seen = menu_frame_box(model[m], i), item = menu_item_box(layout, i);
      EXPECT_LT(seen.x, item.x);
      EXPECT_GT(seen.x + seen.w, item.x + item.w);
      EXPECT_LT(seen.y, item.y);
      EXPECT_GT(seen.y + seen.h, item.y + item.h);
      // ... and no further than the gap to the next item.
      EXPECT_GT(seen.y, item.y - layout.spacing / 2);
      EXPECT_LT(seen.y + seen.h, item.y + item.h + layout.spacing / 2);
    }
  }
}

TEST_F(ForgedModels, TheTorchBowlSitsJustUnderItsFire) {
  int torch = find_model_definition("data/models/props/torch.def");
  ASSERT_GE(torch, 0);
  ASSERT_TRUE(model_emitor[torch]);
  float box[6];
  md2_getBoundingBox(model[torch], box);
  // The engine starts the fire 1.0 above the cell centre.
  EXPECT_GT(box[3], 0.85f);
  EXPECT_LT(box[3], 1.0f);
  EXPECT_NEAR((box[0] + box[1]) / 2, 0.5f, 0.05f);
  EXPECT_NEAR((box[4] + box[5]) / 2, 0.5f, 0.05f);
}

}  // namespace
