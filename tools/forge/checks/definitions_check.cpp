#include "checks/definitions_check.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/player_settings.h"  // is_setting_value: the names a <value_item> may show
#include "checks/definitions_text.h"
#include "menus/menu_layout.h"

namespace fs = std::filesystem;

namespace {

// The engine's table sizes (src/content, src/actors, src/frontend).
constexpr int model_table_capacity = 200;
constexpr int weapon_table_capacity = 20;
constexpr int enemy_type_capacity = 256;
constexpr int menu_table_capacity = 64;
constexpr int menu_items_per_menu = 256;
constexpr int menu_slot_capacity = 3;
constexpr size_t key_name_limit = 31;  // an entry of the collected keys (t_keys)

bool is_tag(const std::string& word) { return word.size() > 2 && word.front() == '<' && word.back() == '>'; }

struct pending_name {
  std::string path;
  recipe_position at;
  std::string name;
};

class definition_checker {
 public:
  definition_checker(const std::string& demo_dir, const definition_catalogue& catalogue, diagnostics& sink)
      : demo_dir_(demo_dir), catalogue_(catalogue), sink_(sink) {}

  void model_list();
  void weapons();
  void player();
  void enemies();
  void menus();
  void resolve();

 private:
  // Opens demo/<name>; false (reported) when it is missing.
  bool open(const std::string& path, std::string& text);
  void model_definition(const std::string& path);
  void trigger(definition_text& in, const std::string& tag);

  // Value checks; each reports at the value and returns whether it held.
  bool texture(definition_text& in, const std::string& tag, std::string* out = nullptr);
  bool sound(definition_text& in, const std::string& tag);
  bool stored_word(definition_text& in, const std::string& tag, std::string& out, size_t limit = definition_word_limit);
  // A mesh named by a definition listed in model.list (how the player,
  // weapons, enemy types and menus find their models).
  bool listed_mesh(definition_text& in, const std::string& tag, std::string& current);
  bool animation(definition_text& in, const std::string& tag, const std::string& mesh, bool frames_allowed);
  void unknown_word(definition_text& in, const std::string& word, recipe_position at, const char* file_kind);
  void require(definition_text& in, const std::set<std::string>& seen, const std::vector<const char*>& tags,
               const std::string& record);

  const std::string& demo_dir_;
  const definition_catalogue& catalogue_;
  diagnostics& sink_;
  std::set<std::string> listed_meshes_, weapon_names_, key_names_, menu_names_;
  std::vector<pending_name> weapon_refs_, key_refs_, menu_refs_;
};

bool definition_checker::open(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    sink_.report(path, "is missing");
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

bool definition_checker::stored_word(definition_text& in, const std::string& tag, std::string& out, size_t limit) {
  recipe_position at;
  if (!in.value(out, at, tag)) return false;
  if (out.size() > limit) {
    in.error(at, tag + " value is longer than the " + std::to_string(limit) + " characters the engine keeps");
    return false;
  }
  return true;
}

bool definition_checker::texture(definition_text& in, const std::string& tag, std::string* out) {
  std::string name;
  recipe_position at;
  if (!in.value(name, at, tag)) return false;
  if (!catalogue_.textures.count(name)) {
    in.error(at, "texture '" + name + "' is not in tex.list");
    return false;
  }
  if (out) *out = name;
  return true;
}

bool definition_checker::sound(definition_text& in, const std::string& tag) {
  std::string name;
  recipe_position at;
  if (!in.value(name, at, tag)) return false;
  if (!catalogue_.sounds.count(name)) {
    in.error(at, "sound '" + name + "' is not in sound.list");
    return false;
  }
  return true;
}

bool definition_checker::listed_mesh(definition_text& in, const std::string& tag, std::string& current) {
  std::string name;
  recipe_position at;
  if (!in.value(name, at, tag)) return false;
  if (!listed_meshes_.count(name)) {
    in.error(at, "model '" + name + "' is not the <model> of any definition in model.list");
    return false;
  }
  current = name;
  return true;
}

bool definition_checker::animation(definition_text& in, const std::string& tag, const std::string& mesh,
                                   bool frames_allowed) {
  std::string name;
  recipe_position at;
  if (!in.value(name, at, tag)) return false;
  auto facts = catalogue_.meshes.find(mesh);
  if (frames_allowed && name == "byframes") {
    int first = 0, last = 0;
    if (!in.integer(first, tag) || !in.integer(last, tag)) return false;
    if (facts != catalogue_.meshes.end() && (first < 0 || first > last || last >= facts->second.frames)) {
      in.error(at, tag + " byframes " + std::to_string(first) + " " + std::to_string(last) + " is outside the " +
                       std::to_string(facts->second.frames) + " frames of " + mesh);
      return false;
    }
    return true;
  }
  if (mesh.empty()) {
    in.error(at, tag + " names an animation before the record's <model>");
    return false;
  }
  if (facts == catalogue_.meshes.end()) return false;  // its <model> is already reported
  for (const mesh_animation& a : facts->second.animations)
    if (a.name == name) return true;
  in.error(at, "model " + mesh + " has no animation '" + name + "'");
  return false;
}

void definition_checker::unknown_word(definition_text& in, const std::string& word, recipe_position at,
                                      const char* file_kind) {
  if (is_tag(word))
    in.error(at, "'" + word + "' is not a tag of " + file_kind);
  else
    in.error(at, "stray word '" + word + "' (values belong right after their tag)");
}

void definition_checker::require(definition_text& in, const std::set<std::string>& seen,
                                 const std::vector<const char*>& tags, const std::string& record) {
  for (const char* tag : tags)
    if (!seen.count(tag)) in.error(record + " has no " + tag);
}

// ---- model.list and the model definitions ----

void definition_checker::model_list() {
  std::string list_path = (fs::path(demo_dir_) / "model.list").string(), text;
  if (!open(list_path, text)) return;
  definition_text in(list_path, text, sink_);
  std::string name;
  recipe_position at;
  std::set<std::string> seen;
  int count = 0;
  while (in.word(name, at)) {
    if (++count > model_table_capacity) {
      in.error(at, "the engine's model table holds " + std::to_string(model_table_capacity) + " models");
      return;
    }
    if (name.size() > definition_list_name_limit) {
      in.error(at, "a list name holds at most " + std::to_string(definition_list_name_limit) + " characters");
      continue;
    }
    if (!seen.insert(name).second) in.error(at, "'" + name + "' is listed twice");
    if (!catalogue_.definitions.count(name)) {
      in.error(at, "'" + name + "' is not a model definition under demo/models/");
      continue;
    }
    model_definition(demo_source_of(demo_dir_, name));
  }
}

void definition_checker::trigger(definition_text& in, const std::string& tag) {
  std::string kind, name;
  recipe_position at;
  if (!in.value(kind, at, tag)) return;
  float seconds = 0;
  int amount = 0;
  if (kind == "door" || kind == "door_locked") {
    if (!in.number(seconds, tag + " " + kind) || kind == "door") return;
    recipe_position key_at;
    if (!in.value(name, key_at, tag + " door_locked")) return;
    if (name.size() > key_name_limit)
      in.error(key_at, "a key name holds at most " + std::to_string(key_name_limit) + " characters");
    else
      key_refs_.push_back({in.path(), key_at, name});
    return;
  }
  if (kind != "item") {
    in.error(at, "a trigger is door, door_locked or item, not '" + kind + "'");
    return;
  }
  std::string item;
  if (!in.value(item, at, tag + " item")) return;
  if (item == "weapon" || item == "ammo") {
    recipe_position name_at;
    if (!in.value(name, name_at, tag + " item " + item)) return;
    weapon_refs_.push_back({in.path(), name_at, name});
    if (item == "ammo") in.integer(amount, tag + " item ammo");
  } else if (item == "medikit") {
    if (in.integer(amount, tag + " item medikit")) in.integer(amount, tag + " item medikit");
  } else if (item == "key") {
    if (stored_word(in, tag + " item key", name, key_name_limit)) key_names_.insert(name);
  } else {
    in.error(at, "an item is weapon, medikit, ammo or key, not '" + item + "'");
  }
}

void definition_checker::model_definition(const std::string& path) {
  std::string text;
  if (!open(path, text)) return;
  definition_text in(path, text, sink_);
  std::string word, mesh, value;
  recipe_position at;
  std::set<std::string> seen;
  while (in.word(word, at)) {
    seen.insert(word);
    if (word == "<model>") {
      if (!in.value(mesh, at, word)) continue;
      if (mesh != "!void!" && !catalogue_.meshes.count(mesh))
        in.error(at, "model '" + mesh + "' is not a mesh the forge makes (demo/models/**.txt)");
      else if (mesh != "!void!")
        listed_meshes_.insert(mesh);
    } else if (word == "<texture>") {
      texture(in, word);
    } else if (word == "<noshadow>") {
    } else if (word == "<trigger_sound>") {
      sound(in, word);
    } else if (word == "<trigger_message>") {
      stored_word(in, word, value);
    } else if (word == "<trigger>") {
      trigger(in, word);
    } else if (word == "<emitor>") {
      float rgb[3];
      in.scan(" fire %f %f %f", rgb, word);
    } else if (word == "<light_source>" || word == "<light_source2>") {
      float values[7];
      in.scan(" r ( %f ) rgb ( %f %f %f ) xyz ( %f %f %f )", values, word);
    } else {
      unknown_word(in, word, at, "a model definition");
    }
  }
  require(in, seen, {"<model>"}, "the definition");
  if (!mesh.empty() && mesh != "!void!") require(in, seen, {"<texture>"}, "a definition with a mesh");
}

// ---- weapons ----

void definition_checker::weapons() {
  std::string path = (fs::path(demo_dir_) / "weapons").string(), text;
  if (!open(path, text)) return;
  definition_text in(path, text, sink_);
  static const std::set<std::string> integers = {
      "<damage>",       "<bullets/shell>", "<max_ammo>",      "<ammo/magazine>",  "<ammo/reload>",
      "<bullet_speed>", "<shoot_delay>",   "<reload1_delay>", "<reload2_delay>", "<reload3_delay>"};
  static const std::set<std::string> animations = {"<anim_fire>", "<anim_reload1>", "<anim_reload2>",
                                                   "<anim_reload3>", "<anim_death>"};
  std::string word, mesh, record, value;
  recipe_position at;
  std::set<std::string> seen, globals;
  int count = 0;
  auto finish_record = [&]() {
    if (record.empty()) return;
    require(in, seen,
            {"<model>", "<hud_texture>", "<sound_fire>", "<sound_reload>", "<damage>", "<ammo/magazine>",
             "<ammo/reload>", "<max_ammo>", "<shoot_delay>", "<reload1_delay>", "<reload2_delay>", "<reload3_delay>",
             "<anim_fire>", "<anim_reload1>", "<anim_reload2>", "<anim_reload3>", "<anim_death>"},
            "weapon '" + record + "'");
  };
  while (in.word(word, at)) {
    if (word == "<all_weapons_sound_empty_magazine>" || word == "<all_doors_sound_no_key>") {
      globals.insert(word);
      sound(in, word);
      continue;
    }
    if (word == "<weapon>") {
      finish_record();
      seen.clear();
      mesh.clear();
      if (!stored_word(in, word, record)) return;
      if (++count > weapon_table_capacity)
        in.error(at, "the engine's weapon table holds " + std::to_string(weapon_table_capacity) + " weapons");
      if (!weapon_names_.insert(record).second) in.error(at, "weapon '" + record + "' is defined twice");
      continue;
    }
    bool known = word == "<model>" || word == "<texture>" || word == "<hud_texture>" || word == "<sound_fire>" ||
                 word == "<sound_reload>" || word == "<anim_fire_loop>" || integers.count(word) ||
                 animations.count(word);
    if (known && record.empty()) {
      in.error(at, word + " comes before the first <weapon>, so the engine ignores it");
      continue;
    }
    seen.insert(word);
    if (word == "<model>") {
      listed_mesh(in, word, mesh);
    } else if (word == "<texture>" || word == "<hud_texture>") {
      texture(in, word);
    } else if (word == "<sound_fire>" || word == "<sound_reload>") {
      sound(in, word);
    } else if (word == "<anim_fire_loop>") {
    } else if (integers.count(word)) {
      int number = 0;
      in.integer(number, word);
    } else if (animations.count(word)) {
      animation(in, word, mesh, true);
    } else {
      unknown_word(in, word, at, "the weapons file");
    }
  }
  finish_record();
  if (!count) in.error("defines no <weapon>");
  require(in, globals, {"<all_weapons_sound_empty_magazine>", "<all_doors_sound_no_key>"}, "the weapons file");
}

// ---- player and enemy types ----

void definition_checker::player() {
  std::string path = (fs::path(demo_dir_) / "player").string(), text;
  if (!open(path, text)) return;
  definition_text in(path, text, sink_);
  std::string word, mesh, value;
  recipe_position at;
  std::set<std::string> seen;
  while (in.word(word, at)) {
    seen.insert(word);
    if (word == "<model>") {
      listed_mesh(in, word, mesh);
    } else if (word == "<texture>" || word == "<texture_pain>") {
      texture(in, word);
    } else if (word == "<sound_pain>" || word == "<sound_death>") {
      sound(in, word);
    } else if (word == "<health_pain>") {
      int number = 0;
      in.integer(number, word);
    } else if (word == "<speed>") {
      float number = 0;
      in.number(number, word);
    } else if (word == "<anim_stop>" || word == "<anim_chuze>" || word == "<anim_smrt>") {
      animation(in, word, mesh, true);
    } else if (word == "<anim_utok>") {
      animation(in, word, mesh, false);  // the player's attack takes a name only
    } else {
      unknown_word(in, word, at, "the player definition");
    }
  }
  require(in, seen,
          {"<model>", "<texture>", "<texture_pain>", "<sound_pain>", "<sound_death>", "<health_pain>", "<speed>",
           "<anim_stop>", "<anim_chuze>", "<anim_utok>", "<anim_smrt>"},
          "the player");
}

void definition_checker::enemies() {
  std::string path = (fs::path(demo_dir_) / "enemy").string(), text;
  if (!open(path, text)) return;
  definition_text in(path, text, sink_);
  static const std::set<std::string> integers = {"<shoot_delay>", "<shoot_delay_2>", "<bullets/shell>",
                                                 "<damage>",      "<health>",        "<health_pain>"};
  std::string word, mesh, name;
  recipe_position at;
  std::set<std::string> seen, names;
  int types = 1;
  auto finish_record = [&]() {
    require(in, seen,
            {"<name>", "<model>", "<texture>", "<texture_pain>", "<sound_pain>", "<sound_death>", "<sound_sight>",
             "<sound_shoot>", "<speed>", "<range>", "<shoot_delay>", "<shoot_delay_2>", "<damage>", "<health>",
             "<health_pain>", "<anim_stop>", "<anim_chuze>", "<anim_utok>", "<anim_smrt>"},
            "enemy type " + std::to_string(types - 1) + (name.empty() ? "" : " ('" + name + "')"));
  };
  while (in.word(word, at)) {
    if (word == "<next_enemy_type>") {
      finish_record();
      seen.clear();
      mesh.clear();
      name.clear();
      if (++types > enemy_type_capacity)
        in.error(at, "the engine's enemy type table holds " + std::to_string(enemy_type_capacity) + " types");
      continue;
    }
    seen.insert(word);
    if (word == "<name>") {
      if (stored_word(in, word, name) && !names.insert(name).second)
        in.error(at, "enemy type '" + name + "' is defined twice");
    } else if (word == "<model>") {
      listed_mesh(in, word, mesh);
    } else if (word == "<texture>" || word == "<texture_pain>") {
      texture(in, word);
    } else if (word == "<sound_pain>" || word == "<sound_death>" || word == "<sound_sight>" ||
               word == "<sound_shoot>") {
      sound(in, word);
    } else if (word == "<speed>" || word == "<range>") {
      float number = 0;
      in.number(number, word);
    } else if (integers.count(word)) {
      int number = 0;
      in.integer(number, word);
    } else if (word == "<anim_stop>" || word == "<anim_chuze>" || word == "<anim_utok>" || word == "<anim_smrt>") {
      animation(in, word, mesh, true);
    } else {
      unknown_word(in, word, at, "the enemy file");
    }
  }
  finish_record();
}

// ---- menus ----

bool known_command(const std::string& command, std::string& menu_name) {
  auto argument = [&](const char* prefix) {
    size_t n = std::string(prefix).size();
    return command.compare(0, n, prefix) == 0 && command.size() > n;
  };
  if (argument("menu:")) {
    menu_name = command.substr(5);
    return true;
  }
  return command == "game" || command == "quit" || command == "c_ultrablood:0" || command == "c_ultrablood:1" ||
         argument("new:") || argument("load:") || argument("save:") || argument("message:");
}

struct menu_record {
  std::string name, background, mesh;
  recipe_position at;
  std::vector<std::string> items;
  std::vector<std::pair<int, int>> slots;
};

void definition_checker::menus() {
  std::string path = (fs::path(demo_dir_) / "menu").string(), text;
  if (!open(path, text)) return;
  definition_text in(path, text, sink_);
  std::vector<menu_record> records;
  std::string word, value, menu_name;
  recipe_position at;
  auto command = [&](const std::string& tag) {
    recipe_position command_at;
    if (!in.value(value, command_at, tag)) return std::string();
    menu_name.clear();
    if (!known_command(value, menu_name))
      in.error(command_at, "'" + value + "' is not a command (game, quit, new:, load:, save:, menu:, message:)");
    else if (!menu_name.empty())
      menu_refs_.push_back({path, command_at, menu_name});
    return value;
  };
  while (in.word(word, at)) {
    if (word == "<menu>") {
      menu_record r;
      r.at = at;
      if (!stored_word(in, word, r.name)) return;
      if (!menu_names_.insert(r.name).second) in.error(at, "menu '" + r.name + "' is defined twice");
      if (int(records.size()) == menu_table_capacity)
        in.error(at, "the engine's menu table holds " + std::to_string(menu_table_capacity) + " menus");
      records.push_back(r);
      continue;
    }
    bool known = word == "<model>" || word == "<texture>" || word == "<texture_bg>" || word == "<menu_item>" ||
                 word == "<value_item>" || word == "<savegame_slot>" || word == "<esc_item>";
    if (!known) {
      unknown_word(in, word, at, "the menu file");
      continue;
    }
    if (records.empty()) {
      in.error(at, word + " comes before the first <menu>");
      continue;
    }
    menu_record& r = records.back();
    if (word == "<model>") {
      recipe_position mesh_at;
      if (in.value(value, mesh_at, word) && value != "!void!") {
        if (!listed_meshes_.count(value))
          in.error(mesh_at, "model '" + value + "' is not the <model> of any definition in model.list");
        else
          r.mesh = value;
      }
    } else if (word == "<texture>") {
      texture(in, word);
    } else if (word == "<texture_bg>") {
      texture(in, word, &r.background);
    } else if (word == "<menu_item>") {
      std::string item = command(word);
      if (int(r.items.size()) == menu_items_per_menu)
        in.error(at, "a menu holds " + std::to_string(menu_items_per_menu) + " items");
      r.items.push_back(item);
    } else if (word == "<value_item>") {
      recipe_position name_at;
      float xy[2];
      if (in.value(value, name_at, word) && !is_setting_value(value.c_str()))
        in.error(name_at, "'" + value + "' is not a value a menu shows (volume, pad_sensitivity, vsync, rumble, heavy_blood)");
      in.scan(" %f , %f", xy, word);
      if (int(r.items.size()) == menu_items_per_menu)
        in.error(at, "a menu holds " + std::to_string(menu_items_per_menu) + " items");
      r.items.push_back("raise:" + value);
    } else if (word == "<savegame_slot>") {
      float xy[2];
      if (in.scan(" %f , %f", xy, word)) r.slots.push_back({int(xy[0]), int(xy[1])});
      if (int(r.slots.size()) > menu_slot_capacity)
        in.error(at, "a menu shows " + std::to_string(menu_slot_capacity) + " slot labels; the engine skips more");
    } else {
      command(word);
    }
  }
  for (const char* required : {"gameover", "victory"})
    if (!menu_names_.count(required)) in.error(std::string("defines no menu '") + required + "' (the game shows it)");

  // Each menu against the backdrop it shows: the items the picture paints,
  // the highlight model made from the same picture, and the slot labels on
  // the plaques of the first items.
  for (const menu_record& r : records) {
    std::string source = demo_source_of(demo_dir_, r.background);
    if (source.empty()) continue;
    source = fs::path(source).replace_extension(".txt").lexically_normal().generic_string();
    diagnostics quiet;  // the picture step reports the backdrop's own mistakes
    recipe backdrop(source, quiet);
    menu_layout layout;
    if (!backdrop.load() || !read_menu_layout(backdrop, layout)) continue;
    std::string where = "menu '" + r.name + "'";
    if (layout.items.size() != r.items.size())
      in.error(r.at, where + " has " + std::to_string(r.items.size()) + " items but its backdrop paints " +
                         std::to_string(layout.items.size()));
    auto mesh = catalogue_.meshes.find(r.mesh);
    if (mesh != catalogue_.meshes.end() && mesh->second.backdrop != source)
      in.error(r.at, where + ": model " + r.mesh + " highlights the items of another backdrop");
    for (size_t i = 0; i < r.slots.size() && i < size_t(menu_slot_capacity); ++i) {
      int x = 0, y = 0;
      slot_label_position(layout, int(i), x, y);
      if (r.slots[i] != std::make_pair(x, y))
        in.error(r.at, where + ": slot " + std::to_string(i) + " label should sit at " + std::to_string(x) + " , " +
                           std::to_string(y) + " on item " + std::to_string(i) + "'s plaque");
    }
  }
}

void definition_checker::resolve() {
  for (const pending_name& ref : weapon_refs_)
    if (!weapon_names_.count(ref.name))
      sink_.report(ref.path, ref.at, "no weapon '" + ref.name + "' in the weapons file");
  for (const pending_name& ref : key_refs_)
    if (!key_names_.count(ref.name))
      sink_.report(ref.path, ref.at, "no key item carries the key '" + ref.name + "' that opens this door");
  for (const pending_name& ref : menu_refs_)
    if (!menu_names_.count(ref.name)) sink_.report(ref.path, ref.at, "no menu '" + ref.name + "'");
}

}  // namespace

std::string demo_source_of(const std::string& demo_dir, const std::string& data_path) {
  if (data_path.compare(0, 5, "data/") != 0) return {};
  return (fs::path(demo_dir) / data_path.substr(5)).lexically_normal().generic_string();
}

bool check_definitions(const std::string& demo_dir, const definition_catalogue& catalogue, diagnostics& sink) {
  int errors_before = sink.count();
  definition_checker checker(demo_dir, catalogue, sink);
  checker.model_list();
  checker.weapons();
  checker.player();
  checker.enemies();
  checker.menus();
  checker.resolve();
  return sink.count() == errors_before;
}
