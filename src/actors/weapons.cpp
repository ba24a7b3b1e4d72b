#include "actors/weapons.h"

#include <cstring>

#include "content/definition_ranges.h"
#include "content/definition_values.h"
#include "content/definition_words.h"
#include "content/models.h"
#include "content/tagged_reader.h"
#include "platform/message_box.h"

static const char* const weapons_path = "data/weapons";

weapon_t weapon[weapon_capacity];
int weaponu;
char c_snd_awsem[weapon_name_capacity];
char c_snd_adsnk[weapon_name_capacity];

struct weapon_number_tag {
  const char* tag;
  int32_t weapon_t::*field;
  number_range range;
};
static const weapon_number_tag number_tags[] = {
    {"<damage>", &weapon_t::damage, damage_range},
    {"<bullets/shell>", &weapon_t::shells, pellet_range},
    {"<max_ammo>", &weapon_t::max_ammo, carried_ammo_range},
    {"<ammo/magazine>", &weapon_t::magazine, cartridge_range},
    {"<ammo/reload>", &weapon_t::ammo_reload, cartridge_range},
    {"<bullet_speed>", &weapon_t::bullet_speed, bullet_speed_range},
    {"<shoot_delay>", &weapon_t::shoot_delay, delay_range},
    {"<reload1_delay>", &weapon_t::reload1_delay, delay_range},
    {"<reload2_delay>", &weapon_t::reload2_delay, delay_range},
    {"<reload3_delay>", &weapon_t::reload3_delay, delay_range},
};

struct weapon_name_tag {
  const char* tag;
  char (weapon_t::*field)[weapon_name_capacity];
};
static const weapon_name_tag name_tags[] = {
    {"<sound_fire>", &weapon_t::sound_fire},
    {"<sound_reload>", &weapon_t::sound_reload},
    {"<texture>", &weapon_t::texture},
    {"<hud_texture>", &weapon_t::hud_texture},
};

struct weapon_animation_tag {
  const char* tag;
  int32_t (weapon_t::*field)[2];
};
static const weapon_animation_tag animation_tags[] = {
    {"<anim_fire>", &weapon_t::anim_fire},
    {"<anim_reload1>", &weapon_t::anim_reload1},
    {"<anim_reload2>", &weapon_t::anim_reload2},
    {"<anim_reload3>", &weapon_t::anim_reload3},
    {"<anim_death>", &weapon_t::anim_death},
};

static void read_model(tagged_reader& reader, weapon_t& w) {
  if (!read_name(reader, w.model_name)) return;
  int found = find_model_by_mesh(w.model_name);
  if (found >= 0) w.model = found;
}

// A tag of the last declared weapon.
static void read_weapon_tag(tagged_reader& reader, const char* word, weapon_t& w) {
  if (!std::strcmp(word, "<model>")) return read_model(reader, w);
  if (!std::strcmp(word, "<anim_fire_loop>")) {
    w.fire_loop = 1;
    return;
  }
  for (const weapon_name_tag& t : name_tags)
    if (!std::strcmp(word, t.tag)) return (void)read_name(reader, w.*t.field);
  for (const weapon_animation_tag& t : animation_tags)
    if (!std::strcmp(word, t.tag)) return read_animation(reader, w.model, w.*t.field);
  for (const weapon_number_tag& t : number_tags)
    if (!std::strcmp(word, t.tag)) return (void)read_number(reader, weapons_path, t.tag, t.range, w.*t.field);
}

void load_weapons() {
  tagged_reader reader;
  if (!reader.open(weapons_path)) {
    MessageBoxA(nullptr, "Nelze nacist: data/weapons", "ERROR", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  weaponu = 0;
  // Null before the first <weapon> and after the table is full: the record
  // tags found then belong to no weapon.
  weapon_t* current = nullptr;
  bool reported_full = false;
  char word[tag_word_capacity];
  while (reader.word(word)) {
    if (!std::strcmp(word, "<all_doors_sound_no_key>")) {
      read_name(reader, c_snd_adsnk);
    } else if (!std::strcmp(word, "<all_weapons_sound_empty_magazine>")) {
      read_name(reader, c_snd_awsem);
    } else if (!std::strcmp(word, "<weapon>")) {
      if (weaponu < weapon_capacity) {
        current = &weapon[weaponu++];
        read_name(reader, current->name);
        current->fire_loop = 0;
      } else {
        char name[weapon_name_capacity];
        read_name(reader, name);
        current = nullptr;
        if (!reported_full) log_content_failure(weapons_path, "too many weapons");
        reported_full = true;
      }
    } else if (current) {
      read_weapon_tag(reader, word, *current);
    }
  }
}

void fill_every_weapon() {
  for (int i = 0; i < weaponu && i < weapon_capacity; ++i) {
    weapon[i].owned = 1;
    weapon[i].ammo = weapon[i].magazine;
    weapon[i].reserve = weapon[i].max_ammo - weapon[i].magazine;
  }
}
