// Savegames: a snapshot of the running level in one binary file — the level
// path, the player, the view weapon, the changeable grid layers, the triggers,
// the collected keys, the ammunition, the enemies and the marks. One routine,
// file_process, both writes and reads it, so the order of its steps is the
// format. Numbers are little-endian, written field by field.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr const char* quicksave_path = "data/savegame/quicksave";
constexpr const char* autosave_path = "data/savegame/autosave";
constexpr const char* savegame_folder = "data/savegame";
// A larger file is no savegame of ours (the biggest level with full tables
// stays far below).
constexpr size_t savegame_size_limit = 64u << 20;

constexpr int savegame_level_missing = 2;

class C_savegame {
 public:
  // Writes the running game to `path`, replacing the old file only once the
  // new one is complete. 0 when written; 1, with "SAVE GAME" marked failed on
  // the loading log and the old file untouched, when not.
  int save(const char* path);
  // Loads the saved level and restores the saved state over it. Reading stops
  // at a damaged section (a count out of its table, a cut-off file, a broken
  // key list) with a loading-log line; what was read stays. 0 when the file
  // was read (perhaps partly); 1 when it could not be opened ("LOAD GAME"
  // marked failed), the game left as it was; savegame_level_missing when the
  // saved level could not be loaded (the level loader then chose the menu).
  int load(const char* path);

 private:
  // Runs every section in order: writing appends to `out_`, reading takes from
  // `in_` and stops at the first section that does not fit.
  void file_process();
  // One block of bytes, one number, or one word followed by a space.
  bool fio(void* bytes, size_t size);
  bool fio_i32(int32_t& value);
  bool fio_f32(float& value);
  bool fio_u8(uint8_t& value);
  bool fio_f(char* text, size_t capacity);
  // A count written as it is, read only when it lies within 0 .. capacity.
  bool fio_count(int32_t& count, int capacity, const char* what);
  void stop(const char* why);

  int mode_ = 0;  // 0 writing, 1 reading
  std::vector<uint8_t> out_;
  const uint8_t* in_ = nullptr;
  size_t in_size_ = 0, at_ = 0;
  bool stopped_ = false;
  bool level_missing_ = false;
  const char* path_ = "";
};

extern C_savegame savegame;

// Every level start: builds the level at mapa_filename and then writes the
// autosave. False when no level stands ready (the loader chose the menu).
bool load_level_with_autosave();
