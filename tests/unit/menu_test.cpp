#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "base/console.h"
#include "base/loading_log.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "frontend/menu_file.h"
#include "frontend/menu_keys.h"
#include "frontend/menu_screen.h"
#include "frontend/menu_table.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"
#include "support/scratch_dir.h"

namespace {

std::string chosen;
void note_choice(const char* rest) { chosen = std::string("pick:") + rest; }
void note_nothing(const char*) { chosen = no_menu_command; }
void note_lower(const char* rest) { chosen = std::string("lower:") + rest; }
void note_raise(const char* rest) { chosen = std::string("raise:") + rest; }

// One menu frame with these keys down; returns the command it queued.
std::string menu_frame(std::initializer_list<int> pressed) {
  Console.register_command("pick:", note_choice);
  Console.register_command(no_menu_command, note_nothing);
  Console.register_command("lower:", note_lower);
  Console.register_command("raise:", note_raise);
  Console.process_commands();
  for (int key : pressed) keys[key] = 1;
  chosen = "(nothing queued)";
  process_menu();
  EXPECT_EQ(Console.queued(), 1);
  Console.process_commands();
  for (int key : {VK_UP, VK_DOWN, VK_RETURN, VK_SPACE, VK_ESCAPE, VK_LEFT, VK_RIGHT}) EXPECT_EQ(keys[key], 0) << key;
  return chosen;
}

TEST(MenuKeys, EveryFrameQueuesOneCommandFromTheKeys) {
  struct row {
    const char* what;
    int items;
    const char* esc;
    int from;
    std::initializer_list<int> pressed;
    int selected;
    const char* command;
    int value_item = -1;  // item 1 can be the value item "volume"
  } rows[] = {
      {"up on the first wraps to the last", 3, "pick:esc", 0, {VK_UP}, 2, "none"},
      {"down on the last wraps to the first", 3, "pick:esc", 2, {VK_DOWN}, 0, "none"},
      {"enter chooses the highlighted item", 3, "pick:esc", 1, {VK_RETURN}, 1, "pick:1"},
      {"space chooses too", 3, "pick:esc", 2, {VK_SPACE}, 2, "pick:2"},
      {"esc chooses the esc item", 3, "pick:esc", 1, {VK_ESCAPE}, 1, "pick:esc"},
      {"enter wins over esc", 3, "pick:esc", 0, {VK_ESCAPE, VK_RETURN}, 0, "pick:0"},
      {"esc without an esc item does nothing", 3, "", 0, {VK_ESCAPE}, 0, "none"},
      {"no items: down stays at 0", 0, "", 0, {VK_DOWN}, 0, "none"},
      {"no items: up stays at 0", 0, "", 0, {VK_UP}, 0, "none"},
      {"no items: enter chooses nothing", 0, "", 0, {VK_RETURN}, 0, "none"},
      {"a stale selection past the items wraps", 2, "", 7, {VK_RETURN}, 0, "pick:0"},
      {"left lowers a value item", 3, "", 1, {VK_LEFT}, 1, "lower:volume", 1},
      {"right raises it", 3, "", 1, {VK_RIGHT}, 1, "raise:volume", 1},
      {"enter chooses its command, which raises it", 3, "", 1, {VK_RETURN}, 1, "raise:volume", 1},
      {"left and right together change nothing", 3, "", 1, {VK_LEFT, VK_RIGHT}, 1, "none", 1},
      {"left and right on a plain item do nothing", 3, "", 0, {VK_LEFT}, 0, "none", 1},
      {"the highlight moves off a value item as usual", 3, "", 1, {VK_DOWN, VK_RIGHT}, 2, "none", 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    menu_t& m = menu[0];
    std::memset(&m, 0, sizeof m);
    m.item_count = r.items;
    for (int i = 0; i < r.items; ++i) std::snprintf(m.menu_item[i], menu_text_capacity, "pick:%d", i);
    std::snprintf(m.esc_item, menu_text_capacity, "%s", r.esc);
    if (r.value_item >= 0) {
      std::snprintf(m.menu_item[r.value_item], menu_text_capacity, "raise:volume");
      m.value_item[0] = {r.value_item, "volume", {600, 300}};
      m.value_count = 1;
    }
    active_menu = 0;
    menu_sel_item = r.from;
    EXPECT_EQ(menu_frame(r.pressed), r.command);
    EXPECT_EQ(menu_sel_item, r.selected);
  }
}

// ---- the menu file ----

class MenuFile : public ::testing::Test {
 protected:
  void SetUp() override {
    textur = 2;
    std::strcpy(textura_list[0], "data/textures/first.tga");
    std::strcpy(textura_list[1], "data/textures/menu.jpg");
    modelu = 2;
    std::strcpy(model_list[0], "data/models/first.md2");
    std::strcpy(model_list[1], "data/models/menu.md2");
  }
  void TearDown() override { textur = modelu = menus = 0; }
  scratch_dir dir_;
};

std::string many(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST_F(MenuFile, RecordsHoldWhatTheTagsSayWithinTheTable) {
  struct row {
    const char* what;
    std::string text;  // empty: no file at all
    std::function<void()> check;
  } rows[] = {
      {"a full record",
       "<menu> main <texture_bg> data/textures/menu.jpg <model> data/models/menu.md2 "
       "<texture> data/textures/menu.jpg <menu_item> game <menu_item> quit "
       "<savegame_slot> 304 , 335 <esc_item> game",
       [] {
         ASSERT_EQ(menus, 1);
         EXPECT_STREQ(menu[0].name, "main");
         EXPECT_EQ(menu[0].texture_bg, 1);
         EXPECT_EQ(menu[0].texture, 1);
         EXPECT_EQ(menu[0].model, 1);
         ASSERT_EQ(menu[0].item_count, 2);
         EXPECT_STREQ(menu[0].menu_item[1], "quit");
         ASSERT_EQ(menu[0].slot_count, 1);
         EXPECT_EQ(menu[0].savegame_slot_pos[0].x, 304);
         EXPECT_EQ(menu[0].savegame_slot_pos[0].y, 335);
         EXPECT_STREQ(menu[0].esc_item, "game");
         EXPECT_EQ(menu[0].value_count, 0);
       }},
      {"value items are items that also print a value",
       "<menu> o <value_item> volume 691 , 323 <value_item> nosuch 1 , 2 <value_item> rumble "
       "<menu_item> menu:main <value_item> vsync 10,20",
       [] {
         ASSERT_EQ(menu[0].item_count, 5);
         EXPECT_STREQ(menu[0].menu_item[0], "raise:volume");
         EXPECT_STREQ(menu[0].menu_item[1], "raise:nosuch");
         EXPECT_STREQ(menu[0].menu_item[2], "raise:rumble");
         EXPECT_STREQ(menu[0].menu_item[3], "menu:main");
         ASSERT_EQ(menu[0].value_count, 2);  // no value is called "nosuch"; rumble has no position
         EXPECT_EQ(menu[0].value_item[0].item, 0);
         EXPECT_STREQ(menu[0].value_item[0].name, "volume");
         EXPECT_EQ(menu[0].value_item[0].at.x, 691);
         EXPECT_EQ(menu[0].value_item[0].at.y, 323);
         EXPECT_EQ(menu[0].value_item[1].item, 4);
         EXPECT_EQ(menu[0].value_item[1].at.y, 20);
         EXPECT_STREQ(_loaded[0], "data/menu: a <value_item> without its x , y position - FAILED!");
         EXPECT_STREQ(_loaded[1], "data/menu: a <value_item> names no value the game has - FAILED!");
       }},
      {"value items past the 16th are plain items",
       "<menu> v" + many(" <value_item> volume 1 , 2", menu_value_capacity + 2),
       [] {
         EXPECT_EQ(menu[0].item_count, menu_value_capacity + 2);
         EXPECT_EQ(menu[0].value_count, menu_value_capacity);
         EXPECT_STREQ(menu[0].menu_item[menu_value_capacity + 1], "raise:volume");
         EXPECT_STREQ(_loaded[0], "data/menu: a menu with more than 16 value items, the rest not shown - FAILED!");
       }},
      {"!void! means no model; unknown names keep the index",
       "<menu> a <model> data/models/menu.md2 <model> !void! <texture_bg> nosuch.jpg <menu> b <model> nosuch.md2",
       [] {
         ASSERT_EQ(menus, 2);
         EXPECT_EQ(menu[0].model, -1);
         EXPECT_EQ(menu[0].texture_bg, 0);
         EXPECT_EQ(menu[1].model, 0);
       }},
      {"a fourth slot position is skipped, its numbers too",
       "<menu> s" + many(" <savegame_slot> 1 , 2", 3) + " <savegame_slot> 7 , 8 <esc_item> back",
       [] {
         EXPECT_EQ(menu[0].slot_count, 3);
         EXPECT_EQ(menu[0].savegame_slot_pos[2].x, 1);
         EXPECT_STREQ(menu[0].esc_item, "back");
       }},
      {"a menu past the 64th is skipped and leaves the 64th alone",
       many("<menu> m <menu_item> kept ", 64) + "<menu> extra <menu_item> lost <esc_item> lost",
       [] {
         EXPECT_EQ(menus, menu_capacity);
         EXPECT_EQ(menu[menu_capacity - 1].item_count, 1);
         EXPECT_STREQ(menu[menu_capacity - 1].esc_item, "");
       }},
      {"items past the 256th are skipped",
       "<menu> long" + many(" <menu_item> x", menu_item_capacity + 5) + " <esc_item> back",
       [] {
         EXPECT_EQ(menu[0].item_count, menu_item_capacity);
         EXPECT_STREQ(menu[0].esc_item, "back");
       }},
      {"tags before the first menu fill nothing", "<menu_item> stray <esc_item> stray <menu> first",
       [] {
         ASSERT_EQ(menus, 1);
         EXPECT_EQ(menu[0].item_count, 0);
         EXPECT_STREQ(menu[0].esc_item, "");
       }},
      {"a missing file leaves no menus", "", [] { EXPECT_EQ(menus, 0); }},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    std::remove(menu_file_path);
    if (!r.text.empty()) write_file(menu_file_path, r.text);
    menus = 5;
    load_menu();
    r.check();
  }
}

TEST(MenuLayout, SlotLabelsScaleFrom1024x768To640x480) {
  struct row {
    menu_slot_pos in_file, label;
  } rows[] = {{{512, 384}, {320, 240}}, {{1024, 768}, {640, 480}}, {{1023, 767}, {639, 479}}, {{0, 0}, {0, 0}},
              {{2000000000, -2000000000}, {1250000000, -1250000000}}};
  for (const row& r : rows) {
    menu_slot_pos got = slot_label_point(r.in_file);
    EXPECT_EQ(got.x, r.label.x) << r.in_file.x;
    EXPECT_EQ(got.y, r.label.y) << r.in_file.y;
  }
}

TEST(LogoClock, FadesInHoldsFadesOutAndIgnoresLongFrames) {
  struct row {
    float clock, opacity;
  } rows[] = {{0, 0}, {1, 1}, {1.5f, 1.5f}, {2, 1}, {2.6f, 0.4f}};
  for (const row& r : rows) EXPECT_FLOAT_EQ(logo_opacity(r.clock), r.opacity) << r.clock;

  float clock = 0;
  EXPECT_FALSE(advance_logo_clock(clock, 0.2f));  // a stall does not count
  EXPECT_FLOAT_EQ(clock, 0);
  int frames = 0;
  while (!advance_logo_clock(clock, 0.1f)) ++frames;
  EXPECT_NEAR(frames, 52, 1);  // 5.2 s of 0.1 s frames
}

}  // namespace
