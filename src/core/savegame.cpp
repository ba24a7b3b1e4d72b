#include "core/savegame.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/byte_io.h"
#include "base/file_replace.h"
#include "base/loading_log.h"
#include "base/table_index.h"
#include "content/models.h"
#include "core/level_loading.h"
#include "core/triggers.h"
#include "effects/marks.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

C_savegame savegame;

constexpr char section_marker[4] = {'D', 'A', 'T', 'A'};
constexpr uint8_t key_end = 'K';

static bool finite(float v) { return std::isfinite(v); }

static bool on_map(float x, float z) {
  return finite(x) && finite(z) && x >= 0.0f && z >= 0.0f && x < mapa_size_x && z < mapa_size_z;
}

void C_savegame::stop(const char* why) {
  char line[loading_line_capacity];
  std::snprintf(line, sizeof line, "LOAD GAME %s: %s", path_, why);
  draw_loading_failed(line);
  stopped_ = true;
}

bool C_savegame::fio(void* bytes, size_t size) {
  if (stopped_) return false;
  auto* b = static_cast<uint8_t*>(bytes);
  if (mode_ == 0) {
    out_.insert(out_.end(), b, b + size);
    return true;
  }
  if (in_size_ - at_ < size) {
    stop("the file ends early");
    return false;
  }
  std::memcpy(b, in_ + at_, size);
  at_ += size;
  return true;
}

bool C_savegame::fio_i32(int32_t& value) {
  uint8_t b[4];
  put_i32(b, value);
  if (!fio(b, sizeof b)) return false;
  value = get_i32(b);
  return true;
}

bool C_savegame::fio_f32(float& value) {
  uint8_t b[4];
  put_f32(b, value);
  if (!fio(b, sizeof b)) return false;
  value = get_f32(b);
  return true;
}

bool C_savegame::fio_u8(uint8_t& value) { return fio(&value, 1); }

static bool is_space(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool C_savegame::fio_f(char* text, size_t capacity) {
  if (stopped_) return false;
  if (mode_ == 0) {
    size_t n = strnlen(text, capacity);
    out_.insert(out_.end(), text, text + n);
    out_.push_back(' ');
    return true;
  }
  while (at_ < in_size_ && is_space(in_[at_])) ++at_;
  size_t start = at_;
  while (at_ < in_size_ && !is_space(in_[at_])) ++at_;
  size_t n = at_ - start;
  if (at_ < in_size_) ++at_;  // the space after the word
  if (n == 0) {
    stop("a word is missing");
    return false;
  }
  if (n >= capacity) {
    stop("a word is too long");
    return false;
  }
  std::memcpy(text, in_ + start, n);
  text[n] = '\0';
  return true;
}

bool C_savegame::fio_count(int32_t& count, int capacity, const char* what) {
  if (!fio_i32(count)) return false;
  if (mode_ == 1 && (count < 0 || count > capacity)) {
    char why[128];
    std::snprintf(why, sizeof why, "%d %s do not fit the table of %d", count, what, capacity);
    stop(why);
    return false;
  }
  return true;
}

void C_savegame::file_process() {
  stopped_ = false;
  level_missing_ = false;
  at_ = 0;
  char path[path_capacity];
  std::snprintf(path, sizeof path, "%s", mapa_filename);
  if (!fio_f(path, sizeof path)) return;
  if (mode_ == 1) {
    std::snprintf(mapa_filename, sizeof mapa_filename, "%s", path);
    // "last_level" queues the victory menu; the rest of the file then applies
    // to the tables as they are.
    if (!load_level(false) && std::strcmp(path, last_level_name) != 0) {
      level_missing_ = true;
      return stop("the saved level cannot be loaded");
    }
  }
  char marker[sizeof section_marker];
  std::memcpy(marker, section_marker, sizeof marker);
  fio(marker, sizeof marker);  // read back without checking

  int32_t id = player_id;
  if (!fio_i32(id)) return;
  if (mode_ == 1) {
    if (!in_table(id, player_slots)) return stop("the player record is out of the table");
    player_id = id;
  }

  // The live player: values that could not be shown are not taken.
  player_t& p = players[player_id];
  int32_t health = p.health, weapon_index = p.weapon, anim_state = p.anim_state, frame = p.frame,
          prev_frame = p.prev_frame;
  float interpol = p.interpol, x = p.x, z = p.z, uhel = p.uhel;
  fio_i32(health);
  fio_i32(weapon_index);
  fio_i32(anim_state);
  fio_i32(frame);
  fio_i32(prev_frame);
  fio_f32(interpol);
  fio_f32(x);
  fio_f32(z);
  if (!fio_f32(uhel)) return;
  if (mode_ == 1) {
    p.health = health;
    p.weapon = in_table(weapon_index, table_rows(weaponu, weapon_capacity)) ? weapon_index : 0;
    p.anim_state = anim_state >= player_walking && anim_state <= player_dying ? anim_state : player_standing;
    p.frame = frame >= 0 ? frame : 0;
    p.prev_frame = prev_frame >= 0 ? prev_frame : 0;
    p.interpol = finite(interpol) && interpol >= 0.0f && interpol < 1.0f ? interpol : 0.0f;
    if (on_map(x, z)) p.x = x, p.z = z;
    if (finite(uhel)) p.uhel = uhel;
  }

  int32_t anim_frame = shoot_anim_frame, anim_nframe = shoot_anim_nframe;
  float anim_interpol = shoot_anim_interpol;
  fio_i32(anim_frame);
  fio_i32(anim_nframe);
  if (!fio_f32(anim_interpol)) return;
  if (mode_ == 1) {
    shoot_anim_frame = anim_frame >= 0 ? anim_frame : 0;
    shoot_anim_nframe = anim_nframe >= 0 ? anim_nframe : 0;
    shoot_anim_interpol = finite(anim_interpol) ? anim_interpol : 0.0f;
  }

  // The changeable layers of the level loaded above, row by row.
  for (int layer = 0; layer < 3 * mapa_size_z; ++layer) {
    int zz = layer / 3, which = layer % 3;
    for (int xx = 0; xx < mapa_size_x; ++xx) {
      int i = map_index(xx, zz);
      int32_t v = which == 0 ? mapa_m[i] : which == 1 ? mapa_m_rot[i] : mapa_ip[i];
      if (!fio_i32(v)) return;
      if (mode_ == 0) continue;
      if (which == 0) mapa_m[i] = v == no_model || in_table(v, table_rows(modelu, model_capacity)) ? v : no_model;
      if (which == 1) mapa_m_rot[i] = v >= 0 && v <= 3 ? v : 0;
      if (which == 2) mapa_ip[i] = in_table(v, trigger_capacity) ? v : no_trigger;
    }
  }

  int32_t triggers = triggeru;
  if (!fio_count(triggers, trigger_capacity, "triggers")) return;
  for (int k = 0; k < triggers; ++k) {
    trigger_t t = mode_ == 0 ? trigger[k] : trigger_t{};
    fio_i32(t.kind);
    for (int j = 0; j < trigger_text_slots; ++j) {
      fio(t.text[j], trigger_text_capacity);
      t.text[j][trigger_text_capacity - 1] = '\0';
      for (float& v : t.value[j]) {
        fio_f32(v);
        if (!finite(v)) v = 0.0f;
      }
    }
    fio_u8(t.pickable);
    fio_u8(t.open_request);
    if (!fio_u8(t.is_door)) return;
    if (mode_ == 1) {
      trigger[k] = t;
      triggeru = k + 1;
    }
  }
  if (mode_ == 1) triggeru = triggers;

  int32_t keys = t_keyu;
  if (!fio_count(keys, key_capacity, "keys")) return;
  for (int k = 0; k < keys; ++k) {
    char name[trigger_text_capacity];
    std::snprintf(name, sizeof name, "%.*s", key_name_capacity - 1, t_keys[k]);
    if (!fio_f(name, sizeof name)) return;
    uint8_t end = key_end;
    if (!fio_u8(end)) return;
    if (mode_ == 0) continue;
    if (end != key_end) return stop("the key list is damaged");
    std::snprintf(t_keys[k], key_name_capacity, "%.*s", key_name_capacity - 1, name);
    t_keyu = k + 1;
  }
  if (mode_ == 1) t_keyu = keys;

  int32_t weapons = weaponu;
  if (!fio_count(weapons, weapon_capacity, "weapons")) return;
  for (int k = 0; k < weapons; ++k) {
    int32_t ammo = weapon[k].ammo, reserve = weapon[k].reserve;
    fio_i32(ammo);
    if (!fio_i32(reserve)) return;
    if (mode_ == 1 && k < weaponu) {
      weapon[k].ammo = ammo > 0 ? ammo : 0;
      weapon[k].reserve = reserve > 0 ? reserve : 0;
    }
  }

  int32_t enemies = impu;
  if (!fio_count(enemies, imp_capacity, "enemies")) return;
  int kept = 0;
  for (int k = 0; k < enemies; ++k) {
    imp_t e = mode_ == 0 ? imp[k] : imp_t{};
    fio_i32(e.type);
    fio_i32(e.health);
    fio_f32(e.x);
    fio_f32(e.z);
    fio_f32(e.uhel);
    fio_f32(e.shoot_uhel);
    fio_f32(e.target_x);
    fio_f32(e.target_z);
    fio_u8(e.alert);
    fio_u8(e.visible);
    fio_i32(e.anim_state);
    fio_i32(e.frame);
    fio_i32(e.prev_frame);
    fio_f32(e.interpol);
    fio_i32(e.reserved);
    fio_f32(e.shot_tick);
    fio_i32(e.attacking);
    fio_f32(e.think_time);
    if (!fio_u8(e.shot_done)) return;
    if (mode_ == 0) continue;
    // An enemy that could not stand anywhere, or of no known type, is left out.
    if (!on_map(e.x, e.z) || !in_table(e.type, table_rows(impu_prototype + 1, imp_prototype_capacity)) ||
        !finite(e.uhel) || !finite(e.shoot_uhel))
      continue;
    if (!on_map(e.target_x, e.target_z)) e.target_x = e.x, e.target_z = e.z;
    if (e.anim_state < imp_walking || e.anim_state > imp_dying) e.anim_state = imp_standing;
    if (e.frame < 0) e.frame = 0;
    if (e.prev_frame < 0) e.prev_frame = 0;
    if (!finite(e.interpol) || e.interpol < 0.0f || e.interpol >= 1.0f) e.interpol = 0.0f;
    if (!finite(e.think_time)) e.think_time = 0.0f;
    e.cell_x = static_cast<int32_t>(e.x);
    e.cell_z = static_cast<int32_t>(e.z);
    imp[kept++] = e;
    impu = kept;
  }
  if (mode_ == 1) impu = kept;

  int32_t marks = marku;
  if (!fio_count(marks, mark_capacity, "marks")) return;
  for (int k = 0; k < marks; ++k) {
    mark_t m = mode_ == 0 ? mark[k] : mark_t{};
    fio_u8(m.alive);
    fio_i32(m.facing);
    fio_f32(m.life);
    fio_f32(m.decay);
    fio_f32(m.x);
    fio_f32(m.y);
    fio_f32(m.z);
    fio_f32(m.r);
    fio_f32(m.g);
    if (!fio_f32(m.b)) return;
    if (mode_ == 0) continue;
    bool sound = m.facing >= mark_facing_z && m.facing <= mark_facing_floor && finite(m.life) &&
                 finite(m.decay) && finite(m.x) && finite(m.y) && finite(m.z) && finite(m.r) &&
                 finite(m.g) && finite(m.b);
    if (!sound) m.alive = 0;
    mark[k] = m;
    marku = k + 1;
  }
  if (mode_ == 1) marku = marks;
}

int C_savegame::save(const char* path) {
  mode_ = 0;
  path_ = path;
  out_.clear();
  file_process();
  bool written = ensure_folder(savegame_folder) && replace_file(path, out_.data(), out_.size());
  out_.clear();
  out_.shrink_to_fit();
  if (written) return 0;
  draw_loading_failed("SAVE GAME");
  return 1;
}

int C_savegame::load(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  std::vector<uint8_t> bytes;
  if (file) {
    uint8_t block[1 << 16];
    size_t n;
    while (bytes.size() <= savegame_size_limit && (n = std::fread(block, 1, sizeof block, file)) > 0)
      bytes.insert(bytes.end(), block, block + n);
    std::fclose(file);
  }
  if (!file || bytes.size() > savegame_size_limit) {
    draw_loading_failed("LOAD GAME");
    return 1;
  }
  mode_ = 1;
  path_ = path;
  in_ = bytes.data();
  in_size_ = bytes.size();
  file_process();
  in_ = nullptr;
  in_size_ = 0;
  return level_missing_ ? savegame_level_missing : 0;
}

bool load_level_with_autosave() {
  if (!load_level(true)) return false;
  savegame.save(autosave_path);
  return true;
}
