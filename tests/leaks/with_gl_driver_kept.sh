#!/usr/bin/env bash
# with_gl_driver_kept.sh COMMAND... : runs COMMAND (the sanitizer kel) with the
# software GL driver, the only one Xvfb offers, loaded before the program.
# The program's shutdown unloads the driver, and LeakSanitizer would then take
# the caches the driver keeps until exit for leaks from a module it can no
# longer name; loaded first, the driver stays mapped and what it holds is seen
# as held. ASan is told that its runtime is not the first library (it is the
# first of the program's own).
gl_driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -1 || true)
if [ -n "$gl_driver" ]; then
  export LD_PRELOAD="$gl_driver${LD_PRELOAD:+:$LD_PRELOAD}"
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
fi
exec "$@"
