#include "actors/player.h"

#include <cstring>

#include "content/definition_ranges.h"
#include "content/definition_values.h"
#include "content/definition_words.h"
#include "content/tagged_reader.h"

static const char* const player_path = "data/player";

player_t players[player_slots];
int player_id;

void load_player() {
  tagged_reader reader;
  if (!reader.open(player_path)) return;
  player_t& p = players[player_definition_slot];
  char word[tag_word_capacity];
  while (reader.word(word)) {
    if (!std::strcmp(word, "<model>"))
      read_model_index(reader, p.model);
    else if (!std::strcmp(word, "<texture>"))
      read_texture_index(reader, p.texture);
    else if (!std::strcmp(word, "<texture_pain>"))
      read_texture_index(reader, p.texture_pain);
    else if (!std::strcmp(word, "<sound_pain>"))
      read_name(reader, p.sound_pain);
    else if (!std::strcmp(word, "<sound_death>"))
      read_name(reader, p.sound_death);
    else if (!std::strcmp(word, "<health_pain>"))
      read_number(reader, player_path, "<health_pain>", health_range, p.health_pain);
    else if (!std::strcmp(word, "<speed>"))
      reader.scan(" %f ", &p.speed);
    else if (!std::strcmp(word, "<anim_stop>"))
      read_animation(reader, p.model, p.anim_stop);
    else if (!std::strcmp(word, "<anim_chuze>"))
      read_animation(reader, p.model, p.anim_chuze);
    else if (!std::strcmp(word, "<anim_utok>"))
      read_animation(reader, p.model, p.anim_utok, animation_forms::names_only);
    else if (!std::strcmp(word, "<anim_smrt>"))
      read_animation(reader, p.model, p.anim_smrt);
  }
}

void init_live_player() {
  player_t& definition = players[player_definition_slot];
  if (definition.speed == 0.0f) definition.speed = 1.0f;
  player_t& live = players[player_id];
  live = definition;
  live.health = player_start_health;
}
