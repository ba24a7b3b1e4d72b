# kel -watch with the watching forge: a changed level source reaches the
# running game within seconds, the player stays where they stood, and a
# damaged pack written while playing leaves the old level on screen.
source "$KEL_E2E_LIB"

FORGE_PID=
stop_forge() {
  if [ -n "$FORGE_PID" ]; then kill "$FORGE_PID" 2>/dev/null || true; fi
  cleanup
}
trap stop_forge EXIT

# wait_line FILE PATTERN COUNT SECONDS: until FILE holds COUNT lines matching PATTERN.
wait_line() {
  for _ in $(seq 1 $(($4 * 10))); do
    [ "$(grep -c -- "$2" "$1" || true)" -ge "$3" ] && return 0
    sleep 0.1
  done
  fail "no '$2' in $1 after $4 s: $(tail -3 "$1")"
}

cp -a "$KEL_DEMO_DIR" demo
"$KEL_FORGE" --watch demo data >forge.log 2>&1 &
FORGE_PID=$!
wait_line forge.log "forged everything" 1 120

write_config 0 800 600
start_kel -watch -map data/maps/test
win=$(wait_game_window)
sleep 3
focus "$win"
xdotool mousemove --window "$win" 600 200
# A few steps away from the start.
xdotool keydown d; sleep 0.5; xdotool keyup d
sleep 1
shot before

# The gatehouse in bright daylight.
sed -i 's/^settings <ambient_lightsource> [0-9.]* [0-9.]* [0-9.]*/settings <ambient_lightsource> 0.95 0.95 0.95/' demo/levels/test.txt
grep -q "ambient_lightsource> 0.95" demo/levels/test.txt || fail "the test level's ambient line was not changed"
saved=$(date +%s.%N)
wait_line forge.log "forged data/maps/test" 1 20
wait_line kel.err "reloaded" 1 10
reloaded=$(date +%s.%N)
sleep 0.5
shot after
kill -0 "$KEL_PID" || fail "kel ended on the reload"
read -r x z was_x was_z < <(sed -n 's/.*stands at \([0-9.]*\) \([0-9.]*\) (was at \([0-9.]*\) \([0-9.]*\)).*/\1 \2 \3 \4/p' kel.err | tail -1)
[ "$x $z" = "$was_x $was_z" ] || fail "the player moved on the reload: $was_x $was_z -> $x $z"
before_mean=$(region_stat before.png 760 420 20 60 mean)
after_mean=$(region_stat after.png 760 420 20 60 mean)
awk -v b="$before_mean" -v a="$after_mean" 'BEGIN { exit !(a > b + 0.08) }' ||
  fail "the brighter level does not show: mean $before_mean -> $after_mean"

# A damaged pack (cut short) put in place while playing.
head -c 200 data/maps/test.pack >broken.pack
mv broken.pack data/maps/test.pack
wait_line kel.err "did not load" 1 10
sleep 0.5
shot damaged
kill -0 "$KEL_PID" || fail "kel ended on a damaged pack"
damaged_mean=$(region_stat damaged.png 760 420 20 60 mean)
awk -v b="$after_mean" -v a="$damaged_mean" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d < 0.05) }' ||
  fail "the level changed after the damaged pack: mean $after_mean -> $damaged_mean"

"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
echo "ok: reloaded in $(awk -v s="$saved" -v r="$reloaded" 'BEGIN { printf "%.2f", r - s }') s after the save" \
     "(at most; polled every 0.1 s), player at $x $z, mean $before_mean -> $after_mean, damaged $damaged_mean"
