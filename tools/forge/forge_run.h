// What one forge run is asked to do and what it hands back: the whole run
// (forge.h), its model step (model_forge.h), the watch and the contact sheet
// share them.
#pragma once
#include <string>
#include <vector>

#include "common/image.h"

struct forge_options {
  std::string demo_dir;
  std::string data_dir;  // empty: forge in memory only (contact sheet)
  std::string font_dir;
  bool keep_previews = false;
  std::string level_preview_dir;  // non-empty: a top-down picture of each level goes here
};

// A small copy of one forged picture, for the contact sheet.
struct forge_preview {
  std::string name;
  forge_image image;
  bool alpha = false;
};

struct forge_result {
  std::vector<std::string> outputs;  // data paths written, sorted
  std::vector<forge_preview> previews;
};
