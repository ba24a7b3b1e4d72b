#include "content/model_definition.h"

#include <cstdio>
#include <cstring>

#include "content/definition_ranges.h"
#include "content/definition_words.h"
#include "content/models.h"
#include "content/tagged_reader.h"

// The prototype that <trigger_message> and <trigger_sound> write to: the
// model's own once it has one, else the one its <trigger> will create. Null
// when the table is full and no prototype can be created.
static trigger_t* pending_trigger(int m) {
  if (model_trigger[m] != -1) return &trigger_prototype[model_trigger[m]];
  if (trigger_prototypu < trigger_prototype_capacity) return &trigger_prototype[trigger_prototypu];
  return nullptr;
}

static void read_trigger_text(tagged_reader& reader, int m, int slot) {
  trigger_t* p = pending_trigger(m);
  char dropped[trigger_text_capacity];
  read_name(reader, p ? p->text[slot] : dropped);
}

static void read_item(tagged_reader& reader, const char* path, trigger_t& p) {
  char item[tag_word_capacity];
  if (reader.word(item)) {
    if (!std::strcmp(item, "weapon")) {
      p.kind = trigger_weapon;
      read_name(reader, p.text[trigger_text_name]);
    } else if (!std::strcmp(item, "medikit")) {
      p.kind = trigger_medikit;
      int32_t amount, ceiling;
      if (read_number(reader, path, "medikit", health_range, amount)) p.value[0][0] = static_cast<float>(amount);
      if (read_number(reader, path, "medikit", health_range, ceiling)) p.value[0][1] = static_cast<float>(ceiling);
    } else if (!std::strcmp(item, "ammo")) {
      p.kind = trigger_ammo;
      read_name(reader, p.text[trigger_text_name]);
      int32_t cartridges;
      if (read_number(reader, path, "ammo", cartridge_range, cartridges)) p.value[0][0] = static_cast<float>(cartridges);
    } else if (!std::strcmp(item, "key")) {
      p.kind = trigger_key;
      read_name(reader, p.text[trigger_text_name]);
    }
  }
  p.pickable = 1;
  p.is_door = 0;
}

static void read_trigger_kind(tagged_reader& reader, const char* path, trigger_t& p) {
  if (!p.text[trigger_text_message][0])
    std::snprintf(p.text[trigger_text_message], trigger_text_capacity, "%s", no_trigger_message);
  char kind[tag_word_capacity];
  if (!reader.word(kind)) return;
  bool locked = !std::strcmp(kind, "door_locked");
  if (locked || !std::strcmp(kind, "door")) {
    p.kind = trigger_door;
    reader.scan(" %f ", &p.value[0][0]);
    p.pickable = 0;
    p.is_door = 1;
    if (locked) read_name(reader, p.text[trigger_text_name]);
    p.value[0][2] = locked ? 1.0f : 0.0f;
  } else if (!std::strcmp(kind, "item")) {
    read_item(reader, path, p);
  }
}

static void read_trigger(tagged_reader& reader, const char* path, int m) {
  if (trigger_prototypu >= trigger_prototype_capacity) {
    // The kind words are still consumed, so they cannot pass for tags.
    static trigger_t refused;
    refused = trigger_t{};
    read_trigger_kind(reader, path, refused);
    log_content_failure(path, "too many triggers");
    return;
  }
  int p = trigger_prototypu;
  read_trigger_kind(reader, path, trigger_prototype[p]);
  model_trigger[m] = p;
  trigger_prototypu = p + 1;
}

static void read_light(tagged_reader& reader, const char* path, int& light_index) {
  light_t l{};
  reader.scan(" r ( %f ) rgb ( %f %f %f ) xyz ( %f %f %f )", &l.radius, &l.r, &l.g, &l.b, &l.x, &l.y,
              &l.z);
  if (light_typu >= light_type_capacity) {
    log_content_failure(path, "too many light types");
    return;
  }
  light_type[light_typu] = l;
  light_index = light_typu++;
}

void reset_model_row(int m) {
  model_list[m][0] = '\0';
  model_t_list[m][0] = '\0';
  model_shadow[m] = 1;
  model_trigger[m] = -1;
  model_emitor[m] = 0;
  model_light_type[m] = -1;
  model_light_type2[m] = -1;
  // A message or sound given by an earlier model that never created its
  // trigger must not end up on this model's trigger.
  if (trigger_prototypu < trigger_prototype_capacity) trigger_prototype[trigger_prototypu] = trigger_t{};
}

bool read_model_definition(const char* path, int m) {
  tagged_reader reader;
  if (!reader.open(path)) return false;
  char word[tag_word_capacity];
  while (reader.word(word)) {
    if (!std::strcmp(word, "<model>")) {
      read_name(reader, model_list[m]);
    } else if (!std::strcmp(word, "<texture>")) {
      read_name(reader, model_t_list[m]);
    } else if (!std::strcmp(word, "<noshadow>")) {
      model_shadow[m] = 0;
    } else if (!std::strcmp(word, "<trigger_sound>")) {
      read_trigger_text(reader, m, trigger_text_sound);
    } else if (!std::strcmp(word, "<trigger_message>")) {
      read_trigger_text(reader, m, trigger_text_message);
    } else if (!std::strcmp(word, "<trigger>")) {
      read_trigger(reader, path, m);
    } else if (!std::strcmp(word, "<emitor>")) {
      model_emitor[m] = 1;
      reader.scan(" fire ");
      reader.scan(" %f %f %f ", &model_emitor_rgb[m][0], &model_emitor_rgb[m][1], &model_emitor_rgb[m][2]);
    } else if (!std::strcmp(word, "<light_source>")) {
      read_light(reader, path, model_light_type[m]);
    } else if (!std::strcmp(word, "<light_source2>")) {
      read_light(reader, path, model_light_type2[m]);
    }
  }
  return true;
}
