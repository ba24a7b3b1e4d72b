#!/usr/bin/env bash
# smoke.sh FUZZER SEEDER|- CORPUS SECONDS
# Writes the seed corpus (when the target has a seeder), then fuzzes for SECONDS.
# Any crash, leak or sanitizer report makes libFuzzer exit non-zero.
set -euo pipefail
fuzzer=$1 seeder=$2 corpus=$3 seconds=$4
mkdir -p "$corpus"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ "$seeder" = "-" ] || "$seeder" "$corpus"
# The target runs in a scratch directory: readers that use relative game paths stay there.
cd "$work"
"$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -artifact_prefix="$corpus/../" -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
