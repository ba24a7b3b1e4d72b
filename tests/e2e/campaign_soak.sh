# A soak: the campaign playthrough three times over in one process
# (-timedemo -loops 3). Every loop must play the very same frames (the same
# screenshots) to the victory menu, and the resident size must not grow once
# the first loop has loaded everything.
source "$KEL_E2E_LIB"
most_growth_mb=16

rm -rf data/screenshots
write_config 0 640 480  # the demo brings its own window size
start_kel -timedemo "$KEL_DEMO_DIR/campaign/campaign.dem" -loops 3
wait_exit 560
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(tail -3 kel.err))"
victories=$(grep -c '^demo: 4514 frames played, ended in menu "victory"$' kel.out || true)
[ "$victories" = 3 ] || fail "not every loop ended in victory: $(grep '^demo:' kel.out | tr '\n' ';')"
shots=(data/screenshots/*.tga)
[ "${#shots[@]}" = 24 ] || fail "expected 8 screenshots a loop, found ${#shots[@]}"
for k in $(seq 0 7); do
  cmp -s "${shots[k]}" "${shots[k + 16]}" || fail "loop 3 drew ${shots[k + 16]} unlike ${shots[k]} of loop 1"
done
sizes=$(sed -nE 's/^soak: loop [0-9]+ of 3, resident size ([0-9.]+) MB$/\1/p' kel.out)
[ "$(wc -l <<<"$sizes")" = 3 ] || fail "expected three resident sizes, got: $(grep '^soak' kel.out)"
first=$(head -1 <<<"$sizes") last=$(tail -1 <<<"$sizes")
awk -v a="$first" -v b="$last" -v most="$most_growth_mb" 'BEGIN { exit !(b - a <= most) }' ||
  fail "the resident size grew from $first MB after loop 1 to $last MB after loop 3"
echo "ok: resident size after each loop (MB): $(tr '\n' ' ' <<<"$sizes")"
