// kel-forge --watch: forges everything once, then keeps watching the demo
// sources and forges again what a change affects, printing one line per
// result or problem:
//
//   a level source (demo/levels/NAME.txt, .tmx, .tmj, bench/)  that level
//   a tileset (.tsx) under demo/levels                          every Tiled level
//   anything else under demo/                                   everything
//
// A level's files are replaced whole (written beside, then renamed, the pack
// last), so a game reading them meanwhile sees the old or the new level,
// never half of one; the other outputs are rewritten in place.
#pragma once
#include "forge_run.h"

// Runs until the process is stopped.
[[noreturn]] void watch_forge(const forge_options& options);
