#include "setup/setup_config.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

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

namespace {

bool fail(std::string& error, const std::string& what) {
  error = what + ": " + std::strerror(errno);
  return false;
}

bool write_all(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string directory_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

bool write_setup_config(const char* path, const std::string& text, std::string& error) {
  std::string temporary = std::string(path) + ".new." + std::to_string(getpid());
  ::unlink(temporary.c_str());  // a leftover of an earlier run with the same id
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return fail(error, "cannot create " + temporary);
  bool written = write_all(fd, text) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    saved = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    errno = saved;
    return fail(error, "cannot write " + temporary);
  }
  if (::rename(temporary.c_str(), path) != 0) {
    saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
    return fail(error, "cannot replace " + std::string(path));
  }
  // The rename itself must reach the disk too; a directory that cannot be
  // synced does not undo a write that has already succeeded.
  int dir = ::open(directory_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}
