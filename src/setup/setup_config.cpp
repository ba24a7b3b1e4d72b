#include "setup/setup_config.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/file_replace.h"  // the same safe replacement the game's saves use

namespace {

// Long enough for every tag and number; longer words are cut and marked, so
// they can match neither.
constexpr size_t config_word_capacity = 124;

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

class word_reader {
 public:
  explicit word_reader(std::FILE* in) : in_(in) {}

  // The next word; false at the end of the stream (or a read error).
  bool next() {
    if (held_) {
      held_ = false;
      return true;
    }
    int c;
    do c = std::getc(in_);
    while (c != EOF && is_blank(c));
    if (c == EOF) return false;
    length_ = 0;
    cut_ = false;
    for (; c != EOF && !is_blank(c); c = std::getc(in_)) {
      if (length_ < config_word_capacity) buffer_[length_++] = static_cast<char>(c);
      else cut_ = true;
    }
    return true;
  }
  // Hands the current word out again on the next call of next().
  void put_back() { held_ = true; }

  bool is(std::string_view tag) const { return !cut_ && std::string_view(buffer_, length_) == tag; }

  // The word as a whole decimal integer.
  bool integer(int& out) const {
    if (cut_ || length_ == 0) return false;
    char text[config_word_capacity + 1];
    std::memcpy(text, buffer_, length_);
    text[length_] = '\0';
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
  }

 private:
  std::FILE* in_;
  char buffer_[config_word_capacity];
  size_t length_ = 0;
  bool cut_ = false;
  bool held_ = false;
};

// Reads `count` integers; on the first word that is not one, puts it back.
bool read_integers(word_reader& words, int* out, int count) {
  for (int k = 0; k < count; ++k) {
    if (!words.next()) return false;
    if (!words.integer(out[k])) {
      words.put_back();
      return false;
    }
  }
  return true;
}

bool usable_size(int pixels) { return pixels > 0 && pixels <= setup_resolution_limit; }

}  // namespace

void read_setup_config(std::FILE* in, setup_settings& settings) {
  word_reader words(in);
  while (words.next()) {
    int values[2];
    if (words.is("<resolution>")) {
      if (read_integers(words, values, 2)) {
        settings.resolution_x = values[0];
        settings.resolution_y = values[1];
      }
    } else if (words.is("<fullscreen>")) {
      if (read_integers(words, values, 1)) settings.fullscreen = values[0] != 0;
    } else if (words.is("<MULTITEXTURING_DISABLE>")) {
      settings.multitexturing = 0;
    }
  }
  // Writing an unusable size back would keep the game from opening a window.
  if (!usable_size(settings.resolution_x) || !usable_size(settings.resolution_y)) {
    settings.resolution_x = 800;
    settings.resolution_y = 600;
  }
  set_markers(settings);
}

setup_settings load_setup_config(const char* path) {
  setup_settings settings;
  if (std::FILE* in = std::fopen(path, "rb")) {
    read_setup_config(in, settings);
    std::fclose(in);
  }
  return settings;
}

std::string setup_config_text(const setup_settings& settings) {
  std::string text = "<fullscreen> " + std::to_string(settings.fullscreen) + "\n";
  text += "<resolution> " + std::to_string(settings.resolution_x) + " " + std::to_string(settings.resolution_y) + "\n";
  text += "<color_depth> 32\n<marks_life> 25.0\n";
  if (!settings.multitexturing) text += "<MULTITEXTURING_DISABLE>\n";
  return text;
}

bool write_setup_config(const char* path, const std::string& text, std::string& error) {
  if (replace_file(path, text.data(), text.size())) return true;
  error = "cannot write " + std::string(path) + ": " + std::strerror(errno);
  return false;
}
