#include "content/settings_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/file_replace.h"
#include "base/loading_log.h"
#include "content/definition_words.h"  // log_content_failure
#include "content/tagged_reader.h"

namespace {

struct setting_tag {
  const char* tag;
  int player_settings_t::*value;
  setting_range range;
};

// The order in which the settings are written.
constexpr setting_tag setting_tags[] = {
    {"<volume>", &player_settings_t::volume, volume_range},
    {"<vsync>", &player_settings_t::vsync, vsync_range},
    {"<pad_sensitivity>", &player_settings_t::pad_sensitivity, pad_sensitivity_range},
    {"<rumble>", &player_settings_t::rumble, rumble_range},
};

const setting_tag* find_tag(const char* word) {
  for (const setting_tag& t : setting_tags)
    if (!std::strcmp(t.tag, word)) return &t;
  return nullptr;
}

// The whole word as a decimal number inside the range.
bool parse_value(const char* word, setting_range range, int& out) {
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(word, &end, 10);
  if (end == word || *end || errno == ERANGE || v < range.lowest || v > range.highest) return false;
  out = static_cast<int>(v);
  return true;
}

void read_line(const std::string& line, settings_file& file) {
  tagged_reader reader;
  reader.open_text(line);
  char tag[tag_word_capacity];
  if (!reader.word(tag)) return;  // a blank line is not worth keeping
  const setting_tag* known = find_tag(tag);
  if (!known) {
    file.kept_lines.push_back(line);
    return;
  }
  char value[tag_word_capacity] = "";
  int& target = file.values.*known->value;
  if (reader.word(value) && parse_value(value, known->range, target)) return;
  target = known->range.fallback;
  char problem[loading_line_capacity];
  std::snprintf(problem, sizeof problem, "%s \"%.40s\" is not %d..%d, %d used", known->tag, value,
                known->range.lowest, known->range.highest, known->range.fallback);
  log_content_failure(settings_path, problem);
}

// The unknown lines of the file loaded last, written back by save_settings.
std::vector<std::string> loaded_kept_lines;

}  // namespace

settings_file read_settings_text(const std::string& text) {
  settings_file file;
  std::istringstream lines(text);
  std::string line;
  // A carriage return is white space to the reader, and a kept line keeps
  // it, so a file from another system comes back as it was.
  while (std::getline(lines, line)) read_line(line, file);
  return file;
}

std::string settings_text(const settings_file& file) {
  std::string text;
  for (const setting_tag& t : setting_tags)
    text += std::string(t.tag) + " " + std::to_string(file.values.*t.value) + "\n";
  for (const std::string& line : file.kept_lines) text += line + "\n";
  return text;
}

void load_settings() {
  std::ifstream in(settings_path, std::ios::binary);
  std::string text;
  // Read as the tagged reader reads: no further than its limit.
  char block[65536];
  while (in && text.size() < tag_file_limit) {
    in.read(block, static_cast<std::streamsize>(std::min(sizeof block, tag_file_limit - text.size())));
    text.append(block, static_cast<size_t>(in.gcount()));
  }
  settings_file file = read_settings_text(text);
  player_settings = file.values;
  loaded_kept_lines = std::move(file.kept_lines);
}

bool save_settings() {
  settings_file file{player_settings, loaded_kept_lines};
  std::string text = settings_text(file);
  if (replace_file(settings_path, text.data(), text.size())) return true;
  char line[loading_line_capacity];
  std::snprintf(line, sizeof line, "%s: not written (%s)", settings_path, std::strerror(errno));
  record_loading_failure(line);
  return false;
}
