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

// The setting a tag word names: "<volume>" the volume.
const player_setting* find_tag(const char* word) {
  size_t length = std::strlen(word);
  if (length < 2 || word[0] != '<' || word[length - 1] != '>') return nullptr;
  return find_player_setting(std::string(word + 1, length - 2).c_str());
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
  const player_setting* known = find_tag(tag);
  if (!known) {
    file.kept_lines.push_back(line);
    return;
  }
  char value[tag_word_capacity] = "";
  int& target = file.values.*known->field;
  if (reader.word(value) && parse_value(value, known->range, target)) return;
  target = known->range.fallback;
  char problem[loading_line_capacity];
  std::snprintf(problem, sizeof problem, "<%s> \"%.40s\" is not %d..%d, %d used", known->name, value,
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
  for (const player_setting& s : player_setting_table)
    text += "<" + std::string(s.name) + "> " + std::to_string(file.values.*s.field) + "\n";
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
