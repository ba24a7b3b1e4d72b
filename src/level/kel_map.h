// C_KelMap: the byte-level copy of one level as its files hold it, the readers
// and writers of those files, and the build that turns it into the running
// world (grid layers, triggers, lights, enemies, player start, settings).
//
// A level is either five files sharing a base path P (P_v, P_t, P_m, P_ai, P_c)
// or one pack P.pack holding the same five sections after an 8-byte magic. One
// routine per section serves reading and writing alike, so the two can never
// disagree about the layout.
#pragma once
#include <cstddef>
#include <cstdint>

#include "world/level_settings.h"
#include "world/map_grid.h"

constexpr int kel_map_write = 0;  // `direction`: section routines write
constexpr int kel_map_read = 1;   // `direction`: section routines read

constexpr int kel_map_name_capacity = 256;  // characters per name, with the terminator
constexpr int kel_map_names_capacity = 255; // names per list: the count is one byte
constexpr int kel_map_list_slots = 256;     // rows of a name table
constexpr int kel_map_imp_capacity = 500;   // enemies per level
constexpr int kel_map_point_capacity = 255; // exits and spawn points: the count is one byte

// Layer numbers of set_map_data.
constexpr int kel_map_layer_v = 0;
constexpr int kel_map_layer_t = 1;
constexpr int kel_map_layer_m = 2;
constexpr int kel_map_layer_rot = 3;

// True for a word that the name and settings lists can carry: non-empty, at
// most 255 characters and free of whitespace (the files separate words by it).
bool is_map_word(const char* word);

// About 600 KB: keep instances in static storage, never on the stack.
class C_KelMap {
 public:
  uint8_t size_x, size_z;
  uint8_t model_name_count;
  uint8_t texture_name_count;
  // Per-cell planes, [x][z] like the grid layers.
  uint8_t cell_t[map_dim][map_dim];    // index into texture_names
  uint8_t cell_v[map_dim][map_dim];    // passability, as mapa_v
  uint8_t cell_m[map_dim][map_dim];    // index into model_names, no_model when empty
  uint8_t cell_rot[map_dim][map_dim];  // model rotation in quarter turns
  uint8_t imp_x[kel_map_imp_capacity], imp_z[kel_map_imp_capacity];
  uint8_t imp_type[kel_map_imp_capacity];  // index into imp_names
  uint8_t imp_name_count;
  uint8_t end_count;
  uint8_t end_x[map_end_capacity], end_z[map_end_capacity];
  uint8_t start_x, start_z;
  uint8_t spawn_x[dm_spawn_capacity], spawn_z[dm_spawn_capacity], spawn_w[dm_spawn_capacity];
  uint8_t spawn_count;
  int32_t imp_count;
  char imp_names[kel_map_list_slots][kel_map_name_capacity];
  char model_names[kel_map_list_slots][kel_map_name_capacity];  // model definition paths
  char texture_names[kel_map_list_slots][kel_map_name_capacity];
  char settings[level_setting_capacity][level_setting_word_capacity];
  int32_t settings_count;
  uint8_t missing_t, missing_m, missing_ai;  // separate file absent at the last load
  int direction = kel_map_read;

  // 0 all five files read; 1 the v file read but another absent or unreadable;
  // 2 the v file cannot be read (the loader and the world stay as they were).
  int load_maps(const char* path);
  // 0 read and built; 1 the pack cannot be opened or read to its end (the
  // loader and the world stay as they were). The magic is not compared.
  int load_pack(const char* path);
  // Builds the world from the loader's contents; building twice gives the same world.
  void update_globals();
  // Copies the editable part of the world back (models, rotations, textures and
  // the content lists as name lists). 1 when something cannot be stored in the
  // map format without loss (an index past the 255 names a list can carry or a
  // value past one byte); everything that fits is copied all the same.
  int use_globals();
  // use_globals, then save_maps_l; 1 without writing when use_globals reports a loss.
  int save_maps(const char* path);
  // Writes the five separate files; 1 when a file cannot be written in full
  // (files already written stay).
  int save_maps_l(const char* path);
  // Writes P.pack; 1 when it cannot be written in full.
  int save_pack_l(const char* path);

  // Transfers `count` items of `size` bytes at the file being read or written
  // (open only inside one load or save call) in the current direction; the
  // number of items moved, 0 when no file is open.
  size_t fio(void* buffer, size_t size, size_t count);
  // One word as the text format "%s " moves it: written with a trailing space,
  // read as the next whitespace-delimited word with the whitespace after it.
  // A word read is cut to 255 characters (the rest of it is skipped). 1 for a
  // word moved, -1 at end of file or when the word cannot be written.
  int fio_f(char* word);
  // One section each; false when it cannot be moved in full or a count in it
  // exceeds its table.
  bool f_mapa_v();
  bool f_mapa_t();
  bool f_mapa_m();
  bool f_mapa_ai();
  bool f_mapa_c();

  // Authoring: how tools fill a level before writing it. Each returns 0 when
  // stored and 1 when refused (a coordinate or value out of range, a full list).
  void clear_map();  // an empty 0 x 0 level: no names, models, enemies or settings
  int set_map_size(int x, int z);
  // Layer kel_map_layer_*; other layer numbers are ignored (result 1).
  int set_map_data(int x, int z, int layer, int value);
  int set_imp(int k, int type, int x, int z);
  int set_imp_count(int count);
  int set_start(int x, int z);
  int add_end(int x, int z);
  int add_spawn(int x, int z, int w);
  // The index of the added name, or -1 when the list is full or the name is not
  // a map word.
  int add_texture_name(const char* name);
  int add_model_name(const char* name);
  int add_imp_name(const char* name);
  int add_setting(const char* word);

 private:
  bool fio_tag(const char* tag);
  bool fio_byte(uint8_t& value);
  bool fio_i32(int32_t& value);
  bool fio_planes(uint8_t (*const planes[])[map_dim], int plane_count);
  bool fio_names(uint8_t& count, char (*names)[kel_map_name_capacity]);
  bool read_file(const char* path, const char* suffix, bool (C_KelMap::*section)());
  bool write_file(const char* path, const char* suffix, bool (C_KelMap::*section)());
};

// The one loader of the game; it keeps the last level it read.
extern C_KelMap KelMapLoader;
