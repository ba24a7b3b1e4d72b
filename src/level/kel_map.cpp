#include "level/kel_map.h"

#include <cstdio>
#include <cstring>

#include "base/byte_io.h"
#include "world/level_paths.h"

C_KelMap KelMapLoader;

// The file being read or written. Loads and saves never nest, so one handle
// serves every loader; it is open only inside one load or save call.
static FILE* file = nullptr;

static bool is_word_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_map_word(const char* word) {
  size_t n = std::strlen(word);
  if (n == 0 || n >= kel_map_name_capacity) return false;
  for (size_t i = 0; i < n; ++i)
    if (is_word_space(static_cast<unsigned char>(word[i]))) return false;
  return true;
}

size_t C_KelMap::fio(void* buffer, size_t size, size_t count) {
  if (!file) return 0;
  return direction == kel_map_write ? std::fwrite(buffer, size, count, file)
                                    : std::fread(buffer, size, count, file);
}

int C_KelMap::fio_f(char* word) {
  if (!file) return -1;
  if (direction == kel_map_write) {
    // A word with whitespace, or none at all, would shift every later word.
    if (!is_map_word(word)) return -1;
    return std::fprintf(file, "%s ", word) < 0 ? -1 : 1;
  }
  int c;
  do c = std::getc(file);
  while (c != EOF && is_word_space(c));
  if (c == EOF) {
    word[0] = '\0';
    return -1;
  }
  size_t n = 0;
  for (; c != EOF && !is_word_space(c); c = std::getc(file))
    if (n + 1 < kel_map_name_capacity) word[n++] = static_cast<char>(c);
  word[n] = '\0';
  while (c != EOF && is_word_space(c)) c = std::getc(file);
  if (c != EOF) std::ungetc(c, file);
  return 1;
}

// Tags are written as they stand and skipped unchecked when read.
bool C_KelMap::fio_tag(const char* tag) {
  char bytes[2] = {tag[0], tag[1]};
  return fio(bytes, 1, 2) == 2;
}

bool C_KelMap::fio_byte(uint8_t& value) { return fio(&value, 1, 1) == 1; }

bool C_KelMap::fio_i32(int32_t& value) {
  uint8_t bytes[4];
  put_i32(bytes, value);
  if (fio(bytes, 1, 4) != 4) return false;
  value = get_i32(bytes);
  return true;
}

// Planes are stored row by row (z outer, x inner) while the arrays are [x][z];
// several planes interleave their rows.
bool C_KelMap::fio_planes(uint8_t (*const planes[])[map_dim], int plane_count) {
  uint8_t row[map_dim];
  for (int z = 0; z < size_z; ++z) {
    for (int p = 0; p < plane_count; ++p) {
      uint8_t (*plane)[map_dim] = planes[p];
      for (int x = 0; x < size_x; ++x) row[x] = plane[x][z];
      if (fio(row, 1, size_x) != size_x) return false;
      for (int x = 0; x < size_x; ++x) plane[x][z] = row[x];
    }
  }
  return true;
}

bool C_KelMap::fio_names(uint8_t& count, char (*names)[kel_map_name_capacity]) {
  if (!fio_byte(count)) return false;
  for (int i = 0; i < count; ++i)
    if (fio_f(names[i]) != 1) return false;
  return true;
}

bool C_KelMap::f_mapa_v() {
  if (!fio_tag("Mv") || !fio_byte(size_x) || !fio_byte(size_z) || !fio_byte(start_x) ||
      !fio_byte(start_z) || !fio_byte(end_count))
    return false;
  for (int i = 0; i < end_count; ++i)
    if (!fio_byte(end_x[i]) || !fio_byte(end_z[i])) return false;
  if (!fio_byte(spawn_count)) return false;
  for (int i = 0; i < spawn_count; ++i)
    if (!fio_byte(spawn_x[i]) || !fio_byte(spawn_z[i]) || !fio_byte(spawn_w[i])) return false;
  uint8_t (*const planes[])[map_dim] = {cell_v};
  return fio_planes(planes, 1);
}

bool C_KelMap::f_mapa_t() {
  uint8_t (*const planes[])[map_dim] = {cell_t};
  return fio_tag("Mt") && fio_planes(planes, 1) && fio_tag("Tl") &&
         fio_names(texture_name_count, texture_names);
}

bool C_KelMap::f_mapa_m() {
  uint8_t (*const planes[])[map_dim] = {cell_m, cell_rot};
  return fio_tag("Mm") && fio_planes(planes, 2) && fio_tag("Ml") &&
         fio_names(model_name_count, model_names);
}

bool C_KelMap::f_mapa_ai() {
  if (!fio_tag("AI") || !fio_i32(imp_count)) return false;
  if (imp_count < 0 || imp_count > kel_map_imp_capacity) return false;
  for (int k = 0; k < imp_count; ++k)
    if (!fio_byte(imp_type[k]) || !fio_byte(imp_x[k]) || !fio_byte(imp_z[k])) return false;
  return fio_tag("Pl") && fio_names(imp_name_count, imp_names);
}

// Words up to the end of the file; a block longer than the table is refused
// rather than cut, so no tag of it is silently lost.
bool C_KelMap::f_mapa_c() {
  if (direction == kel_map_write) {
    if (settings_count < 0 || settings_count > level_setting_capacity) return false;
    for (int i = 0; i < settings_count; ++i)
      if (fio_f(settings[i]) != 1) return false;
    return true;
  }
  settings_count = 0;
  char word[kel_map_name_capacity];
  while (fio_f(word) == 1) {
    if (settings_count == level_setting_capacity) return false;
    std::memcpy(settings[settings_count++], word, sizeof word);
  }
  return true;
}

bool C_KelMap::read_file(const char* path, const char* suffix, bool (C_KelMap::*section)()) {
  char name[level_file_path_capacity];
  if (!level_file_path(name, path, suffix)) return false;
  file = std::fopen(name, "rb");
  if (!file) return false;
  direction = kel_map_read;
  bool ok = (this->*section)();
  std::fclose(file);
  file = nullptr;
  return ok;
}

bool C_KelMap::write_file(const char* path, const char* suffix, bool (C_KelMap::*section)()) {
  char name[level_file_path_capacity];
  if (!level_file_path(name, path, suffix)) return false;
  file = std::fopen(name, "wb");
  if (!file) return false;
  direction = kel_map_write;
  bool ok = (this->*section)();
  ok = std::fclose(file) == 0 && ok;
  file = nullptr;
  return ok;
}

// Loads read into this copy and reach the loader only when they succeed, so a
// file that ends early never leaves half a level behind.
static C_KelMap& staging() {
  static C_KelMap copy;
  return copy;
}

int C_KelMap::load_maps(const char* path) {
  C_KelMap& s = staging();
  s = *this;
  if (!s.read_file(path, "_v", &C_KelMap::f_mapa_v)) return 2;
  int result = 0;
  s.missing_t = !s.read_file(path, "_t", &C_KelMap::f_mapa_t);
  s.missing_m = !s.read_file(path, "_m", &C_KelMap::f_mapa_m);
  s.missing_ai = !s.read_file(path, "_ai", &C_KelMap::f_mapa_ai);
  if (s.missing_t || s.missing_m || s.missing_ai) result = 1;
  if (!s.read_file(path, "_c", &C_KelMap::f_mapa_c)) {
    s.settings_count = 0;
    result = 1;
  }
  *this = s;
  update_globals();
  return result;
}

int C_KelMap::load_pack(const char* path) {
  char name[level_file_path_capacity];
  if (!level_file_path(name, path, ".pack")) return 1;
  C_KelMap& s = staging();
  s = *this;
  file = std::fopen(name, "rb");
  if (!file) return 1;
  s.direction = kel_map_read;
  char magic[8];
  bool ok = s.fio(magic, 1, sizeof magic) == sizeof magic;
  s.missing_t = s.missing_m = s.missing_ai = 0;
  ok = ok && s.f_mapa_v() && s.f_mapa_t() && s.f_mapa_m() && s.f_mapa_ai() && s.f_mapa_c();
  std::fclose(file);
  file = nullptr;
  if (!ok) return 1;
  *this = s;
  update_globals();
  return 0;
}

int C_KelMap::save_maps(const char* path) {
  if (use_globals() != 0) return 1;
  return save_maps_l(path);
}

int C_KelMap::save_maps_l(const char* path) {
  bool ok = write_file(path, "_v", &C_KelMap::f_mapa_v) &&
            write_file(path, "_t", &C_KelMap::f_mapa_t) &&
            write_file(path, "_m", &C_KelMap::f_mapa_m) &&
            write_file(path, "_ai", &C_KelMap::f_mapa_ai) &&
            write_file(path, "_c", &C_KelMap::f_mapa_c);
  return ok ? 0 : 1;
}

int C_KelMap::save_pack_l(const char* path) {
  char name[level_file_path_capacity];
  if (!level_file_path(name, path, ".pack")) return 1;
  file = std::fopen(name, "wb");
  if (!file) return 1;
  direction = kel_map_write;
  char magic[] = "KelaPack";
  bool ok = fio(magic, 1, 8) == 8 && f_mapa_v() && f_mapa_t() && f_mapa_m() && f_mapa_ai() &&
            f_mapa_c();
  ok = std::fclose(file) == 0 && ok;
  file = nullptr;
  return ok ? 0 : 1;
}
