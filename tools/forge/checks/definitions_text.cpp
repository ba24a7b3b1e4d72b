#include "checks/definitions_text.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
}  // namespace

recipe_position definition_text::here() const {
  recipe_position at{1, 1};
  for (size_t i = 0; i < pos_ && i < text_.size(); ++i) {
    if (text_[i] == '\n') {
      ++at.line;
      at.column = 1;
    } else {
      ++at.column;
    }
  }
  return at;
}

void definition_text::skip_space() {
  while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

bool definition_text::word(std::string& out, recipe_position& at) {
  skip_space();
  if (pos_ >= text_.size()) return false;
  at = here();
  size_t start = pos_;
  while (pos_ < text_.size() && !is_blank(text_[pos_])) ++pos_;
  out = text_.substr(start, pos_ - start);
  return true;
}

bool definition_text::value(std::string& out, recipe_position& at, const std::string& tag) {
  if (word(out, at)) return true;
  error(here(), tag + " needs a value before the end of the file");
  return false;
}

bool definition_text::integer(int& out, const std::string& tag) {
  std::string w;
  recipe_position at;
  if (!value(w, at, tag)) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(w.c_str(), &end, 10);
  if (w.empty() || *end || errno || v < INT_MIN || v > INT_MAX) {
    error(at, tag + " needs a whole number, not '" + w + "'");
    return false;
  }
  out = int(v);
  return true;
}

bool definition_text::number(float& out, const std::string& tag) {
  std::string w;
  recipe_position at;
  if (!value(w, at, tag)) return false;
  char* end = nullptr;
  float v = std::strtof(w.c_str(), &end);
  if (w.empty() || *end) {
    error(at, tag + " needs a number, not '" + w + "'");
    return false;
  }
  out = v;
  return true;
}

bool definition_text::scan(const char* format, float* values, const std::string& tag) {
  for (const char* f = format; *f; ++f) {
    if (*f == ' ') {
      skip_space();
      continue;
    }
    if (f[0] == '%' && f[1] == 'f') {
      ++f;
      char* end = nullptr;
      const char* start = text_.c_str() + pos_;
      float v = pos_ < text_.size() && !is_blank(text_[pos_]) ? std::strtof(start, &end) : 0.0f;
      if (!end || end == start) {
        error(here(), tag + " needs a number here (its values read '" + format + "')");
        return false;
      }
      *values++ = v;
      pos_ += size_t(end - start);
      continue;
    }
    if (pos_ >= text_.size() || text_[pos_] != *f) {
      error(here(), tag + " needs '" + std::string(1, *f) + "' here (its values read '" + format + "')");
      return false;
    }
    ++pos_;
  }
  return true;
}
