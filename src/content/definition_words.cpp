#include "content/definition_words.h"

#include <cstdio>
#include <cstring>

#include "base/loading_log.h"
#include "content/tagged_reader.h"

bool read_name(tagged_reader& reader, char* out, size_t capacity) {
  // One character more than any field, so an over-long word shows itself.
  char word[tag_word_capacity + 1];
  if (!reader.word(word)) return false;
  if (std::strlen(word) >= capacity) return false;
  std::memcpy(out, word, std::strlen(word) + 1);
  return true;
}

void log_content_failure(const char* path, const char* problem) {
  char line[loading_line_capacity];
  if (problem)
    std::snprintf(line, sizeof line, "%s: %s", path, problem);
  else
    std::snprintf(line, sizeof line, "%s", path);
  draw_loading_failed(line);
}
