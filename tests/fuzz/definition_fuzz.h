// Shared set-up of the definition-file fuzz targets: content lists with one
// animated mesh so that model, texture and animation names can resolve, and
// the step that hands an input to a loader through its real file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"
#include "support/animated_md2.h"

// Model 0 is "data/fuzz.md2" with the animations stand, run, attack and death.
inline void load_fuzz_content() {
  write_animated_md2("data/fuzz.md2", {"stand01", "stand02", "run01", "run02", "run03", "attack01",
                                       "death01", "death02"});
  std::ofstream("data/fuzz_model") << "<model> data/fuzz.md2\n";
  std::ofstream("data/model.list") << "data/fuzz_model\n";
  std::ofstream("data/tex.list") << "skin.tga pain.tga hud.tga\n";
  load_textura_list();
  load_models();
}

inline void write_fuzz_input(const char* path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
