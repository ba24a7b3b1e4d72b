// kel-forge's whole run: every recipe under demo/ into the game's data/.
//
//   demo/textures/**.txt  -> data/textures/**.tga / .jpg (.tga.bz2)   pictures/picture_recipe.h
//   demo/sounds/*.txt     -> data/sound/*.wav                         sounds/sound_recipe.h
//   demo/setup/setup.txt  -> data/setup_base.bmp, data/setup_select.bmp
//   demo/<file>           -> data/<file> (text definition files, copied;
//                            tex.list and sound.list are checked against
//                            what was forged)
//   demo/levels/*.txt     -> data/maps/NAME.pack, _guv, _lm.raw      level_forge.h
#pragma once
#include "common/recipe.h"
#include "forge_run.h"

// Forges everything; problems go to `sink`. Returns true when there were none.
bool run_forge(const forge_options& options, diagnostics& sink, forge_result& result);
