#include "actors/enemies.h"

#include <cstring>

#include "content/definition_ranges.h"
#include "content/definition_values.h"
#include "content/definition_words.h"
#include "content/tagged_reader.h"

static const char* const enemy_path = "data/enemy";

imp_prototype_t imp_prototype[imp_prototype_capacity];
int impu_prototype;
imp_t imp[imp_capacity];
int impu;

struct imp_int_tag {
  const char* tag;
  int32_t imp_prototype_t::*field;
};
struct imp_number_tag {
  const char* tag;
  int32_t imp_prototype_t::*field;
  number_range range;
};
static const imp_number_tag number_tags[] = {
    {"<shoot_delay>", &imp_prototype_t::shoot_delay, delay_range},
    {"<shoot_delay_2>", &imp_prototype_t::shoot_delay_2, delay_range},
    {"<bullets/shell>", &imp_prototype_t::shells, pellet_range},
    {"<damage>", &imp_prototype_t::damage, damage_range},
    {"<health>", &imp_prototype_t::health, health_range},
    {"<health_pain>", &imp_prototype_t::health_pain, health_range},
};

struct imp_float_tag {
  const char* tag;
  float imp_prototype_t::*field;
};
static const imp_float_tag float_tags[] = {
    {"<speed>", &imp_prototype_t::speed},
    {"<range>", &imp_prototype_t::range},
};

struct imp_name_tag {
  const char* tag;
  char (imp_prototype_t::*field)[imp_name_capacity];
};
static const imp_name_tag name_tags[] = {
    {"<name>", &imp_prototype_t::name},
    {"<sound_pain>", &imp_prototype_t::sound_pain},
    {"<sound_death>", &imp_prototype_t::sound_death},
    {"<sound_sight>", &imp_prototype_t::sound_sight},
    {"<sound_shoot>", &imp_prototype_t::sound_shoot},
};

static const imp_int_tag texture_tags[] = {
    {"<texture>", &imp_prototype_t::texture},
    {"<texture_pain>", &imp_prototype_t::texture_pain},
};

struct imp_animation_tag {
  const char* tag;
  int32_t (imp_prototype_t::*field)[2];
};
static const imp_animation_tag animation_tags[] = {
    {"<anim_stop>", &imp_prototype_t::anim_stop},
    {"<anim_chuze>", &imp_prototype_t::anim_chuze},
    {"<anim_utok>", &imp_prototype_t::anim_utok},
    {"<anim_smrt>", &imp_prototype_t::anim_smrt},
};

static void read_type_tag(tagged_reader& reader, const char* word, imp_prototype_t& t) {
  if (!std::strcmp(word, "<model>")) return read_model_index(reader, t.model);
  for (const imp_name_tag& n : name_tags)
    if (!std::strcmp(word, n.tag)) return (void)read_name(reader, t.*n.field);
  for (const imp_int_tag& n : texture_tags)
    if (!std::strcmp(word, n.tag)) return read_texture_index(reader, t.*n.field);
  for (const imp_float_tag& n : float_tags)
    if (!std::strcmp(word, n.tag)) return (void)reader.scan(" %f ", &(t.*n.field));
  for (const imp_number_tag& n : number_tags)
    if (!std::strcmp(word, n.tag)) return (void)read_number(reader, enemy_path, n.tag, n.range, t.*n.field);
  for (const imp_animation_tag& n : animation_tags)
    if (!std::strcmp(word, n.tag)) return read_animation(reader, t.model, t.*n.field);
}

void load_imp_prototype() {
  impu_prototype = 0;
  tagged_reader reader;
  if (!reader.open(enemy_path)) return;
  char word[tag_word_capacity];
  while (reader.word(word)) {
    if (!std::strcmp(word, "<next_enemy_type>")) {
      if (impu_prototype + 1 >= imp_prototype_capacity) {
        // The types that fit stay as read; the rest of the file is dropped
        // rather than poured over the last type.
        log_content_failure(enemy_path, "too many enemy types");
        return;
      }
      ++impu_prototype;
    } else {
      read_type_tag(reader, word, imp_prototype[impu_prototype]);
    }
  }
}
