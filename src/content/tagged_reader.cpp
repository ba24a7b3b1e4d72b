#include "content/tagged_reader.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

static bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool tagged_reader::open(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  std::string text;
  char block[65536];
  size_t got;
  while (text.size() < tag_file_limit && (got = std::fread(block, 1, sizeof block, f)) > 0)
    text.append(block, got < tag_file_limit - text.size() ? got : tag_file_limit - text.size());
  std::fclose(f);
  open_text(std::move(text));
  return true;
}

void tagged_reader::open_text(std::string text) {
  text_ = std::move(text);
  pos_ = 0;
}

void tagged_reader::skip_space() {
  while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

bool tagged_reader::at_end() {
  skip_space();
  return pos_ >= text_.size();
}

bool tagged_reader::word(char* out, size_t capacity) {
  skip_space();
  if (pos_ >= text_.size()) {
    if (capacity) out[0] = '\0';
    return false;
  }
  size_t n = 0;
  while (pos_ < text_.size() && !is_blank(text_[pos_])) {
    if (n + 1 < capacity) out[n++] = text_[pos_];
    ++pos_;
  }
  if (capacity) out[n] = '\0';
  skip_space();
  return true;
}

// Parses a number at pos_ with the C library's own grammar; the text is
// NUL-terminated by std::string, so the parser stops at the buffer's end.
static bool parse_int(const std::string& text, size_t& pos, int& out) {
  const char* start = text.c_str() + pos;
  if (is_blank(*start)) return false;  // the format's blank already took the whitespace
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(start, &end, 10);
  if (end == start) return false;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  out = static_cast<int>(v);
  pos += static_cast<size_t>(end - start);
  return true;
}

static bool parse_float(const std::string& text, size_t& pos, float& out) {
  const char* start = text.c_str() + pos;
  if (is_blank(*start)) return false;
  char* end = nullptr;
  float v = std::strtof(start, &end);
  if (end == start) return false;
  out = v;
  pos += static_cast<size_t>(end - start);
  return true;
}

static bool is_conversion(const char* f) { return f[0] == '%' && (f[1] == 'd' || f[1] == 'f'); }

int tagged_reader::scan(const char* format, ...) {
  va_list args;
  va_start(args, format);
  int stored = 0;
  const char* f = format;
  while (*f) {
    if (is_blank(*f)) {
      skip_space();
      ++f;
      continue;
    }
    if (is_conversion(f)) {
      size_t pos = pos_;
      bool ok = f[1] == 'd' ? parse_int(text_, pos, *va_arg(args, int*))
                            : parse_float(text_, pos, *va_arg(args, float*));
      if (!ok) break;
      pos_ = pos;
      ++stored;
      f += 2;
      continue;
    }
    // A run of literal characters matches as a whole or not at all, so a
    // near miss such as "fog" for "fire" is read again as its own word.
    size_t pos = pos_;
    bool matched = true;
    do {
      if (pos >= text_.size() || text_[pos] != *f) {
        matched = false;
        break;
      }
      ++pos;
      ++f;
    } while (*f && !is_blank(*f) && !is_conversion(f));
    if (!matched) break;
    pos_ = pos;
  }
  va_end(args);
  return stored;
}
