#include "levels/level_source.h"

#include <algorithm>
#include <cstdio>

#include "level/kel_map.h"
#include "lightmaps/lightmap_atlas.h"
#include "world/level_settings.h"
#include "world/map_grid.h"

namespace {

constexpr float level_max_wall_height = 16.0f;
constexpr float level_default_wall_cut = 2.2f;  // the engine's start-up value

struct kind_word {
  const char* word;
  int kind;
};
constexpr kind_word kind_words[] = {
    {"floor", cell_free}, {"wall", cell_wall}, {"door", cell_door_closed}, {"barrier", cell_barrier}};

// The i-th bare value of an entry, with its position.
const recipe_value& bare_value(const recipe_entry& entry, size_t i) {
  for (const recipe_argument& a : entry.arguments)
    if (a.name.empty() && i-- == 0) return a.value;
  return entry.keyword;
}

// Where character k of a row or symbol value is written.
recipe_position char_at(const recipe_value& value, size_t k) {
  return {value.at.line, value.at.column + int(k) + (value.quoted ? 1 : 0)};
}

std::string printable(char c) {
  char text[8];
  if (c >= 32 && c < 127)
    std::snprintf(text, sizeof text, "'%c'", c);
  else
    std::snprintf(text, sizeof text, "0x%02x", unsigned(uint8_t(c)));
  return text;
}

// Checks the settings words (tags and their values) and writes them in one
// order, each tag once with its last value, the numbers as the engine reads
// them back: two sources that say the same thing store the same words.
class settings_reader {
 public:
  settings_reader(recipe& source, const std::vector<recipe_value>& words, recipe_position level_at,
                  level_settings_words& out)
      : source_(source), words_(words), level_at_(level_at), out_(out) {}

  void read() {
    level_settings_words& s = out_;
    float cut = -1.0f;
    for (size_t i = 0; i < words_.size();) {
      tag_ = i;
      const std::string& word = words_[i].text;
      size_t values = word == "<ambient_lightsource>" ? 3
                      : word == "<wall_height>" || word == "<wall_height_cut>" || word == "<next_level>" ? 1
                                                                                                        : 0;
      if (values == 0) {
        source_.error(words_[i].at, "unknown setting '" + word +
                                        "' (<ambient_lightsource>, <wall_height>, <wall_height_cut>, "
                                        "<next_level>)");
        ++i;
        continue;
      }
      if (!has_values(i, values)) break;
      if (word == "<ambient_lightsource>") {
        for (int c = 0; c < 3; ++c) number_word(i + 1 + size_t(c), 0.0f, 1.0f, s.ambient[c]);
      } else if (word == "<wall_height>") {
        number_word(i + 1, 0.1f, level_max_wall_height, s.wall_height);
      } else if (word == "<wall_height_cut>") {
        number_word(i + 1, 0.1f, level_max_wall_height, cut);
      } else {
        s.next_level = words_[i + 1].text;
        s.next_level_at = words_[i + 1].at;
        if (!is_map_word(s.next_level.c_str()))
          source_.error(s.next_level_at, "<next_level> needs a level path of at most 255 characters");
      }
      i += 1 + values;
    }
    if (cut > s.wall_height) source_.error(level_at_, "<wall_height_cut> must not exceed <wall_height>");
    // A level that leaves a setting out would inherit it from whichever level
    // was played before; every forged level states all three. The start-up
    // cut height stands in for a missing one, or the whole wall where walls
    // are lower.
    if (cut < 0.0f) cut = std::min(s.wall_height, level_default_wall_cut);
    s.words = {"<ambient_lightsource>", number_text(s.ambient[0]), number_text(s.ambient[1]),
               number_text(s.ambient[2])};
    if (!s.next_level.empty()) s.words.insert(s.words.end(), {"<next_level>", s.next_level});
    s.words.insert(s.words.end(), {"<wall_height>", number_text(s.wall_height), "<wall_height_cut>", number_text(cut)});
    static_assert(level_setting_capacity >= 10, "the settings words of a level fit the engine's table");
  }

 private:
  static std::string number_text(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(value));
    return text;
  }

  bool number_word(size_t i, float lo, float hi, float& out) {
    const recipe_value& v = words_[i];
    double value = 0;
    if (!parse_recipe_number(v.text, value) || value < lo || value > hi) {
      char range[64];
      std::snprintf(range, sizeof range, "a number from %g to %g", double(lo), double(hi));
      source_.error(v.at, words_[tag_].text + " needs " + range + ", not '" + v.text + "'");
      return false;
    }
    out = float(value);
    return true;
  }

  bool has_values(size_t i, size_t count) {
    if (i + count < words_.size()) return true;
    source_.error(words_[i].at, words_[i].text + " needs " + std::to_string(count) +
                                            (count == 1 ? " value" : " values"));
    return false;
  }

  recipe& source_;
  const std::vector<recipe_value>& words_;
  recipe_position level_at_;
  level_settings_words& out_;
  size_t tag_ = 0;
};

class level_reader {
 public:
  level_reader(recipe& source, level_source& out) : source_(source), out_(out) {}

  void read() {
    const std::vector<recipe_entry>& entries = source_.entries();
    if (entries.empty() || entries[0].keyword.text != "level") {
      source_.error(entries.empty() ? recipe_position{1, 1} : entries[0].keyword.at,
                    "a level source starts with the line 'level'");
      return;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
      const recipe_entry& entry = entries[i];
      const std::string& keyword = entry.keyword.text;
      recipe_args args(source_, entry);
      if (keyword == "level" && i == 0)
        level_line(args);
      else if (keyword == "legend")
        legend(args);
      else if (keyword == "settings")
        settings(args);
      else if (keyword == "row")
        row(args);
      else {
        source_.error(entry.keyword.at, "unknown keyword '" + keyword + "' (level, settings, legend or row)");
        continue;
      }
      args.finish();
    }
    read_level_settings(source_, setting_words_, out_.level_at, out_.settings);
    check_level_rows(source_, out_);
  }

 private:
  void level_line(recipe_args& args) {
    out_.level_at = args.entry().keyword.at;
    args.integer("texels", out_.texels_per_cell, 1, lightmap_max_texels_per_cell);
    int store = 0;
    args.choice("lightmap", store, {"plain", "bz2"});
    out_.lightmap_bz2_only = store == 1;
  }

  void legend(recipe_args& args) {
    const recipe_entry& entry = args.entry();
    legend_entry e;
    // Named values first, so a refused entry does not also report them unused.
    std::string like, texture, model, enemy;
    int rotation = -1;
    args.word("like", like);
    args.word("texture", texture);
    args.word("model", model);
    args.word("enemy", enemy);
    args.integer("rotation", rotation, 0, 3);
    std::string symbol = args.bare(0, "a character");
    std::vector<std::string> words;
    for (size_t i = 1; i < args.bare_count(); ++i) words.push_back(args.bare(i, ""));
    if (args.bare_count() == 0) return;
    const recipe_value& symbol_value = bare_value(entry, 0);
    e.at = symbol_value.at;
    if (symbol.size() != 1 || symbol[0] == '"' || symbol[0] == '\\' || symbol[0] < 32 || symbol[0] > 126) {
      source_.error(e.at, "a legend character is one printable character other than '\"' and '\\', not \"" +
                              symbol + "\"");
      return;
    }
    e.symbol = symbol[0];
    if (find_symbol(e.symbol) >= 0) {
      source_.error(e.at, "legend character " + printable(e.symbol) + " is defined twice");
      return;
    }
    bool has_kind = false;
    if (!like.empty()) {
      int base = find_symbol(like.size() == 1 ? like[0] : 0);
      if (base < 0) {
        source_.error(value_of(entry, "like").at, "like= names a legend character defined above, not \"" + like + "\"");
        return;
      }
      const legend_entry& b = out_.legend[size_t(base)];
      e.kind = b.kind;
      e.texture = b.texture;
      e.texture_at = b.texture_at;
      e.model = b.model;
      e.model_at = b.model_at;
      e.rotation = b.rotation;
      has_kind = true;
    }
    bool kind_given = false;
    for (size_t i = 1; i <= words.size(); ++i) {
      const std::string& word = words[i - 1];
      const recipe_value& value = bare_value(entry, i);
      if (int kind = level_kind_of_word(word); kind >= 0) {
        if (kind_given) source_.error(value.at, "a legend entry has one kind");
        e.kind = kind;
        kind_given = has_kind = true;
      } else if (word == "start") {
        e.start = true;
      } else if (word == "exit") {
        e.exit = true;
      } else {
        source_.error(value.at, "expected floor, wall, door, barrier, start or exit, not '" + word + "'");
      }
    }
    if (!has_kind) source_.error(e.at, "legend " + printable(e.symbol) + " needs a kind (floor, wall, door, barrier) or like=");
    if (args.has("texture")) {
      e.texture = texture;
      e.texture_at = value_of(entry, "texture").at;
    }
    if (args.has("model")) {
      e.model = model;
      e.model_at = value_of(entry, "model").at;
    }
    if (args.has("enemy")) {
      e.enemy = enemy;
      e.enemy_at = value_of(entry, "enemy").at;
    }
    if (rotation >= 0) e.rotation = rotation;
    if (e.texture.empty()) source_.error(e.at, "legend " + printable(e.symbol) + " needs texture=");
    out_.legend.push_back(e);
  }

  // The settings words are the level settings block itself; each is checked
  // so that a typo cannot silently leave a value to the previous level.
  void settings(recipe_args& args) {
    for (size_t i = 0; i < args.bare_count(); ++i) {
      args.bare(i, "");
      setting_words_.push_back(bare_value(args.entry(), i));
    }
  }

  void row(recipe_args& args) {
    std::string text = args.bare(0, "the row's cells in quotes");
    if (args.bare_count() == 0) return;
    const recipe_value& value = bare_value(args.entry(), 0);
    out_.rows.push_back(text);
    out_.row_at.push_back(char_at(value, 0));
  }

  int find_symbol(char c) const {
    for (size_t i = 0; i < out_.legend.size(); ++i)
      if (out_.legend[i].symbol == c) return int(i);
    return -1;
  }

  static const recipe_value& value_of(const recipe_entry& entry, const char* name) {
    for (const recipe_argument& a : entry.arguments)
      if (a.name == name) return a.value;
    return entry.keyword;
  }

  recipe& source_;
  level_source& out_;
  std::vector<recipe_value> setting_words_;
};

}  // namespace

int level_kind_of_word(const std::string& word) {
  for (const kind_word& k : kind_words)
    if (word == k.word) return k.kind;
  return -1;
}

const char* level_kind_word(int kind) {
  for (const kind_word& k : kind_words)
    if (kind == k.kind) return k.word;
  return nullptr;
}

void read_level_settings(recipe& source, const std::vector<recipe_value>& words, recipe_position level_at,
                         level_settings_words& out) {
  out = level_settings_words{};
  settings_reader(source, words, level_at, out).read();
}

void check_level_rows(recipe& source, const level_source& level) {
  if (level.rows.empty()) {
    source.error(level.level_at, "a level needs at least one row");
    return;
  }
  size_t width = level.rows[0].size();
  if (level.rows.size() > size_t(map_size_limit))
    source.error(level.row_at[size_t(map_size_limit)], "a level has at most 255 rows");
  if (width == 0 || width > size_t(map_size_limit))
    source.error(level.row_at[0], "a row has 1 to 255 cells, not " + std::to_string(width));
  int starts = 0, first_x = 0, first_z = 0;
  for (size_t z = 0; z < level.rows.size(); ++z) {
    const std::string& r = level.rows[z];
    if (r.size() != width) {
      recipe_position at = level.row_at[z];
      at.column += int(std::min(r.size(), width));
      source.error(at, "row is " + std::to_string(r.size()) + " cells wide, the first row " + std::to_string(width));
    }
    for (int x = 0; x < int(r.size()); ++x) {
      int e = level.legend_at(x, int(z));
      if (e < 0) {
        source.error(level.cell_at(x, int(z)), "character " + printable(r[size_t(x)]) + " is not in the legend");
        continue;
      }
      if (!level.legend[size_t(e)].start) continue;
      if (starts++ == 0) {
        first_x = x;
        first_z = int(z);
        continue;
      }
      recipe_position first = level.cell_at(first_x, first_z);
      std::string where = first.line > 0 ? std::to_string(first.line) + ":" + std::to_string(first.column)
                                         : "x " + std::to_string(first_x) + ", z " + std::to_string(first_z);
      source.error(level.cell_at(x, int(z)), "a second start position (the first is at " + where + ")");
    }
  }
  if (starts == 0) source.error(level.row_at[0], "no start position: no row holds a legend character marked start");
}

int level_source::legend_at(int x, int z) const {
  if (z < 0 || z >= depth() || x < 0 || x >= int(rows[size_t(z)].size())) return -1;
  char c = rows[size_t(z)][size_t(x)];
  for (size_t i = 0; i < legend.size(); ++i)
    if (legend[i].symbol == c) return int(i);
  return -1;
}

recipe_position level_source::cell_at(int x, int z) const {
  if (!cell_places.empty()) return cell_places[size_t(z) * size_t(width()) + size_t(x)];
  recipe_position at = row_at[size_t(z)];
  at.column += x;
  return at;
}

bool read_level_source(recipe& source, level_source& out) {
  int before = source.sink().count();
  out = level_source{};
  level_reader(source, out).read();
  return source.sink().count() == before;
}
