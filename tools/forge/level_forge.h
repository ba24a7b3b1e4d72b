// The forge's level step: every demo/levels/NAME.txt (or Tiled map NAME.tmx,
// NAME.tmj) becomes data/maps/NAME (.pack, _guv, _lm.raw or _lm.raw.bz2),
// compiled against the content the earlier steps forged into the same data
// folder, so it runs last. It first writes the Tiled tileset of that content
// (demo/levels/kel.tsx and kel.png, not kept in git) that Tiled maps use. The
// benchmark level (legend in demo/levels/bench/bench.txt, rows generated)
// becomes data/maps/bench; no campaign level leads to it.
#pragma once
#include <string>
#include <vector>

#include "common/recipe.h"

struct level_forge_request {
  std::string demo_dir;
  std::string data_dir;     // empty: nothing is compiled
  std::string preview_dir;  // empty: no pictures; else one NAME.png per level
  std::string font_dir;     // for the names on the Tiled tileset's picture
  // Non-empty: only the levels of these names are compiled (the rest still
  // count as made for <next_level>); the watching forge re-forges one level.
  std::vector<std::string> only;
};

// Appends the data paths written ("data/maps/test.pack", ...) to `outputs`.
// Problems go to `sink`; false when there were any.
bool forge_levels(const level_forge_request& request, diagnostics& sink, std::vector<std::string>& outputs);

// The seed of the benchmark level's rows.
constexpr unsigned bench_level_seed = 2024;
