#include "content/texture_list.h"

#include <cstring>

#include "content/definition_words.h"
#include "content/tagged_reader.h"

char textura_list[texture_capacity][content_name_capacity];
int textur;

int load_textura_list() {
  textur = 0;
  tagged_reader reader;
  if (!reader.open("data/tex.list")) return 1;
  while (textur < texture_capacity && !reader.at_end()) {
    // A name too long for the list keeps its slot, empty, so that the indices
    // of the names after it (stored in every map) stay right.
    textura_list[textur][0] = '\0';
    read_name(reader, textura_list[textur]);
    ++textur;
  }
  return 0;
}

int find_texture(const char* name) {
  for (int i = 0; i < textur; ++i)
    if (!std::strcmp(textura_list[i], name)) return i;
  return -1;
}
