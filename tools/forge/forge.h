// kel-forge's whole run: every recipe under demo/ into the game's data/.
//
//   demo/textures/**.txt  -> data/textures/**.tga / .jpg (.tga.bz2)   picture_recipe.h
//   demo/sounds/*.txt     -> data/sound/*.wav                         sound_recipe.h
//   demo/setup/setup.txt  -> data/setup_base.bmp, data/setup_select.bmp
//   demo/<file>           -> data/<file> (text definition files, copied;
//                            tex.list and sound.list are checked against
//                            what was forged)
//   demo/levels/*.txt     -> data/maps/NAME.pack, _guv, _lm.raw      level_forge.h
#pragma once
#include <string>
#include <vector>

#include "image.h"
#include "recipe.h"

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

// Forges everything; problems go to `sink`. Returns true when there were none.
bool run_forge(const forge_options& options, diagnostics& sink, forge_result& result);
