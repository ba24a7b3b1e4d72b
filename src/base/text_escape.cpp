#include "base/text_escape.h"

static size_t replace_all(char* text, char from, char to) {
  size_t n = 0;
  for (; text[n]; ++n)
    if (text[n] == from) text[n] = to;
  return n;
}

size_t strmake_(char* text) { return replace_all(text, ' ', '_'); }
size_t strunmake_(char* text) { return replace_all(text, '_', ' '); }
