#include "content/definition_ranges.h"

#include <cstdio>

#include "content/definition_words.h"
#include "content/tagged_reader.h"

int32_t clamp_to_range(int32_t value, number_range range) {
  return value < range.low ? range.low : value > range.high ? range.high : value;
}

bool read_number(tagged_reader& reader, const char* path, const char* tag, number_range range, int32_t& value) {
  int read = 0;
  if (reader.scan(" %d ", &read) != 1) return false;
  value = clamp_to_range(read, range);
  if (value != read) {
    char problem[128];
    std::snprintf(problem, sizeof problem, "%s %d held to %d..%d", tag, static_cast<int>(read),
                  static_cast<int>(range.low), static_cast<int>(range.high));
    log_content_failure(path, problem);
  }
  return true;
}
