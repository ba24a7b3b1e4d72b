#!/usr/bin/env python3
"""scripts/check_layers.py on small trees, each with one fault: the check must
fail and name it. A clean tree must pass."""
import os
import subprocess
import sys
import tempfile

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
checker = os.path.join(root, "scripts", "check_layers.py")

doc = """```
layer 1: core
layer 0: base
forge layer 2: forge
forge layer 1: levels sounds
forge layer 0: common
forge engine: base
```
"""

# A clean tree: every include goes down.
clean = {
    "src/base/clock.h": "",
    "src/core/game.cpp": '#include "base/clock.h"\n',
    "tools/forge/common/recipe.h": "",
    "tools/forge/levels/compile.cpp": '#include "common/recipe.h"\n#include "base/clock.h"\n',
    "tools/forge/sounds/wave.cpp": '#include "common/recipe.h"\n',
    "tools/forge/main.cpp": '#include "levels/compile.h"\n',
    "tools/forge/levels/compile.h": "",
    "tools/bot/route.cpp": '#include "core/game.h"\n',
    "src/core/game.h": "",
}

# (what is wrong, files added to the clean tree, a part of the fault's line)
cases = [
    ("a forge folder includes a higher one", {"tools/forge/common/recipe.cpp": '#include "levels/compile.h"\n'},
     "tools/forge/common/recipe includes tools/forge/levels/compile: forge layer 0 may only include lower layers"),
    ("two forge folders include each other",
     {"tools/forge/sounds/wave.h": "", "tools/forge/levels/compile.cpp": '#include "sounds/wave.h"\n',
      "tools/forge/sounds/wave.cpp": '#include "levels/compile.h"\n'},
     "folder loop: tools/forge/levels <-> tools/forge/sounds"),
    ("the forge includes an engine folder it may not use", {"tools/forge/levels/compile.cpp": '#include "core/game.h"\n'},
     "tools/forge/levels/compile includes src/core/game: the forge uses only the engine folders base"),
    ("an engine folder includes a higher one", {"src/base/clock.cpp": '#include "core/game.h"\n'},
     "src/base/clock includes src/core/game: engine layer 0 may only include lower layers"),
    ("a forge folder has no layer", {"tools/forge/extra/thing.cpp": '#include "common/recipe.h"\n'},
     "tools/forge/extra/ has no layer"),
    ("two files include each other", {"tools/forge/levels/compile.h": '#include "levels/reach.h"\n',
                                      "tools/forge/levels/reach.h": '#include "levels/compile.h"\n'},
     "include cycle: tools/forge/levels/compile <-> tools/forge/levels/reach"),
]


def check(files):
    with tempfile.TemporaryDirectory() as tree:
        os.makedirs(os.path.join(tree, "docs"))
        with open(os.path.join(tree, "docs", "architecture.md"), "w") as f:
            f.write(doc)
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(tree, path)), exist_ok=True)
            with open(os.path.join(tree, path), "w") as f:
                f.write(text)
        run = subprocess.run([sys.executable, checker, "--root", tree], capture_output=True, text=True)
        return run.returncode, run.stdout


failures = []
code, out = check(clean)
if code != 0:
    failures.append(f"the clean tree fails:\n{out}")
for what, added, expected in cases:
    code, out = check({**clean, **added})
    if code != 1 or expected not in out:
        failures.append(f"{what}: exit {code}, wanted a line with '{expected}', got:\n{out}")
for f in failures:
    print("FAIL", f)
print(f"check_layers_test: {len(cases) + 1 - len(failures)} of {len(cases) + 1} trees judged right")
sys.exit(1 if failures else 0)
