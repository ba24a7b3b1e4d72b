// kel-forge --watch: forges everything once, then keeps watching the demo
// sources and forges again what a change affects, printing one line per
// result or problem:
//
//   a level source (demo/levels/NAME.txt, .tmx, .tmj, bench/)  that level
//   a tileset (.tsx) under demo/levels                          every Tiled level
//   anything else under demo/                                   everything
//
// Output files are replaced whole (written beside, then renamed), so a game
// reading them meanwhile sees the old or the new file, never half of one.
#pragma once
#include "forge.h"

// Runs until the process is stopped; returns only when `rounds` (for tests,
// 0: forever) polls have passed.
int watch_forge(const forge_options& options, long rounds = 0);
