#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <ctime>
#include <regex>
#include <string>

#include "base/console.h"
#include "base/loading_log.h"
#include "core/game_state.h"
#include "frontend/menu_commands.h"
#include "frontend/savegame_slots.h"
#include "support/scratch_dir.h"

namespace {

class SlotLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto& label : savegame_slot) std::strcpy(label, empty_slot_label);
  }
  scratch_dir dir_;
};

TEST_F(SlotLabels, FirstStartWritesThreeEmptyLabels) {
  load_savegame_slots();
  EXPECT_EQ(read_file(savegame_slots_path), "Prazdno_/_Empty\nPrazdno_/_Empty\nPrazdno_/_Empty\n");
  for (const char* label : savegame_slot) EXPECT_STREQ(label, empty_slot_label);
}

TEST_F(SlotLabels, DateLabelTravelsWithAnUnderscore) {
  std::tm when = {};
  when.tm_mday = 6;
  when.tm_mon = 11;
  when.tm_year = 2026 - 1900;
  when.tm_hour = 14;
  when.tm_min = 5;
  label_slot_saved_at(1, when);
  label_slot_saved_at(3, when);  // no such slot
  EXPECT_STREQ(savegame_slot[1], "6.12.2026 14:05");
  ASSERT_TRUE(save_savegame_slots());
  EXPECT_EQ(read_file(savegame_slots_path), "Prazdno_/_Empty\n6.12.2026_14:05\nPrazdno_/_Empty\n");
  std::strcpy(savegame_slot[1], "changed");
  load_savegame_slots();
  EXPECT_STREQ(savegame_slot[1], "6.12.2026 14:05");
  EXPECT_FALSE(slot_in_use(0));
  EXPECT_TRUE(slot_in_use(1));
}

TEST_F(SlotLabels, LongLabelIsCutAndItsRestIsNoLabelOfItsOwn) {
  write_file(savegame_slots_path, std::string(1000, 'x') + "\nsecond\n");
  load_savegame_slots();
  EXPECT_EQ(std::string(savegame_slot[0]), std::string(savegame_label_capacity - 1, 'x'));
  EXPECT_STREQ(savegame_slot[1], "second");
  EXPECT_STREQ(savegame_slot[2], empty_slot_label);  // the file names only two
}

TEST_F(SlotLabels, FailedWriteKeepsThePreviousFileAndSaysSo) {
  write_file(savegame_slots_path, "old_1\nold_2\nold_3\n");
  // A folder where the temporary file must go refuses the write.
  std::string in_the_way = std::string(savegame_slots_path) + ".new." + std::to_string(getpid());
  write_file(in_the_way + "/keep", "");
  std::strcpy(savegame_slot[0], "new");
  EXPECT_FALSE(save_savegame_slots());
  EXPECT_EQ(read_file(savegame_slots_path), "old_1\nold_2\nold_3\n");
  EXPECT_NE(std::strstr(_loaded[0], loading_failed_mark), nullptr);
}

TEST_F(SlotLabels, SavingFromTheMenuLabelsTheHighlightedSlotWithTheTime) {
  register_menu_commands();
  const std::regex date_and_time(R"(\d{1,2}\.\d{1,2}\.\d{4} \d\d:\d\d)");
  struct row {
    uint8_t started;
    int item;
    bool labelled;
  } rows[] = {{1, 2, true}, {0, 1, false}, {1, 5, false}};
  for (const row& r : rows) {
    for (auto& label : savegame_slot) std::strcpy(label, empty_slot_label);
    game_started = r.started;
    menu_sel_item = r.item;
    Console.add_command("save:data/savegame/slot3");
    Console.process_commands();
    int labelled = 0;
    for (const char* label : savegame_slot) labelled += std::regex_match(label, date_and_time);
    EXPECT_EQ(labelled, r.labelled ? 1 : 0) << int(r.started) << " " << r.item;
    if (r.labelled) {
      EXPECT_TRUE(std::regex_match(savegame_slot[r.item], date_and_time));
    }
  }
}

}  // namespace
